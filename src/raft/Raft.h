#pragma once
// Building the raft, and the questions it asks the player.
#include <string>

void buildRaft();

// Asks the player: prints nothing itself, waits without the game lock.
std::string askPlayer();
// "yes" or "y" in any case.
bool isYesAnswer(std::string answer);
