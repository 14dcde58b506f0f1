#include "core/Lab.h"

#include "core/Commands.h"

// Placeholders until the laboratory is built.
void labCodeCommand() { printInvalidCommand(); }
void enterLab() {}
