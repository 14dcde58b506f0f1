#pragma once
// Moving between rooms and looking around.
void moveCommand(int direction);
void showRoom();
// argument: an item name, or nullptr / "" for the full room view.
void lookCommand(const char* argument);
void listPeopleHere();
void printExits();
