#include "game/Commands.h"
#include "items/ItemWorld.h"

namespace {

struct Timeline {
    const char* name;
    UseHandler handler;
    const char* form;
    const char* material;  // held (or, for the tree, on the floor)
    int ticks;
    const char* start;
    const char* progress;
    const char* finish;
    const char* refusal;
    std::vector<std::string> expected;  // P, F, C (completion) or - per tick
    const char* product;
    const char* completionMessage;
};

const std::string kSharpRockMessage =
    "/YYou have created a sharp rock. It is shaped like an axe head and looks like it might be useful for major cutting...\n";

std::vector<Timeline> timelines() {
    return {
        {"sharpen", useRock, " on rock", "rock", 4, "/CYou begin sharpening the rock...\n",
         "/YYou continue sharpening the rock.\n", "/CYou finally finish sharpening the rock into a sharp rock.\n",
         "/RDo something else? Yeah right, but you're almost done sharpening that rock!\n", {"P", "-", "P", "FC"},
         "sharp rock", kSharpRockMessage.c_str()},
        {"pound", useRock, " on scrap of metal", "scrap of metal", 6, "/CYou begin pounding the rock on the metal...\n",
         "/YYou continue pounding the rock on the metal.\n",
         "/CYou finally finish pounding the metal into a shovel head.\n",
         "/RDo something else? Yeah right, but you're almost done pounding that metal!\n",
         {"P", "-", "P", "-", "P", "FC"}, "shovel head",
         "/YYou have pounded the metal into a shovel head. Now if you just had a handle to attach it to, you could make a useful tool...\n"},
        {"carve", useBlade, " on wood", "wood", 4, "/CYou begin carving the wood...\n",
         "/YYou continue carving the wood.\n", "/CYou finally finish carving the wood into a crude handle.\n",
         "/RDo something else? Yeah right, but you're almost done carving that wood!\n", {"P", "-", "P", "FC"},
         "handle",
         "/YYou carve the wood into a handle. If you had something to attach this to, you could make some useful tools...\n"},
        {"cut rope", useBlade, " on rope", "rope", 2, "/CYou begin cutting the rope...\n",
         "/YYou continue cutting the rope.\n",
         "/CYou finally finish cutting a piece of the rope and shaping it into a sling.\n",
         "/RDo something else? Yeah right, but you're almost done cutting that rope!\n", {"P", "FC"}, "sling",
         "/YYou cut off a piece of rope and shape it into a sling. Now if you just had some bullet-shaped pebbles...\n"},
        {"fell", useAxe, " on tree", "tree", 8, "/CYou begin hacking away at the tree...\n",
         "/YYou continue slicing into the tree with the axe.\n",
         "/CYou finally finish chopping down the tree and cut it into pieces of wood.\n",
         "/RDo something else? Yeah right, but you're almost done cutting down that tree!\n",
         {"P", "-", "P", "-", "P", "-", "P", "FC"}, "wood", ""},
    };
}

}  // namespace

class CraftingTest : public ItemTest {
protected:
    void SetUp() override {
        ItemTest::SetUp();
        game.tick = 61;  // clear of noon, dusk, bedtime and the islanders' minute
    }
    void prepare(const Timeline& t) {
        if (std::string(t.material) == "tree") {
            lay("tree");
        } else {
            give(t.material);
        }
        give("rock");  // the pounding rock (and a second one to sharpen)
    }
};

TEST_F(CraftingTest, EachTimedActionFollowsItsTimeline) {
    for (const Timeline& t : timelines()) {
        SetUp();
        prepare(t);
        output();
        t.handler(t.form);
        EXPECT_EQ(output(), t.start) << t.name;
        EXPECT_STREQ(isBusy(), t.refusal) << t.name;

        for (int k = 0; k < t.ticks; ++k) {
            // The finish line, the product and the end of the busy period share one tick.
            EXPECT_EQ(onFloor(t.product), 0) << t.name << " before T+" << k + 1;
            EXPECT_NE(isBusy(), nullptr) << t.name << " before T+" << k + 1;
            std::string want;
            for (char c : t.expected[static_cast<std::size_t>(k)]) {
                if (c == 'P') want += std::string(t.progress) + "\n";
                if (c == 'F') want += std::string(t.finish) + "\n";
                if (c == 'C') want += t.completionMessage;
            }
            EXPECT_EQ(runTicks(1)[0], want) << t.name << " at T+" << k + 1;
        }
        EXPECT_GE(onFloor(t.product), 1) << t.name;
        EXPECT_EQ(isBusy(), nullptr) << t.name;
        TearDown();
    }
}

TEST_F(CraftingTest, CommandsAreRefusedUntilTheCompletionTick) {
    give("rock", 2);
    useRock(" on rock");
    runTicks(3);
    output();
    dispatchCommand("xyzzy");
    EXPECT_EQ(output(), "/RDo something else? Yeah right, but you're almost done sharpening that rock!\n\n");
    runTicks(1);
    dispatchCommand("xyzzy");
    EXPECT_EQ(output(), "Invalid command.  Try the \"help\" command for a list of valid commands.\n");
}

TEST_F(CraftingTest, MaterialsStayUntilTheCompletionAndTheProductLiesInTheRoom) {
    give("rock", 3);
    useRock(" on rock");
    runTicks(3);
    EXPECT_EQ(held("rock"), 3);
    EXPECT_EQ(onFloor("sharp rock"), 0);
    runTicks(1);
    EXPECT_EQ(held("rock"), 1);
    EXPECT_EQ(held("sharp rock"), 0);
    EXPECT_EQ(onFloor("sharp rock"), 1);
}

TEST_F(CraftingTest, OneRockIsEnoughToSharpen) {
    give("rock");
    useRock(" on rock");
    runTicks(4);
    EXPECT_EQ(held("rock"), 0);
    EXPECT_EQ(onFloor("sharp rock"), 1);
}

TEST_F(CraftingTest, AnotherScheduledEventLeavesTheCompletionAlone) {
    give("wood");
    useBlade(" on wood");
    runTicks(1);
    scheduleEvent(5, [] { printMarked("An islander wanders in.\n"); });  // as an arrival does
    std::vector<std::string> printed = runTicks(3);
    EXPECT_EQ(printed[2], "/CYou finally finish carving the wood into a crude handle.\n\n"
                          "/YYou carve the wood into a handle. If you had something to attach this to, you could make some useful tools...\n");
    EXPECT_EQ(onFloor("handle"), 1);
    EXPECT_EQ(held("wood"), 0);
    EXPECT_EQ(runTicks(2)[1], "An islander wanders in.\n");
    EXPECT_EQ(onFloor("handle"), 1);
}

TEST_F(CraftingTest, FellingNeedsTheTreeOnTheFloor) {
    const std::string invalid = "/RInvalid use of the axe.\n/WSyntax is:/G USE AXE ON /B<item>.\n";
    give("tree");
    useAxe(" on tree");
    EXPECT_EQ(output(), "/YYou try the axe on the tree, but nothing comes of it.\n");
    useAxe(" on stone");
    EXPECT_EQ(output(), invalid);
    // What was typed was right; the raft is worked on another way.
    const std::string boat = "/wWork on the raft is done with /Gboat/w, the tools in your hands.\n";
    for (const char* raft : {" on raft", " on the boat", " on junky raft", " on yacht "}) {
        useAxe(raft);
        EXPECT_EQ(output(), invalid + boat) << raft;
    }
    useAxe(" on rafter");
    EXPECT_EQ(output(), invalid);
    lay("tree");
    useAxe(" on tree");
    runTicks(8);
    EXPECT_EQ(onFloor("tree"), 0);
    EXPECT_EQ(onFloor("wood"), 3);
    EXPECT_EQ(held("tree"), 1);
}

TEST_F(CraftingTest, ImmediateUsesOfTheTools) {
    give("glasses");
    give("broken radio", 2);
    give("torn shirt");
    useRock(" on glasses");
    EXPECT_EQ(output(), "/YYou make some sparks.\n");
    useBlade(" on broken radio");
    EXPECT_EQ(output(), "/YYou fiddle with the radio but with no success.\n");
    useBlade(" on torn shirt");
    EXPECT_EQ(output(), "/YYou cut up the shirt and make it into a bandana.\n");
    EXPECT_EQ(held("torn shirt"), 0);
    EXPECT_EQ(onFloor("bandana"), 1);
    useAxe(" on broken radio");
    EXPECT_EQ(output(), "/YYou destroyed the radio, good job slick.\n");
    EXPECT_EQ(held("broken radio"), 1);
    EXPECT_EQ(isBusy(), nullptr);
    EXPECT_EQ(game.work.remaining, 0);
}

TEST_F(CraftingTest, FormsWithoutTheirMaterialGiveTheInvalidUseReply) {
    useRock(" on rock");
    useRock(" on scrap of metal");
    useRock("");
    EXPECT_EQ(output(), "/RInvalid use of the rock.\n/WSyntax is:/G USE ROCK ON /B<item>\n"
                            "/RInvalid use of the rock.\n/WSyntax is:/G USE ROCK ON /B<item>\n"
                            "/RInvalid use of the rock.\n/WSyntax is:/G USE ROCK ON /B<item>\n");
    useBlade(" on wood");
    useBlade(" on rope");
    EXPECT_EQ(output(),
              "/RInvalid use of the Blade (or Knife).\n/WSyntax is:/G USE BLADE (or KNIFE) ON /B<item>\n"
              "/RInvalid use of the Blade (or Knife).\n/WSyntax is:/G USE BLADE (or KNIFE) ON /B<item>\n");
    EXPECT_EQ(isBusy(), nullptr);
}

TEST_F(CraftingTest, AProductFindsTheHandsWhenTheFloorIsFull) {
    give("rock", 2);
    useRock(" on rock");
    runTicks(3);
    fillFloor();
    runTicks(1);
    EXPECT_EQ(held("sharp rock"), 1);
    EXPECT_EQ(held("rock"), 0);
}
