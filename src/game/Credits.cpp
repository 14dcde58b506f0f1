#include "game/Credits.h"

#include "base/Pace.h"
#include "console/Output.h"
#include "console/TitleArt.h"

namespace {
constexpr int kCreditPauseMs = 750;

struct Maker {
    const char* firstName;
    const char* nicknames;
    const char* surname;
    const char* roles;
    const char* greetingRole;
};

// Team Tidewright, who made the game.
constexpr Maker kMakers[] = {
    {"Marisol", "\"Skipper\", \"Tide\"", "Okonkwo", "lead design, story", "the lead designer"},
    {"Henrik", "\"Knots\"", "Vasquez-Lund", "programming, console engine", "the chief programmer"},
    {"Priya", "\"Sandpiper\"", "Raghunathan", "title art, island map", "the artist"},
    {"Tobias", "\"Bilge\", \"Mr. Bucket\"", "Ferreira", "sound, testing, raft physics", "the tester"},
    {"Lena", "\"Compass\"", "Achterberg", "writing, islander scripts", "the writer"},
};

// The credits roll after an ending too, inside the command that ended
// play: what they printed is shown before each pause.
void creditPause() {
    showHeldOutput();
    console().sleepMs(pacedMs(kCreditPauseMs));
}
}  // namespace

const char* makersRole(const std::string& firstName) {
    for (const Maker& maker : kMakers)
        if (firstName == maker.firstName) return maker.greetingRole;
    return nullptr;
}

void showCredits() {
    printMarked("\n\n/G Team...\n");
    showBanner('G');
    printMarked("/b____________________________________________________________________________\n");
    creditPause();
    printMarked("\n");
    creditPause();
    printMarked("\n");
    bool first = true;
    for (const Maker& maker : kMakers) {
        if (!first) {
            creditPause();
            printMarked("\n");
            creditPause();
            printMarked("\n");
            creditPause();
        }
        first = false;
        printMarked("/R%s /Y%s /R%s /w- /G%s\n", maker.firstName, maker.nicknames, maker.surname, maker.roles);
    }
    for (int i = 0; i < 5; ++i) {
        creditPause();
        printMarked("\n");
    }
    showLogo('R');
    printMarked("\n/s");
}
