#include "game/UseHandlers.h"

#include "game/Sail.h"
#include "items/Items.h"
#include "world/Places.h"
#include "world/World.h"

namespace {

struct HandlerRow {
    const char* itemName;
    UseHandler handler;
};

// Handlers are looked up by the names the records carry now, so a saved
// game whose raft has been renamed still finds everything else.
constexpr HandlerRow kBeforeRaft[] = {
    {"coconut", useCoconut},          {"banana", useBanana},
    {"rock", useRock},                {"blade", useBlade},
    {"knife", useBlade},              {"dark insect", useDarkInsect},
    {"bright insect", useBrightInsect}, {"dark flower", useDarkFlower},
    {"bright flower", useBrightFlower}, {"axe", useAxe},
    {"handcuffs", useHandcuffs},      {"hammer", useHammer},
    {"berry", useBerry},              {"shell", useShell},
    {"bandana", useBandana},          {"glasses", useGlasses},
    {"bat guano", useBatGuano},       {"shovel", useShovel},
    {"crowbar", useCrowbar},          {"sling", useSling},
    {"pebble", usePebble},            {"broken radio", useBrokenRadio},
};

constexpr HandlerRow kAfterRaft[] = {
    {"note", useNote},       {"map", showMap},     {"torn shirt", useTornShirt},
    {"pyramid", usePyramid}, {"cube", useCube},    {"sphere", useSphere},
};

void attach(const HandlerRow& row) {
    // A missing name leaves the table as it is: that item is simply unusable.
    if (ItemDef* item = findItemByName(row.itemName)) item->useHandler = row.handler;
}

}  // namespace

void registerUseHandlers() {
    for (ItemDef& item : game.items) item.useHandler = nullptr;
    for (const HandlerRow& row : kBeforeRaft) attach(row);
    // Whatever the record at this index is called, using it sets sail.
    game.items[kRaftRecord].useHandler = useRaft;
    for (const HandlerRow& row : kAfterRaft) attach(row);
}
