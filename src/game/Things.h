#pragma once
// The things a room's description names that matter to the story (the
// body, the fence, the slots...), each with a closer look of its own.
// They are read from Data/things.txt; they are not items and never move.
#include <functional>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

#include "game/RunState.h"
#include "world/World.h"


// One record a line: "area room|name, other name|text". Blank lines and
// lines starting with '#' are skipped, and so are malformed records.
std::vector<Thing> readThings(std::istream& in);
// What is wrong with the text of Data/things.txt, "" when nothing: every
// record well formed and in a room the island has (isRoom says which).
std::string thingsProblem(const std::string& text, const std::function<bool(int, int)>& isRoom);
// Reads Data/things.txt; a missing file leaves the island without closer looks.
void loadThings();
void setThings(std::vector<Thing> things);
const std::vector<Thing>& things();
// The thing of that name in this room, or nullptr.
const Thing* findThing(const Room& room, std::string_view name);
// True when the words appear whole in the text ("palm" in "Palms lean", not in "napalm").
bool textMentions(std::string_view text, std::string_view words);
