#include "dialogue/Conversation.h"

#include "console/Output.h"
#include "core/Commands.h"

// Placeholders until conversations are built.
void talkCommand(const char*) { printInvalidCommand(); }
void startConversation(Npc&) {}
void answerChoice(Npc&, int) {}
void resumeConversation() {}
void conversationChoice(const char*) { printMarked("/c\nYou must enter a valid choice\n"); }
void sayLine(char, const char*, const Npc&) {}
void runScriptAction(const char*, Npc&) {}
