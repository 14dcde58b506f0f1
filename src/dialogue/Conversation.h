#pragma once
// Scripted conversations: opening one, choices and spoken lines.
// While a conversation is open, clockRunning is 0: game time stands still
// and every typed line is read as a lettered choice.
#include <string>

#include "world/World.h"

// How opening a conversation went: the islander had no script to speak
// from, or spoke and waits for a choice, or spoke and closed at once.
// Whoever opened it shows the room again when it closed.
enum class Talk { NothingToSay, Open, Closed };
// Opens the islander's script where its label stands and speaks that node.
Talk openConversation(Npc& npc);
// Takes the lettered option (1 for A) and speaks the node it leads to;
// true while the conversation stays open.
bool answerConversation(Npc& npc, int option);

// Game paths of the script the islander speaks from today: its own
// personality script, or the shared memory script when it is today's
// memory subject. scrambled: the ".mox" file; plain: its twin to read.
struct ScriptPaths {
    std::string scrambled;
    std::string plain;
};
ScriptPaths scriptPathsFor(const Npc& npc);

// Frames and prints one spoken line (speaker letter W, Y or R).
void sayLine(char speaker, const char* text, const Npc& npc);
void runScriptAction(const char* line, Npc& npc);
