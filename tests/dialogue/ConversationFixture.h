#pragma once
// A game with a private Data directory holding small test scripts, and
// islanders placed in the player's room.

#include <filesystem>
#include <fstream>
#include <string>

#include "TestSupport.h"
#include "console/LineEditor.h"
#include "game/Movement.h"
#include "base/Paths.h"
#include "base/Codec.h"
#include "base/CodecTesting.h"

class ConversationTest : public GameTest {
protected:
    PrivateDataDir privateData;
    const std::filesystem::path& dataDir = privateData.path();

    void SetUp() override {
        GameTest::SetUp();
        setInputLimit(75);
        makeRoom(0, 8, "Beach", "Sand everywhere.");
        Npc& dog = game.islanders[0];
        dog.name = "Dog";
        dog.gender = 0;
        game.memorySubject = &dog;
    }
    void TearDown() override {
        GameTest::TearDown();
    }

    // Writes Data/<name>.txt and turns it into Data/<name>.mox, as the
    // data build does; the plain file stays only when it cannot be scrambled.
    void writeScript(const std::string& name, const std::string& text) {
        {
            std::ofstream out(dataDir / (name + ".txt"), std::ios::binary);
            out << text;
        }
        if (convertScrambled(gamePath(name + ".txt")) && std::filesystem::exists(dataDir / (name + ".mox")))
            std::filesystem::remove(dataDir / (name + ".txt"));
    }
    bool scrambledScripts() const { return !std::filesystem::exists(dataDir / "Tester.txt"); }
    bool plainTwinExists(const std::string& name) const { return std::filesystem::exists(dataDir / (name + ".txt")); }

    // Islander `index` with a name and personality, standing in room (area, number).
    Npc& placeIslander(int index, const char* name, const char* personality, int area = 0, int number = 8) {
        Npc& npc = game.islanders[static_cast<std::size_t>(index)];
        npc.name = name;
        npc.npcIndex = index;
        npc.gender = 1;
        npc.moodRate = 0.2;
        npc.tolerance = 100;
        npc.personalityFile = gamePath(std::string(personality) + ".txt");
        Room* room = roomAt(area, number);
        if (room->name.empty()) room->name = "Room";
        npc.currentRoom = room;
        addToList(room->occupants, &npc);
        return npc;
    }
    // What showing the room prints (call it with no output pending).
    std::string roomView() {
        lookCommand("");
        return output();
    }
};
