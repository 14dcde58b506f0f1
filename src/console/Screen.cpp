#include "console/Screen.h"

#include "console/MemoryConsole.h"
#include "console/Output.h"

// Placeholders until the terminal is built.
void setUpConsole() { clearScrollback(); console().setTitle("Brinefall!"); }
std::unique_ptr<Console> makeConsole() { return std::make_unique<MemoryConsole>(); }
void restoreTerminal() {}
