#pragma once
// Where something lies, as a sentence says it: "at the campfire", "at the
// fence", "behind the fence", "where you woke". Every room's name makes one.
#include <string>

#include "world/World.h"

std::string roomPhrase(const Room& room);
