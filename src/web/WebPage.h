#pragma once
// The page around the game in a browser: the console that draws into its
// terminal, the saves' sync to the browser's store, one tab per game.
#include "console/Console.h"

// The console for the page's terminal, at the size the page reported; it
// lives as long as the program, as the page may still type into it. It
// also sets the saves' sync and the claim of a game (base/SaveKeeping.h).
Console& openPage();
// Shows the last screen and tells the page the program ended: the page
// keeps that screen and offers to play again. Safe to call more than once.
void closePage();
