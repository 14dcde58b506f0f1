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
// The names of a passenger line: the runs between commas, trimmed, empty ones dropped.
std::vector<std::string> splitPassengers(std::string_view line);
// Those of the typed names who come aboard, spelt as the islander table
// spells them: living islanders standing with the player (the Dog too).
// Every other name gets one line saying why not; "no", "none" or "nobody"
// alone means nobody.
std::vector<std::string> boardPassengers(const std::vector<std::string>& typed);
// One draw after reseeding from the clock decides the voyage of the player and these passengers.
void completeVoyage(const std::vector<std::string>& passengers);
