#pragma once
// Ties the catalogue to its use handlers, by the names the records carry.
// Every handler is cleared first; the raft's record sets sail.
void registerUseHandlers();
