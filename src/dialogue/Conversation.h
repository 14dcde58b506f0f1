#pragma once
// Scripted conversations: the talk command, choices and the script reader.
#include "core/World.h"

void talkCommand(const char* argument);
void startConversation(Npc& npc);
void answerChoice(Npc& npc, int option);
void resumeConversation();
// A line typed while a conversation is open: one lettered choice.
void conversationChoice(const char* line);

// Frames and prints one spoken line (speaker letter W, Y or R).
void sayLine(char speaker, const char* text, const Npc& npc);
void runScriptAction(const char* line, Npc& npc);
