#pragma once
// A game with hand-placed islanders, for the islander and mood tests.
#include "TestSupport.h"
#include "islanders/Islanders.h"

class IslanderTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        game.islanders[0].name = "Dog";
        game.islanderCount = kIslanderCount;
        makeRoom(0, 8, "South Beach");
        shapeIsland();
    }

    // Puts islander `index` into room (area, number) with everyday moods.
    Npc& place(int index, const char* name, int area, int number, int gender = 1) {
        Npc& npc = game.islanders[static_cast<std::size_t>(index)];
        npc = Npc{};
        npc.name = name;
        npc.npcIndex = index;
        npc.gender = gender;
        npc.moodRate = 0.2;
        Room& room = *roomAt(area, number);
        npc.currentRoom = &room;
        addToList(room.occupants, &npc);
        return npc;
    }

    // An islander the player has talked with, so gifts are possible.
    Npc& friendly(int index, const char* name, double happiness, double hostility = 0) {
        Room& here = *game.player.currentRoom;
        Npc& npc = place(index, name, here.area, here.number);
        npc.moodRate = 0.198;
        npc.happiness = happiness;
        npc.hostility = hostility;
        return npc;
    }

    Room& playerRoom() { return *game.player.currentRoom; }
};
