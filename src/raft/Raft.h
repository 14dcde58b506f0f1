#pragma once
// Building the raft, and the questions it asks the player.
#include <optional>
#include <string>

void buildRaft();

// Prints the question's line and waits for the answer without the game
// lock, the line printed again below whatever the clock says meanwhile.
// None when sleep came first (said in a line): the answer counts as no.
std::optional<std::string> askPlayer(const char* question);
// "yes" or "y" in any case.
bool isYesAnswer(std::string answer);
