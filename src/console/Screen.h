#pragma once
// The screen: frame, text area, scroll bar and prompt, as tall as the console.
#include "console/RuntimeState.h"

// Lays the screen out for the console's height and draws it, with the text area empty.
void setUpConsole();
// The frame, the scroll bar and the prompt at the layout in force, the
// cursor after the prompt; a resize draws them again.
void drawScreenFrame();
// A short text in the middle of the frame's top line ("Day 3"); empty for none.
// setUpConsole clears it; the loaded game sets its day.
void setFrameTitle(const char* title);
// What endProgramNow calls first to give the terminal back (none: nothing).
void setProgramEndHook(void (*restore)());
// Ctrl+C, Alt+F4 and "quit" from the menu: the terminal put back, status 0, nothing saved.
[[noreturn]] void endProgramNow();
