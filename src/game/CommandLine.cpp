#include "game/CommandLine.h"

#include "console/LineEditor.h"
#include "world/World.h"

void connectCommandLine() {
    CommandLineWords words;
    // In the order they are offered: "no" completes to "north", not "northwest".
    words.completions = {
        "north", "south", "east", "west", "northwest", "northeast", "southwest", "southeast",
        "get", "drop", "talk", "look", "use", "combine", "inventory", "map", "boat", "sail", "help",
        "time", "verbose", "brief",
        "febreeze fabric freshener?", "mongoose?",
    };
    // The keypad's compass: 8 north, 5 look, 0 the map.
    words.keypad = {"use map", "southwest", "south", "southeast", "west", "look", "east", "northwest", "north", "northeast"};
    words.playing = [] { return game.running != 0; };
    setCommandLineWords(std::move(words));
}
