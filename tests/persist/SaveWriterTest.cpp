#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "SaveFixture.h"
#include "base/Checksum.h"
#include "game/LoadGame.h"
#include "world/Places.h"

namespace {
std::string blankRecipes() {
    std::string out;
    for (int i = 0; i < 5; ++i) out += "-1 -1 \n~\n";
    return out;
}
std::string noExits(int count) {
    std::string out;
    for (int i = 0; i < count; ++i) out += " -1 -1 \n";
    return out;
}
std::string emptySlots(int count) {
    std::string out;
    for (int i = 0; i < count; ++i) out += " -1 ";
    return out;
}
}  // namespace

class SaveWriter_ : public SaveTest {
protected:
    // A small world whose save is spelled out below.
    void buildSmallWorld() {
        makeItem(0, "rock", "A rock.");
        makeItem(1, "stick", "A stick.");
        makeItem(2, "axe", "An axe.", 0);
        item(0).recipes[0] = {&item(1), &item(2), "You make an axe."};
        for (int i = 3; i < kItemCount; ++i) makeItem(i, "", "", 0);

        Room& beach = makeRoom(0, 8, "Beach", "Sand.");
        Room& jungle = makeRoom(0, 3, "Jungle", "Trees.");
        connectRooms(jungle, beach, South);
        addToList(roomAt(5, 5)->items, &item(0));  // a nameless room is not saved

        setIslander(0, "Dog", "Data\\Dog.txt", 0, nullptr);
        setIslander(1, "Frank", "Data\\Angry.txt", 1, nullptr);
        setIslander(3, "Bert", "Data\\Convict.txt", -1, nullptr);
        for (int i : {2, 4, 5, 6, 7, 8}) setIslander(i, "Ann", "Data\\Perky.txt", 2, nullptr);
        Npc& dog = islander(0);
        dog.tolerance = 50;
        dog.hostility = 20;
        dog.happiness = 70;
        dog.moodRate = 0.2;
        dog.hostilityBase = 21;
        dog.happinessBase = 71;
        Npc& frank = islander(1);
        frank.tolerance = 10.5;
        frank.hostility = -3.25;
        frank.moodRate = 0.186;
        frank.hostilityBase = 1;
        frank.happinessBase = 2;
        frank.scriptLabel = 4;
        beach.occupants.slots[0] = &frank;
        beach.occupants.slots[2] = &dog;
        beach.occupants.count = 2;
        dog.currentRoom = frank.currentRoom = &beach;
        beach.items.slots[1] = &item(0);
        beach.items.count = 1;

        game.player.inventory.slots[0] = &item(0);
        game.player.inventory.slots[2] = &item(5);
        game.player.inventory.count = 2;
        game.player.currentRoom = &beach;
        game.raftState = 3;
        game.islanderCount = 8;
        game.day = 4;
        game.tick = 777;
        game.memorySubject = &islander(2);
        game.lastVictim = &islander(3);
    }

    std::string expectedSmallWorld() {
        std::string out;
        out += " 0  -1  5 " + emptySlots(17) + "\n";
        out += " 0 8 \n3\n";
        out += "8 4 777 \n";
        out += " 2 \n 3 \n -1 \n";
        out += "Dog\n0\n50.000000 20.000000 70.000000 0.200000 21.000000 71.000000 0 0 \nData\\Dog.txt\n 0 8 \n";
        out += "Frank\n1\n10.500000 -3.250000 0.000000 0.186000 1.000000 2.000000 4 1 \nData\\Angry.txt\n 0 8 \n";
        std::string ann = "0.000000 0.000000 0.000000 0.000000 0.000000 0.000000 0 2 \nData\\Perky.txt\n -1 -1 \n";
        out += "Ann\n2\n" + ann;
        out += "Bert\n3\n0.000000 0.000000 0.000000 0.000000 0.000000 0.000000 0 -1 \nData\\Convict.txt\n -1 -1 \n";
        for (int i = 4; i < 9; ++i) out += "Ann\n" + std::to_string(i) + "\n" + ann;
        out += "rock\nA rock.\n0\n1\n1 2 \nYou make an axe.\n";
        for (int i = 0; i < 4; ++i) out += "-1 -1 \n~\n";
        out += "stick\nA stick.\n1\n1\n" + blankRecipes();
        out += "axe\nAn axe.\n2\n0\n" + blankRecipes();
        for (int i = 3; i < 60; ++i) out += "\n\n" + std::to_string(i) + "\n0\n" + blankRecipes();
        out += "0 3\nJungle\nTrees.\n" + emptySlots(9) + "\n" + emptySlots(20) + "\n";
        out += noExits(4) + " 0 8 \n" + noExits(3);
        out += "0 8\nBeach\nSand.\n 1  -1  0 " + emptySlots(6) + "\n -1  0 " + emptySlots(18) + "\n";
        out += " 0 3 \n" + noExits(7);
        return out;
    }
};

TEST_F(SaveWriter_, SmallWorldIsWrittenByteForByte) {
    buildSmallWorld();
    saveGame();
    std::string expected = expectedSmallWorld();
    char checksum[32];
    std::snprintf(checksum, sizeof checksum, "checksum %08x\n", static_cast<unsigned>(crc32(expected)));
    expected += checksum;
    EXPECT_EQ(saveText(), expected);
    EXPECT_EQ(savedPlainText(), expected);
    auto bytes = readWholeFile(dataPath("Sam.mox"));
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->substr(0, 5), ".ims ");
    EXPECT_EQ(bytes->size(), expected.size() + 5);
}

TEST_F(SaveWriter_, OnlyTheScrambledSaveReachesTheDisk) {
    buildSmallWorld();
    saveGame();
    game.tick = 779;
    saveGame();
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(data.path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    // The save, and the one before it (scrambled too).
    EXPECT_EQ(names, (std::vector<std::string>{".Sam.mox.prev", "Sam.mox"}));
    EXPECT_NE(savedPlainText().find("8 4 779 \n"), std::string::npos);  // the second state
}

TEST_F(SaveWriter_, TextsThatWouldDerailTheReaderAreKeptReadable) {
    buildSmallWorld();
    item(0).recipes[1] = {&item(2), nullptr, ""};  // no result, no message
    islander(2).name = "  Ann";
    roomAt(0, 3)->description = "Line\nbreak";
    std::string text = saveText();
    EXPECT_NE(text.find("2 -1 \n~\n"), std::string::npos);
    EXPECT_NE(text.find("\nAnn\n2\n"), std::string::npos);
    EXPECT_NE(text.find("\nLine break\n"), std::string::npos);

    restart();
    ASSERT_EQ(loadSaveText(text), 1);
    EXPECT_EQ(item(0).recipes[1].withItem, &item(2));
    EXPECT_EQ(item(0).recipes[1].resultItem, nullptr);
    EXPECT_EQ(roomAt(kWhereYouWoke)->name, "Beach");
}

TEST_F(SaveWriter_, NeverReplacesAnotherKindOfScrambledFile) {
    buildSmallWorld();
    game.player.name = "Angry";  // shares its name with a personality file
    std::string personality = scrambleBytes("50\n20\n70\n", ".txt", scrambleKey("Data\\Angry.mox"));
    ASSERT_TRUE(writeFileAtomically(dataPath("Angry.mox"), personality));
    saveGame();
    EXPECT_EQ(readWholeFile(dataPath("Angry.mox")), personality);
}

TEST_F(SaveWriter_, NamesThatLeaveTheDataDirectoryAreNotSaved) {
    buildSmallWorld();
    game.player.name = "../Sam";
    saveGame();
    game.player.name = "";
    saveGame();
    EXPECT_TRUE(std::filesystem::is_empty(data.path()));
    EXPECT_FALSE(std::filesystem::exists(data.path().parent_path() / "Sam.mox"));
}

TEST_F(SaveWriter_, UnwritableDirectoryLeavesThePreviousSave) {
    buildSmallWorld();
    saveGame();
    std::string before = savedPlainText();
    game.tick = 999;
    setDataDirectory(data.path() / "missing");
    saveGame();  // nothing to write into: prints nothing, changes nothing
    setDataDirectory(data.path());
    EXPECT_EQ(savedPlainText(), before);
    EXPECT_EQ(output(), "");
}

TEST_F(SaveWriter_, EmptyInventoryAndNoRoomWriteEmptySlots) {
    game.player.currentRoom = nullptr;
    std::string text = saveText();
    EXPECT_EQ(text.substr(0, 20 * 4 + 1 + 8), emptySlots(20) + "\n -1 -1 \n");
}
