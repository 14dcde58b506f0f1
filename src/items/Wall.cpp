#include "items/Wall.h"

#include "world/Places.h"
#include "world/World.h"

namespace {

constexpr const char* kTally = " Scratched beside them are tally marks: five strokes, eight, three, then an empty ring.";

struct Slot {
    const std::int16_t& placed;
    const char* full;
    const char* empty;
};

std::string slotSentences() {
    const Slot slots[] = {
        {game.pyramidPlaced, " The pyramid sits snug in the triangle.", " The triangle is empty."},
        {game.cubePlaced, " The cube fills the square.", " The square is empty."},
        {game.spherePlaced, " The sphere rests in the round hollow.",
         " The round hollow is empty, lined with black glass like the floor of the sea cave at the rocky point in the "
         "southwest."},
    };
    std::string text;
    for (const Slot& slot : slots) text += slot.placed == 1 ? slot.full : slot.empty;
    return text;
}

bool isOneOf(std::string_view name, std::initializer_list<std::string_view> names) {
    for (std::string_view n : names)
        if (name == n) return true;
    return false;
}

}  // namespace

WallState wallState() {
    const Room* wall = roomAt(kKeypadWall);
    if (wall && wall->exits[North] && wall->exits[North] == roomAt(kLaboratory)) return WallState::Open;
    const int placed = game.pyramidPlaced + game.cubePlaced + game.spherePlaced;
    if (placed == 3) return WallState::KeypadShown;
    return placed > 0 ? WallState::SomeShapes : WallState::Bare;
}

const char* wallRoomName(WallState state) {
    switch (state) {
    case WallState::Bare:
    case WallState::SomeShapes: return "Slotted Wall";
    case WallState::KeypadShown: return "Keypad Wall";
    case WallState::Open: return "Open Wall";
    }
    return "Slotted Wall";
}

void describeWall() {
    Room* wall = roomAt(kKeypadWall);
    if (!wall || wall->name.empty()) return;  // a world without the wall
    const WallState state = wallState();
    // A save from before the name followed the wall still says "Keypad Wall".
    wall->name = wallRoomName(state);
    std::string text;
    switch (state) {
    case WallState::Bare: return;
    case WallState::SomeShapes:
        text = "A sheer wall of rock rises to the north, three slots set into its smooth face.";
        text += slotSentences();
        text += kTally;
        break;
    case WallState::KeypadShown:
        text = "A sheer wall of rock rises to the north. The pyramid, the cube and the sphere sit in its three "
               "slots, and beside them a small keypad of ten stone keys has slid out of the rock.";
        text += kTally;
        text += " The hum behind the stone has deepened, as if something is waiting.";
        break;
    case WallState::Open:
        text = "Where the sheer wall stood, a section of the rock has slid away to the north, and a faintly lit "
               "hallway runs into the mountain. The three shapes still sit in their slots; the keypad has sunk back "
               "into the stone.";
        text += kTally;
        break;
    }
    wall->description = text;
}

std::optional<std::string> wallLookText(std::string_view name) {
    const WallState state = wallState();
    if (isOneOf(name, {"keypad", "keys", "panel"})) {
        switch (state) {
        case WallState::Bare:
        case WallState::SomeShapes:
            return "There is no keypad here to see: only the sheer wall, its three slots and the tally marks beside "
                   "them.";
        case WallState::KeypadShown:
            return "A small panel of ten stone keys, 0 to 9, has slid out of the rock beside the slots. It waits for "
                   "a number, and a number is typed on its own, with nothing before it.";
        case WallState::Open: return "The keypad has sunk back into the stone beside the slots. It has done its work.";
        }
    }
    if (state == WallState::Bare) return std::nullopt;
    if (isOneOf(name, {"slots", "slot", "triangle", "square", "hollow"}))
        return "Three hollows a hand deep: a triangle, a square and a round one lined with black glass." + slotSentences();
    if (isOneOf(name, {"wall", "stone"})) {
        switch (state) {
        case WallState::SomeShapes:
            return "Too smooth and too square to be the mountain's own work. Since the first shape clicked home, the "
                   "slow vibration under your palm has quickened, like a machine stirring in its sleep.";
        case WallState::KeypadShown:
            return "Too smooth and too square to be the mountain's own work. The vibration under your palm is strong "
                   "and even now, like a machine that is awake and waiting.";
        default:
            return "A section of the wall has slid aside on hidden runners, as neatly as a door. Cool air breathes "
                   "out of the hallway beyond, smelling of oil and dust.";
        }
    }
    return std::nullopt;
}
