#include "console/LineEditor.h"

#include <atomic>
#include <cctype>
#include <mutex>

#include "console/CommandHistory.h"
#include "console/Input.h"
#include "console/Output.h"
#include "console/RuntimeState.h"

namespace {
constexpr int kFirstColumn = kFirstInputColumn;
constexpr int kLastColumn = kLastInputColumn;
constexpr int kRowCells = kLastColumn - kFirstColumn + 1;  // 75
constexpr std::uint16_t kPlain = 0x07;
constexpr std::uint16_t kSuggestion = 0x1F;
constexpr int kWheelNotch = 120;

std::atomic<int>& limit = runtime().inputLimit;
// Raised by dropTypedLine, taken by the editor on its next event.
std::atomic<bool>& dropRequested = runtime().input.dropRequested;

bool playing() {
    RuntimeState& run = runtime();
    std::lock_guard lock(run.wordsMutex);
    return run.gameWords.playing && run.gameWords.playing();
}

bool offersShortcuts() { return playing() && console().interactive(); }

bool isLetterOrDigit(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }
// Letters and digits, and the comma that separates the names of a raft's passengers.
bool isTypeable(char c) { return isLetterOrDigit(c) || c == ','; }

// The line as the editor holds it: what was typed, and the completion
// shown after it in white on blue. The row is drawn from these alone.
struct EditedLine {
    std::string typed;
    std::string suggestion;

    int cursor() const { return kFirstColumn + static_cast<int>(typed.size()); }

    void draw() const {
        ScreenCell row[kRowCells];
        for (int i = 0; i < kRowCells; ++i) {
            const std::size_t at = static_cast<std::size_t>(i);
            if (at < typed.size()) row[i] = ScreenCell{static_cast<std::uint8_t>(typed[at]), kPlain};
            else if (at - typed.size() < suggestion.size())
                row[i] = ScreenCell{static_cast<std::uint8_t>(suggestion[at - typed.size()]), kSuggestion};
            else row[i] = ScreenCell{' ', kPlain};
        }
        const int inputRow = screenLayout().inputRow;
        console().writeCells(kFirstColumn, inputRow, kRowCells, 1, row);
        console().setCursor(cursor(), inputRow);
    }

    bool answer = false;  // a question's answer: nothing is completed

    // Offers the completion of the first word, when play is on.
    void suggest() {
        suggestion = !answer && offersShortcuts() ? completionFor(typed, limit - cursor()) : std::string();
    }

    // The line handed back, and the row empty again.
    std::string finish() {
        std::string line = typed;
        bool hasLetterOrDigit = false;
        for (char c : line) hasLetterOrDigit = hasLetterOrDigit || isLetterOrDigit(c);
        typed.clear();
        suggestion.clear();
        draw();
        return hasLetterOrDigit ? line : std::string();
    }
};

// Puts a recalled line on the row in place of what was typed.
void showRecalled(EditedLine& line, const std::string& text) {
    line.typed = text;
    line.suggest();
    line.draw();
}

void onMouse(const InputEvent& e) {
    if (e.wheel == kWheelNotch) scrollViewUp();
    else if (e.wheel == -kWheelNotch) scrollViewDown();
    else if (e.leftDown && e.x == kScrollBarColumn && e.y == kUpArrowRow) scrollViewUp();
    else if (e.leftDown && e.x == kScrollBarColumn && e.y == screenLayout().textBottom) scrollViewDown();
}
}  // namespace

void setCommandLineWords(CommandLineWords words) {
    std::lock_guard lock(runtime().wordsMutex);
    runtime().gameWords = std::move(words);
}

std::string completionFor(const std::string& typed, int room) {
    std::string word = typed.substr(0, typed.find(' '));
    if (word.size() < 2 || room <= 0) return {};
    std::lock_guard lock(runtime().wordsMutex);
    for (const std::string& entry : runtime().gameWords.completions) {
        if (entry.compare(0, word.size(), word) != 0) continue;
        // The rest of the entry, kept inside the typing room so the line never outgrows its limit.
        return entry.substr(word.size(), static_cast<std::size_t>(room));
    }
    return {};
}

// Keys already waiting were typed before the question was on the screen.
// False when the input closed meanwhile.
bool discardWaitingKeys() {
    while (true) {
        InputEvent e = nextInputEvent(0);
        if (e.type == InputEvent::Type::Closed) return false;
        if (e.type == InputEvent::Type::None) return true;
    }
}

std::string readInputLine(CommandHistory* history, LineKind kind) {
    EditedLine line;
    line.answer = kind != LineKind::Command;
    const bool pages = kind == LineKind::PagedAnswer;
    dropRequested = false;
    if (history) history->startLine();
    const bool duringPlay = playing();
    showHeldOutput();  // what a command printed before it asks for a line
    endCarriedPage();
    int drawnLayout = screenLayoutChanges();
    line.draw();  // typing always starts right after the prompt
    while (true) {
        // No timeout: a key, the end of input, or a wake when play ends on the clock thread.
        InputEvent e = nextInputEvent(-1);
        // A resize laid the screen out again (here, or in a pause): the row moved;
        // or a pause's words stood on it.
        if (screenLayoutChanges() != drawnLayout || runtime().input.rowSpoilt.exchange(false)) {
            drawnLayout = screenLayoutChanges();
            line.draw();
        }
        if (e.type == InputEvent::Type::Closed) return line.finish();
        if (dropRequested.exchange(false)) {
            // The line was typed as a command; the conversation asks for a letter.
            if (history && !line.typed.empty()) history->keep(line.typed);
            line.typed.clear();
            line.suggestion.clear();
            line.draw();
            if (!discardWaitingKeys()) return line.finish();
            continue;
        }
        // A game that ended meanwhile (a death in the night) waits for no
        // Enter and obeys nothing more: the line comes back at once, empty,
        // and what was typed of it is dropped.
        if (duringPlay && !playing()) {
            line.finish();
            return {};
        }
        if (e.type == InputEvent::Type::Mouse) {
            onMouse(e);
            continue;
        }
        if (e.type != InputEvent::Type::Key || !e.keyDown) continue;

        switch (e.key) {
            case KeyCode::Backspace:
                if (!line.typed.empty()) {
                    line.typed.pop_back();
                    line.suggestion.clear();
                    line.draw();
                }
                continue;
            case KeyCode::KeypadDigit:
                if (!line.answer && offersShortcuts() && line.typed.empty() && e.digit >= 0 && e.digit <= 9) {
                    std::lock_guard lock(runtime().wordsMutex);
                    const std::string& command = runtime().gameWords.keypad[static_cast<std::size_t>(e.digit)];
                    // A shortcut longer than the line may be (a one-letter answer) is not offered.
                    if (!command.empty() && static_cast<int>(command.size()) <= limit - kFirstColumn) return command;
                }
                continue;
            case KeyCode::KeypadPlus: scrollViewDown(); continue;
            case KeyCode::KeypadMinus: scrollViewUp(); continue;
            case KeyCode::PageUp:
            case KeyCode::PageDown:
                if (pages) {
                    line.finish();
                    return e.key == KeyCode::PageUp ? kPageUpLine : kPageDownLine;
                }
                if (e.key == KeyCode::PageUp) scrollViewPageUp();
                else scrollViewPageDown();
                continue;
            case KeyCode::ArrowUp:
            case KeyCode::ArrowDown:
                if (history) {
                    const auto room = static_cast<std::size_t>(limit - kFirstColumn);
                    std::optional<std::string> recalled =
                        e.key == KeyCode::ArrowUp ? history->older(line.typed, room) : history->newer(room);
                    if (recalled) showRecalled(line, *recalled);
                }
                continue;
            case KeyCode::Enter: {
                line.suggest();
                line.typed += line.suggestion;
                // During play the game shows each line it obeys itself.
                if (kind != LineKind::Command || !duringPlay) console().echoLine(line.typed.c_str());
                std::string entered = line.finish();
                if (history) history->add(entered);
                return entered;
            }
            default: break;
        }
        if (line.cursor() >= limit || e.key != KeyCode::Char) continue;
        if (e.ch == ' ') {
            // No leading space and no second space in a row.
            if (line.typed.empty() || line.typed.back() == ' ') continue;
            line.suggest();
            line.typed += line.suggestion;
            line.suggestion.clear();
            // The space itself, when the suggestion left room for it.
            if (line.cursor() < limit) line.typed += ' ';
            line.draw();
        } else if (isTypeable(e.ch) && !e.ctrl) {
            line.typed += e.ch;
            line.suggest();
            line.draw();
        }
    }
}

void dropTypedLine() {
    dropRequested = true;
    wakeInput();
}

bool lineWasOvertaken() { return dropRequested.exchange(false); }

void setInputLimit(int characters) { limit = (characters < 1 ? 1 : characters > kLineCapacity ? kLineCapacity : characters) + 3; }
int inputLimit() { return limit; }
