#pragma once
// Every data file read and checked before the menu, so that a damaged
// installation is told at once, not found out in play.
#include <string>

// "" when the world, every script, the map, the things and the
// instructions can be read and hold together, and every file the data
// build's manifest lists is as it was written; else one line naming the
// file and what is wrong with it.
std::string gameDataProblem();
