#include <filesystem>
#include <fstream>

#include "base/Paths.h"
#include "items/ItemWorld.h"

class MapTest : public ItemTest {
protected:
    PrivateDataDir privateData;
    const std::filesystem::path& dir = privateData.path();

    void SetUp() override {
        ItemTest::SetUp();
        give("map");
    }
    void writeMap(const std::string& text) { std::ofstream(dir / "map.txt", std::ios::binary) << text; }
};

TEST_F(MapTest, MarkersShowTheirPictureAndThePlayersRoomARedX) {
    writeMap("/G~~_0 7 .~_0 8 o~~\n  _1 2 #_3 10 *\n\nhidden _0 8 x\n");
    showMap();
    EXPECT_EQ(output(), "/G~~.~/RX/x~~\n  #*\n\n");
}

TEST_F(MapTest, TheXAppearsOnceAndMovesWithThePlayer) {
    writeMap("_0 8 a _0 8 b\n_0 8 c _2 4 d\n");
    showMap("");
    EXPECT_EQ(output(), "/RX/x b\nc d\n\n");
    game.player.currentRoom = &makeRoom(2, 4, "Point");
    showMap(" on table");
    EXPECT_EQ(output(), "a b\nc /RX/x\n\n");
}

TEST_F(MapTest, ARoomWithoutMarkerGetsNoX) {
    game.player.currentRoom = &makeRoom(12, 0, "Lab");
    writeMap("_0 8 a\r\n_11 0 f\r\n");
    showMap();
    EXPECT_EQ(output(), "a\nf\n\n");
}

TEST_F(MapTest, AnEmptyFirstLinePrintsOnlyALineBreak) {
    writeMap("\n_0 8 a\n");
    showMap();
    EXPECT_EQ(output(), "\n");
}

TEST_F(MapTest, WithoutTheMapItemNothingIsRead) {
    takeFromInventory("map");
    writeMap("_0 8 a\n");
    showMap();
    EXPECT_EQ(output(), "/RYou do not have a map.\n/w");
}

TEST_F(MapTest, AMissingMapFileIsReported) {
    showMap();
    std::string text = output();
    EXPECT_NE(text.find("Data/map.txt could not be opened"), std::string::npos) << text;
}

TEST_F(MapTest, ABrokenMarkerIsShownAsItStands) {
    writeMap("a_b _0 8\nsnake_case_0 8 !\n");
    showMap();
    EXPECT_EQ(output(), "a_b _0 8\nsnake_case/RX/x\n\n");
}

TEST_F(MapTest, LongLinesAndLongMapsAreCutSafely) {
    std::string wide(1000, '=');
    std::string many;
    for (int i = 0; i < 100; ++i) many += std::string(200, 'a' + i % 26) + "\n";
    writeMap(wide + "\n" + many);
    showMap();
    std::string text = output();
    ASSERT_LE(text.size(), 14400u);
    EXPECT_EQ(text.substr(0, 319), std::string(318, '=') + "\n");
    // Whole lines only: the text ends with a complete line and the closing break.
    EXPECT_EQ(text.substr(text.size() - 2), "\n\n");
    EXPECT_EQ(text.size(), 1u + 319 + 201 * ((14399 - 319) / 201));
}

TEST_F(MapTest, TheXIsNeverCutInHalf) {
    writeMap(std::string(316, '.') + "_0 8 x\n");
    showMap();
    std::string text = output();
    EXPECT_EQ(text.find("/R"), std::string::npos);
    EXPECT_EQ(text, std::string(316, '.') + "\n\n");
}
