#include <filesystem>
#include <fstream>

#include "base/Paths.h"
#include "console/LineEditor.h"
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

namespace {
// Keeps the whole screen as it was when the scripted keys ran out, the
// completion still shown on the input row.
class ScreenWatcher : public MemoryConsole {
public:
    std::vector<ScreenCell> cells;
    InputEvent nextEvent(int timeoutMs) override {
        InputEvent e = MemoryConsole::nextEvent(timeoutMs);
        if (e.type == InputEvent::Type::Closed && cells.empty())
            for (int y = 0; y < rows(); ++y)
                for (int x = 0; x < kScreenWidth; ++x) cells.push_back(cell(x, y));
        return e;
    }
};
}  // namespace

// Without colour (NO_COLOR or --no-color) no cell keeps a colour, and the
// X still stands out of the map, the completion out of the typing, the
// scroll bar out of the frame and a warning out of the text.
TEST_F(MapTest, WithoutColourTheMeaningsStayInBoldAndReverse) {
    ScreenWatcher watcher;
    watcher.setMonochrome(true);
    setConsole(&watcher);
    setUpConsole();
    writeMap("/b~ /Y_0 7 ._0 8 ._0 9 . /G_1 0 T\n");
    showMap();
    printMarked("/RYou cannot travel in that direction.\n/YA beach.\n");
    watcher.typeText("inv", false);
    readInputLine();
    setConsole(&screen);
    ASSERT_FALSE(watcher.cells.empty());
    const auto at = [&](int x, int y) { return watcher.cells[static_cast<std::size_t>(y * kScreenWidth + x)]; };
    for (int y = 0; y < watcher.rows(); ++y)
        for (int x = 0; x < kScreenWidth; ++x) {
            const std::uint16_t attr = at(x, y).attr;
            ASSERT_TRUE(attr == 0x00 || attr == 0x07 || attr == 0x0F || attr == 0x70) << x << "," << y << ": " << attr;
        }
    const ScreenLayout layout = screenLayout();
    const int mapRow = layout.textBottom - 4;  // the map, a blank line, the warning, the beach, the line to come
    ASSERT_EQ(watcher.rowText(mapRow, 1, 78), "~ .X. T");
    EXPECT_EQ(at(4, mapRow).attr, 0x70) << "the X in reverse";
    EXPECT_EQ(at(3, mapRow).attr, 0x0F) << "the beach beside it in bold";
    EXPECT_EQ(at(1, mapRow).attr, 0x07) << "the dark sea plain";
    EXPECT_EQ(at(1, mapRow + 2).attr, 0x70) << "the warning in reverse";
    EXPECT_EQ(at(1, mapRow + 3).attr, 0x0F) << "the text in bold";
    EXPECT_EQ(at(kScreenWidth - 2, 2).attr, 0x70) << "the scroll bar in reverse";
    EXPECT_EQ(at(0, 2).attr, 0x07) << "the frame plain";
    EXPECT_EQ(at(3, layout.inputRow).attr, 0x07) << "the typing plain";
    EXPECT_EQ(at(6, layout.inputRow).attr, 0x70) << "the completion in reverse";
}
