// The rooms, areas and records the rules name are, in the built world,
// the ones the rules mean: a content change that moves one fails here.
#include "WorldFixture.h"
#include "world/Places.h"
#include "world/RoomPhrase.h"

using PlacesTest = WorldFixture;

TEST_F(PlacesTest, NamedRoomsAreTheRoomsTheRulesMean) {
    const struct {
        Place place;
        const char* name;
    } rooms[] = {
        {kWhereYouWoke, "Where You Woke"}, {kCoveHeart, "Cove Heart"},   {kCampfire, "Campfire"},
        {kScientistsRest, "Scientist's Rest"}, {kCrystalGrotto, "Crystal Grotto"}, {kKeypadWall, "Slotted Wall"}, {kCargoScatter, "Cargo Scatter"}, {kFenceCorner, "Fence Corner"}, {kFence, "The Fence"},
        {kBehindTheFence, "Behind the Fence"}, {kTheDoor, "The Door"},     {kLaboratory, "Laboratory"},
    };
    for (const auto& r : rooms) EXPECT_EQ(roomAt(r.place)->name.view(), r.name) << r.place.area << " " << r.place.number;
    EXPECT_EQ(game.player.currentRoom, roomAt(kWhereYouWoke));

    // The passages the rules open are closed at the start, and the
    // laboratory has no way in but them.
    EXPECT_EQ(roomAt(kKeypadWall)->exits[North], nullptr);
    EXPECT_EQ(roomAt(kFence)->exits[Northeast], nullptr);
    EXPECT_EQ(roomAt(kTheDoor)->exits[East], nullptr);
    for (const Room* exit : roomAt(kLaboratory)->exits) EXPECT_EQ(exit, nullptr);
}

TEST_F(PlacesTest, NamedRecordsAreTheRecordsTheRulesMean) {
    EXPECT_EQ(game.items[kRaftRecord].name.view(), "Raft");
    EXPECT_EQ(game.items[kCrateRecord].name.view(), "crate");
    EXPECT_EQ(game.items[kNoteRecord].name.view(), "note");
    // None of them lies anywhere before the rules put it there.
    for (int record : {kRaftRecord, kCrateRecord, kNoteRecord})
        for (const Room& room : game.rooms) EXPECT_EQ(countInList(room.items, &game.items[record]), 0u) << record;
}

TEST_F(PlacesTest, AreasOfTheRulesAreShoresAndTheNightLeavesOutTheFenceAndTheLaboratory) {
    for (int area : kSailingAreas) {
        bool shore = false;
        for (int number = 0; number < areaRoomCount(area); ++number) {
            std::string_view name = roomAt(area, number)->name.view();
            shore = shore || name.find("Shore") != name.npos || name.find("Sands") != name.npos;
        }
        EXPECT_TRUE(shore) << "a raft is built on a shore, not in area " << area;
    }
    EXPECT_EQ(kFence.area, kNightAreaCount);
    EXPECT_EQ(kLaboratory.area, kNightAreaCount + 1);
    EXPECT_EQ(kAreaCount, kNightAreaCount + 2);
}

// The night's death says where the body lies in words of its own for every
// room: no "at the The Fence", no "at the Behind the Fence".
TEST_F(PlacesTest, EveryRoomSaysWhereABodyLiesInItsOwnWords) {
    EXPECT_EQ(roomPhrase(*roomAt(kFence)), "at the fence");
    EXPECT_EQ(roomPhrase(*roomAt(kBehindTheFence)), "behind the fence");
    EXPECT_EQ(roomPhrase(*roomAt(kWhereYouWoke)), "where you woke");
    for (const Room& room : game.rooms) {
        if (room.name.empty()) continue;
        const std::string phrase = roomPhrase(room);
        EXPECT_TRUE(phrase.starts_with("at the ") || phrase.starts_with("behind the ") || phrase.starts_with("where "))
            << phrase;
        EXPECT_EQ(phrase.find("the the "), std::string::npos) << phrase;
        EXPECT_EQ(phrase, toLower(phrase));
    }
}
