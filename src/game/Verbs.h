#pragma once
// The verbs players of text games type that the island answers with a
// hint: "open", "pry", "climb" and "dig" say in one line what would do it,
// never do it themselves.
void openCommand(const char* argument);
void pryCommand(const char* argument);
void climbCommand(const char* argument);
void digCommand(const char* argument);
