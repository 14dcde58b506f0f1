#include "raft/Raft.h"

#include "core/Commands.h"

// Placeholders until the raft is built.
void buildRaft() { printInvalidCommand(); }
void setSail() { printInvalidCommand(); }
void useRaft(std::string_view) { setSail(); }
