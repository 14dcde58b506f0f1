#pragma once
// Shared fixture: a fresh game state on an in-memory screen, time and
// randomness fixed, no clock thread.
#include <gtest/gtest.h>

#include <string>

#include "console/Input.h"
#include "console/MemoryConsole.h"
#include "console/Output.h"
#include "console/Screen.h"
#include "base/Random.h"
#include "world/World.h"

#include "game/CommandLine.h"
#include "game/FrontMenu.h"
#include "base/RandomTesting.h"
#include "console/OutputTesting.h"

class GameTest : public ::testing::Test {
protected:
    MemoryConsole screen;

    void SetUp() override {
        setConsole(&screen);
        connectCommandLine();
        resetInputState();
        setUpConsole();  // frame, prompt and the cursor on the input row, as in the game
        resetGameState();
        setFixedSeconds(1000);
        clearQueuedDraws();
        reseed(1);
        game.running = 1;
        game.clockRunning = 1;
        game.player.name = "Sam";
        game.player.currentRoom = roomAt(0, 8);
        setOutputCapture(true);
    }
    void TearDown() override {
        setOutputCapture(false);
        setFixedSeconds(-1);
        clearQueuedDraws();
        freeAllLists();
        setConsole(nullptr);
    }
    // Everything printed since the last call, colour codes included.
    std::string output() { return takeCapturedOutput(); }
    // The credits as showCredits prints them, for texts that end with them.
    // It discards what was captured so far: call it before the action under test.
    std::string creditsText();
    // A room with a name, so it counts as part of the world.
    Room& makeRoom(int area, int number, const char* name = "Room", const char* description = "A room.") {
        Room& r = *roomAt(area, number);
        r.name = name;
        r.description = description;
        return r;
    }
    ItemDef& makeItem(int index, const char* name, const char* description = "An item.", int portable = 1) {
        ItemDef& item = game.items[static_cast<std::size_t>(index)];
        item.name = name;
        item.description = description;
        item.catalogueIndex = index;
        item.portable = portable;
        return item;
    }
};

// Discards what was captured so far; call it before the action under test.
inline std::string GameTest::creditsText() {
    takeCapturedOutput();
    showCredits();
    return takeCapturedOutput();
}
