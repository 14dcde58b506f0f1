#include "game/Ending.h"

#include "game/Credits.h"
#include "game/RunState.h"

namespace {
EndingState& ending() { return runState().ending; }
}  // namespace

void endPlay(Ending how) {
    game.ending = how;
    game.running = 0;
    ending().text.clear();  // each ending starts its text afresh
    if (ending().recorder) ending().recorder();
}

void setEndingRecorder(void (*record)()) { ending().recorder = record; }

void keepEndingText(const std::string& markedText) { ending().text += markedText; }

std::string plainEndingText() {
    if (game.ending == Ending::None) return {};
    std::string text = wrapPlainText(stripMarkup(ending().text), kTextWidth);
    if (!text.empty() && text.back() != '\n') text += '\n';
    return text;
}

std::string wrapPlainText(std::string_view text, std::size_t width) {
    std::string out;
    std::size_t lineStart = 0;  // where the current output line begins in out
    for (char c : text) {
        out += c;
        if (c == '\n') {
            lineStart = out.size();
            continue;
        }
        if (out.size() - lineStart <= width) continue;
        // Too long: break at the last blank of the line, or, in a word
        // longer than a line, right before this character.
        std::size_t blank = c == ' ' ? out.size() - 1 : out.find_last_of(' ', out.size() - 2);
        if (blank != std::string::npos && blank > lineStart) {
            out[blank] = '\n';
            lineStart = blank + 1;
        } else {
            out.insert(out.size() - 1, 1, '\n');
            lineStart = out.size() - 1;
        }
    }
    return out;
}

void endGame(Ending how, std::initializer_list<const char*> texts, const char* thanks) {
    endPlay(how);
    // The ending's first line heads a page: the credits stop before they
    // would push it away, so how the game ended is read where it is.
    PagedOutput page;
    startPage();
    for (const char* text : texts) tellEnding(text);
    tellEnding(thanks);
    showCredits();
    printMarked("/s");
}
