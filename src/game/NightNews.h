#pragma once
// What a morning tells after its own text and the night's death, if any:
// that the night was quiet, and how the islander handcuffed to a tree, if
// still alive, is taking it.

// quietNight: a night the murderer could have struck, and nobody died.
void tellNightsNews(bool quietNight);
