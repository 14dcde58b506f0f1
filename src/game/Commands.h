#pragma once
// The command dispatcher: one typed line, one action.
void dispatchCommand(const char* line);
void printInvalidCommand();
