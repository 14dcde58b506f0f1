#pragma once
// Saving with the player told when it fails. An autosave that fails says
// so once, with the reason, and the next one that works says that the game
// is saved again; failures in between stay quiet. The final save always
// tells its failure.
#include <string>

// True when the game was saved.
bool autosaveAndReport();
bool finalSaveAndReport();
// The player asked for it: a failure is always told.
bool saveNowAndReport();
// The line that told the player so (it says the last save is kept only
// when there is one), "" after a save that worked.
const std::string& lastSaveFailureLine();
// The game was loaded from its save, which is there to fall back on.
void noteLoadedSave();
