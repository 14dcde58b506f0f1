#pragma once
// The load menu: the saved games listed in pages, picked by letter or by name.
#include <string>

// A typed name as the game keeps it, for a new game and a saved one: cut
// at the first blank (or comma), "mARY ann" -> "Mary".
std::string normaliseName(const std::string& typed);
// The name of the game to load: a listed save picked by its letter, else
// the typed name as the game keeps it.
std::string askSavedGameName();
