// Islanders in a real game: created from the shipped personality files,
// placed by the shipped world, and kept through a save and a load.
#include <filesystem>

#include "BuildPaths.h"
#include "dialogue/Moods.h"
#include "islanders/Islanders.h"
#include "persist/SaveFixture.h"
#include "game/LoadGame.h"
#include "game/Wandering.h"
#include "base/RandomTesting.h"

namespace fs = std::filesystem;

class IslanderSave : public SaveTest {
protected:
    void SetUp() override {
        SaveTest::SetUp();
        for (const auto& entry : fs::directory_iterator(BRINEFALL_DATA_DIR))
            fs::copy_file(entry.path(), data.path() / entry.path().filename());
        ASSERT_EQ(loadGame(1), 1);
        output();
    }
    int occupantSlotsHolding(const Npc& npc) {
        int n = 0;
        for (const Room& room : game.rooms) n += static_cast<int>(countInList(room.occupants, &npc));
        return n;
    }
};

TEST_F(IslanderSave, ANewGamePlacesEveryIslanderInARoomItCanWanderFrom) {
    EXPECT_EQ(game.islanderCount, 9);
    EXPECT_EQ(game.murderer, &islander(1));
    for (int i = 1; i < kIslanderCount; ++i) {
        const Npc& npc = islander(i);
        ASSERT_NE(npc.currentRoom, nullptr) << npc.name.c_str();
        EXPECT_EQ(occupantSlotsHolding(npc), 1);
        EXPECT_GT(npc.tolerance + npc.hostility + npc.happiness, 0) << npc.personalityFile.c_str();
    }
    // Every room an islander can wander into is part of the world.
    for (int area = 0; area < kAreaCount; ++area)
        for (int number = 0; number < areaRoomCount(area); ++number)
            EXPECT_FALSE(roomAt(area, number)->name.empty()) << area << "," << number;
}

TEST_F(IslanderSave, LivingDeadAndHandcuffedIslandersSurviveASave) {
    Npc& victim = islander(2);
    const std::string victimName = victim.name.str();
    Room* deathRoom = victim.currentRoom;
    killIslander(victim);
    game.handcuffedIslander = &islander(3);
    game.memorySubject = pickRandomIslander(0);
    islander(4).scriptLabel = 5;
    islander(4).moodRate = 0.19;
    applyMoodChange(islander(4), "ha", 12);
    for (unsigned seconds = 1; seconds <= 5; ++seconds) {
        setFixedSeconds(seconds);
        moveIslanders(0);
    }
    const std::array<Npc, kIslanderCount> before = game.islanders;
    Room* cuffedRoom = islander(3).currentRoom;
    ItemDef* corpse = findItemByName("Corpse of " + victimName);
    ASSERT_NE(corpse, nullptr);

    saveGame();
    restart();
    ASSERT_EQ(loadGame(0), 1);

    for (int i = 0; i < kIslanderCount; ++i) {
        SCOPED_TRACE(i);
        const Npc& a = before[static_cast<std::size_t>(i)];
        const Npc& b = islander(i);
        EXPECT_EQ(b.name, a.name.view());
        EXPECT_EQ(b.personalityFile, a.personalityFile.view());
        EXPECT_EQ(b.gender, a.gender);
        EXPECT_EQ(b.npcIndex, i);
        EXPECT_EQ(b.scriptLabel, a.scriptLabel);
        EXPECT_DOUBLE_EQ(b.tolerance, a.tolerance);
        EXPECT_DOUBLE_EQ(b.hostility, a.hostility);
        EXPECT_DOUBLE_EQ(b.happiness, a.happiness);
        EXPECT_DOUBLE_EQ(b.moodRate, a.moodRate);
        EXPECT_DOUBLE_EQ(b.hostilityBase, a.hostilityBase);
        EXPECT_DOUBLE_EQ(b.happinessBase, a.happinessBase);
        EXPECT_EQ(b.currentRoom, a.currentRoom);
        EXPECT_EQ(occupantSlotsHolding(b), b.alive() ? 1 : 0);
    }
    EXPECT_EQ(game.islanderCount, 8);
    EXPECT_EQ(game.lastVictim, &victim);
    EXPECT_EQ(game.handcuffedIslander, &islander(3));
    EXPECT_EQ(victim.currentRoom, deathRoom);
    ASSERT_EQ(findItemByName("Corpse of " + victimName), corpse);
    EXPECT_EQ(countInList(deathRoom->items, corpse), 1u);
    EXPECT_EQ(findIslanderInRoom(victimName, *deathRoom), nullptr);

    // Play goes on: the dead stay dead, the handcuffed stays at the tree.
    for (unsigned seconds = 10; seconds <= 60; ++seconds) {
        setFixedSeconds(seconds);
        moveIslanders(0);
        EXPECT_NE(pickRandomIslander(1), &victim);
    }
    EXPECT_EQ(victim.currentRoom, deathRoom);
    EXPECT_EQ(islander(3).currentRoom, cuffedRoom);
    EXPECT_EQ(occupantSlotsHolding(victim), 0);
}
