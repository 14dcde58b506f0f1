#include <sstream>
#include <vector>

#include "SaveFixture.h"
#include "game/LoadGame.h"

namespace {
std::vector<std::size_t> lineEnds(const std::string& text) {
    std::vector<std::size_t> ends;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n') ends.push_back(i + 1);
    return ends;
}
std::string toCrlf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}
// Replaces the first occurrence of what with with.
std::string edited(std::string text, const std::string& what, const std::string& with) {
    std::size_t at = text.find(what);
    EXPECT_NE(at, std::string::npos) << what;
    if (at != std::string::npos) text.replace(at, what.size(), with);
    return text;
}
}  // namespace

class MalformedSave : public SaveTest {
protected:
    std::string valid;
    std::size_t roomsStart = 0;  // offset of the first room record

    void SetUp() override {
        SaveTest::SetUp();
        buildRichWorld();
        valid = saveText();
        roomsStart = valid.find("0 8\nSouth Beach\n");
        ASSERT_NE(roomsStart, std::string::npos);
        restart();
    }
};

TEST_F(MalformedSave, TruncatedAnywhereLoadsOrIsRefused) {
    std::vector<std::size_t> cuts = lineEnds(valid);
    std::vector<std::size_t> ends = cuts;
    std::size_t start = 0;
    for (std::size_t end : ends) {  // also cut in the middle of every line
        cuts.push_back(start + (end - start) / 2);
        start = end;
    }
    cuts.push_back(0);
    for (std::size_t cut : cuts) {
        restart();
        int loaded = loadSaveText(std::string_view(valid).substr(0, cut));
        // Sections 1 to 5 must be whole, and one room must have a name.
        std::size_t firstName = roomsStart + std::string("0 8\n").size();
        EXPECT_EQ(loaded, cut > firstName ? 1 : 0) << "cut at " << cut;
        if (loaded) {
            EXPECT_EQ(game.tick, 1291);
            EXPECT_NE(game.player.currentRoom, nullptr);
        } else {
            EXPECT_EQ(game.tick, 0);
        }
    }
    restart();
    EXPECT_EQ(loadSaveText(valid), 1);
}

TEST_F(MalformedSave, CrlfLineEndsReadTheSame) {
    ASSERT_EQ(loadSaveText(toCrlf(valid)), 1);
    EXPECT_EQ(saveText(), valid);
    EXPECT_EQ(roomAt(0, 8)->name, "South Beach");  // no CR kept in texts
}

TEST_F(MalformedSave, OverLongTextsAreCutToTheirFields) {
    std::string longName(500, 'x');
    std::string longText(5000, 'y');
    std::string text = edited(valid, "Monica\n", longName + "\n");
    text = edited(text, "Data\\Doctor.txt\n", longText + "\n");
    text = edited(text, "stick\n", longName + "\n");
    text = edited(text, "A dry stick.\n", longText + "\n");
    text = edited(text, "You bind the stick to the rock.\n", longText + "\n");
    text = edited(text, "South Beach\n", longName + "\n");
    text = edited(text, "Sand stretches east and west.\n", longText + "\n");
    ASSERT_EQ(loadSaveText(text), 1);
    EXPECT_EQ(islander(2).name, std::string(15, 'x'));
    EXPECT_EQ(islander(2).personalityFile, std::string(35, 'y'));
    EXPECT_EQ(islander(3).name, "Bert");  // the next record still lines up
    EXPECT_EQ(item(1).name, std::string(19, 'x'));
    EXPECT_EQ(item(1).description.size(), 255u);
    EXPECT_EQ(item(0).recipes[0].message.size(), 159u);
    EXPECT_EQ(roomAt(0, 8)->name, std::string(19, 'x'));
    EXPECT_EQ(roomAt(0, 8)->description.size(), 383u);
    EXPECT_EQ(roomAt(0, 8)->exits[West], roomAt(1, 6));
}

TEST_F(MalformedSave, IndicesOutsideTheirTablesBecomeNone) {
    std::string text = valid;
    text = edited(text, " 0  -1  1 ", " 60  -1  999999999999 ");           // inventory items
    text = edited(text, " 1 6 \n-7\n", " 13 6 \n-7\n");                    // player room
    text = edited(text, " 4 \n 3 \n 8 \n", " 9 \n -1 \n -2 \n");           // islander references
    text = edited(text, "~\n0 2 \nAgain.", "~\n0 75 \nAgain.");            // recipe result
    text = edited(text, "Sand stretches east and west.\n 0  6 ", "Sand stretches east and west.\n 0  9 ");
    text = edited(text, " 6 13 \n -1 -1 \n -1 -1 \n 12 24", " 6 25 \n -1 -1 \n -1 -1 \n 12 24");  // room 25
    text = edited(text, " 1 6 \n -1 -1 \n1 6\nWest", " -1 6 \n -1 -1 \n1 6\nWest");  // half pair
    ASSERT_EQ(loadSaveText(text), 1);
    EXPECT_EQ(game.player.inventory.slots[0], nullptr);
    EXPECT_EQ(game.player.inventory.slots[2], nullptr);
    EXPECT_EQ(game.player.inventory.count, 1u);
    EXPECT_EQ(game.player.currentRoom, roomAt(0, 8));  // somewhere to stand
    EXPECT_EQ(game.memorySubject, nullptr);
    EXPECT_EQ(game.lastVictim, nullptr);
    EXPECT_EQ(game.handcuffedIslander, nullptr);
    EXPECT_EQ(item(1).recipes[4].withItem, &item(0));
    EXPECT_EQ(item(1).recipes[4].resultItem, nullptr);
    EXPECT_EQ(roomAt(0, 8)->occupants.slots[1], nullptr);
    EXPECT_EQ(roomAt(0, 8)->exits[West], nullptr);
    EXPECT_EQ(roomAt(0, 8)->exits[North], nullptr);
}

TEST_F(MalformedSave, RecordsForRoomsOutsideTheTableOrWithoutNameAreSkipped) {
    std::string text = valid;
    text = edited(text, "12 24\nFar corner\n", "12 24\n\xFF\n");  // 0xFF ends a line: no name
    // The cove's record moves to impossible coordinates; the records after it still load.
    text = edited(text, "1 6\nWest Cove\n", "-1 6\nWest Cove\n");
    text = edited(text, "6 13\nCamp\n", "13 0\nCamp\n");
    ASSERT_EQ(loadSaveText(text), 1);
    EXPECT_EQ(roomAt(1, 6)->name, "");
    EXPECT_EQ(roomAt(6, 13)->name, "");
    EXPECT_EQ(roomAt(12, 24)->name, "");
    EXPECT_EQ(roomAt(0, 8)->name, "South Beach");
    EXPECT_EQ(islander(1).currentRoom, roomAt(6, 13));  // from its own record
}

TEST_F(MalformedSave, CatalogueRecordsLandAtTheirOwnIndex) {
    std::string text = edited(valid, "thing40\nJust a thing.\n40\n", "thing40\nJust a thing.\n64\n");
    text = edited(text, "thing41\nJust a thing.\n41\n", "thing41\nJust a thing.\n42\n");
    ASSERT_EQ(loadSaveText(text), 1);
    EXPECT_EQ(item(42).name, "thing42");  // the later record for 42 wins
    EXPECT_EQ(item(41).name, "");         // nothing was stored at 41 or 40
    EXPECT_EQ(item(40).name, "");
}

TEST_F(MalformedSave, GarbageWhereARoomShouldStartEndsTheRooms) {
    std::string text = edited(valid, "6 13\nCamp\n", "six 13\nCamp\n");
    ASSERT_EQ(loadSaveText(text), 1);
    EXPECT_EQ(roomAt(1, 6)->name, "West Cove");
    EXPECT_EQ(roomAt(6, 13)->name, "");
    EXPECT_EQ(roomAt(12, 24)->name, "");
}

TEST_F(MalformedSave, FilesThatAreNoSaveAreRefused) {
    for (const std::string& text :
         {std::string(), std::string("\n\n\n"), std::string("hello world\n"), valid.substr(0, valid.find("8 6 1291")),
          edited(valid, "8 6 1291 \n", "eight days\n"), edited(valid, "20.500000", "twenty"),
          edited(valid, "20.500000", "1e999"), std::string(100000, '7'),
          valid.substr(0, roomsStart) + "0 8\n\n\n",  // rooms without a name
          valid.substr(0, roomsStart) + "garbage\n"}) {
        restart();
        EXPECT_EQ(loadSaveText(text), 0) << text.substr(0, 60);
        EXPECT_EQ(game.tick, 0);
    }
    writeSave("not a save at all");
    EXPECT_EQ(loadGame(0), 0);
    EXPECT_EQ(output(), "\n/RInvalid save name.\n");
}

TEST_F(MalformedSave, ExtremeNumbersAreHeldInRange) {
    std::string text = edited(valid, "8 6 1291 \n", "99 2147483647 99999999999 \n");
    text = edited(text, "\n-7\n", "\n40000\n");
    ASSERT_EQ(loadSaveText(text), 1);
    EXPECT_EQ(game.islanderCount, 9);
    EXPECT_LE(game.day, 1000000000);
    EXPECT_LE(game.tick, 1000000000);
    EXPECT_EQ(game.raftState, 32767);
}
