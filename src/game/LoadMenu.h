#pragma once
// The load menu: the saved games listed in pages, picked by letter or by name.
#include <ctime>
#include <string>

// The name of the game to load: a listed save picked by its letter, else
// the typed name as the game keeps it.
std::string askSavedGameName();
// When a save was last played, briefly: "7 Dec 23:40" (local time).
std::string shortPlayedTime(std::time_t when);
