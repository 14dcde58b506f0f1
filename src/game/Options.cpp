#include "game/Options.h"

#include <getopt.h>

#include <cstdio>
#include <cstdlib>

namespace {
enum LongOnly { kDataDir = 256, kSaveDir, kPlain, kNoColour };

const option kLongOptions[] = {
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, 'V'},
    {"plain", no_argument, nullptr, kPlain},
    {"no-color", no_argument, nullptr, kNoColour},
    {"data-dir", required_argument, nullptr, kDataDir},
    {"save-dir", required_argument, nullptr, kSaveDir},
    {nullptr, 0, nullptr, 0},
};
}  // namespace

Options parseOptions(int argc, char** argv) {
    Options options;
    optind = 0;  // a fresh scan, even when called again (the tests do)
    int code;
    while ((code = getopt_long(argc, argv, "hV", kLongOptions, nullptr)) != -1) {
        switch (code) {
            case 'h': options.action = Options::Action::Help; break;
            case 'V':
                if (options.action != Options::Action::Help) options.action = Options::Action::Version;
                break;
            case kPlain: options.plain = true; break;
            case kNoColour: options.noColour = true; break;
            case kDataDir:
            case kSaveDir:
                // An empty directory is a slip, not a wish for the default one.
                if (*optarg == '\0') {
                    std::fprintf(stderr, "%s: %s needs a directory, not an empty name\n", argv[0],
                                 code == kDataDir ? "--data-dir" : "--save-dir");
                    options.action = Options::Action::Misuse;
                    return options;
                }
                (code == kDataDir ? options.dataDir : options.saveDir) = optarg;
                break;
            default: options.action = Options::Action::Misuse; return options;
        }
    }
    if (optind < argc) {
        std::fprintf(stderr, "%s: unexpected argument '%s'\n", argv[0], argv[optind]);
        options.action = Options::Action::Misuse;
    }
    return options;
}

bool noColourAsked(const Options& options) {
    const char* noColour = std::getenv("NO_COLOR");
    return options.noColour || (noColour != nullptr && noColour[0] != '\0');
}

std::string usageText() {
    return "Usage: brinefall [OPTION]...\n"
           "A real-time text adventure on an island, in a terminal of at least 80x24.\n"
           "\n"
           "  -h, --help          show this help and exit\n"
           "  -V, --version       show the version and exit\n"
           "      --plain         read plain lines and print plain text, even on a\n"
           "                      terminal (for screen readers)\n"
           "      --no-color      no colours, only bold and reverse video in the\n"
           "                      terminal's own colours (as NO_COLOR does when set)\n"
           "      --data-dir DIR  read the game data from DIR\n"
           "      --save-dir DIR  keep the saved games in DIR (default:\n"
           "                      $XDG_DATA_HOME/brinefall or ~/.local/share/brinefall)\n"
           "\n"
           "Exit status: 0 when the game has ended: saved by quit or an ending, or left at\n"
           "once, unsaved, by Ctrl+C; 1 when the final save fails, when another window took\n"
           "the game over (this one then saves it no more) or the game data or the save\n"
           "directory cannot be used; 2 for a wrong command line. SIGTERM, SIGHUP and\n"
           "SIGINT save the game as quit does, then end it by the same signal.\n"
           "See brinefall(6) for how to play.\n";
}
