#include "base/SaveKeeping.h"

namespace {
int (*saveSync)() = nullptr;
bool (*gameClaim)(const std::string&) = nullptr;
void (*gameRelease)() = nullptr;
bool (*gameHeld)(const std::string&) = nullptr;
const char* placeWord = "window";
}  // namespace

void setSaveSync(int (*sync)()) { saveSync = sync; }

int syncSaves() { return saveSync ? saveSync() : 0; }

void setGameClaim(bool (*claim)(const std::string& playerName), void (*release)()) {
    gameClaim = claim;
    gameRelease = release;
}

bool claimGameElsewhere(const std::string& playerName) { return gameClaim ? gameClaim(playerName) : true; }

void releaseGameElsewhere() {
    if (gameRelease) gameRelease();
}

void setGameHeld(bool (*held)(const std::string& playerName)) { gameHeld = held; }

bool gameHeldElsewhere(const std::string& playerName) { return gameHeld && gameHeld(playerName); }

void setOtherPlaceWord(const char* word) { placeWord = word; }

const char* otherPlaceWord() { return placeWord; }
