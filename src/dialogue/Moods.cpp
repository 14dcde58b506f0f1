// Islander moods: what a conversation choice does to them, how they relax
// each morning, and where they go at bedtime.
#include "dialogue/Moods.h"

#include <cmath>

#include "base/Random.h"
#include "islanders/Islanders.h"
#include "world/Places.h"

namespace {

// Moves one mood toward its base, never past it. A mood above zero moves
// by the rate's share of itself. At or below zero that share is nothing or
// points away from the base, so such a mood moves by the rate's share of
// its distance from the base instead.
void relax(double& mood, double base, double rate) {
    const double step = rate * (mood > 0 ? mood : std::fabs(base - mood));
    if (mood >= base) {
        mood -= step;
        if (mood < base) mood = base;
    } else {
        mood += step;
        if (mood > base) mood = base;
    }
}

// The room an islander takes when it crosses into another area: its own
// number where the area has that room, else the area's last room, so it
// never stands in a room that no exit leads to.
int roomNumberIn(int area, int number) {
    const int rooms = areaRoomCount(area);
    return number < rooms ? number : rooms - 1;
}

}  // namespace

void applyMoodChange(Npc& npc, std::string_view key, int amount) {
    double damping = npc.tolerance * 0.01;
    if (damping < 1) damping = 1;
    if (damping > 3) damping = 3;

    if (key == "ha") {
        npc.happiness += amount >= 0 ? amount : amount / damping;
    } else if (key == "ho") {
        npc.hostility += amount <= 0 ? amount : amount / damping;
    } else if (key == "to") {
        npc.tolerance += amount;
    }
}

void driftMoods() {
    for (Npc& npc : game.islanders) {
        if (npc.scriptLabel != 0) {
            relax(npc.happiness, npc.happinessBase, npc.moodRate);
            relax(npc.hostility, npc.hostilityBase, npc.moodRate);
            npc.scriptLabel = 0;
        }
        npc.gaveGift = 0;
    }
}

void relocateForNight(Npc& npc) {
    const Room* player = game.player.currentRoom;
    if (player == nullptr || npc.currentRoom == nullptr) return;
    const int ownArea = npc.currentRoom->area;
    const int ownNumber = npc.currentRoom->number;

    if (npc.happiness >= 50) {
        if (ownArea != player->area) moveIslander(npc, player->area, roomNumberIn(player->area, ownNumber));
        return;
    }
    int area = draw() % kNightAreaCount;
    while (area == player->area) area = draw() % kNightAreaCount;
    if (area != ownArea) moveIslander(npc, area, roomNumberIn(area, ownNumber));
}
