// Room descriptions promise only what the world holds: a material they name
// lies there or the text says why it cannot be taken, and an opening or a
// path they point along is an exit the player can take, and what they say
// lies to the west is what the west exit leads to.
#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "WorldFileReader.h"
#include "WorldFixture.h"

namespace {

// Words a player reads as an item that "get" could take, and that item.
const std::map<std::string, std::string> kMaterialWords = {
    {"rope", "rope"},         {"ropes", "rope"},          {"cloth", "cloth"},
    {"canvas", "cloth"},      {"rag", "cloth"},           {"rags", "cloth"},
    {"sailcloth", "cloth"},   {"leaf", "large leaf"},     {"leaves", "large leaf"},
    {"wood", "Wood"},         {"plank", "Wood"},          {"planks", "Wood"},
    {"driftwood", "Wood"},    {"vine", "vine"},           {"vines", "vine"},
    {"liana", "vine"},        {"lianas", "vine"},         {"husk", "coconut husk"},
    {"husks", "coconut husk"},
};

// Rooms that name a material they do not hold, with the words that tell
// the player why it cannot be taken. A new entry needs such words.
struct Excuse {
    int area;
    int number;
    const char* material;
    const char* why;
};
const Excuse kExcuses[] = {
    {6, 0, "large leaf", "huts made of branches and palm leaves"},
    {6, 2, "large leaf", "mats of woven leaves"},
    {6, 5, "large leaf", "carefully covered with leaves"},
    {6, 14, "Wood", "chips of wood"},
    {7, 2, "cloth", "rotted to lace"},
    {7, 8, "vine", "like vines"},
    {8, 16, "Wood", "the wood crumbles at a touch"},
    {8, 17, "Wood", "a small wood of hardy trees"},
    {11, 1, "cloth", "far out of reach"},
};

// Words that open a way somewhere, and the compass words in Direction order.
const std::set<std::string> kWayWords = {"opening", "path", "passage", "trail", "tunnel", "crack", "gap"};
const char* const kCompass[kDirectionCount] = {"north", "northeast", "east",      "southeast",
                                               "south", "southwest", "west",      "northwest"};
constexpr std::size_t kWordsAfterWayWord = 6;

std::string lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The words of each sentence (split at . ; : ! ?), lower case.
std::vector<std::vector<std::string>> sentences(const std::string& text) {
    std::vector<std::vector<std::string>> result(1);
    std::string word;
    auto endWord = [&] {
        if (!word.empty()) result.back().push_back(word);
        word.clear();
    };
    for (char c : lower(text)) {
        if (std::isalpha(static_cast<unsigned char>(c))) {
            word += c;
            continue;
        }
        endWord();
        if (c == '.' || c == ';' || c == ':' || c == '!' || c == '?') result.emplace_back();
    }
    endWord();
    return result;
}

std::string roomLabel(const WorldSourceRoom& room) {
    return std::to_string(room.area) + "/" + std::to_string(room.number) + " " + room.name;
}

std::set<std::string> itemNamesIn(const WorldSource& source, const WorldSourceRoom& room) {
    std::set<std::string> names;
    for (int index : room.items) {
        for (const WorldSourceItem& item : source.items) {
            if (index >= 0 && item.catalogueIndex == index) names.insert(item.name);
        }
    }
    return names;
}

const Excuse* excuseFor(const WorldSourceRoom& room, const std::string& material) {
    for (const Excuse& excuse : kExcuses) {
        if (excuse.area == room.area && excuse.number == room.number && material == excuse.material) return &excuse;
    }
    return nullptr;
}

// What the room's text promises and the room does not keep, one line each.
std::vector<std::string> missingMaterials(const WorldSource& source, const WorldSourceRoom& room) {
    std::vector<std::string> faults;
    std::set<std::string> held = itemNamesIn(source, room);
    for (const auto& sentence : sentences(room.description)) {
        for (const std::string& word : sentence) {
            auto material = kMaterialWords.find(word);
            if (material == kMaterialWords.end() || held.count(material->second)) continue;
            if (excuseFor(room, material->second)) continue;
            faults.push_back(roomLabel(room) + " names \"" + word + "\" but holds no " + material->second +
                             ": put one there or say why it cannot be taken");
        }
    }
    return faults;
}

std::vector<std::string> missingExits(const WorldSourceRoom& room) {
    std::vector<std::string> faults;
    for (const auto& sentence : sentences(room.description)) {
        for (std::size_t i = 0; i < sentence.size(); ++i) {
            if (!kWayWords.count(sentence[i])) continue;
            std::size_t end = std::min(sentence.size(), i + 1 + kWordsAfterWayWord);
            for (std::size_t j = i + 1; j < end; ++j) {
                for (int d = 0; d < kDirectionCount; ++d) {
                    if (sentence[j] == kCompass[d] && room.exits[static_cast<std::size_t>(d)][0] == -1) {
                        faults.push_back(roomLabel(room) + ": a " + sentence[i] + " " + kCompass[d] +
                                         " but no exit there");
                    }
                }
            }
        }
    }
    return faults;
}

// Words that say what lies in a direction, and the areas where it does.
const std::map<std::string, std::set<int>> kTerrainAreas = {
    {"palms", {1, 3, 4}},    {"palm", {1, 3, 4}},        {"grove", {1, 3, 4}},     {"jungle", {5}},
    {"fence", {9, 11}},      {"wire", {9, 11}},          {"mountain", {9, 10, 11}}, {"camp", {6}},
    {"huts", {6}},           {"cove", {1}},              {"river", {3, 8}},        {"highlands", {8}},
    {"beach", {0, 1, 3, 7}}, {"shore", {0, 1, 3, 7}},    {"dunes", {0, 1, 3, 7}},  {"rocks", {1, 2, 3, 7}},
    {"boulders", {1, 2, 3, 7}}, {"crags", {1, 2, 3, 7}}, {"headland", {1, 2, 3, 7}}, {"wreck", {7}},
    {"wrecked", {7}},        {"boat", {7}},              {"hull", {7}},
};
// A sentence that looks far off describes a view, not the next room.
const std::set<std::string> kViewWords = {"see", "view", "far", "glimpse"};

struct Clause {
    std::vector<std::string> words;
    bool view = false;
};

// The clauses of a text (split at commas and at sentence ends), lower case,
// each marked when its sentence describes a view.
std::vector<Clause> clauses(const std::string& text) {
    std::vector<Clause> result(1);
    std::size_t sentenceStart = 0;
    std::string word;
    auto endWord = [&] {
        if (!word.empty()) result.back().words.push_back(word);
        word.clear();
    };
    auto endSentence = [&] {
        bool view = false;
        for (std::size_t i = sentenceStart; i < result.size(); ++i) {
            for (const std::string& w : result[i].words) view = view || kViewWords.count(w) > 0;
        }
        for (std::size_t i = sentenceStart; i < result.size(); ++i) result[i].view = view;
    };
    for (char c : lower(text)) {
        if (std::isalpha(static_cast<unsigned char>(c))) {
            word += c;
            continue;
        }
        endWord();
        if (c == '.' || c == ';' || c == ':' || c == '!' || c == '?') {
            endSentence();
            result.emplace_back();
            sentenceStart = result.size() - 1;
        } else if (c == ',') {
            result.emplace_back();
        }
    }
    endWord();
    endSentence();
    return result;
}

// The direction word i points along ("to the west", "runs west", "westward"), or -1.
int pointedDirection(const std::vector<std::string>& words, std::size_t i) {
    static const std::set<std::string> kBefore = {"to", "toward", "towards", "from"};
    static const std::set<std::string> kRuns = {"runs", "run", "running"};
    for (int d = 0; d < kDirectionCount; ++d) {
        if (words[i] == std::string(kCompass[d]) + "ward") return d;
        if (words[i] != kCompass[d]) continue;
        if (i >= 2 && words[i - 1] == "the" && kBefore.count(words[i - 2])) return d;
        if (i >= 1 && kRuns.count(words[i - 1])) return d;
    }
    return -1;
}

// A clause that points along an exit and names what lies there must name
// something the room that way is.
std::vector<std::string> contradictedCompassWords(const WorldSourceRoom& room) {
    std::vector<std::string> faults;
    for (const Clause& clause : clauses(room.description)) {
        if (clause.view) continue;
        std::set<std::string> named;
        for (const std::string& w : clause.words) {
            if (kTerrainAreas.count(w)) named.insert(w);
        }
        for (std::size_t i = 0; i < clause.words.size() && !named.empty(); ++i) {
            int d = pointedDirection(clause.words, i);
            if (d < 0) continue;
            int area = room.exits[static_cast<std::size_t>(d)][0];
            if (area == -1) continue;  // no way there: the text may say what blocks it
            bool fits = false;
            for (const std::string& w : named) fits = fits || kTerrainAreas.at(w).count(area) > 0;
            if (!fits) {
                faults.push_back(roomLabel(room) + ": \"" + *named.begin() + "\" to the " + kCompass[d] +
                                 ", but that exit leads to area " + std::to_string(area));
            }
        }
    }
    return faults;
}

WorldSourceRoom roomWithoutExits(const char* description) {
    WorldSourceRoom room;
    room.area = 6;
    room.number = 3;
    room.name = "Test Room";
    room.description = description;
    room.items.fill(-1);
    for (auto& exit : room.exits) exit = {-1, -1};
    return room;
}

}  // namespace

TEST(WorldPromisesTest, AMaterialNamedInARoomLiesThereOrTheTextSaysWhyNot) {
    const WorldSource& source = worldSource();
    ASSERT_TRUE(source.error.empty()) << source.error;
    for (const WorldSourceRoom& room : source.rooms) {
        for (const std::string& fault : missingMaterials(source, room)) ADD_FAILURE() << fault;
    }
}

TEST(WorldPromisesTest, AnOpeningOrPathThatPointsSomewhereIsAnExit) {
    const WorldSource& source = worldSource();
    ASSERT_TRUE(source.error.empty()) << source.error;
    for (const WorldSourceRoom& room : source.rooms) {
        for (const std::string& fault : missingExits(room)) ADD_FAILURE() << fault;
    }
}

TEST(WorldPromisesTest, ACompassWordAgreesWithWhereItsExitLeads) {
    const WorldSource& source = worldSource();
    ASSERT_TRUE(source.error.empty()) << source.error;
    for (const WorldSourceRoom& room : source.rooms) {
        for (const std::string& fault : contradictedCompassWords(room)) ADD_FAILURE() << fault;
    }
}

TEST(WorldPromisesTest, EveryExcuseStillStandsInItsRoom) {
    const WorldSource& source = worldSource();
    ASSERT_TRUE(source.error.empty()) << source.error;
    for (const Excuse& excuse : kExcuses) {
        const WorldSourceRoom* found = nullptr;
        for (const WorldSourceRoom& room : source.rooms) {
            if (room.area == excuse.area && room.number == excuse.number) found = &room;
        }
        ASSERT_TRUE(found) << excuse.area << "/" << excuse.number;
        EXPECT_NE(lower(found->description).find(excuse.why), std::string::npos)
            << roomLabel(*found) << " no longer says \"" << excuse.why << "\"";
        EXPECT_EQ(itemNamesIn(source, *found).count(excuse.material), 0u)
            << roomLabel(*found) << " holds the " << excuse.material << " now: drop its excuse";
    }
}

// The texts that once slipped through are caught, and their mended forms pass.
TEST(WorldPromisesTest, TheRulesCatchAnOpeningNowhereAndHeapsOfNothing) {
    const WorldSource& source = worldSource();
    WorldSourceRoom opening = roomWithoutExits("The camp ends at a wall of rock. A dark opening is visible to the east.");
    EXPECT_EQ(missingExits(opening).size(), 1u);
    opening.exits[East] = {10, 3};
    EXPECT_TRUE(missingExits(opening).empty());
    EXPECT_TRUE(missingExits(roomWithoutExits("The fence blocks the way north. The path down is steep. East of it, sea."))
                    .empty())
        << "only an opening or a path pointing along a compass word counts, within its own sentence";

    WorldSourceRoom heaps = roomWithoutExits("Bits of rope, cloth and splintered Planks lie in heaps.");
    EXPECT_EQ(missingMaterials(source, heaps).size(), 3u);
    heaps.items[0] = 19;  // rope
    EXPECT_EQ(missingMaterials(source, heaps).size(), 2u);
    WorldSourceRoom excused = roomWithoutExits("Strips of canvas, rotted to lace, flap from the railings.");
    EXPECT_EQ(missingMaterials(source, excused).size(), 1u) << "an excuse belongs to its own room";
    excused.area = 7;
    excused.number = 2;
    EXPECT_TRUE(missingMaterials(source, excused).empty());
}

// A west that is not rocks and a fence running the wrong way are caught; a
// far view, a way with no exit and the right neighbour pass.
TEST(WorldPromisesTest, TheCompassRuleCatchesAWestThatIsNotThere) {
    WorldSourceRoom sands = roomWithoutExits("The beach narrows here. To the west the sand gives way to dark rocks.");
    sands.exits[West] = {4, 14};
    EXPECT_EQ(contradictedCompassWords(sands).size(), 1u);
    sands.exits[West] = {2, 2};
    EXPECT_TRUE(contradictedCompassWords(sands).empty());

    WorldSourceRoom corner = roomWithoutExits("The slope meets a tall wire fence that runs west along the mountain's foot.");
    corner.exits[West] = {5, 6};
    EXPECT_EQ(contradictedCompassWords(corner).size(), 1u);
    corner.exits[West] = {-1, -1};
    EXPECT_TRUE(contradictedCompassWords(corner).empty()) << "with no exit the text may say what lies there";

    WorldSourceRoom headland = roomWithoutExits("You can see the whole coast from up here, and the mountain to the north.");
    headland.exits[North] = {2, 1};
    EXPECT_TRUE(contradictedCompassWords(headland).empty()) << "a view names what lies far off";
    WorldSourceRoom westward = roomWithoutExits("Westward the palms grow thick.");
    westward.exits[West] = {6, 12};
    EXPECT_EQ(contradictedCompassWords(westward).size(), 1u);
}
