#pragma once
// Setting sail: one draw against the raft's quality and the number aboard
// decides between escape, a return to the island and death.
#include <string>
#include <string_view>
#include <vector>

void setSail();
void useRaft(std::string_view text);

// Room for this many passengers; further names on the line are ignored.
constexpr std::size_t kMaxPassengers = 29;
// The names of a passenger line: the runs between commas, blanks kept, empty runs dropped.
std::vector<std::string> splitPassengers(std::string_view line);
// One draw after reseeding from the clock decides the voyage of the player and these passengers.
void completeVoyage(const std::vector<std::string>& passengers);
