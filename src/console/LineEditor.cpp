#include "console/LineEditor.h"

#include <atomic>
#include <cctype>
#include <mutex>
#include <optional>

#include "console/CommandHistory.h"
#include "console/Input.h"
#include "console/Output.h"
#include "console/Transcript.h"
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

namespace {
// The next event, the screen laid out again first when it was a resize.
InputEvent nextEditorEvent(int timeoutMs) {
    InputEvent e = nextInputEvent(timeoutMs);
    if (e.type == InputEvent::Type::Resize) fitScreenToHeight(console().rows());
    return e;
}

// Keys already waiting were typed before the question was on the screen.
// False when the input closed meanwhile.
bool discardWaitingKeys() {
    while (true) {
        InputEvent e = nextEditorEvent(0);
        if (e.type == InputEvent::Type::Closed) return false;
        if (e.type == InputEvent::Type::None) return true;
    }
}

// One call of readInputLine: the line being typed and what it is for. Each
// step gives back the finished line, or nothing while typing goes on.
class LineReader {
public:
    LineReader(CommandHistory* history, LineKind kind) : history_(history), pages_(kind == LineKind::PagedAnswer) {
        line_.answer = kind != LineKind::Command;
    }

    std::string read() {
        start();
        while (true) {
            // No timeout: a key, the end of input, or a wake when play ends on the clock thread.
            const InputEvent e = nextEditorEvent(-1);
            redrawIfLaidOutAgain();
            if (e.type == InputEvent::Type::Closed) return line_.finish();
            if (dropRequested.exchange(false)) {
                if (!dropLineForConversation()) return line_.finish();
                continue;
            }
            // A game that ended meanwhile (a death in the night) waits for no
            // Enter and obeys nothing more: the line comes back at once, empty,
            // and what was typed of it is dropped.
            if (duringPlay_ && !playing()) {
                line_.finish();
                return {};
            }
            if (e.type == InputEvent::Type::Mouse) onMouse(e);
            if (!e.isKeyDown()) continue;
            if (std::optional<std::string> done = onKey(e)) return *done;
        }
    }

private:
    EditedLine line_;
    CommandHistory* history_;
    bool pages_;
    bool duringPlay_ = false;
    int drawnLayout_ = 0;

    void start() {
        dropRequested = false;
        if (history_) history_->startLine();
        duringPlay_ = playing();
        showHeldOutput();  // what a command printed before it asks for a line
        endCarriedPage();
        drawnLayout_ = screenLayoutChanges();
        line_.draw();  // typing always starts right after the prompt
    }

    // A resize laid the screen out again (here, or in a pause): the row moved.
    void redrawIfLaidOutAgain() {
        if (screenLayoutChanges() == drawnLayout_) return;
        drawnLayout_ = screenLayoutChanges();
        line_.draw();
    }

    // The line was typed as a command; the conversation asks for a letter.
    // False when the input closed meanwhile.
    bool dropLineForConversation() {
        if (history_ && !line_.typed.empty()) history_->keep(line_.typed);
        line_.typed.clear();
        line_.suggestion.clear();
        line_.draw();
        return discardWaitingKeys();
    }

    std::optional<std::string> onKey(const InputEvent& e) {
        switch (e.key) {
            case KeyCode::Backspace: eraseLast(); return std::nullopt;
            case KeyCode::KeypadDigit: return keypadShortcut(e.digit);
            case KeyCode::KeypadPlus: scrollViewDown(); return std::nullopt;
            case KeyCode::KeypadMinus: scrollViewUp(); return std::nullopt;
            case KeyCode::PageUp:
            case KeyCode::PageDown: return onPageKey(e.key);
            case KeyCode::ArrowUp:
            case KeyCode::ArrowDown: recall(e.key); return std::nullopt;
            case KeyCode::Enter: return enter();
            case KeyCode::Char: type(e); return std::nullopt;
            default: return std::nullopt;
        }
    }

    void eraseLast() {
        if (line_.typed.empty()) return;
        line_.typed.pop_back();
        line_.suggestion.clear();
        line_.draw();
    }

    std::optional<std::string> keypadShortcut(int digit) {
        if (line_.answer || !offersShortcuts() || !line_.typed.empty() || digit < 0 || digit > 9) return std::nullopt;
        std::lock_guard lock(runtime().wordsMutex);
        const std::string& command = runtime().gameWords.keypad[static_cast<std::size_t>(digit)];
        // A shortcut longer than the line may be (a one-letter answer) is not offered.
        if (!command.empty() && static_cast<int>(command.size()) <= limit - kFirstColumn) return command;
        return std::nullopt;
    }

    std::optional<std::string> onPageKey(KeyCode key) {
        if (pages_) {
            line_.finish();
            return key == KeyCode::PageUp ? kPageUpLine : kPageDownLine;
        }
        if (key == KeyCode::PageUp) scrollViewPageUp();
        else scrollViewPageDown();
        return std::nullopt;
    }

    void recall(KeyCode key) {
        if (!history_) return;
        const auto room = static_cast<std::size_t>(limit - kFirstColumn);
        std::optional<std::string> recalled = key == KeyCode::ArrowUp ? history_->older(line_.typed, room) : history_->newer(room);
        if (recalled) showRecalled(line_, *recalled);
    }

    std::string enter() {
        line_.suggest();
        line_.typed += line_.suggestion;
        console().echoLine(line_.typed.c_str());
        transcribeTypedLine(line_.typed);
        std::string entered = line_.finish();
        if (history_) history_->add(entered);
        return entered;
    }

    void type(const InputEvent& e) {
        if (line_.cursor() >= limit) return;
        if (e.ch == ' ') {
            // No leading space and no second space in a row.
            if (line_.typed.empty() || line_.typed.back() == ' ') return;
            line_.suggest();
            line_.typed += line_.suggestion;
            line_.suggestion.clear();
            // The space itself, when the suggestion left room for it.
            if (line_.cursor() < limit) line_.typed += ' ';
            line_.draw();
        } else if (isTypeable(e.ch) && !e.ctrl) {
            line_.typed += e.ch;
            line_.suggest();
            line_.draw();
        }
    }
};
}  // namespace

std::string readInputLine(CommandHistory* history, LineKind kind) { return LineReader(history, kind).read(); }

void dropTypedLine() {
    dropRequested = true;
    wakeInput();
}

bool lineWasOvertaken() { return dropRequested.exchange(false); }

void setInputLimit(int characters) { limit = (characters < 1 ? 1 : characters > kLineCapacity ? kLineCapacity : characters) + 3; }
int inputLimit() { return limit; }
