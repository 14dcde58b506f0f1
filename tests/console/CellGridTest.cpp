#include "console/CellGrid.h"

#include <gtest/gtest.h>

TEST(CellGridTest, WritesOutsideTheScreenAreDropped) {
    CellGrid grid;
    grid.writeChars(78, 0, "abc", 3);  // the c falls off the right edge, not onto the next row
    EXPECT_EQ(grid.cell(78, 0).ch, 'a');
    EXPECT_EQ(grid.cell(79, 0).ch, 'b');
    EXPECT_EQ(grid.cell(0, 1).ch, ' ');
    const ScreenCell outside = grid.cell(-1, 0);
    EXPECT_EQ(outside.ch, ' ');
    EXPECT_EQ(outside.attr, 0x07);
}

TEST(CellGridTest, OnlyRowsThatChangedAreMarkedAndMarksMoveWithAScroll) {
    CellGrid grid;
    auto anyRowDirty = [&grid] {
        for (int y = 0; y < grid.rows(); ++y)
            if (grid.rowDirty(y)) return true;
        return false;
    };
    EXPECT_TRUE(anyRowDirty()) << "a new grid is drawn whole";
    grid.clearDirty();
    grid.writeChars(0, 3, " ", 1);  // the same blank it held
    EXPECT_FALSE(anyRowDirty());
    grid.writeChars(5, 3, "q", 1);
    EXPECT_TRUE(grid.rowDirty(3));
    EXPECT_FALSE(grid.rowDirty(2));
    // Rows 1..10 up by 2: the mark of row 3 goes to row 1, rows 9 and 10 come in.
    grid.scrollUp(1, 1, 77, 10, 2);
    EXPECT_EQ(grid.cell(5, 1).ch, 'q');
    EXPECT_EQ(grid.cell(5, 3).ch, ' ');
    for (int y = 0; y < 12; ++y) EXPECT_EQ(grid.rowDirty(y), y == 1 || y == 3 || y == 9 || y == 10) << y;
    EXPECT_EQ(grid.cell(5, 10).attr, 0x00);
    EXPECT_EQ(grid.cell(0, 10).attr, 0x07) << "beside the block nothing moved";
}

TEST(CellGridTest, AResizedGridIsBlankAndEndsAtItsLastRow) {
    CellGrid grid;
    grid.writeChars(0, 30, "old", 3);
    grid.resize(kMinScreenHeight);
    EXPECT_EQ(grid.rows(), 24);
    EXPECT_EQ(grid.cell(0, 30).ch, ' ') << "nothing of the old screen is left";
    for (int y = 0; y < 24; ++y) EXPECT_TRUE(grid.rowDirty(y)) << y;
    grid.clearDirty();
    grid.writeChars(0, 24, "below", 5);  // below the last row: dropped
    grid.writeChars(kScreenWidth - 2, 23, "xxxxx", 5);  // up to the screen's end
    grid.scrollUp(0, 20, kScreenWidth, 10, 2);  // a block reaching past the bottom moves what there is
    EXPECT_FALSE(grid.rowDirty(24));
    EXPECT_EQ(grid.cell(0, 24).ch, ' ');
    EXPECT_EQ(grid.cell(kScreenWidth - 1, 21).ch, 'x');
    EXPECT_EQ(grid.cell(kScreenWidth - 1, 23).ch, ' ');
}
