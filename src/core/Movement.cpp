#include "core/Movement.h"

#include "core/Commands.h"

// Placeholders until movement is built.
void moveCommand(int) { printInvalidCommand(); }
void showRoom() {}
void lookCommand(const char*) { printInvalidCommand(); }
void listPeopleHere() {}
void printExits() {}
