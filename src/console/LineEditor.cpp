#include "console/LineEditor.h"

#include <atomic>
#include <cctype>
#include <cstring>

#include "console/Input.h"
#include "console/Output.h"
#include "core/World.h"

namespace {
constexpr int kFirstColumn = kFirstInputColumn;
constexpr int kLastColumn = kLastInputColumn;
constexpr int kRowCells = 74;     // cells from column 3 (or 4) that return to grey
constexpr std::uint16_t kPlain = 0x07;
constexpr std::uint16_t kSuggestion = 0x1F;
constexpr int kWheelNotch = 120;
constexpr int kEventWaitMs = 100;  // short, so a "/s" pause can take the next key

// The first column where no more characters may be typed; a walk-up
// conversation sets it from the clock thread.
std::atomic<int> limit{75};

constexpr const char* kCompletions[] = {
    "north", "south", "east", "west", "northwest", "northeast", "southwest", "southeast",
    "get", "drop", "talk", "look", "use", "combine", "inventory", "map", "boat", "sail", "help",
    "time", "verbose", "brief",
    "febreeze fabric freshener?", "mongoose?",
};

constexpr const char* kKeypadCommands[10] = {
    "use map", "southwest", "south", "southeast", "west", "look", "east", "northwest", "north", "northeast",
};

bool offersShortcuts() { return game.running != 0 && console().interactive(); }

bool isLetterOrDigit(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }
// Letters and digits, and the comma that separates the names of a raft's passengers.
bool isTypeable(char c) { return isLetterOrDigit(c) || c == ','; }

void moveCursor(int x) { console().setCursor(x, kInputRow); }

// Blanks the row from x to column 77 in grey.
void clearFrom(int x) {
    console().fillChars(x, kInputRow, ' ', kLastColumn - x + 1);
    console().fillAttrs(x, kInputRow, kPlain, kLastColumn - x + 1);
}

// Takes the line back off the row, blanking it cell by cell as it goes.
std::string takeLineFromRow(int length, bool& hasLetterOrDigit) {
    std::string line(static_cast<std::size_t>(length > 0 ? length : 0), ' ');
    hasLetterOrDigit = false;
    for (int x = length + 2; x >= kFirstColumn; --x) {
        char c = static_cast<char>(console().readChar(x, kInputRow));
        line[static_cast<std::size_t>(x - kFirstColumn)] = c;
        if (isLetterOrDigit(c)) hasLetterOrDigit = true;
        console().fillChars(x, kInputRow, ' ', 1);
        moveCursor(x);
    }
    return line;
}

std::string finishLine(int length) {
    bool hasLetterOrDigit = false;
    std::string line = takeLineFromRow(length, hasLetterOrDigit);
    if (!hasLetterOrDigit) return {};
    moveCursor(kFirstColumn);
    clearFrom(kFirstColumn);
    return line;
}

void onMouse(const InputEvent& e) {
    if (e.wheel == kWheelNotch) scrollViewUp();
    else if (e.wheel == -kWheelNotch) scrollViewDown();
    else if (e.leftDown && e.x == kScrollBarColumn && e.y == kUpArrowRow) scrollViewUp();
    else if (e.leftDown && e.x == kScrollBarColumn && e.y == kDownArrowRow) scrollViewDown();
}
}  // namespace

std::string readInputRow(int cursorX) {
    std::string text;
    for (int x = kFirstColumn; x < cursorX; ++x) text += static_cast<char>(console().readChar(x, kInputRow));
    return text;
}

int suggestCompletion(int cursorX) {
    if (!offersShortcuts()) return 0;
    std::string typed = readInputRow(cursorX);
    console().fillAttrs(kFirstColumn + 1, kInputRow, kPlain, kRowCells);
    std::string word = typed.substr(0, typed.find(' '));
    if (word.size() < 2) return 0;
    const char* entry = nullptr;
    for (const char* candidate : kCompletions)
        if (std::strncmp(candidate, word.c_str(), word.size()) == 0) {
            entry = candidate;
            break;
        }
    if (entry == nullptr || std::strlen(entry) == word.size()) {
        if (cursorX <= kLastColumn) console().fillChars(cursorX, kInputRow, ' ', kLastColumn - cursorX + 1);
        return 0;
    }
    // The rest of the entry, kept inside the typing room so the line never outgrows its limit.
    const char* rest = entry + word.size();
    int length = static_cast<int>(std::strlen(rest));
    int room = limit - cursorX;
    if (length > room) length = room > 0 ? room : 0;
    if (length == 0) return 0;
    console().writeChars(cursorX, kInputRow, rest, length);
    console().fillAttrs(cursorX, kInputRow, kSuggestion, length);
    return length;
}

std::string readInputLine() {
    int length = 0;
    const bool duringPlay = game.running != 0;
    showHeldOutput();  // what a command printed before it asks for a line
    // Typing always starts right after the prompt.
    if (console().cursorY() != kInputRow || console().cursorX() < kFirstColumn) moveCursor(kFirstColumn);
    while (true) {
        console().present();
        InputEvent e = nextInputEvent(kEventWaitMs);
        if (e.type == InputEvent::Type::Closed) return finishLine(length);
        // A game that ended meanwhile (a death in the night) waits for no
        // Enter and obeys nothing more: the line comes back at once, empty,
        // and what was typed of it is dropped.
        if (duringPlay && !game.running) {
            if (length > 0) finishLine(length);
            return {};
        }
        if (e.type == InputEvent::Type::Mouse) {
            onMouse(e);
            continue;
        }
        if (e.type != InputEvent::Type::Key) continue;
        if (!e.keyDown) continue;

        int x = console().cursorX();
        switch (e.key) {
            case KeyCode::Backspace:
                if (x > kFirstColumn) {
                    --length;
                    moveCursor(x - 1);
                    clearFrom(x - 1);
                }
                continue;
            case KeyCode::KeypadDigit:
                if (offersShortcuts() && x == kFirstColumn && e.digit >= 0 && e.digit <= 9)
                    return kKeypadCommands[e.digit];
                continue;
            case KeyCode::KeypadPlus: scrollViewDown(); continue;
            case KeyCode::KeypadMinus: scrollViewUp(); continue;
            case KeyCode::Enter: {
                length += suggestCompletion(x);
                return finishLine(length);
            }
            default: break;
        }
        if (x >= limit || e.key != KeyCode::Char) continue;
        if (e.ch == ' ') {
            // No leading space and no second space in a row.
            if (x == kFirstColumn || std::isspace(console().readChar(x - 1, kInputRow))) continue;
            int taken = suggestCompletion(x);
            length += taken;
            console().fillAttrs(kFirstColumn, kInputRow, kPlain, kRowCells);
            // The space itself, when the suggestion left room for it.
            if (x + taken < limit) {
                console().writeChars(x + taken, kInputRow, " ", 1);
                ++length;
                moveCursor(x + taken + 1);
            } else {
                moveCursor(x + taken);
            }
        } else if (isTypeable(e.ch) && !e.ctrl) {
            console().writeChars(x, kInputRow, &e.ch, 1);
            ++length;
            moveCursor(x + 1);
            suggestCompletion(x + 1);
        }
    }
}

void setInputLimit(int characters) { limit = (characters < 1 ? 1 : characters > kLineCapacity ? kLineCapacity : characters) + 3; }
int inputLimit() { return limit; }
