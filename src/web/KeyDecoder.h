#pragma once
// The bytes a page's terminal sends for the keys, read as a terminal's
// are: printable characters, Enter, Backspace, the arrows and Page Up and
// Down as xterm sends them, the number pad in application keypad form
// (ESC O p..y, k, m, M: the page sends those itself, as xterm.js gives the
// pad's keys the main keyboard's bytes), and the wheel as xterm's mouse
// report (ESC [ < 64 or 65 ; x ; y M).
#include <string>

#include "console/Console.h"

// Takes the first key off `bytes`; Type::None when there is none. Bytes
// come in whole sequences, so an escape left alone is the Escape key.
InputEvent takeKey(std::string& bytes);
