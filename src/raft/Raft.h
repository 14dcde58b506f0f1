#pragma once
// Building the raft and setting sail.
#include <string_view>

void buildRaft();
void setSail();
void useRaft(std::string_view text);
