#include "items/ItemWorld.h"
#include "raft/Raft.h"
#include "game/Sail.h"
#include "game/UseHandlers.h"

using RegistryTest = ItemTest;

TEST_F(RegistryTest, HandlersAreAttachedByNameAndOthersStayEmpty) {
    EXPECT_EQ(item("coconut").useHandler, &useCoconut);
    EXPECT_EQ(item("rock").useHandler, &useRock);
    EXPECT_EQ(item("blade").useHandler, &useBlade);
    EXPECT_EQ(item("knife").useHandler, &useBlade);
    EXPECT_EQ(item("axe").useHandler, &useAxe);
    EXPECT_EQ(item("handcuffs").useHandler, &useHandcuffs);
    EXPECT_EQ(item("pebble").useHandler, &usePebble);
    EXPECT_EQ(item("note").useHandler, &useNote);
    EXPECT_EQ(item("map").useHandler, &showMap);
    EXPECT_EQ(item("torn shirt").useHandler, &useTornShirt);
    EXPECT_EQ(item("sphere").useHandler, &useSphere);
    EXPECT_EQ(item("wood").useHandler, nullptr);
    EXPECT_EQ(item("tree").useHandler, nullptr);
    EXPECT_EQ(item("sharp rock").useHandler, nullptr);
}

TEST_F(RegistryTest, IndexThirtyTwoSetsSailWhateverItsName) {
    EXPECT_EQ(game.items[kRaftIndex].useHandler, &useRaft);
    game.items[kRaftIndex].name = "Fine Raft";
    game.items[kRaftIndex].useHandler = nullptr;
    registerUseHandlers();
    EXPECT_EQ(game.items[kRaftIndex].useHandler, &useRaft);
}

TEST_F(RegistryTest, RegistrationClearsOldHandlersAndMatchesCurrentNames) {
    item("berry").useHandler = useCoconut;
    item("banana").name = "Banana";  // names match whatever their case
    item("wood").useHandler = useBerry;
    registerUseHandlers();
    EXPECT_EQ(item("berry").useHandler, &useBerry);
    EXPECT_EQ(item("banana").useHandler, &useBanana);
    EXPECT_EQ(item("wood").useHandler, nullptr);
}

TEST_F(RegistryTest, MissingNamesAreSkippedQuietly) {
    item("crowbar").name = "lever";
    registerUseHandlers();
    EXPECT_EQ(item("lever").useHandler, nullptr);
    EXPECT_EQ(item("shovel").useHandler, &useShovel);
    EXPECT_EQ(output(), "");
}

TEST_F(RegistryTest, FormsCompareTheTextBehindItsBlank) {
    EXPECT_TRUE(isForm(" on coconut", "on coconut"));
    EXPECT_FALSE(isForm(" on coconut ", "on coconut"));
    EXPECT_FALSE(isForm("", ""));
    EXPECT_FALSE(isForm("on coconut", "on coconut"));
}
