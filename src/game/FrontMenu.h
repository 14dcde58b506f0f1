#pragma once
// The title screen and menu, the help text and the credits.
#include <string>

// 1 for a new game, 0 to load the save of the name entered.
int frontMenu();
void showHelp();
void showCredits();
// A typed name as the game keeps it: cut at the first blank (or comma), "mARY ann" -> "Mary".
std::string normaliseName(const std::string& typed);
