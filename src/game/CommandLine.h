#pragma once
// Lends the line editor the game's command words, the keypad's commands
// and whether play is on.
void connectCommandLine();
