#pragma once
// The item catalogue plus a console that notes whether the game lock was
// held while the player was asked something.
#include "console/LineEditor.h"
#include "world/GameLock.h"
#include "items/ItemWorld.h"
#include "raft/Raft.h"

class LockProbeConsole : public MemoryConsole {
public:
    bool askedUnderLock = false;
    int reads = 0;
    int limitWhileAsked = -1;
    InputEvent nextEvent(int timeoutMs) override {
        // The key pause of an ending may hold the lock: time has stopped.
        if (gameLock().heldByThisThread() && game.running) askedUnderLock = true;
        limitWhileAsked = inputLimit();
        ++reads;
        return MemoryConsole::nextEvent(timeoutMs);
    }
};

class RaftTest : public ItemTest {
protected:
    // Lets the step's work period pass without printing it.
    void finishWork() {
        if (game.busyUntil > game.tick) game.tick = game.busyUntil;
        game.work.remaining = 0;
        game.work.finishText.clear();
    }
    ItemDef& raft() { return game.items[kRaftIndex]; }
    // One "boat" command at the given state; what it printed.
    std::string boatAt(int state) {
        game.raftState = static_cast<std::int16_t>(state);
        output();
        buildRaft();
        finishWork();
        return output();
    }
};
