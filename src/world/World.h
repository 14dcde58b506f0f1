#pragma once
// The whole game lives in one GameState of fixed tables: 325 rooms,
// 9 islanders and a catalogue of 60 item kinds. Objects refer to each
// other by plain pointers into these tables.
#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/FixedText.h"
#include "base/PtrList.h"
#include "base/Text.h"

constexpr int kAreaCount = 13;
constexpr int kRoomsPerArea = 25;
constexpr int kRoomCount = kAreaCount * kRoomsPerArea;
constexpr int kItemCount = 60;
constexpr int kIslanderCount = 9;
constexpr int kInventoryCapacity = 20;
constexpr int kRoomItemCapacity = 20;
constexpr int kOccupantCapacity = 9;
constexpr int kRecipeSlots = 5;

enum Direction : int {
    North = 0, Northeast, East, Southeast, South, Southwest, West, Northwest
};
constexpr int kDirectionCount = 8;
inline int oppositeDirection(int d) { return (d + 4) % 8; }

struct ItemDef;
struct Npc;
struct Room;

// A room by its pair: its area and its number within the area. The rooms
// the rules name are declared once, in world/Places.h.
struct Place {
    int area = 0;
    int number = 0;
};

// A use handler receives what followed the item name: " on tree", or "".
using UseHandler = void (*)(std::string_view text);
using EventCallback = void (*)();

struct CombineRecipe {
    ItemDef* withItem = nullptr;
    ItemDef* resultItem = nullptr;
    FixedText<160> message;
};

struct ItemDef {
    FixedText<20> name;
    FixedText<256> description;
    std::int32_t catalogueIndex = 0;
    std::int32_t portable = 0;
    UseHandler useHandler = nullptr;
    std::array<CombineRecipe, kRecipeSlots> recipes{};
};

struct Npc {
    double tolerance = 0;
    double hostility = 0;
    double happiness = 0;
    double moodRate = 0;
    double happinessBase = 0;
    double hostilityBase = 0;
    FixedText<36> personalityFile;
    FixedText<16> name;
    std::int32_t scriptLabel = 0;
    std::int32_t npcIndex = 0;
    std::int32_t gender = 0;  // 0 either, 1 male, 2 female, -1 dead
    std::int32_t gaveGift = 0;
    Room* currentRoom = nullptr;

    bool alive() const { return gender != -1; }
};

struct Room {
    std::int16_t area = 0;
    std::int16_t number = 0;
    FixedText<20> name;
    FixedText<384> description;
    PtrList<Npc> occupants;
    PtrList<ItemDef> items;
    std::array<Room*, kDirectionCount> exits{};

    bool is(int a, int r) const { return area == a && number == r; }
    bool is(Place place) const { return is(place.area, place.number); }
};

struct Player {
    FixedText<20> name;
    PtrList<ItemDef> inventory;
    Room* currentRoom = nullptr;
};

// The one pending piece of work whose progress the clock reports. A craft
// keeps its completion here, so nothing else the clock schedules can take
// its place, and it runs on the tick that prints the finish text.
struct WorkTask {
    std::int32_t interval = 1;
    std::int32_t remaining = 0;
    FixedText<160> progressText;
    FixedText<160> finishText;
    EventCallback completion = nullptr;
};

// How play ended; None while it goes on, and when it stopped by quitting.
enum class Ending : std::uint8_t { None, Escaped, LostAtSea, LabWon, LabLost, Murdered, Starved };

// The single callback the clock runs when its tick comes.
struct ScheduledEvent {
    std::int32_t dueTick = -1;
    EventCallback callback = nullptr;
};

struct GameState {
    std::atomic<int> running{0};
    Ending ending = Ending::None;
    std::int16_t debugMode = 0;
    bool verboseRooms = false;  // entering a room also lists its items and people ("verbose")
    Player player;
    Npc* talkingTo = nullptr;
    std::int16_t pyramidPlaced = 0;
    std::int16_t cubePlaced = 0;
    std::int16_t spherePlaced = 0;
    std::int16_t raftState = 0;
    std::atomic<int> clockRunning{0};
    std::int16_t optionCount = 0;
    std::array<Room, kRoomCount> rooms{};
    std::array<Npc, kIslanderCount> islanders{};
    std::array<ItemDef, kItemCount> items{};
    std::int32_t islanderCount = 0;
    std::int32_t day = 1;
    std::int32_t tick = 0;
    Npc* murderer = nullptr;
    Npc* memorySubject = nullptr;
    Npc* lastVictim = nullptr;
    Npc* handcuffedIslander = nullptr;
    std::int32_t busyUntil = 0;
    FixedText<160> busyMessage;
    WorkTask work;
    ScheduledEvent event;
};

extern GameState game;

// Room (area, number), or nullptr when the pair is outside the table.
Room* roomAt(int area, int number);
inline Room* roomAt(Place place) { return roomAt(place.area, place.number); }
// The rooms in use of an area: rooms 0..n-1, up to the first one the world
// leaves empty. 0 for an area outside the table.
int areaRoomCount(int area);

// Empties every list and field: the state of a freshly started program.
void resetGameState();
// (Re)creates the inventory and all room lists, empty.
void initAllLists();
void freeAllLists();

ItemDef* findItemByName(std::string_view name);
// The item's description when it is carried or lies in the current room.
const char* describeItemIfPresent(std::string_view name);
void connectRooms(Room& a, Room& b, int direction);

// Held in the inventory, or lying in the current room.
bool isItemPresent(std::string_view name);
int heldCount(std::string_view name);
// Takes one unit of the named item out of the inventory; false when none held.
bool takeFromInventory(std::string_view name);
// Puts one unit of the named item into the current room; false when full or unknown.
bool putInCurrentRoom(std::string_view name);
