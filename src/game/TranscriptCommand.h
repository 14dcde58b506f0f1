#pragma once
// "transcript": starts a record of the game's text and the player's lines,
// or stops the one kept and says where it is. The terminal writes it as it
// goes to a file beside the saves named after the player and the day; the
// page keeps it and offers it as a download when it stops.
#include <string>

bool transcriptCommand(const char* argument);
// The game ended: a transcript still kept stops as the command stops it.
void finishTranscript();
// "Sam-2026-12-08.txt": the player's name and the local date.
std::string transcriptFileName();
