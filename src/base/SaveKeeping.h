#pragma once
// Where the place saves are kept needs more than a file's rename (a
// browser keeps them in its own store), the program that runs there sets
// these: a save counts as written once the sync has finished, and a game
// is claimed beside the save's own lock. Unset, they do nothing.
#include <string>

// 0 when the saves are kept, else the errno of the failure.
void setSaveSync(int (*sync)());
int syncSaves();

// False when another window holds the game of that name.
void setGameClaim(bool (*claim)(const std::string& playerName), void (*release)());
bool claimGameElsewhere(const std::string& playerName);
void releaseGameElsewhere();

// Whether another window holds the game of that name, asked without taking
// it (the load menu's mark); unset, nobody else does.
void setGameHeld(bool (*held)(const std::string& playerName));
bool gameHeldElsewhere(const std::string& playerName);

// What the player calls the other place a game may be open in, for the
// load list and the refusal: "window" in a terminal, "tab" in a browser.
void setOtherPlaceWord(const char* word);
const char* otherPlaceWord();
