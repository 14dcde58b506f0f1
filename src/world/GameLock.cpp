#include "world/GameLock.h"

GameLock& gameLock() {
    static GameLock instance;
    return instance;
}
