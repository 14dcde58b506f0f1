#include "game/Days.h"

#include <string>

#include "base/Random.h"
#include "clock/Clock.h"
#include "console/Output.h"
#include "console/Screen.h"
#include "dialogue/Moods.h"
#include "game/Ending.h"
#include "game/MorningTexts.h"
#include "game/NightNews.h"
#include "islanders/Islanders.h"
#include "world/Places.h"
#include "world/RoomPhrase.h"
#include "world/World.h"

namespace {

constexpr int kFirstMurderDay = 4;
constexpr int kStarvationDay = 17;
constexpr double kMurderHostility = 65.0;
constexpr double kMurderHappiness = 35.0;

bool isLivingHuman(const Npc* npc) {
    return npc && npc->npcIndex >= 1 && npc->npcIndex < kIslanderCount && npc->alive();
}

// A random living human islander dies. When nobody is left to pick, the
// draw falls back on today's memory subject, which may be the Dog or a
// corpse: then nobody dies rather than killing the Dog or a dead man twice.
void killRandomIslander() {
    Npc* victim = pickRandomIslander(1);
    if (isLivingHuman(victim)) killIslander(*victim);
}

void pickMemorySubject() {
    Npc* subject = pickRandomIslander(0);
    if (subject) game.memorySubject = subject;
}

void placeItem(Place place, int record) {
    addToList(roomAt(place)->items, &game.items[static_cast<std::size_t>(record)]);
}

// The morning of days 2 to 16: its text and the events around it.
void tellMorning(int day) {
    if (day == 3) killRandomIslander();
    printMarked("%s", morningText(day));
    switch (day) {
    case 4:
        placeItem(kCampfire, kCrateRecord);
        pickMemorySubject();
        break;
    case 6:
        placeItem(kCoveHeart, kNoteRecord);
        pickMemorySubject();
        break;
    case 7:
    case 9:
    case 10:
    case 14:
    case 15:
        pickMemorySubject();
        break;
    default:
        break;
    }
}

// Where a body lies, as the morning tells it: "at the campfire", or
// "where you woke".
std::string placeOf(const Room* room) {
    if (!room || room->name.empty()) return "where nobody has found it yet";
    return roomPhrase(*room);
}

// After the morning's own text: who was killed in the night, and where.
void tellNightsDeath(const Npc* victimBefore) {
    const Npc* victim = game.lastVictim;
    if (!victim || victim == victimBefore) return;
    printMarked("/RIn the night %s was killed. The body lies %s.\n", victim->name, placeOf(victim->currentRoom));
}

void starve() {
    endGame(Ending::Starved,
            {"/RYou don't wake up this morning.  You have starved to death.  Your bones will lie here for eternity. And then the island explodes.\n"},
            "/YThanks for playing!  Team Tidewright hopes you enjoyed BRINEFALL!\n");
}

}  // namespace

void openingScene() {
    printMarked("\nYou slowly wake up to the sound of waves lapping on a beach. It feels almost as if you are waking from one dream into another. You look around you and see that you are not in a dream but, in fact, are lying on the beach of a tropical island.  You see a lush jungle a ways up the beach and a high mountain rising up a long ways off.  This all seems very strange and yet, you cannot remember what you are doing here or how you arrived. Your clothes look a bit ragged but they will be fine for now. It hurts a bit as you stand up, as if you had fallen here, but there are no signs of heavy impact where you were lying.  By the looks of it, it is around noon, so you figure you have the rest of the day to get a feel for the island and see what is going on here.  Good luck.\n\n");
    roomAt(kScientistsRest)->description.append(" A man's body lies motionless in the sand. He looks like some sort of scientist.");
}

bool nightMurder() {
    Npc* murderer = game.murderer;
    if (!murderer || !murderer->alive() || murderer == game.handcuffedIslander) return false;
    if (murderer->hostility < kMurderHostility || murderer->happiness > kMurderHappiness) return false;

    reseedFromClock();
    int r = draw() % (game.islanderCount + 1 > 0 ? game.islanderCount + 1 : 1);
    if (r != 0) {
        killRandomIslander();
        return false;
    }
    endGame(Ending::Murdered,
            {"In the middle of the night you wake up to footsteps coming near you.  You open your eyes but all you can make out is the outline of a dark figure.  The figure whispers something that you could not make out and before you can react the figure jumps on top of you.  The figure pulls from the darkness a knife and kills you in cold blood. And then the island explodes.\n"});
    return true;
}

void startNewDay() {
    ++game.day;
    showDayInFrame();
    const Npc* victimBefore = game.lastVictim;
    if (game.day >= kFirstMurderDay && nightMurder()) return;
    if (game.day == kStarvationDay) {
        starve();
        return;
    }
    if (morningText(game.day)) tellMorning(game.day);
    tellNightsDeath(victimBefore);
    if (morningText(game.day)) tellNightsNews(game.day >= kFirstMurderDay && game.lastVictim == victimBefore);
    driftMoods();
}

void showDayInFrame() { setFrameTitle(("Day " + std::to_string(game.day)).c_str()); }

namespace {
// The first day begins when the player comes to, around noon by the sun;
// every later one at waking.
const char* timeOfDay(int day, int tickOfDay) {
    if (tickOfDay < kNoonTick) return day == 1 ? "around noon" : "morning";
    if (tickOfDay < kDuskTick) return "afternoon";
    if (tickOfDay < kBedtimeTick) return "evening";
    return "night";
}
}  // namespace

void timeCommand() {
    int tickOfDay = game.tick - (game.day - 1) * kTicksPerDay;
    int foodDays = kStarvationDay - game.day;  // today included
    printMarked("/wIt is /Yday %d/w, %s.\n", game.day, timeOfDay(game.day, tickOfDay));
    if (foodDays > 1)
        printMarked("/wThe food will last /Y%d more days/w, today included.\n", foodDays);
    else
        printMarked("/RToday the last of the food is eaten.\n");
}
