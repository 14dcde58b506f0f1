#pragma once
// The conversation scripts as the data build leaves them, read back through
// the game's own codec and script reader.
#include <string>
#include <vector>

#include "dialogue/Script.h"

// Every script file: the seventeen personality files, the Dog's included, and the memory script.
extern const std::vector<std::string> kAllScripts;

// The plain text of a built script, unscrambled in memory; empty (and a
// test failure) when the build left no such file.
std::string builtScript(const std::string& name);

// One node as the game reads it, with where it stands.
struct ReadNode {
    int day = 0;
    int label = 0;
    ScriptNode node;
};

// Every node a conversation can reach on each day, label 0 first, then in
// the order they are reached; the shared label 999 once, as day 0.
std::vector<ReadNode> reachableNodes(const std::string& text);

// The laboratory code however a voice says it: digits or number words, run
// together or set apart by blanks and punctuation ("five, eight, three, oh",
// "5-8-3-0"). Three of its digits in a row are enough to give it away.
bool mentionsLabCode(const std::string& text);
