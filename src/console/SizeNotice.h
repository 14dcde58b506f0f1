#pragma once
// What a terminal or page too small for the screen shows instead of it:
// the size the game needs and the size it has, in whole words wrapped to
// the window, each line centred, the whole in the middle of the window.
// Where the three sentences do not fit a line apart, they run on as one
// text; what still does not fit is cut at the bottom.
#include <string>
#include <vector>

struct NoticeLine {
    int row = 0;
    int column = 0;
    std::string text;
};

std::vector<NoticeLine> sizeNotice(int columns, int lines);
