#pragma once
// The command line: brinefall [--plain] [--no-color] [--data-dir DIR] [--save-dir DIR],
// or --help, --version.
#include <filesystem>
#include <string>

struct Options {
    enum class Action { Play, Help, Version, Misuse };
    Action action = Action::Play;
    bool plain = false;                 // the plain front end even on a terminal
    bool noColour = false;              // bold and reverse video in the terminal's own colours
    std::filesystem::path dataDir;      // empty: found from the program's own location
    std::filesystem::path saveDir;      // empty: the player's own (XDG) directory
};

// getopt_long over argv; an unknown option or a missing argument is
// reported on stderr by getopt and gives Misuse.
Options parseOptions(int argc, char** argv);
// --no-color, or NO_COLOR set to anything but the empty string.
bool noColourAsked(const Options& options);
// The usage text, for --help on stdout and for misuse on stderr.
std::string usageText();
