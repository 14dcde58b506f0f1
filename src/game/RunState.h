#pragma once
// The game layer's record of a run, beside the world (`game`) and the
// console's runtime state: what the saves reported, the ending's text and
// who records it, the last command for "again", and the things read from
// Data. It lives in one object with one reset, which runGame makes before
// the menu. The claim on the save's name is persist/'s, released there.
#include <mutex>
#include <string>
#include <vector>

// A thing a room's description names (see game/Things.h).
struct Thing {
    int area = 0;
    int room = 0;
    std::vector<std::string> names;  // lower case; the first is the main one
    std::string text;
};

struct SaveReportState {
    std::string failureLine;    // what the last failed save told the player; "" after one that worked
    bool failing = false;       // the last save failed
    bool savedThisRun = false;  // a save of this game is there to fall back on
    bool lostToAnotherWindow = false;  // another window took the game: this one never saves again
};

struct EndingState {
    std::string text;              // the ending as told, for the terminal after the game
    void (*recorder)() = nullptr;  // called as play ends: the final autosave
};

struct GameRunState {
    SaveReportState saves;
    EndingState ending;
    std::string lastCommand;  // the last line obeyed as a command, for "again"
    std::mutex thingsMutex;
    std::vector<Thing> things;
};

GameRunState& runState();
// A new run: no save failure remembered, no ending text or recorder, no
// command to do again, no things until they are read.
void resetRunState();
