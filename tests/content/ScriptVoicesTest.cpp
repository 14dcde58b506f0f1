// The voices of the built scripts, read back through the game's script
// reader: each islander tells the news in words of its own, a player who
// always picks the same letter cannot read the moods off it, every answer
// gets a reply, nobody knows of a thing before it washes up, and the lab
// code and the facts of the story stay straight.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "BuiltScripts.h"
#include "dialogue/Script.h"

namespace {

constexpr std::size_t kClauseWords = 6;
constexpr int kNoteDay = 6;  // the note washes up in the west cove this morning

struct Script {
    std::string name;
    std::vector<ReadNode> nodes;
};

const std::vector<Script>& allScripts() {
    static const std::vector<Script> scripts = [] {
        std::vector<Script> read;
        for (const std::string& name : kAllScripts) read.push_back({name, reachableNodes(builtScript(name))});
        return read;
    }();
    return scripts;
}

// Everything said at a node: the islander's line and each answer offered.
std::vector<std::string> textsOf(const ScriptNode& node) {
    std::vector<std::string> texts = {node.spokenText};
    for (const ScriptOption& option : node.options) texts.push_back(option.spokenText);
    return texts;
}

// The words of each sentence, in lower case, with tokens, colour markup and
// punctuation inside words ("north-west", "don't") taken out.
std::vector<std::vector<std::string>> sentences(const std::string& text) {
    std::vector<std::vector<std::string>> result(1);
    std::string word;
    auto endWord = [&] {
        if (!word.empty()) result.back().push_back(word);
        word.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '<') {  // a token stands for a name: no word of the clause
            std::size_t close = text.find('>', i);
            if (close != std::string::npos) i = close;
            endWord();
        } else if ((c == '/' || c == '@') && i + 1 < text.size() && std::isalpha(static_cast<unsigned char>(text[i + 1]))) {
            ++i;
            endWord();
        } else if (std::isalnum(static_cast<unsigned char>(c))) {
            word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        } else if (c == '\'' || c == '-') {
            // inside a word: "don't" is "dont", "north-west" is "northwest"
        } else if (c == '.' || c == '!' || c == '?' || c == ';' || c == ':') {
            endWord();
            if (!result.back().empty()) result.emplace_back();
        } else {
            endWord();
        }
    }
    endWord();
    return result;
}

// Every run of six words within one sentence, with the day it is said on.
std::map<std::string, int> clauses(const Script& script) {
    std::map<std::string, int> found;
    for (const ReadNode& read : script.nodes) {
        for (const std::string& text : textsOf(read.node)) {
            for (const std::vector<std::string>& words : sentences(text)) {
                for (std::size_t i = 0; i + kClauseWords <= words.size(); ++i) {
                    std::string clause = words[i];
                    for (std::size_t k = 1; k < kClauseWords; ++k) clause += " " + words[i + k];
                    found.emplace(clause, read.day);
                }
            }
        }
    }
    return found;
}

// An answer's moods tell kind from rude: kind only cheers or calms, rude
// only saddens or provokes. Tolerance says neither.
enum class Tone { Kind, Rude, Neither };

Tone toneOf(const ScriptOption& option) {
    bool kind = false, rude = false;
    for (const MoodChange& change : option.changes) {
        if (change.key == "ha") (change.amount > 0 ? kind : rude) = true;
        if (change.key == "ho") (change.amount < 0 ? kind : rude) = true;
    }
    if (kind == rude) return Tone::Neither;
    return kind ? Tone::Kind : Tone::Rude;
}

std::string where(const Script& script, const ReadNode& read) {
    return script.name + " day " + std::to_string(read.day) + " label " + std::to_string(read.label);
}

bool hasWord(const std::string& text, const std::string& wanted) {
    for (const std::vector<std::string>& words : sentences(text)) {
        for (const std::string& word : words) {
            if (word == wanted) return true;
        }
    }
    return false;
}

}  // namespace

TEST(ScriptVoices, NoClauseOfSixWordsIsSharedByTwoScripts) {
    std::vector<std::map<std::string, int>> perScript;
    for (const Script& script : allScripts()) perScript.push_back(clauses(script));
    for (std::size_t a = 0; a < perScript.size(); ++a) {
        for (std::size_t b = a + 1; b < perScript.size(); ++b) {
            for (const auto& [clause, day] : perScript[a]) {
                auto twin = perScript[b].find(clause);
                if (twin == perScript[b].end()) continue;
                ADD_FAILURE() << "\"" << clause << "\" is said by " << allScripts()[a].name << " (day " << day
                              << ") and by " << allScripts()[b].name << " (day " << twin->second << ")";
            }
        }
    }
}

// Each day opens with a kind and a rude answer; which comes first changes
// from day to day, and no two islanders keep the same order all sixteen days.
TEST(ScriptVoices, TheKindAnswerIsNotAlwaysTheSameLetter) {
    constexpr int kEachOrderAtLeast = 4;
    std::map<std::string, std::string> orderOf;  // per day: 'k' kind first, 'r' rude first
    for (const Script& script : allScripts()) {
        std::string order;
        for (const ReadNode& read : script.nodes) {
            if (read.label != 0) continue;
            int kind = -1, rude = -1;
            for (std::size_t i = 0; i < read.node.options.size(); ++i) {
                const ScriptOption& option = read.node.options[i];
                if (option.nextLabel < 0) continue;  // leaving is neither
                Tone tone = toneOf(option);
                if (tone == Tone::Kind && kind < 0) kind = static_cast<int>(i);
                if (tone == Tone::Rude && rude < 0) rude = static_cast<int>(i);
            }
            EXPECT_TRUE(kind >= 0 && rude >= 0) << where(script, read) << ": the day opens without a kind and a rude answer";
            order += kind >= 0 && rude >= 0 && kind > rude ? 'r' : 'k';
        }
        EXPECT_GE(std::count(order.begin(), order.end(), 'k'), kEachOrderAtLeast) << script.name << ": " << order;
        EXPECT_GE(std::count(order.begin(), order.end(), 'r'), kEachOrderAtLeast) << script.name << ": " << order;
        for (const auto& [other, theirs] : orderOf) {
            EXPECT_NE(order, theirs) << script.name << " and " << other << " put kind and rude in the same order every day";
        }
        orderOf[script.name] = order;
    }
}

// Only leaving at the opening closes a talk at once: any other answer is
// answered by a node that speaks.
TEST(ScriptVoices, EveryAnswerButLeavingGetsAReply) {
    for (const Script& script : allScripts()) {
        for (const ReadNode& read : script.nodes) {
            int closing = 0;
            for (const ScriptOption& option : read.node.options) {
                if (option.nextLabel >= 0) continue;
                ++closing;
                EXPECT_EQ(read.label, 0) << where(script, read) << ": \"" << option.spokenText << "\" closes the talk in silence";
            }
            EXPECT_LE(closing, 1) << where(script, read) << ": more than one way to leave";
        }
    }
}

// The note washes up in the west cove on the sixth morning: nobody mentions
// a note or points to the cove before it is there.
TEST(ScriptVoices, NobodySpeaksOfTheNoteBeforeItWashesUp) {
    for (const Script& script : allScripts()) {
        for (const ReadNode& read : script.nodes) {
            if (read.day == 0 || read.day >= kNoteDay) continue;
            for (const std::string& text : textsOf(read.node)) {
                EXPECT_FALSE(hasWord(text, "note")) << where(script, read) << ": " << text;
                EXPECT_FALSE(hasWord(text, "cove")) << where(script, read) << ": " << text;
            }
        }
    }
}

// The code is sung on day 14; on the last two days enough voices repeat it
// that a game of eight drawn personalities almost always has one who does
// (with six of the sixteen, fewer than one game in two hundred has none).
TEST(ScriptVoices, TheLabCodeIsRepeatedOnTheLastTwoDays) {
    constexpr int kRepeatingVoices = 6;
    int repeating = 0;
    for (const Script& script : allScripts()) {
        if (script.name == "Memory" || script.name == "Dog") continue;
        bool repeats = false;
        for (const ReadNode& read : script.nodes) {
            if (read.day < 15) continue;
            for (const std::string& text : textsOf(read.node)) repeats = repeats || mentionsLabCode(text);
        }
        repeating += repeats ? 1 : 0;
    }
    EXPECT_GE(repeating, kRepeatingVoices);
}

// A game draws eight of the sixteen voices: at most half of them say the
// code outright on the last days, and every other one sends the player to
// the tally marks on the wall. Nobody explains how to type it: that is the
// instructions' job, not a castaway's.
TEST(ScriptVoices, HalfTheVoicesSayTheCodeAndTheRestPointAtTheWall) {
    const char* const instructions[] = {"own line", "own command", "0wn c0mm4nd", "press enter", "pr3ss 3nt3r",
                                        "type 5830", "typ3 5830", "by itself: 5830", "numbers alone",
                                        "use handcuffs", "use the handcuffs"};
    int voices = 0;
    int saying = 0;
    for (const Script& script : allScripts()) {
        bool says = false;
        bool pointsAtWall = false;
        for (const ReadNode& read : script.nodes) {
            for (const std::string& text : textsOf(read.node)) {
                std::string lowered = text;
                for (char& c : lowered) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
                for (const char* instruction : instructions) {
                    EXPECT_EQ(lowered.find(instruction), std::string::npos) << where(script, read) << ": " << text;
                }
                if (read.day < 14) continue;
                says = says || mentionsLabCode(text);
                pointsAtWall = pointsAtWall || hasWord(text, "wall");
            }
        }
        if (script.name == "Memory" || script.name == "Dog") continue;
        ++voices;
        saying += says ? 1 : 0;
        EXPECT_TRUE(says || pointsAtWall) << script.name << " neither says the code nor points at the wall";
    }
    EXPECT_EQ(voices, 16);
    EXPECT_LE(saying * 2, voices) << saying << " voices say the code outright";
}

// The voices with a mark of their own keep it on every day: the leetspeak
// islander writes digits for letters, the silent one trails off.
TEST(ScriptVoices, TheMarkedVoicesKeepTheirMarksEveryDay) {
    for (const Script& script : allScripts()) {
        for (const ReadNode& read : script.nodes) {
            const std::string& line = read.node.spokenText;
            if (script.name == "Silent") {
                EXPECT_EQ(line.rfind("...", 0), 0u) << where(script, read) << ": " << line;
            }
            if (script.name != "Leet") continue;
            bool leet = false;  // a word with a digit among its letters, as "d00d"
            std::string word;
            for (char c : line + " ") {
                if (std::isalnum(static_cast<unsigned char>(c))) {
                    word += c;
                    continue;
                }
                bool digit = std::any_of(word.begin(), word.end(), [](char w) { return std::isdigit(static_cast<unsigned char>(w)); });
                bool letter = std::any_of(word.begin(), word.end(), [](char w) { return std::isalpha(static_cast<unsigned char>(w)); });
                leet = leet || (digit && letter);
                word.clear();
            }
            EXPECT_TRUE(leet) << where(script, read) << " speaks plain English: " << line;
        }
    }
}

// Eight subjects were taken: the note counts one to eight.
TEST(ScriptVoices, NobodyCountsNineSubjects) {
    const std::set<std::string> counted = {"chairs", "adults", "subjects", "of", "people", "healthy", "humans", "us", "minds"};
    for (const Script& script : allScripts()) {
        for (const ReadNode& read : script.nodes) {
            for (const std::string& text : textsOf(read.node)) {
                for (const std::vector<std::string>& words : sentences(text)) {
                    for (std::size_t i = 0; i + 1 < words.size(); ++i) {
                        EXPECT_FALSE(words[i] == "nine" && counted.count(words[i + 1]))
                            << where(script, read) << ": " << text;
                    }
                }
            }
        }
    }
}

// Each voice ends the last day in character: a hug is for the few who would.
TEST(ScriptVoices, TheLastDayDoesNotEndInAHugForEveryone) {
    constexpr int kMostHugs = 6;
    int hugging = 0;
    for (const Script& script : allScripts()) {
        bool hugs = false;
        for (const ReadNode& read : script.nodes) {
            if (read.day == 16) hugs = hugs || read.node.islanderLine.find("{HUG") != std::string::npos;
        }
        hugging += hugs ? 1 : 0;
    }
    EXPECT_LE(hugging, kMostHugs);
}

TEST(ScriptVoices, TheLabCodeIsHeardInAnyWording) {
    EXPECT_TRUE(mentionsLabCode("Five, eight, three, oh."));
    EXPECT_TRUE(mentionsLabCode("...Five. ...Eight. ...Three."));
    EXPECT_TRUE(mentionsLabCode("it was 5-8-3-0, I think"));
    EXPECT_TRUE(mentionsLabCode("the code 5830"));
    EXPECT_FALSE(mentionsLabCode("five men, eight chairs and three dogs"));
    EXPECT_FALSE(mentionsLabCode("five, eight, four"));
}

// The Dog sits on its dune until it walks off to the mountain: its stage
// directions may look or walk toward a place it is not, never be there.
TEST(ScriptVoices, TheDogStaysOnItsDune) {
    const std::set<std::string> elsewhere = {"camp", "crate", "fire", "hut", "cove", "jungle", "grove",
                                             "cave", "ledge", "fence", "wreck", "tree", "river", "shelter"};
    for (const ReadNode& read : reachableNodes(builtScript("Dog"))) {
        const std::string& line = read.node.spokenText;
        for (std::size_t open = line.find('*'); open != std::string::npos; open = line.find('*', open + 1)) {
            const std::size_t close = std::min(line.find('*', open + 1), line.size());
            for (const std::vector<std::string>& words : sentences(line.substr(open + 1, close - open - 1)))
                for (std::size_t i = 0; i < words.size(); ++i)
                    EXPECT_TRUE(!elsewhere.count(words[i]) || (i >= 2 && words[i - 2].starts_with("toward")))
                        << "day " << read.day << ": " << line;
            open = close;
        }
    }
}

// Islanders may ask to come along, but none offers raft help the rules never
// give, and no sentence about sailing names weather that would change it.
TEST(ScriptVoices, NobodyPromisesRaftHelpOrSailingWeather) {
    auto any = [](const std::vector<std::string>& words, const std::set<std::string>& set) {
        return std::any_of(words.begin(), words.end(), [&](const std::string& w) { return set.count(w) > 0; });
    };
    for (const Script& script : allScripts()) {
        for (const ReadNode& read : script.nodes) {
            bool raftTalk = false, offered = false;
            for (const std::vector<std::string>& words : sentences(read.node.spokenText)) {
                raftTalk = raftTalk || any(words, {"raft", "r4ft", "logs", "sail", "launch", "sea"});
                offered = offered || any(words, {"ill", "1ll", "paddle", "row", "haul"}) ||
                          (any(words, {"id"}) && any(words, {"help"}));
                EXPECT_FALSE(any(words, {"sail", "launch", "sea"}) && any(words, {"storm", "calm", "wind", "weather"}))
                    << where(script, read) << ": " << read.node.spokenText;
            }
            EXPECT_FALSE(raftTalk && offered) << where(script, read) << ": " << read.node.spokenText;
        }
    }
}

// From the day a suspect is named, enough voices wish them tied up before
// dark, and remember steel at the old watch post, that a game's eight drawn
// voices almost always hold both (none of six in one game of 286; none of
// five in one of 78, and then the handcuffs' own text tells it).
TEST(ScriptVoices, TheSuspectIsWishedRestrainedAndTheSteelRemembered) {
    const char* const restraint[] = {"tie", "tied", "chain", "chained", "cuffed", "restrain", "restrained", "truss"};
    int named = 17, restraining = 0, steel = 0;  // named: the first day a suspect is named
    for (const Script& script : allScripts())
        for (const ReadNode& read : script.nodes)
            if (read.day > 0 && read.node.spokenText.find("<MURDERER>") != std::string::npos)
                named = std::min(named, read.day);
    for (const Script& script : allScripts()) {
        bool wishes = false, remembers = false;
        for (const ReadNode& read : script.nodes) {
            const std::string& text = read.node.spokenText;
            if (read.day < named) continue;
            for (const char* word : restraint) wishes = wishes || hasWord(text, word);
            remembers = remembers || (hasWord(text, "steel") && text.find("watch post") != std::string::npos);
        }
        restraining += wishes ? 1 : 0;
        steel += wishes && remembers ? 1 : 0;
    }
    EXPECT_LE(named, 16) << "nobody ever names a suspect";
    EXPECT_GE(restraining, 6);
    EXPECT_GE(steel, 5);
}
