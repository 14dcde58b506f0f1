// The island map and the instructions, as the game prints them.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "BuildPaths.h"
#include "WorldFixture.h"
#include "WorldTextRules.h"

namespace {

namespace fs = std::filesystem;

// The built copy when the data build made one, else the source.
fs::path contentFile(const char* name) {
    fs::path built = fs::path(BRINEFALL_DATA_DIR) / name;
    return fs::exists(built) ? built : worldSourcePath((std::string("content/") + name).c_str());
}

std::vector<std::string> readLines(const fs::path& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

struct MapMarker {
    int area;
    int room;
    char picture;
};

// One map line as the map display builds it, with the X drawn at (area, room).
std::string renderMapLine(const std::string& line, std::vector<MapMarker>& markers, int xArea, int xRoom) {
    std::string out;
    std::size_t pos = 0;
    for (std::size_t mark = line.find('_'); mark != std::string::npos; mark = line.find('_', pos)) {
        out += line.substr(pos, mark - pos);
        MapMarker m{-1, -1, ' '};
        if (std::sscanf(line.c_str() + mark + 1, "%d %d %c", &m.area, &m.room, &m.picture) != 3) {
            ADD_FAILURE() << "broken marker in: " << line;
            return out;
        }
        markers.push_back(m);
        out += m.area == xArea && m.room == xRoom ? std::string("/RX/x") : std::string(1, m.picture);
        pos = mark + 1 + std::to_string(m.area).size() + 1 + std::to_string(m.room).size() + 2;
    }
    return out + line.substr(std::min(pos, line.size()));
}

std::vector<std::string> mapLines() {
    std::vector<std::string> lines;
    for (const std::string& line : readLines(contentFile("map.txt"))) {
        if (line.empty()) break;  // the first empty line ends the map
        lines.push_back(line);
    }
    return lines;
}

}  // namespace

using WorldMapTest = WorldFixture;

TEST_F(WorldMapTest, EveryRoomHasExactlyOneMarker) {
    std::vector<MapMarker> markers;
    for (const std::string& line : mapLines()) renderMapLine(line, markers, -1, -1);
    std::set<std::pair<int, int>> marked;
    for (const MapMarker& m : markers) {
        EXPECT_TRUE(marked.insert({m.area, m.room}).second) << "second marker for " << m.area << " " << m.room;
        const Room* r = roomAt(m.area, m.room);
        EXPECT_TRUE(r && !r->name.empty()) << "marker for a room that does not exist: " << m.area << " " << m.room;
        EXPECT_NE(m.picture, ' ');
    }
    for (const Room& r : game.rooms) {
        if (!r.name.empty()) {
            EXPECT_EQ(marked.count({r.area, r.number}), 1u) << r.name.c_str();
        }
    }
    EXPECT_EQ(marked.size(), static_cast<std::size_t>(kWorldRoomTotal));
}

TEST_F(WorldMapTest, FitsTheTextAreaWhereverThePlayerStands) {
    std::vector<std::string> lines = mapLines();
    ASSERT_GT(lines.size(), 10u);
    for (const Room& r : game.rooms) {
        if (r.name.empty()) continue;
        std::size_t total = 0;
        for (const std::string& line : lines) {
            std::vector<MapMarker> markers;
            std::string shown = renderMapLine(line, markers, r.area, r.number) + "\n";
            total += shown.size();
            ASSERT_LE(shown.size(), 319u) << line;
            ASSERT_TRUE(hasValidMarkup(shown)) << shown;
            // 77 columns would leave an empty line after it; the map stays within 76.
            ASSERT_LE(visibleWidth(shown) - 1, 76u) << shown;
        }
        ASSERT_LE(total, 14399u);
    }
}

TEST_F(WorldMapTest, UsesNoLiteralSignsThatMarkupWouldSwallow) {
    for (const std::string& line : mapLines()) {
        EXPECT_EQ(line.find('@'), std::string::npos) << line;
        EXPECT_TRUE(hasValidMarkup(line)) << line;
    }
}

TEST(WorldReadmeTest, EndsWithTheZeroLineAndPrintsCleanly) {
    std::vector<std::string> lines = readLines(contentFile("readme.txt"));
    auto end = std::find(lines.begin(), lines.end(), "0");
    ASSERT_NE(end, lines.end()) << "the instructions end at a line holding 0";
    EXPECT_GT(end - lines.begin(), 20);
    std::string text;
    for (auto it = lines.begin(); it != end; ++it) {
        EXPECT_TRUE(hasValidMarkup(*it)) << *it;
        EXPECT_LE(visibleWidth(*it), 76u) << *it;
        text += *it + "\n";
    }
    for (const char* command : {"look", "get", "drop", "inv", "use", "combine", "talk", "boat", "sail", "map", "help"}) {
        EXPECT_NE(text.find(command), std::string::npos) << command;
    }
    EXPECT_EQ(text.find("5830"), std::string::npos) << "the instructions must not give away the lab code";
}

// Shown from the menu, the instructions and the menu after them share the
// 46 rows of the text area: the menu takes eleven (its blank lines and the
// row the next line comes to), so 35 lines keep the title on the screen.
TEST(WorldReadmeTest, FitsOneScreenAboveTheMenuAndTellsWhatCannotBeGuessed) {
    std::vector<std::string> lines = readLines(contentFile("readme.txt"));
    auto end = std::find(lines.begin(), lines.end(), "0");
    ASSERT_NE(end, lines.end());
    EXPECT_LE(end - lines.begin(), 35);
    EXPECT_NE(lines.front().find("HOW TO PLAY"), std::string::npos) << "the title is the first line";
    std::string text;
    for (auto it = lines.begin(); it != end; ++it) text += *it + "\n";
    for (const char* fact : {"three pieces of Wood", "a rope", "axe", "knife", "hammer", "six pieces", "large leaves",
                             "20 items", "/Gyes/w", "/Gno/w", "on its own, as a command", "/Gget /Brocks/w",
                             "the south", "west cove", "east"}) {
        EXPECT_NE(text.find(fact), std::string::npos) << "the instructions should tell: " << fact;
    }
}
