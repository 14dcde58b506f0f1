#include "game/FrontMenu.h"

#include <cctype>
#include <filesystem>
#include <optional>
#include <sstream>

#include "base/Codec.h"
#include "base/Pace.h"
#include "base/Paths.h"
#include "base/ReadLine.h"
#include "base/SaveKeeping.h"
#include "console/RuntimeState.h"
#include "console/Input.h"
#include "console/LineEditor.h"
#include "console/Output.h"
#include "console/Screen.h"
#include "console/TitleArt.h"
#include "game/Commands.h"
#include "game/Credits.h"
#include "game/LoadMenu.h"
#include "persist/Persist.h"
#include "world/EndingNames.h"
#include "world/World.h"

namespace {
constexpr int kMenuLimit = 1;
constexpr int kNewNameLimit = 19;
constexpr int kPlayLimit = 75;
constexpr std::size_t kShortestName = 2;
constexpr std::size_t kLongestName = 19;
void printMenu() {
    printMarked("\nPlease select one of the following:\n\na. start new game\nb. instructions\nc. load a previous game\nd. credits\ne. quit\n\n");
}

void greet(const std::string& name) {
    if (const char* role = makersRole(name)) {
        printMarked("\nHello %s, %s of Team Tidewright!\n", name, role);
        return;
    }
    printMarked("\nHello %s\n", name);
}

void showInstructions() {
    PagedOutput paged;
    std::optional<std::string> text = readWholeFile(realPath("Data/readme.txt"));
    std::istringstream file(text.value_or(""));
    if (!text) printMarked("Not opened for reading.\n");
    // A file without its closing "0" shows what there is.
    while (text) {
        std::string line = readLine(file);
        if (line == "0" || (file.eof() && line.empty())) break;
        printMarked("%s\n", line);
        if (file.eof()) break;
    }
    printMarked("\n");
}

// Anything under the save's name counts: what is not a save is said so on loading.
bool hasScrambledSave(const std::string& name) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(saveReadPath(gamePath(name + ".mox")), error));
}

// One window at a time plays a game.
bool claimGame(const std::string& name) {
    switch (claimSave(name)) {
        case Claim::Taken: return true;
        case Claim::HeldElsewhere:
            printMarked("\n/R%s is being played in another %s.\n", name, otherPlaceWord());
            break;
        case Claim::Failed:
            printMarked("\n/RThe lock of %s's game cannot be taken: %s.\n", name, markupLiteral(claimProblem()));
            break;
    }
    return false;
}

// A new game under the name of a saved one replaces that save at its
// first autosave: only when the player says so.
bool mayReplaceSave(const std::string& name) {
    printMarked("\nA saved game named %s exists. Start over and replace it? (yes or no)\n", name);
    setInputLimit(kNewNameLimit);
    if (toLower(readInputLine(nullptr, LineKind::Answer)) == "yes") return true;
    printMarked("\nThe saved game of %s is left as it was.\n", name);
    return false;
}

bool askNewGame() {
    printMarked("\nPlease enter your name: ");
    setInputLimit(kNewNameLimit);
    std::string name = normaliseName(readInputLine(nullptr, LineKind::Answer));
    if (name.size() < kShortestName) {
        printMarked("\n/RInvalid name (too short).\n");
        return false;
    }
    // A name whose file in Data holds the island's own data (a personality
    // or the memory script) would have its saves refused.
    if (inspectSave(name).state == SaveState::OtherData) {
        printMarked("\n/RThat name belongs to the island itself. Please choose another.\n");
        return false;
    }
    if (!claimGame(name)) return false;
    if (hasScrambledSave(name) && !mayReplaceSave(name)) {
        releaseSaveClaim();
        return false;
    }
    setInputLimit(kPlayLimit);
    game.player.name = name;
    greet(name);
    return true;
}

bool askLoadGame() {
    std::string name = askSavedGameName();
    if (name.size() < kShortestName || name.size() > kLongestName || !hasScrambledSave(name)) {
        printMarked("\n/RInvalid save file (file not found).\n");
        return false;
    }
    SavedGame saved = inspectSave(name);
    if (saved.state == SaveState::Over) {
        if (saved.ending == Ending::None) printMarked("\n/RThe game of %s is over.\n", name);
        else printMarked("\n/RThe game of %s is over: %s.\n", name, endingSummary(saved.ending));
        return false;
    }
    if (!claimGame(name)) return false;
    setInputLimit(kPlayLimit);
    game.player.name = name;
    return true;
}
}  // namespace

int frontMenu() {
    console().beep(1314, pacedMs(50));
    console().sleepMs(pacedMs(50));
    console().beep(657, pacedMs(50));
    showLogo('R');
    printMarked("\n\n\n\n\n\n\n\n");
    printMarked("/wWelcome to /RB/Yr/Bi/Gn/Ce/Pf/Ra/Yl/Bl/W!\n  /GMade By...\n");
    showBanner('R');
    while (true) {
        printMenu();
        setInputLimit(kMenuLimit);
        std::string choice = readInputLine();
        // A closed input ends the menu; the caller sees inputClosed() and stops.
        if (inputClosed()) {
            setInputLimit(kPlayLimit);
            return 1;
        }
        switch (choice.empty() ? '\0' : std::tolower(static_cast<unsigned char>(choice[0]))) {
            case 'a':
                if (askNewGame()) return 1;
                break;
            case 'b': showInstructions(); break;
            case 'c':
                if (askLoadGame()) return 0;
                break;
            case 'd': showCredits(); break;
            case 'e': endProgramNow();
            default: break;
        }
    }
}

void showHelp() {
    PagedOutput paged;
    printMarked("%s", helpText().c_str());
}
