#pragma once
// The rooms, areas, catalogue records and islanders' roles the game's
// rules depend on, each named once here. The world file and the saves
// refer to them by these numbers, so the numbers never change; a content
// change that moves one of them breaks PlacesTest instead of a rule.
// Nowhere else in src/ is a room pair, a record index or an islander's
// record written as a number (tools/check_layers.sh checks).
#include "world/World.h"

// Rooms
constexpr Place kWhereYouWoke{0, 8};      // a new game begins here
constexpr Place kCoveHeart{1, 6};         // the note washes up here on day 6
constexpr Place kCargoScatter{7, 1};      // its crates were split open before the player came
constexpr Place kCampfire{6, 13};         // the crate turns up here on day 4
constexpr Place kScientistsRest{7, 5};    // the opening leaves a body lying here
constexpr Place kCrystalGrotto{10, 2};   // its pedestal's three-sided cup held the pyramid
constexpr Place kFenceCorner{9, 13};     // the fence's last post, where it turns
constexpr Place kKeypadWall{9, 7};        // the shapes' slots; its north exit opens to the laboratory
constexpr Place kFence{11, 0};            // dug under with the shovel, its northeast exit opens
constexpr Place kBehindTheFence{11, 5};   // where that exit leads
constexpr Place kTheDoor{11, 7};          // pried with the crowbar, its east exit opens to the laboratory
constexpr Place kLaboratory{12, 0};       // entering it ends the game

// Islanders: the records of game.islanders the rules take by role. The
// saves keep the islanders in record order and take the murderer to be
// record 1: never renumber them.
constexpr int kDogRecord = 0;         // the Dog: no gifts, never murdered, no one to gossip about
constexpr int kMurdererRecord = 1;    // whoever the roster put there
constexpr int kFirstHumanRecord = 1;  // the humans are the records from here to the end
constexpr int kHumanCount = kIslanderCount - kFirstHumanRecord;  // 8

inline Npc& islanderRecord(int record) { return game.islanders[static_cast<std::size_t>(record)]; }
inline Npc& theDog() { return islanderRecord(kDogRecord); }
inline bool isTheDog(const Npc& npc) { return &npc == &theDog(); }
inline bool isHumanRecord(int record) { return record >= kFirstHumanRecord && record < kIslanderCount; }

// Areas
// A raft can be started on the beach where the player woke, the western cove
// and the eastern shore.
constexpr int kSailingAreas[] = {0, 1, 3};
// An unhappy islander spends the night in one of the areas below this one:
// the fence's area and the laboratory's are out of its reach.
constexpr int kNightAreaCount = 11;

// Catalogue records the rules take by index, whatever their names are now.
constexpr int kRaftRecord = 32;   // using it sets sail, under any stage name
constexpr int kCrateRecord = 33;  // the crate of day 4
constexpr int kNoteRecord = 34;   // the note of day 6
