#include "console/LineEditor.h"
#include "raft/Raft.h"
#include "world/GameLock.h"
#include "world/World.h"

// Game time runs on while the player thinks about the answer.
std::string askPlayer() {
    ReleasedWhileWaiting unlocked;
    return readInputLine(nullptr, LineKind::Answer);
}

bool isYesAnswer(std::string answer) {
    // The questions show "(Yes or No)": any case will do; trailing blanks are ignored.
    while (!answer.empty() && answer.back() == ' ') answer.pop_back();
    toLowerInPlace(answer.data());
    return answer == "yes" || answer == "y";
}
