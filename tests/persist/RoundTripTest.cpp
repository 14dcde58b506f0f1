#include "SaveFixture.h"
#include "game/LoadGame.h"
#include "world/Places.h"

class RoundTrip : public SaveTest {};

TEST_F(RoundTrip, SavedGameComesBackFieldForField) {
    buildRichWorld();
    std::string before = saveText();
    saveGame();
    restart();
    ASSERT_EQ(loadGame(0), 1);
    EXPECT_EQ(output(), "\n");

    // Every field the file holds, through the writer's own eyes...
    EXPECT_EQ(saveText(), before);

    // ...and the ones that are easy to get subtly wrong.
    PtrList<ItemDef>& inventory = game.player.inventory;
    EXPECT_EQ(inventory.count, 3u);
    EXPECT_EQ(inventory.slots[0], &item(0));
    EXPECT_EQ(inventory.slots[1], nullptr);
    EXPECT_EQ(inventory.slots[2], &item(1));
    EXPECT_EQ(inventory.slots[4], &item(0));
    Room& beach = *roomAt(kWhereYouWoke);
    EXPECT_EQ(beach.items.slots[5], &item(33));
    EXPECT_EQ(beach.items.count, 1u);
    EXPECT_EQ(roomAt(kCoveHeart)->items.count, 2u);
    EXPECT_EQ(game.player.currentRoom, roomAt(kCoveHeart));
    EXPECT_EQ(game.raftState, -7);
    EXPECT_EQ(game.islanderCount, 8);
    EXPECT_EQ(game.day, 6);
    EXPECT_EQ(game.tick, 1291);
    EXPECT_EQ(game.clockRunning, 1);
    EXPECT_EQ(game.memorySubject, &islander(4));
    EXPECT_EQ(game.lastVictim, &islander(3));
    EXPECT_EQ(game.handcuffedIslander, &islander(8));
    EXPECT_EQ(game.murderer, &islander(1));  // always islander 1 after a load

    EXPECT_EQ(islander(3).gender, -1);
    EXPECT_EQ(islander(3).currentRoom, nullptr);
    EXPECT_EQ(islander(5).currentRoom, roomAt(kCampfire));
    EXPECT_EQ(islander(5).name, "Tom");
    EXPECT_EQ(islander(5).personalityFile, "Data\\Nerd.txt");
    EXPECT_DOUBLE_EQ(islander(5).happiness, -16.25);
    EXPECT_DOUBLE_EQ(islander(5).moodRate, 0.19);
    EXPECT_DOUBLE_EQ(islander(5).hostilityBase, 26);
    EXPECT_DOUBLE_EQ(islander(5).happinessBase, 66);
    EXPECT_EQ(islander(7).scriptLabel, 700);

    EXPECT_EQ(item(0).recipes[0].withItem, &item(1));
    EXPECT_EQ(item(0).recipes[0].resultItem, &item(2));
    EXPECT_EQ(item(0).recipes[0].message, "You bind the stick to the rock.");
    EXPECT_EQ(item(0).recipes[1].withItem, nullptr);
    EXPECT_EQ(item(0).recipes[1].resultItem, nullptr);
    EXPECT_EQ(item(0).recipes[1].message, "~");
    EXPECT_EQ(item(2).name, "Wood");
    EXPECT_EQ(item(2).portable, 0);

    EXPECT_EQ(beach.exits[West], roomAt(kCoveHeart));
    EXPECT_EQ(beach.exits[Southeast], roomAt(12, 24));
    EXPECT_EQ(beach.exits[East], nullptr);
    EXPECT_EQ(roomAt(12, 24)->name, "Far corner");
}

TEST_F(RoundTrip, SavingTwiceKeepsTheSecondState) {
    buildRichWorld();
    saveGame();
    game.day = 7;
    game.tick = 1443;
    islander(2).gender = -1;
    std::string second = saveText();
    saveGame();
    restart();
    ASSERT_EQ(loadGame(0), 1);
    EXPECT_EQ(game.day, 7);
    EXPECT_EQ(saveText(), second);
}

TEST_F(RoundTrip, OccupantLinesDecideWhereIslandersStand) {
    buildRichWorld();
    islander(6).currentRoom = roomAt(12, 24);  // the record disagrees with the beach's occupants
    saveGame();
    restart();
    ASSERT_EQ(loadGame(0), 1);
    EXPECT_EQ(islander(6).currentRoom, roomAt(kWhereYouWoke));
    EXPECT_EQ(countInList(roomAt(kWhereYouWoke)->occupants, &islander(6)), 1u);
}

TEST_F(RoundTrip, MissingOrForeignSavesAreRefused) {
    game.player.name = "Nobody";
    EXPECT_EQ(loadGame(0), 0);
    EXPECT_EQ(output(), "\n/RInvalid save name.\n");

    // A personality file under the player's name is not a save.
    writeSave("50\n20\n70\n", "Angry", ".txt");
    game.player.name = "Angry";
    EXPECT_EQ(loadGame(0), 0);
    EXPECT_EQ(output(), "\n/RThe saved game of Angry is damaged and cannot be loaded; it is left as it was.\n");

    game.player.name = "../Sam";
    EXPECT_EQ(loadGame(0), 0);
    EXPECT_EQ(output(), "\n/RInvalid save name.\n");
}

TEST_F(RoundTrip, RefusedSaveLeavesTheWorldAlone) {
    buildRichWorld();
    std::string text = saveText();
    restart();
    makeRoom(0, 8, "Untouched");
    game.raftState = 0;
    // Cut inside the catalogue: the file cannot be a save.
    writeSave(text.substr(0, text.find("thing40")));
    EXPECT_EQ(loadGame(0), 0);
    EXPECT_EQ(output(), "\n/RThe saved game of Sam is damaged and cannot be loaded; it is left as it was.\n");
    EXPECT_EQ(game.raftState, 0);
    EXPECT_EQ(game.day, 1);
    EXPECT_EQ(item(0).name, "");
    EXPECT_EQ(roomAt(kWhereYouWoke)->name, "Untouched");
    EXPECT_EQ(game.player.inventory.count, 0u);
}
