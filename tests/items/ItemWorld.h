#pragma once
// A small catalogue holding every item the handlers, the raft and the
// sail look up, and helpers to hand items to the player or the floor.
#include <string>
#include <vector>

#include "TestSupport.h"
#include "clock/Clock.h"
#include "console/Screen.h"
#include "items/Items.h"
#include "game/Tick.h"
#include "game/UseHandlers.h"

class ItemTest : public GameTest {
protected:
    static constexpr int kRaftIndex = 32;

    void SetUp() override {
        GameTest::SetUp();
        setUpConsole();  // the frame and the prompt, so questions are typed where the game reads them
        const char* names[] = {"coconut", "banana", "rock", "blade", "knife", "dark insect", "bright insect",
                               "dark flower", "bright flower", "axe", "handcuffs", "hammer", "berry", "shell",
                               "bandana", "glasses", "bat guano", "shovel", "crowbar", "sling", "pebble",
                               "broken radio", "note", "map", "torn shirt", "pyramid", "cube", "sphere", "Wood",
                               "handle", "sharp rock", "scrap of metal", "Raft", "shovel head", "tree", "rope",
                               "large leaf", "cloth"};
        int index = 0;
        for (const char* name : names) makeItem(index++, name, (std::string("About the ") + name + ".").c_str());
        makeRoom(0, 8, "South Beach");
        registerUseHandlers();
    }

    ItemDef& item(const char* name) { return *findItemByName(name); }
    Room& here() { return *game.player.currentRoom; }

    void give(const char* name, int units = 1) {
        for (int i = 0; i < units; ++i) ASSERT_GE(addToList(game.player.inventory, &item(name)), 0);
    }
    void lay(const char* name, int units = 1) {
        for (int i = 0; i < units; ++i) ASSERT_GE(addToList(here().items, &item(name)), 0);
    }
    int held(const char* name) { return static_cast<int>(countInList(game.player.inventory, &item(name))); }
    int onFloor(const char* name) { return static_cast<int>(countInList(here().items, &item(name))); }

    // Fills the room's floor to its capacity with coconuts.
    void fillFloor() {
        while (!here().items.full()) lay("coconut");
    }

    // What each of the next n ticks printed, in order.
    std::vector<std::string> runTicks(int n) {
        output();
        std::vector<std::string> printed;
        for (int i = 0; i < n; ++i) {
            ++game.tick;
            onTick();
            printed.push_back(output());
        }
        return printed;
    }
};
