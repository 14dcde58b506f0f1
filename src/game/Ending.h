#pragma once
// The end of play. The game remembers how it ended, so that its final
// save is the save of a finished game, and keeps the ending's text, so
// that the program can print it once more on the terminal's own screen
// after the game's screen is gone.
#include <initializer_list>
#include <string>
#include <string_view>

#include "console/Output.h"
#include "world/EndingNames.h"
#include "world/World.h"

// Ends play: the command or tick under way finishes and nothing more runs.
// Starts a fresh ending text, and records the ending at once.
void endPlay(Ending how);
// What records an ending the moment play ends (the main loop saves the
// finished game, so that a program stopped during the ending's pauses
// leaves no save to play on); nullptr for nothing.
void setEndingRecorder(void (*record)());

void keepEndingText(const std::string& markedText);
// Prints part of an ending's text, as printMarked does, and keeps it.
template <class... Args>
void tellEnding(const char* format, const Args&... args) {
    std::string text;
    if constexpr (sizeof...(Args) == 0) {
        formatMarked(format, nullptr, 0, text);
    } else {
        const FormatArg list[] = {FormatArg(args)...};
        formatMarked(format, list, sizeof...(Args), text);
    }
    printMarked("%s", text);
    keepEndingText(text);
}

// The ending's text without colour codes or pauses, in lines of the
// game's text width; "" while play has not ended.
std::string plainEndingText();
// Breaks plain text into lines of at most width characters at blanks.
std::string wrapPlainText(std::string_view text, std::size_t width);

// The game's thanks after an ending on the island.
inline constexpr const char* kThanks = "Thanks for playing!  Team Tidewright hopes you enjoyed BRINEFALL!\n";
// An ending on the island (the night murder, starvation, the laboratory):
// play ends as `how`, its texts are told and kept, then the thanks, the
// credits and a pause for a key before the screen goes.
void endGame(Ending how, std::initializer_list<const char*> texts, const char* thanks = kThanks);

