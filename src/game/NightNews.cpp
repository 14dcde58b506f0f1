#include "game/NightNews.h"

#include "console/Output.h"
#include "islanders/Handcuffed.h"
#include "world/World.h"

void tellNightsNews(bool quietNight) {
    if (quietNight) printMarked("/wNobody was killed in the night.\n");
    // Morning after morning the player sees the handcuffs hold, and can
    // judge from the nights whether they chose the right one.
    const Npc* cuffed = game.handcuffedIslander;
    if (!cuffed || !cuffed->alive()) return;
    printMarked("/Y%s is still handcuffed to the tree %s, and %s.\n", cuffed->name, treePlace(cuffed->currentRoom),
                handcuffedManner(*cuffed));
}
