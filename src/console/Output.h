#pragma once
// printMarked: formats, word-wraps at 77 columns, interprets the colour
// markup and draws into a 300-line scrollback shown in the text area.
#include <array>
#include <string>
#include <vector>

#include "console/Format.h"
#include "console/RuntimeState.h"

Scrollback& scrollback();

void printMarkedArgs(const char* format, const FormatArg* args, std::size_t count);

template <class... Args>
void printMarked(const char* format, const Args&... args) {
    if constexpr (sizeof...(Args) == 0) {
        printMarkedArgs(format, nullptr, 0);
    } else {
        const FormatArg list[] = {FormatArg(args)...};
        printMarkedArgs(format, list, sizeof...(Args));
    }
}

// While one lives, a text taller than the text area stops with the "/s"
// pause after each screenful, so it is read from its first line on. One
// made while another lives goes on with the page the other began. After a
// text that stopped, whatever is printed next (the menu, say) goes on with
// its last page too, and stops before it would push that page's first line
// away, until the player types a line.
class PagedOutput {
public:
    PagedOutput();
    ~PagedOutput();
    PagedOutput(const PagedOutput&) = delete;
    PagedOutput& operator=(const PagedOutput&) = delete;
};

// While one lives, prints fill the scrollback and the text area is drawn
// once, when the last one ends (or earlier, when a line is to be typed),
// so a command's output costs one scroll of the screen, not one a print.
class HeldOutput {
public:
    HeldOutput();
    ~HeldOutput();
    HeldOutput(const HeldOutput&) = delete;
    HeldOutput& operator=(const HeldOutput&) = delete;
};
// A line is being typed: the last page of a tall text has been seen.
void endCarriedPage();
// Draws what a HeldOutput kept back; nothing when there is nothing.
void showHeldOutput();

void scrollViewUp();
void scrollViewDown();
// PageUp and PageDown: a text area's height less one line.
void scrollViewPageUp();
void scrollViewPageDown();
// The console's height changed to `rows`: the layout follows it and the
// whole screen is drawn again, the view on the newest lines. Nothing of
// the scrollback is lost; the line editor draws its row when it wakes.
void fitScreenToHeight(int rows);

// The wrap pass, given the column already used on the current line.
void wrapMarkedText(std::string& text, int startColumn);

// Colour letter -> index 0..15, or -1. Background letters include 'e'.
int foregroundIndex(char letter);
int backgroundIndex(char letter);
std::uint16_t foregroundAttr(int index);
std::uint16_t backgroundAttr(int index);

// Text with the markup removed ("//" -> "/", "@@" -> "@", pauses dropped)
// and a line break where the wrap took out a blank at the line's end.
std::string stripMarkup(const std::string& text);
// Text shown as it is, its markup characters doubled ("/" -> "//", "@" -> "@@"): a path, say.
std::string markupLiteral(std::string_view text);
