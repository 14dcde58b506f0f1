#include <sstream>
#include <vector>

#include "SaveFixture.h"
#include "game/LoadGame.h"
#include "world/Places.h"

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
    std::string written;  // as the game writes it, with its checksum line
    std::string valid;    // as an earlier build wrote it, so that an edited text is read as it stands
    std::size_t roomsStart = 0;  // offset of the first room record

    void SetUp() override {
        SaveTest::SetUp();
        buildRichWorld();
        written = saveText();
        valid = written.substr(0, written.rfind("checksum "));
        roomsStart = valid.find("0 8\nSouth Beach\n");
        ASSERT_NE(roomsStart, std::string::npos);
        restart();
    }
};

TEST_F(MalformedSave, TruncatedAnywhereIsRefused) {
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
        // Only the whole save, to its last line end, is a game.
        EXPECT_EQ(loaded, cut == valid.size() ? 1 : 0) << "cut at " << cut;
        EXPECT_EQ(game.tick, loaded ? 1291 : 0);
    }
}

TEST_F(MalformedSave, CrlfLineEndsReadTheSame) {
    ASSERT_EQ(loadSaveText(toCrlf(valid)), 1);
    EXPECT_EQ(saveText(), written);
    EXPECT_EQ(roomAt(kWhereYouWoke)->name, "South Beach");  // no CR kept in texts
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
    EXPECT_EQ(roomAt(kWhereYouWoke)->name, std::string(19, 'x'));
    EXPECT_EQ(roomAt(kWhereYouWoke)->description.size(), 383u);
    EXPECT_EQ(roomAt(kWhereYouWoke)->exits[West], roomAt(kCoveHeart));
}

// Numbers no game writes: an index outside its table, a room that is not
// there, a record where the rooms should start, a count or clock out of range.
TEST_F(MalformedSave, NumbersOutOfRangeAreRefused) {
    const std::pair<const char*, const char*> damage[] = {
        {" 0  -1  1 ", " 60  -1  1 "},                                       // inventory item
        {" 0  -1  1 ", " 0  -1  999999999999 "},
        {" 1 6 \n-7\n", " 13 6 \n-7\n"},                                    // player room
        {" 1 6 \n-7\n", " 2 6 \n-7\n"},                                     // a room without a record
        {" 4 \n 3 \n 8 \n", " 9 \n 3 \n 8 \n"},                             // islander reference
        {"~\n0 2 \nAgain.", "~\n0 75 \nAgain."},                              // recipe result
        {"Sand stretches east and west.\n 0  6 ", "Sand stretches east and west.\n 0  9 "},  // occupant
        {" 6 13 \n -1 -1 \n -1 -1 \n 12 24", " 6 25 \n -1 -1 \n -1 -1 \n 12 24"},  // exit to room 25
        {" 1 6 \n -1 -1 \n1 6\nWest", " -1 6 \n -1 -1 \n1 6\nWest"},      // half a pair
        {"12 24\nFar corner\n", "12 24\n\xFF\n"},                          // a room without a name
        {"1 6\nWest Cove\n", "-1 6\nWest Cove\n"},                          // a room outside the table
        {"6 13\nCamp\n", "0 8\nCamp\n"},                                    // a room twice
        {"6 13\nCamp\n", "six 13\nCamp\n"},                                 // garbage where a room starts
        {"thing40\nJust a thing.\n40\n", "thing40\nJust a thing.\n64\n"},  // no such catalogue slot
        {"thing41\nJust a thing.\n41\n", "thing41\nJust a thing.\n42\n"},  // a slot described twice
        {"8 6 1291 \n", "99 6 1291 \n"},                                       // islander count
        {"8 6 1291 \n", "8 2147483647 1291 \n"},                               // day
        {"8 6 1291 \n", "8 6 -5 \n"},                                          // tick
        {"\n-7\n", "\n40000\n"},                                              // raft state
    };
    for (const auto& [what, with] : damage) {
        restart();
        EXPECT_EQ(loadSaveText(edited(valid, what, with)), 0) << with;
        EXPECT_EQ(game.tick, 0);
    }
}

TEST_F(MalformedSave, CatalogueRecordsLandAtTheirOwnIndex) {
    std::string text = edited(valid, "thing40\nJust a thing.\n40\n", "thing40\nJust a thing.\n41\n");
    text = edited(text, "thing41\nJust a thing.\n41\n", "thing41\nJust a thing.\n40\n");
    ASSERT_EQ(loadSaveText(text), 1);
    EXPECT_EQ(item(41).name, "thing40");
    EXPECT_EQ(item(40).name, "thing41");
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
    EXPECT_EQ(output(), "\n/RThe saved game of Sam is damaged and cannot be loaded; it is left as it was.\n");
}
