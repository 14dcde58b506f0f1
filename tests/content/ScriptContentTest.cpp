// The built conversation scripts, read back through the game's codec and
// script reader and walked path by path: every day is there, every
// conversation can start and every path closes, every line fits the speech
// buffer once the longest names are put in, and the story's clues can be
// heard when they are due.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "BuiltScripts.h"
#include "dialogue/Script.h"

namespace {

constexpr int kFirstDay = 1;
constexpr int kFirstMemoryDay = 4;  // nobody is the memory subject before the fourth morning
constexpr int kLastDay = 16;
constexpr int kSharedLabel = 999;   // "nothing more to say today", after the last day
constexpr std::size_t kLineBuffer = 512;
constexpr std::size_t kLongestIslanderName = 15;
constexpr std::size_t kLongestPlayerName = 19;

const char* const kPersonalities[] = {
    "Angry", "Convict", "Crackpot", "Depressed", "Doctor", "Formal", "Jock", "Leet", "Leader",
    "Megalomaniac", "Nerd", "Paranoid", "Perky", "Silent", "Soldier", "Wise", "Dog"};

// What each token can grow to once replaced.
const std::map<std::string, std::size_t> kTokenWidths = {
    {"<NPCNAME>", kLongestIslanderName}, {"<PLAYERNAME>", kLongestPlayerName},
    {"<MEMORY>", kLongestIslanderName},  {"<MEM-HE-SHE>", 3},
    {"<OTHERNPC>", kLongestIslanderName}, {"<DEADGUY>", kLongestIslanderName},
    {"<MURDERER>", kLongestIslanderName}};

const std::set<std::string> kActions = {"DOGDISAPPEAR", "LEAVEROOM", "SIGH", "LAUGH",
                                        "SHRUG",        "DANCE",     "HUG",  "CRY"};

std::vector<std::string> allLines(const std::string& text) {
    ConversationScript script;
    script.openText(text);
    std::vector<std::string> lines;
    while (std::optional<std::string> line = script.nextLine()) lines.push_back(*line);
    return lines;
}

// The labels written in each day's section, and those after the last header.
struct Sections {
    std::vector<int> headers;            // day numbers in file order
    std::map<int, std::set<int>> labels;  // day -> labels in its section
    std::vector<int> afterLastDay;        // labels behind the last day's nodes
};

Sections readSections(const std::vector<std::string>& lines) {
    Sections s;
    int day = INT_MIN;
    for (const std::string& line : lines) {
        if (readDayHeader(line, day)) {
            s.headers.push_back(day);
            continue;
        }
        int label = 0;
        if (!readLabelLine(line, label)) continue;
        if (label == kSharedLabel) s.afterLastDay.push_back(label);
        else s.labels[day].insert(label);
    }
    return s;
}

// One spoken text: tokens, length, markup and keywords.
void checkText(std::string_view text, std::size_t frame, bool personality, int day, const std::string& where) {
    SCOPED_TRACE(where);
    EXPECT_FALSE(text.empty());
    std::size_t grown = text.size();
    std::set<std::string> seen;
    std::string rest;  // the text with its tokens taken out
    std::size_t from = 0;
    for (std::size_t open = text.find('<'); open != std::string_view::npos; open = text.find('<', from)) {
        std::size_t close = text.find('>', open);
        ASSERT_NE(close, std::string_view::npos) << "a '<' without a token";
        std::string token(text.substr(open, close - open + 1));
        auto known = kTokenWidths.find(token);
        ASSERT_TRUE(known != kTokenWidths.end()) << "unknown token " << token;
        // Only the first occurrence is replaced: a second one would be shown raw.
        EXPECT_TRUE(seen.insert(token).second) << token << " twice in one line";
        grown = grown - token.size() + known->second;
        rest += text.substr(from, open - from);
        from = close + 1;
    }
    rest += text.substr(from);
    EXPECT_EQ(rest.find('>'), std::string::npos) << "a '>' outside a token";
    // Nobody has died before the third morning, and nobody remembers before the fourth.
    if (day < 3) {
        EXPECT_FALSE(seen.count("<DEADGUY>")) << "a victim named before day 3";
    }
    if (personality && day < 4) {
        EXPECT_FALSE(seen.count("<MEMORY>") || seen.count("<MEM-HE-SHE>")) << "a memory subject before day 4";
    }
    EXPECT_LT(frame + grown, kLineBuffer) << "too long for the line buffer";
    EXPECT_LE(text.size(), 400u) << "a spoken line this long reads as a wall of text";

    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (c == '/') {
            ASSERT_NE(std::string_view("WwRrBbGgYyCcPpkxs/").find(next), std::string_view::npos) << "bad markup /" << next;
            ++i;
        } else if (c == '@') {
            ASSERT_NE(std::string_view("WwRrBbGgYyCcPpke@").find(next), std::string_view::npos) << "bad markup @" << next;
            ++i;
        }
    }
    for (const char* keyword : {"DAY", "LABEL", "SKIP", "END", "[", "]", "{", "}"}) {
        EXPECT_EQ(text.find(keyword), std::string_view::npos) << "'" << keyword << "' inside spoken text";
    }
}

// The action after the spoken part, if any, must be one braced keyword.
void checkAction(const std::string& line, const std::string& where, std::set<std::string>& used) {
    std::size_t open = line.find('{');
    if (open == std::string::npos) return;
    std::string action = line.substr(open);
    ASSERT_GE(action.size(), 3u) << where;
    EXPECT_EQ(action.back(), '}') << where << ": the action ends the line";
    std::string keyword = action.substr(1, action.size() - 2);
    EXPECT_TRUE(kActions.count(keyword)) << where << ": unknown action " << action;
    used.insert(keyword);
}

// Mood changes as the reader takes them: "[]" or pairs of key and signed
// amount, each amount followed by a blank or the closing bracket.
void checkChanges(const std::string& line, const std::string& where) {
    std::size_t open = line.find('[');
    std::size_t close = line.find(']');
    ASSERT_TRUE(open != std::string::npos && close != std::string::npos && open < close) << where;
    std::string inside = line.substr(open + 1, close - open - 1);
    std::size_t pos = 0;
    while (pos < inside.size()) {
        std::string key = inside.substr(pos, 2);
        EXPECT_TRUE(key == "ha" || key == "ho" || key == "to") << where << ": key '" << key << "'";
        ASSERT_LT(pos + 2, inside.size()) << where;
        EXPECT_EQ(inside[pos + 2], ' ') << where;
        pos += 3;
        std::optional<int> amount = readInteger(inside, pos);
        ASSERT_TRUE(amount) << where << ": no amount";
        EXPECT_NE(*amount, 0) << where << ": a change of nothing";
        if (pos < inside.size()) {
            EXPECT_EQ(inside[pos], ' ') << where;
            ++pos;
        }
    }
}

struct DayWalk {
    const std::string& name;
    const std::string& text;
    const Sections& sections;
    bool personality;
    int day;
    std::set<int> visited;
    std::set<int> starts;  // labels a later conversation of the day starts at
    std::set<std::string> actions;
    std::string heard;     // every text the islander says on this day
    std::size_t firstChoices = 0;

    const std::set<int>& dayLabels() const {
        static const std::set<int> none;
        auto found = sections.labels.find(day);
        return found == sections.labels.end() ? none : found->second;
    }
    bool inDay(int label) const { return label == kSharedLabel || dayLabels().count(label) > 0; }
    std::string where(int label) const {
        return name + " day " + std::to_string(day) + " label " + std::to_string(label);
    }

    // Every path from this node; the stack catches a conversation that never ends.
    void walk(int label, std::vector<int>& stack) {
        std::string at = where(label);
        for (int earlier : stack) ASSERT_NE(earlier, label) << at << ": a path that never ends";
        ASSERT_TRUE(inDay(label)) << at << ": no such label on this day";
        ConversationScript script;
        script.openText(text);
        ASSERT_TRUE(script.seekDay(day)) << at;
        ASSERT_TRUE(script.seekLabel(label)) << at;
        visited.insert(label);
        ScriptNode node = script.readNode();
        if (label == 0) firstChoices = node.options.size();
        if (label == kSharedLabel) {
            EXPECT_TRUE(node.ends && node.options.empty() && node.resumeLabel == kSharedLabel)
                << at << ": the shared node closes and stays there";
        }

        checkText(node.spokenText, kLongestIslanderName + std::string_view(" says, \"\"\n").size(),
                  personality, day, at + " (islander)");
        checkAction(node.islanderLine, at, actions);
        heard += node.spokenText + "\n";

        ASSERT_TRUE(!node.options.empty() || node.ends) << at << ": no options and no END";
        EXPECT_FALSE(!node.options.empty() && node.ends) << at << ": options closed by an END at once";
        if (node.ends) {
            EXPECT_TRUE(node.endLine == "END" || node.endLine == "END" + std::to_string(node.resumeLabel))
                << at << ": end line '" << node.endLine << "'";
            EXPECT_TRUE(inDay(node.resumeLabel)) << at << ": resumes at missing label " << node.resumeLabel;
            starts.insert(node.resumeLabel);
            return;
        }
        stack.push_back(label);
        for (std::size_t i = 0; i < node.options.size(); ++i) {
            const ScriptOption& option = node.options[i];
            std::string opt = at + " option " + std::string(1, static_cast<char>('A' + i));
            ASSERT_TRUE(option.hasNextLabel) << opt;
            checkChanges(option.line, opt);
            checkAction(option.line, opt, actions);
            ASSERT_GT(option.shownText.size(), 4u) << opt;
            EXPECT_EQ(option.shownText.substr(0, 4), std::string(1, static_cast<char>('A' + i)) + ".  ") << opt;
            checkText(option.shownText, 0, personality, day, opt + " (shown)");
            checkText(option.spokenText, std::string_view("You say, \"\"\n").size(), personality, day, opt);
            if (option.nextLabel < 0) {
                EXPECT_TRUE(inDay(-option.nextLabel)) << opt << ": resumes at missing label " << -option.nextLabel;
                starts.insert(-option.nextLabel);
            } else {
                walk(option.nextLabel, stack);
            }
        }
        stack.pop_back();
    }

    void run() {
        std::vector<int> stack;
        walk(0, stack);
        // Later conversations of the day start where the last one left off.
        std::set<int> done = {0};
        while (true) {
            auto next = std::find_if(starts.begin(), starts.end(), [&](int l) { return !done.count(l); });
            if (next == starts.end()) break;
            done.insert(*next);
            stack.clear();
            walk(*next, stack);
        }
        EXPECT_TRUE(visited.count(kSharedLabel)) << name << " day " << day << ": label 999 is never reached";
        for (int label : dayLabels()) {
            EXPECT_TRUE(visited.count(label)) << where(label) << ": never reached";
        }
    }
};

struct ScriptWalk {
    std::map<int, std::string> heard;  // day -> everything said on it
    std::set<std::string> actionsOnDay[kLastDay + 1];
};

ScriptWalk walkScript(const std::string& name, const std::string& text) {
    ScriptWalk result;
    std::vector<std::string> lines = allLines(text);
    Sections sections = readSections(lines);
    std::vector<int> expected;
    int firstDay = name == "Memory" ? kFirstMemoryDay : kFirstDay;
    for (int d = firstDay; d <= kLastDay; ++d) expected.push_back(d);
    EXPECT_EQ(sections.headers, expected) << name << ": day headers " << firstDay << " to 16, once each and in order";
    EXPECT_EQ(sections.afterLastDay, std::vector<int>{kSharedLabel}) << name << ": one shared label 999";
    if (sections.headers != expected) return result;

    // The shared node stands after the last day's section.
    bool afterLast = false;
    int day = INT_MIN;
    for (const std::string& line : lines) {
        if (readDayHeader(line, day)) continue;
        int label = 0;
        if (readLabelLine(line, label) && label == kSharedLabel) afterLast = day == kLastDay;
    }
    EXPECT_TRUE(afterLast) << name << ": label 999 must follow the last day";

    bool personality = name != "Memory";
    for (int d = firstDay; d <= kLastDay; ++d) {
        DayWalk walk{name, text, sections, personality, d, {}, {}, {}, {}, 0};
        walk.run();
        EXPECT_GE(walk.firstChoices, 2u) << name << " day " << d << ": the player has no real choice";
        result.heard[d] = walk.heard;
        result.actionsOnDay[d] = walk.actions;
    }
    return result;
}

}  // namespace

class BuiltScript : public ::testing::TestWithParam<const char*> {};

TEST_P(BuiltScript, EveryDayOpensAtLabelZeroAndEveryPathCloses) {
    std::string name = GetParam();
    std::string text = builtScript(name);
    ASSERT_FALSE(text.empty());
    walkScript(name, text);
}

TEST_P(BuiltScript, StartsWithMoodValuesThatDoNotKillUnprovoked) {
    std::string name = GetParam();
    std::vector<std::string> lines = allLines(builtScript(name));
    ASSERT_GE(lines.size(), 3u);
    int values[3] = {};
    for (int i = 0; i < 3; ++i) {
        std::size_t pos = 0;
        std::optional<int> value = readInteger(lines[static_cast<std::size_t>(i)], pos);
        ASSERT_TRUE(value) << name << " line " << i + 1;
        values[i] = *value;
    }
    int tolerance = values[0], hostility = values[1], happiness = values[2];
    EXPECT_GE(tolerance, 1) << name;
    EXPECT_TRUE(hostility >= 0 && hostility <= 100) << name;
    EXPECT_TRUE(happiness >= 0 && happiness <= 100) << name;
    // The murderer strikes only at hostility 65 and happiness 35: it takes the
    // player's own conduct to bring any personality there.
    EXPECT_FALSE(hostility >= 65 && happiness <= 35) << name << " would kill from the first night";
    // Moods that already allow no gift would leave an islander the player can never win over.
    EXPECT_LE(hostility, 60) << name;
}

INSTANTIATE_TEST_SUITE_P(Personalities, BuiltScript, ::testing::ValuesIn(kPersonalities));

TEST(BuiltMemoryScript, EveryDayOpensAtLabelZeroAndEveryPathCloses) {
    std::string text = builtScript("Memory");
    ASSERT_FALSE(text.empty());
    walkScript("Memory", text);
}

// The memories come back in step with the mornings.
TEST(BuiltMemoryScript, TellsEachCluesOnItsDay) {
    ScriptWalk memory = walkScript("Memory", builtScript("Memory"));
    ASSERT_FALSE(memory.heard.empty());
    auto hears = [&](int day, const char* clue) {
        EXPECT_NE(memory.heard[day].find(clue), std::string::npos) << "day " << day << " lacks '" << clue << "'";
    };
    EXPECT_EQ(memory.heard.begin()->first, kFirstMemoryDay) << "a memory day nobody can hear";
    hears(4, "E, A, C");
    hears(4, "tins of food");
    hears(6, "note");
    hears(7, "lab");
    hears(7, "chairs in a circle");
    hears(9, "captured");
    hears(9, "safari in Africa");
    hears(10, "Euro-African Commission");
    hears(12, "dog");
    hears(12, "scientist");
    hears(14, "Five, eight, three, zero");
    hears(15, "fence");
    EXPECT_TRUE(mentionsLabCode(memory.heard[14]));
    for (int day = kFirstMemoryDay; day < 14; ++day) {
        EXPECT_FALSE(mentionsLabCode(memory.heard[day])) << "the code heard on day " << day;
    }
}

// The lab code is sung on day 14 and passed round by the islanders until the
// end; the Dog slips away into the mountain when the player asks about it.
TEST(BuiltPersonalityScripts, PassTheLabCodeAroundAndLetTheDogGoHome) {
    int humming = 0;
    for (const char* name : kPersonalities) {
        ScriptWalk walk = walkScript(name, builtScript(name));
        if (walk.heard.empty()) continue;
        bool mentions = false;
        for (int day = 14; day <= kLastDay; ++day) mentions = mentions || mentionsLabCode(walk.heard[day]);
        if (mentions) ++humming;
        for (int day = 1; day < 14; ++day) {
            EXPECT_FALSE(mentionsLabCode(walk.heard[day])) << name << " knows the code on day " << day;
        }
        bool vanishes = false;
        for (int day = 1; day <= kLastDay; ++day) {
            bool here = walk.actionsOnDay[day].count("DOGDISAPPEAR") > 0;
            if (std::string(name) != "Dog") {
                EXPECT_FALSE(here) << name << " makes the Dog vanish";
            }
            if (here) {
                EXPECT_GE(day, 15) << "the Dog leaves before the fence is remembered";
            }
            vanishes = vanishes || here;
        }
        if (std::string(name) == "Dog") {
            EXPECT_TRUE(vanishes) << "the Dog never goes back into the mountain";
        }
    }
    EXPECT_GE(humming, 3) << "too few islanders pass on the lab code";
}
