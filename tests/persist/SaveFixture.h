#pragma once
// A game test with a private Data directory and a few ways to fill the
// tables the way a game in progress would.
#include <string>

#include "TestSupport.h"
#include "base/Paths.h"
#include "base/Codec.h"
#include "persist/Persist.h"
#include "base/CodecTesting.h"

// The load list with every line described, as the menu shows it.
inline std::vector<ListedSave> describedSaves() {
    std::vector<ListedSave> saves = listSavedGames();
    for (ListedSave& save : saves) describeListedSave(save);
    return saves;
}

class SaveTest : public GameTest {
protected:
    PrivateDataDir data;

    void TearDown() override {
        stopWritesBeforeRename(false);
        GameTest::TearDown();
    }

    Npc& islander(int index) { return game.islanders[static_cast<std::size_t>(index)]; }
    ItemDef& item(int index) { return game.items[static_cast<std::size_t>(index)]; }

    void setIslander(int index, const char* name, const char* personality, int gender, Room* room) {
        Npc& npc = islander(index);
        npc.name = name;
        npc.personalityFile = personality;
        npc.gender = gender;
        npc.npcIndex = index;
        npc.currentRoom = room;
        if (room && gender != -1) addToList(room->occupants, &npc);
    }

    // A game in progress: slot gaps, a dead islander, recipes, the three
    // islander references, raft work and rooms with and without exits.
    void buildRichWorld() {
        for (int i = 0; i < kItemCount; ++i) makeItem(i, ("thing" + std::to_string(i)).c_str(), "Just a thing.");
        makeItem(0, "rock", "A plain grey rock.");
        makeItem(1, "stick", "A dry stick.");
        makeItem(2, "Wood", "Some wood.", 0);
        makeItem(33, "Corpse of Frank", "He is dead.", 0);
        item(0).recipes[0] = {&item(1), &item(2), "You bind the stick to the rock."};
        item(0).recipes[3] = {&item(33), &item(2), "Odd, but it works."};
        item(1).recipes[4] = {&item(0), &item(2), "Again."};

        Room& beach = makeRoom(0, 8, "South Beach", "Sand stretches east and west.");
        Room& cove = makeRoom(1, 6, "West Cove", "A quiet cove.");
        Room& camp = makeRoom(6, 13, "Camp", "Tents and a fire pit.");
        makeRoom(12, 24, "Far corner", "The last room of the table.");
        connectRooms(beach, cove, West);
        connectRooms(beach, camp, North);
        beach.exits[Southeast] = roomAt(12, 24);

        setIslander(0, "Dog", "Data\\Dog.txt", 0, &beach);
        setIslander(1, "Frank", "Data\\Angry.txt", 1, &camp);
        setIslander(2, "Monica", "Data\\Doctor.txt", 2, &camp);
        setIslander(3, "Bert", "Data\\Convict.txt", -1, nullptr);  // dead
        setIslander(4, "Alexis", "Data\\Perky.txt", 2, &cove);
        setIslander(5, "Tom", "Data\\Nerd.txt", 0, &camp);
        setIslander(6, "Jose", "Data\\Jock.txt", 1, &beach);
        setIslander(7, "Trish", "Data\\Silent.txt", 2, &cove);
        setIslander(8, "Slade", "Data\\Soldier.txt", 1, &camp);
        for (int i = 0; i < kIslanderCount; ++i) {
            islander(i).tolerance = 10 + i;
            islander(i).hostility = 20.5 - i;
            islander(i).happiness = -3.25 * i;
            islander(i).moodRate = 0.2 - 0.002 * i;
            islander(i).hostilityBase = 21 + i;
            islander(i).happinessBase = 71 - i;
            islander(i).scriptLabel = 100 * i;
        }

        // Gaps: slots 1 and 3 empty, as a file may leave them.
        PtrList<ItemDef>& inventory = game.player.inventory;
        inventory.slots[0] = &item(0);
        inventory.slots[2] = &item(1);
        inventory.slots[4] = &item(0);
        inventory.count = 3;
        beach.items.slots[5] = &item(33);
        beach.items.count = 1;
        addToList(cove.items, &item(2));
        addToList(cove.items, &item(2));

        game.player.currentRoom = &cove;
        game.raftState = -7;
        game.islanderCount = 8;
        game.day = 6;
        game.tick = 1291;
        game.memorySubject = &islander(4);
        game.lastVictim = &islander(3);
        game.handcuffedIslander = &islander(8);
        game.murderer = &islander(5);
    }

    // The plain text of the scrambled save on disk, or "<none>".
    std::string savedPlainText(const std::string& name = "Sam") {
        std::string path = "Data\\" + name + ".mox";
        auto bytes = readWholeFile(realPath(path));
        if (!bytes) return "<none>";
        auto twin = unscrambleBytes(*bytes, scrambleKey(path));
        if (!twin || twin->extension != ".ims") return "<not a save>";
        return twin->bytes;
    }

    void writeSave(const std::string& plain, const std::string& name = "Sam", const char* extension = ".ims") {
        std::string path = "Data\\" + name + ".mox";
        ASSERT_TRUE(writeFileAtomically(realPath(path), scrambleBytes(plain, extension, scrambleKey(path))));
    }

    void writeWorld(const std::string& plain) {
        ASSERT_TRUE(writeFileAtomically(realPath("Data\\initial.mox"),
                                        scrambleBytes(plain, ".ims", scrambleKey("Data\\initial.mox"))));
    }

    // Forget everything, as a freshly started program would.
    void restart() {
        std::string name = game.player.name.str();
        resetGameState();
        game.player.name = name;
        output();
    }
};
