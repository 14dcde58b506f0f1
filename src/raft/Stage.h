#pragma once
// What a close look at the raft tells: its stage and what the next one needs.
#include <string>

#include "world/World.h"

// True for the raft's record under any of its stage names.
bool isRaftItem(const ItemDef& item);
std::string raftStageText(const ItemDef& raft);
