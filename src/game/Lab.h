#pragma once
// The laboratory: the keypad code and the two endings inside.
void labCodeCommand();
void enterLab();
