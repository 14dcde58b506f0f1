#include "SaveFixture.h"
#include "game/LoadGame.h"
#include "world/Places.h"

namespace {
std::string itemRecord(const std::string& name, int index, int portable = 1) {
    std::string out = name + "\nThe " + name + ".\n" + std::to_string(index) + "\n" + std::to_string(portable) + "\n";
    for (int i = 0; i < 5; ++i) out += "-1 -1\n~\n";
    return out;
}
std::string roomRecord(int area, int number, const std::string& name, const std::string& occupants,
                       const std::string& items, const std::string& exits) {
    return std::to_string(area) + " " + std::to_string(number) + "\n" + name + "\nAbout " + name + ".\n" +
           occupants + "\n" + items + "\n" + exits;
}
std::string slots(int count, const std::string& first = "") {
    std::string out = first;
    for (int i = first.empty() ? 0 : 1; i < count; ++i) out += " -1 ";
    return out;
}
std::string exitsWith(int direction, const std::string& pair) {
    std::string out;
    for (int d = 0; d < 8; ++d) out += (d == direction ? pair : "-1 -1") + "\n";
    return out;
}
}  // namespace

class InitialWorld : public SaveTest {
protected:
    // 60 records; the record at file position 3 belongs at index 7.
    std::string catalogue() {
        std::string out;
        for (int position = 0; position < kItemCount; ++position) {
            int index = position == 3 ? 7 : position == 7 ? 3 : position;
            out += itemRecord("item" + std::to_string(index), index);
        }
        return out;
    }
};

TEST_F(InitialWorld, NewGameStartsOnTheBeachOnDayOne) {
    std::string world = catalogue();
    world += roomRecord(0, 8, "Beach", slots(9, " 0 ") , slots(20, " 7 "), exitsWith(North, "0 3"));
    world += roomRecord(0, 3, "Jungle", slots(9, " 1 "), slots(20), exitsWith(South, "0 8"));
    writeWorld(world);
    game.day = 9;
    game.tick = 2000;
    game.player.currentRoom = nullptr;

    ASSERT_EQ(loadGame(1), 1);
    EXPECT_EQ(game.day, 1);
    EXPECT_EQ(game.tick, 0);
    EXPECT_EQ(game.player.currentRoom, roomAt(kWhereYouWoke));
    EXPECT_EQ(game.islanderCount, 9);
    EXPECT_EQ(game.murderer, &islander(1));
    EXPECT_EQ(game.clockRunning, 1);
    EXPECT_EQ(item(7).name, "item7");
    EXPECT_EQ(item(3).name, "item3");
    EXPECT_EQ(item(7).catalogueIndex, 7);
    EXPECT_EQ(roomAt(kWhereYouWoke)->items.slots[0], &item(7));
    EXPECT_EQ(roomAt(kWhereYouWoke)->exits[North], roomAt(0, 3));
    EXPECT_EQ(islander(1).currentRoom, roomAt(0, 3));
    EXPECT_EQ(islander(0).currentRoom, roomAt(kWhereYouWoke));
    // The plain world never lands on disk.
    EXPECT_FALSE(std::filesystem::exists(dataPath("initial.ims")));
}

TEST_F(InitialWorld, MissingOrBrokenWorldFailsSilently) {
    EXPECT_EQ(loadGame(1), 0);
    EXPECT_EQ(output(), "\n");
    writeWorld(catalogue().substr(0, 500));
    EXPECT_EQ(loadGame(1), 0);
    writeWorld(catalogue());  // items, but no room to stand in
    EXPECT_EQ(loadGame(1), 0);
    EXPECT_EQ(output(), "\n\n");
}

TEST_F(InitialWorld, TrailingWhiteSpaceAfterTheLastRoomEndsCleanly) {
    std::string base = catalogue() + roomRecord(0, 8, "Beach", slots(9), slots(20), exitsWith(-1, ""));
    for (const char* tail : {"", "\n", "  \n\n\t\n", "\r\n"}) {
        writeWorld(base.substr(0, base.size() - 1) + tail);
        ASSERT_EQ(loadGame(1), 1) << '"' << tail << '"';
        EXPECT_EQ(roomAt(kWhereYouWoke)->name, "Beach");
        EXPECT_EQ(roomAt(kWhereYouWoke)->exits[Northwest], nullptr);
    }
}
