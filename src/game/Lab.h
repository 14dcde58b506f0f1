#pragma once
#include <string>

// The laboratory: the keypad code and the two endings inside.
void labCodeCommand();
// A number typed at the keypad that is not the code: the keypad answers it,
// and true is returned. Anything else, or anywhere else: false.
bool wrongLabCode(const std::string& word);
void enterLab();
