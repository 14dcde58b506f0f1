#include "game/Wandering.h"

#include "base/Random.h"
#include "clock/Clock.h"
#include "game/Talk.h"
#include "islanders/Islanders.h"
#include "world/Places.h"

namespace {

bool inPlayersRoom(const Npc& npc) {
    return npc.currentRoom != nullptr && npc.currentRoom == game.player.currentRoom;
}

bool mayApproachPlayer(const Npc& npc) {
    return game.clockRunning == 1 && npc.scriptLabel == 0 && isBusy() != nullptr && npc.happiness >= 50.0 &&
           &npc != game.handcuffedIslander && game.player.currentRoom != nullptr;
}

// An islander who walked up to the player speaks first, a tick later.
void walksUp(Npc& npc) {
    game.talkingTo = &npc;
    scheduleEvent(1, resumeConversation);
}

}  // namespace

void moveIslanders(int mayApproach) {
    reseedFromClock();
    for (int i = kFirstHumanRecord; i < kIslanderCount; ++i) {
        Npc& npc = islanderRecord(i);
        if (npc.currentRoom == nullptr) continue;
        const int area = npc.currentRoom->area;
        int n = areaRoomCount(area);
        if (n < 1) n = 1;
        const int r = draw() % n;
        if (!npc.alive()) continue;

        if (mayApproach == 1 && mayApproachPlayer(npc)) {
            const Room& target = *game.player.currentRoom;
            moveIslander(npc, target.area, target.number);
            mayApproach = 0;
            walksUp(npc);
        } else if (r != npc.currentRoom->number && (game.clockRunning == 1 || !inPlayersRoom(npc)) &&
                   &npc != game.handcuffedIslander) {
            moveIslander(npc, area, r);
        }
        // The generator mixes the second into this small seed, so the next
        // islander's draw is not tied to this one's room.
        reseed(static_cast<unsigned>(r));
    }
}
