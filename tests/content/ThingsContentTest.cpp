// The things worth a closer look: each stands in a room of the island,
// is named by that room's own words, and is not hidden behind an item of
// the same name lying there.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "WorldFixture.h"
#include "WorldTextRules.h"
#include "game/Commands.h"
#include "base/Paths.h"
#include "game/Things.h"

namespace {
constexpr std::size_t kLongestThingText = 255;  // two lines of the text area at most

int recordLines(std::istream& in) {
    int n = 0;
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] != '#') ++n;
    return n;
}
}  // namespace

class ThingsContentTest : public WorldFixture {
protected:
    std::filesystem::path thingsFile() {
        return loadedFromBuild ? dataPath("things.txt") : worldSourcePath("content/things.txt");
    }
    void TearDown() override {
        setThings({});
        WorldFixture::TearDown();
    }
};

TEST_F(ThingsContentTest, EveryThingStandsWhereTheRoomNamesIt) {
    std::ifstream file(thingsFile());
    ASSERT_TRUE(file) << thingsFile();
    std::vector<Thing> read = readThings(file);
    file.clear();
    file.seekg(0);
    EXPECT_EQ(static_cast<int>(read.size()), recordLines(file)) << "a record that does not read";
    EXPECT_GE(read.size(), 20u);

    for (const Thing& thing : read) {
        const Room& room = *roomAt(thing.area, thing.room);
        SCOPED_TRACE(std::to_string(thing.area) + "/" + std::to_string(thing.room) + " " + thing.names[0]);
        ASSERT_FALSE(room.name.empty()) << "no such room on the island";
        EXPECT_LE(thing.text.size(), kLongestThingText);
        EXPECT_TRUE(hasValidMarkup(thing.text));
        // A closer look may point at something more to look at there: the body's tag.
        auto shownByAnother = [&](const std::string& name) {
            return std::any_of(read.begin(), read.end(), [&](const Thing& other) {
                return &other != &thing && room.is(other.area, other.room) && textMentions(other.text, name);
            });
        };
        for (const std::string& name : thing.names) {
            EXPECT_TRUE(textMentions(room.description.view(), name) || textMentions(room.name.view(), name) ||
                        shownByAnother(name))
                << name << " is not in: " << room.description.c_str();
            // An item of that name lying there would be looked at instead.
            ItemDef* item = findItemByName(name);
            EXPECT_TRUE(!item || countInList(room.items, item) == 0) << name << " is also an item here";
        }
    }
}

TEST_F(ThingsContentTest, TheGameLoadsThemAndLookShowsThem) {
    loadThings();
    if (loadedFromBuild) ASSERT_FALSE(things().empty());
    else setThings([&] { std::ifstream f(thingsFile()); return readThings(f); }());
    game.player.currentRoom = roomAt(7, 5);  // the scientist's body, told of in the opening scene
    dispatchCommand("look body");
    std::string shown = output();
    EXPECT_EQ(shown.find("blankly"), std::string::npos) << shown;
    EXPECT_EQ(shown.rfind("/w", 0), 0u) << shown;
}

// What a text of ours asks the player to notice can be looked at where it
// is, and a body is "body", "corpse" or its islander's name.
TEST_F(ThingsContentTest, WhatATextPointsAtCanBeLookedAtWhereItIs) {
    setThings([&] { std::ifstream f(thingsFile()); return readThings(f); }());
    const std::pair<Place, const char*> noticed[] = {
        {{7, 5}, "tag"},         {{7, 5}, "corpse"},      {{7, 1}, "packing slip"}, {{6, 8}, "chalk mark"},
        {{0, 6}, "tally marks"}, {{9, 7}, "tally marks"}, {{9, 7}, "hollow"},       {{8, 2}, "hollow"}};
    for (const auto& [place, noun] : noticed) {
        game.player.currentRoom = roomAt(place);
        output();
        dispatchCommand((std::string("x ") + noun).c_str());
        EXPECT_EQ(output().rfind("/w", 0), 0u) << noun << " at " << place.area << " " << place.number;
    }
    ItemDef* corpse = findItemByName("Corpse of");
    ASSERT_NE(corpse, nullptr);
    corpse->name.append(" Frank");
    corpse->description.append(" Frank");
    addToList(game.player.currentRoom->items, corpse);
    for (const char* look : {"x corpse", "look at the body", "x frank"}) {
        dispatchCommand(look);
        EXPECT_NE(output().find("body of Frank"), std::string::npos) << look;
    }
}
