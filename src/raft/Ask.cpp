#include "console/LineEditor.h"
#include "core/GameLock.h"
#include "raft/Raft.h"

// Game time runs on while the player thinks about the answer.
std::string askPlayer() {
    ReleasedWhileWaiting unlocked;
    return readInputLine();
}
