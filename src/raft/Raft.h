#pragma once
// Building the raft and setting sail.
#include <string>
#include <string_view>
#include <vector>

void buildRaft();
void setSail();
void useRaft(std::string_view text);

// Room for this many passengers; further names on the line are ignored.
constexpr std::size_t kMaxPassengers = 29;
// The names of a passenger line: the runs between commas, blanks kept, empty runs dropped.
std::vector<std::string> splitPassengers(std::string_view line);
// One draw after reseeding from the clock decides the voyage of the player and these passengers.
void completeVoyage(const std::vector<std::string>& passengers);
// Asks the player: prints nothing itself, waits without the game lock.
std::string askPlayer();
// "yes" or "y" in any case.
bool isYesAnswer(std::string answer);
