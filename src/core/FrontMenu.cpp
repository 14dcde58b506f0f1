#include "core/FrontMenu.h"

// Placeholders until the menu is built.
int frontMenu() { return 1; }
void showHelp() {}
void showCredits() {}
