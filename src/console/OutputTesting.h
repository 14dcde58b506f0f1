#pragma once
// Tests only: reading back what printMarked drew and printed.
#include <string>

// The text of scrollback line i (0 oldest .. 299 newest), trailing blanks trimmed.
std::string scrollbackLine(int i);
// Every formatted text printed since the last call, codes included.
void setOutputCapture(bool on);
std::string takeCapturedOutput();
