#pragma once
// Moving between rooms and looking around.
void moveCommand(int direction);
void showRoom();
// argument: an item name, or nullptr / "" for the full room view.
void lookCommand(const char* argument);
void listPeopleHere();
void printExits();
// Verbose: entering a room also lists what lies there and who is here.
// Off at start; the choice lasts for the run, not in the save.
void verboseCommand();
void briefCommand();
