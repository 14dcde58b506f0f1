#pragma once
// What the player sees of the islander handcuffed to a tree: where they
// sit and how they take it.
#include <string>

#include "world/World.h"

bool isHandcuffed(const Npc& npc);

// How they take the tree, in a few words of their personality's own:
// "rattles the chain at you, swearing".
const char* handcuffedManner(const Npc& npc);

// Where the tree stands, as a sentence goes on after "the tree": "at the
// Watch Post", "where you woke", "behind the fence".
std::string treePlace(const Room* room);
