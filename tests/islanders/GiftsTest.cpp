#include <map>
#include <string>

#include "dialogue/Moods.h"
#include "islanders/IslanderFixture.h"
#include "base/RandomTesting.h"

namespace {

const char* const kEveryday[] = {"coconut", "banana", "berry", "dark insect", "bright insect", "bat guano",
                                 "large leaf", "wood", "dark flower", "bright flower", "rock", "pebble",
                                 "shell", "scrap of metal"};
const char* const kParts[] = {"sharp rock", "broken radio", "shovel head", "blade", "handle", "rope",
                              "cloth", "torn shirt", "bandana", "glasses", "sling"};
const char* const kTools[] = {"axe", "knife", "hammer", "shovel", "crowbar"};

}  // namespace

class GiftsTest : public IslanderTest {
protected:
    void SetUp() override {
        IslanderTest::SetUp();
        int index = 0;
        for (const char* name : kEveryday) makeItem(index++, name);
        for (const char* name : kParts) makeItem(index++, name);
        for (const char* name : kTools) makeItem(index++, name);
    }
    // The name of the one item lying in the player's room, or "" when none.
    std::string droppedItem() {
        const PtrList<ItemDef>& items = playerRoom().items;
        return items.count == 1 ? items.slots[0]->name.str() : std::string(items.count == 0 ? "" : "several");
    }
};

TEST_F(GiftsTest, AnIslanderNeverTalkedWithGivesNothing) {
    Npc& frank = friendly(1, "Frank", 95);
    frank.moodRate = 0.2;
    queueDraws({0, 0});
    considerGift(frank);
    EXPECT_EQ(output(), "");
    EXPECT_EQ(frank.gaveGift, 0);
}

TEST_F(GiftsTest, HostilityOfSixtyStillGivesButAboveDoesNot) {
    Npc& frank = friendly(1, "Frank", 20, 60.0);
    queueDraws({0});
    considerGift(frank);
    EXPECT_EQ(droppedItem(), "coconut");
    EXPECT_EQ(frank.gaveGift, 1);

    Npc& beth = friendly(2, "Beth", 20, 60.5);
    queueDraws({1});
    considerGift(beth);
    EXPECT_EQ(beth.gaveGift, 0);
    EXPECT_EQ(draw(), 1);  // nothing was drawn
}

// Each happiness band draws its kind and then an item over the kind's range;
// draws past the list give nothing.
TEST_F(GiftsTest, HappinessChoosesTheKindAndItsChance) {
    struct Case {
        double happiness;
        std::vector<int> draws;
        const char* gift;
    };
    const Case cases[] = {
        {59.9, {13}, "scrap of metal"},   {59.9, {14}, ""}, {59.9, {55}, ""},  // range 56
        {59.9, {56 + 3}, "dark insect"},
        {60.0, {1, 28 + 2}, "berry"},     {60.0, {1, 14}, ""},                 // range 28
        {89.9, {0, 44 + 10}, "sling"},    {89.9, {0, 11}, ""},                 // range 44
        {90.0, {0, 18 + 13}, "scrap of metal"}, {90.0, {0, 14}, ""},           // range 18
        {90.0, {1, 22 + 10}, "sling"},    {90.0, {1, 11}, ""},                 // range 22
        {90.0, {2, 20 + 4}, "crowbar"},   {90.0, {2, 5}, ""},                  // range 20
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.happiness) + " " + c.gift);
        Npc& frank = friendly(1, "Frank", c.happiness);
        queueDraws(c.draws);
        considerGift(frank);
        EXPECT_EQ(droppedItem(), c.gift);
        EXPECT_EQ(frank.gaveGift, c.gift[0] ? 1 : 0);
        removeFromList(playerRoom().occupants, &frank);
        initList(playerRoom().items, kRoomItemCapacity);
    }
}

TEST_F(GiftsTest, GiftMessagesNameTheGiverThePlayerAndTheItem) {
    Npc& frank = friendly(1, "Frank", 95);
    queueDraws({2, 0});
    considerGift(frank);
    EXPECT_EQ(output(), "/YFrank says, \"This axe is a gift from me to you.\"\nFrank drops axe.\n");

    Npc& beth = friendly(2, "Beth", 30);
    queueDraws({0});
    considerGift(beth);
    EXPECT_EQ(output(), "/YBeth says, \"By the way, Sam, you can have this coconut... if you want.\"\nBeth drops coconut.\n");

    Npc& carl = friendly(3, "Carl", 70);
    queueDraws({0, 5});
    considerGift(carl);
    EXPECT_EQ(output(),
              "/YCarl says, \"Oh, hey Sam, I found this rope, and I thought you might have a use for it.\"\n"
              "Carl drops rope.\n");
}

TEST_F(GiftsTest, OneGiftADayAndAnotherTheNextMorning) {
    Npc& frank = friendly(1, "Frank", 30);
    queueDraws({0, 1});
    considerGift(frank);
    considerGift(frank);
    EXPECT_EQ(countInList(playerRoom().items, &game.items[0]), 1u);
    EXPECT_EQ(draw(), 1);  // the second chance drew nothing

    driftMoods();
    EXPECT_EQ(frank.gaveGift, 0);
    queueDraws({1});
    considerGift(frank);
    EXPECT_EQ(countInList(playerRoom().items, &game.items[1]), 1u);
}

TEST_F(GiftsTest, TheDogAndIslandersElsewhereGiveNothing) {
    Npc& dog = friendly(0, "Dog", 95);
    dog.gender = 0;
    Npc& far = place(1, "Frank", 0, 3);
    far.moodRate = 0.1;
    far.happiness = 95;
    queueDraws({0, 0});
    considerGift(dog);
    considerGift(far);
    EXPECT_EQ(output(), "");
    EXPECT_EQ(draw(), 0);
}

TEST_F(GiftsTest, TheReactionConsidersARandomIslanderOfTheRoom) {
    friendly(0, "Dog", 95).gender = 0;
    Npc& frank = friendly(1, "Frank", 30);
    Npc& beth = friendly(2, "Beth", 30);
    queueDraws({2, 0});
    islanderReacts();
    EXPECT_EQ(beth.gaveGift, 1);
    EXPECT_EQ(frank.gaveGift, 0);

    // Drawing the Dog gives nothing.
    queueDraws({0, 0});
    islanderReacts();
    EXPECT_EQ(output().find("Dog"), std::string::npos);
    EXPECT_EQ(draw(), 0);
}

TEST_F(GiftsTest, TheReactionInAnEmptyRoomDoesNothing) {
    queueDraws({5, 9});
    islanderReacts();
    EXPECT_EQ(draw(), 9);
    EXPECT_EQ(output(), "");
}

TEST_F(GiftsTest, ItemsMissingFromTheCatalogueShortenTheList) {
    for (int i = 25; i < 30; ++i) game.items[static_cast<std::size_t>(i)] = ItemDef{};
    makeItem(25, "knife");
    makeItem(26, "crowbar");
    Npc& frank = friendly(1, "Frank", 95);
    queueDraws({1});  // two items over a range of 8
    offerGiftOfKind(frank, 2, 0.25);
    EXPECT_EQ(droppedItem(), "crowbar");
    frank.gaveGift = 0;
    initList(playerRoom().items, kRoomItemCapacity);
    queueDraws({2});
    offerGiftOfKind(frank, 2, 0.25);
    EXPECT_EQ(droppedItem(), "");

    // With no tools at all nothing is drawn and nothing given.
    game.items[25] = ItemDef{};
    game.items[26] = ItemDef{};
    queueDraws({0});
    offerGiftOfKind(frank, 2, 0.25);
    EXPECT_EQ(frank.gaveGift, 0);
    EXPECT_EQ(draw(), 0);
}

TEST_F(GiftsTest, UnknownKindDoesNothing) {
    Npc& frank = friendly(1, "Frank", 95);
    queueDraws({0});
    offerGiftOfKind(frank, 3, 0.5);
    offerGiftOfKind(frank, -1, 0.5);
    EXPECT_EQ(draw(), 0);
    EXPECT_EQ(frank.gaveGift, 0);
}

TEST_F(GiftsTest, AFullRoomStillHearsTheGiftButKeepsItsItems) {
    for (int i = 0; i < kRoomItemCapacity; ++i) addToList(playerRoom().items, &game.items[5]);
    Npc& frank = friendly(1, "Frank", 30);
    queueDraws({0});
    considerGift(frank);
    EXPECT_EQ(output(), "/YFrank says, \"By the way, Sam, you can have this coconut... if you want.\"\nFrank drops coconut.\n");
    EXPECT_EQ(countInList(playerRoom().items, &game.items[0]), 0u);
    EXPECT_EQ(frank.gaveGift, 1);
}

// Over many gifts with a fixed seed, every item of a kind turns up and
// the chance of a gift is the one the table promises.
TEST_F(GiftsTest, GiftRatesMatchTheirChances) {
    struct Row {
        int kind;
        double chance;
        double expectedRate;
    };
    const Row rows[] = {{0, 0.25, 14.0 / 56}, {0, 0.5, 14.0 / 28}, {0, 0.75, 14.0 / 18},
                        {1, 0.25, 11.0 / 44}, {1, 0.5, 11.0 / 22}, {2, 0.25, 5.0 / 20}};
    const int trials = 2000;
    Npc& frank = friendly(1, "Frank", 95);
    reseed(20261207);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.chance);
        std::map<std::string, int> given;
        int gifts = 0;
        for (int t = 0; t < trials; ++t) {
            frank.gaveGift = 0;
            offerGiftOfKind(frank, row.kind, row.chance);
            if (frank.gaveGift) {
                ++gifts;
                ++given[playerRoom().items.slots[0]->name.str()];
                removeFromList(playerRoom().items, playerRoom().items.slots[0]);
            }
        }
        output();
        const std::size_t kindSize = row.kind == 0 ? 14 : row.kind == 1 ? 11 : 5;
        EXPECT_EQ(given.size(), kindSize);
        EXPECT_NEAR(static_cast<double>(gifts) / trials, row.expectedRate, 0.035);
        for (const auto& [name, count] : given)
            EXPECT_NEAR(static_cast<double>(count) / gifts, 1.0 / static_cast<double>(kindSize), 0.05) << name;
    }
}

// The whole decision, reseeded from the clock each time as in play.
TEST_F(GiftsTest, GiftRatesByHappiness) {
    struct Row {
        double happiness;
        double expectedRate;
    };
    const Row rows[] = {{30, 0.25}, {75, (0.5 + 0.25) / 2}, {95, (14.0 / 18 + 0.5 + 0.25) / 3}};
    const int trials = 2000;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.happiness);
        Npc& frank = friendly(1, "Frank", row.happiness);
        int gifts = 0;
        for (int t = 0; t < trials; ++t) {
            setFixedSeconds(1700000000LL + t * 37LL);
            frank.gaveGift = 0;
            considerGift(frank);
            gifts += frank.gaveGift;
            initList(playerRoom().items, kRoomItemCapacity);
        }
        output();
        EXPECT_NEAR(static_cast<double>(gifts) / trials, row.expectedRate, 0.035);
        removeFromList(playerRoom().occupants, &frank);
    }
}
