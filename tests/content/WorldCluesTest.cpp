// The clues the world itself holds, for a player who missed what the
// islanders said: the laboratory code, and which stone the round slot takes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "WorldFixture.h"

namespace {

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Where each part appears in order in the text, or npos.
bool inOrder(const std::string& text, const std::vector<std::string>& parts) {
    std::size_t at = 0;
    for (const std::string& part : parts) {
        at = text.find(part, at);
        if (at == std::string::npos) return false;
        at += part.size();
    }
    return true;
}

const WorldSourceRoom& sourceRoom(int area, int number) {
    for (const WorldSourceRoom& room : worldSource().rooms) {
        if (room.area == area && room.number == number) return room;
    }
    static const WorldSourceRoom none;
    ADD_FAILURE() << "no room " << area << " " << number;
    return none;
}

const WorldSourceItem& sourceItem(const char* name) {
    for (const WorldSourceItem& item : worldSource().items) {
        if (item.name == name) return item;
    }
    static const WorldSourceItem none;
    ADD_FAILURE() << "no item " << name;
    return none;
}

bool holds(const WorldSourceRoom& room, const WorldSourceItem& item) {
    return std::find(room.items.begin(), room.items.end(), item.catalogueIndex) != room.items.end();
}

}  // namespace

// The code the keypad takes is 5830: the wall itself bears it as tally marks,
// and the guard hut behind the fence keeps its first half.
TEST(WorldCluesTest, TheLabCodeCanBePiecedTogetherFromRoomsAlone) {
    ASSERT_TRUE(worldSource().error.empty()) << worldSource().error;
    std::string wall = lower(sourceRoom(9, 7).description);
    EXPECT_TRUE(inOrder(wall, {"tally", "five", "eight", "three", "empty ring"})) << wall;
    std::string hut = lower(sourceRoom(11, 6).description);
    EXPECT_NE(hut.find("58"), std::string::npos) << hut;
    int tellingRooms = 0;
    for (const WorldSourceRoom& room : worldSource().rooms) {
        if (room.description.find("5830") != std::string::npos) ++tellingRooms;
    }
    EXPECT_EQ(tellingRooms, 0) << "a trace to piece together, not the code spelled out";
}

TEST(WorldCluesTest, TheRoundSlotPointsToTheSphereAndWhereItLies) {
    ASSERT_TRUE(worldSource().error.empty()) << worldSource().error;
    std::string wall = lower(sourceRoom(9, 7).description);
    const WorldSourceItem& sphere = sourceItem("sphere");
    std::string stone = lower(sphere.description);
    for (const char* word : {"round", "black", "glass"}) {
        EXPECT_NE(wall.find(word), std::string::npos) << "the wall's round slot should be " << word;
        EXPECT_NE(stone.find(word), std::string::npos) << "the sphere should look " << word;
    }
    // The life ring was taken for the round stone once: it must not match the slot.
    std::string ring = lower(sourceItem("life ring").description);
    EXPECT_EQ(ring.find("black"), std::string::npos);
    EXPECT_EQ(ring.find("glass"), std::string::npos);

    const WorldSourceRoom* lair = nullptr;
    for (const WorldSourceRoom& room : worldSource().rooms) {
        if (holds(room, sphere)) lair = &room;
    }
    ASSERT_NE(lair, nullptr) << "the sphere lies somewhere on the island";
    std::string cave = lower(lair->description);
    EXPECT_NE(cave.find("sea cave"), std::string::npos);
    EXPECT_NE(cave.find("black and glassy"), std::string::npos) << "the cave shows the same stone";
    EXPECT_NE(wall.find("sea cave"), std::string::npos) << "the wall names where such stone is found";
}
