#include "game/CommandLine.h"

#include "console/LineEditor.h"
#include "game/Commands.h"
#include "world/World.h"

void connectCommandLine() {
    CommandLineWords words;
    words.completions = completionWords();
    // The keypad's compass: 8 north, 5 look, 0 the map.
    words.keypad = {"use map", "southwest", "south", "southeast", "west", "look", "east", "northwest", "north", "northeast"};
    words.playing = [] { return game.running != 0; };
    setCommandLineWords(std::move(words));
}
