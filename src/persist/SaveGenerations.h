#pragma once
// The bytes of the save this program last wrote or loaded (and checked),
// which become the previous generation of the save once a game day.
#include <ctime>
#include <filesystem>
#include <string>

void rememberSaveBytes(const std::filesystem::path& target, std::string bytes, int day, std::time_t saved);
// Before a save of that day is written over target. Nothing remembered of
// it: this game did not come from that save (a new game replaces it), and
// its previous generation goes with it.
void keepPreviousGeneration(const std::filesystem::path& target, int day);
