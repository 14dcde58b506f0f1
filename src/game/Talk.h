#pragma once
// The talk command and the course of a conversation as the player sees
// it: the lettered choices while it is open, the room again when it closes.
#include "world/World.h"

void talkCommand(const char* argument);
void startConversation(Npc& npc);
// Starts a conversation with talkingTo (scheduled after an islander walks up).
void resumeConversation();
// A line typed while a conversation is open: one lettered choice.
void conversationChoice(const char* line);
