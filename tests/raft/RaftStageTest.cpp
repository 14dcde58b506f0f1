// A close look at the raft names what its next stage needs: holding only
// what the look names, "boat" always takes the raft one step on.
#include "raft/RaftWorld.h"
#include "raft/Stage.h"

using RaftStageTest = RaftTest;

TEST_F(RaftStageTest, HoldingOnlyWhatTheLookNamesTakesTheRaftToAYacht) {
    give("wood", 3);
    give("rope");
    screen.typeText("yes");
    buildRaft();
    finishWork();
    ASSERT_EQ(raft().name, "Junky Raft");

    struct Need {
        const char* words;  // what the look says first after "it needs "
        std::vector<std::pair<const char*, int>> items;
    };
    const Need needs[] = {
        {"work with an axe", {{"axe", 1}}},
        {"work with a knife", {{"knife", 1}}},
        {"work with a hammer", {{"hammer", 1}}},
        {"a last go with", {{"hammer", 1}}},
        {"one more load of six pieces of Wood", {{"wood", 6}}},
        {"one last load of six pieces of Wood", {{"wood", 6}}},
        {"2 more loads of six pieces of Wood", {{"wood", 6}}},
        {"3 more loads of six pieces of Wood", {{"wood", 6}}},
        {"one more large leaf", {{"large leaf", 1}}},
        {"2 more large leaves", {{"large leaf", 1}}},
        {"3 more large leaves", {{"large leaf", 1}}},
        {"cloth or rope with three pieces of Wood", {{"cloth", 1}, {"wood", 3}}},
        {"an axe, a knife and a hammer at hand",
         {{"axe", 1}, {"knife", 1}, {"hammer", 1}, {"wood", 6}, {"large leaf", 1}, {"rope", 1}, {"cloth", 1}}},
    };
    int steps = 0;
    while (raft().name != "Yacht" && steps < 30) {
        std::string look = raftStageText(raft());
        std::size_t at = look.find("it needs ");
        ASSERT_NE(at, std::string::npos) << look;
        const Need* need = nullptr;
        for (const Need& n : needs)
            if (look.compare(at + 9, std::string_view(n.words).size(), n.words) == 0) need = &n;
        ASSERT_NE(need, nullptr) << look;
        while (!game.player.inventory.empty()) removeFromList(game.player.inventory, game.player.inventory.at(0));
        for (const auto& [name, units] : need->items) give(name, units);

        int stateBefore = game.raftState;
        std::string nameBefore(raft().name.view());
        output();
        buildRaft();
        finishWork();
        EXPECT_TRUE(game.raftState != stateBefore || raft().name != nameBefore)
            << "holding what the look named, boat did nothing: " << look << output();
        ++steps;
    }
    EXPECT_EQ(raft().name, "Yacht");
    EXPECT_EQ(steps, 18);  // 6 tool steps and a last go, 6 loads and leaves and the common step, 3 + the yacht
    EXPECT_NE(raftStageText(raft()).find("It is a Yacht"), std::string::npos);
}
