#pragma once
// The verbs players of text games type that this island does another way:
// "eat", "wait", "ask", "give", "listen", "jump", "swim" and "touch" are each
// answered in one line with the command that does work, and never do it.
void eatCommand(const char* argument);
void waitCommand(const char* argument);
void askCommand(const char* argument);
void giveCommand(const char* argument);
void listenCommand(const char* argument);
void jumpCommand(const char* argument);
void swimCommand(const char* argument);
void touchCommand(const char* argument);
