#pragma once
// The names of the ways play can end: the word a finished game's save
// keeps ("starved"), and what the player is told when loading it.
#include <string_view>

#include "world/World.h"

// The word of an ending, "" for None; and back, None for a word that names no ending.
const char* endingWord(Ending how);
Ending endingOfWord(std::string_view word);
// How the game ended, as the player is told when loading it.
const char* endingSummary(Ending how);
