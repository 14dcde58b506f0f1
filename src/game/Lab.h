#pragma once
#include <string>

// The laboratory: the keypad code and the two endings inside.
void labCodeCommand();
// A word of digits that is not the code: the keypad answers it where it
// shows, and anywhere else it is typed into thin air, as the code is there.
// False for a word that is not all digits.
bool numberTyped(const std::string& word);
void enterLab();
