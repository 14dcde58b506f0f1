#pragma once
// The credits: Team Tidewright, who made the game. They roll from the
// menu and after every ending.
#include <string>

void showCredits();
// How a new player who takes a maker's first name is greeted ("the chief
// programmer"); nullptr for any other name.
const char* makersRole(const std::string& firstName);
