// The built scripts played through the game's own conversation runner:
// every choice sequence of every day, until the conversation closes. What
// reaches the screen has every token replaced and no refused choice.
#include <filesystem>
#include <string>
#include <vector>

#include "BuildPaths.h"
#include "../dialogue/ConversationFixture.h"
#include "dialogue/Conversation.h"
#include "game/Talk.h"

namespace {

constexpr int kLongestConversation = 12;  // choices; the scripts need far fewer

const char* const kScripts[] = {
    "Angry", "Convict", "Crackpot", "Depressed", "Doctor", "Formal", "Jock", "Leet", "Leader",
    "Megalomaniac", "Nerd", "Paranoid", "Perky", "Silent", "Soldier", "Wise", "Dog", "Memory"};

}  // namespace

class BuiltScriptPlay : public ConversationTest, public ::testing::WithParamInterface<const char*> {
protected:
    Npc* speaker = nullptr;
    Room* home = nullptr;

    void SetUp() override {
        ConversationTest::SetUp();
        moveDataToMemory();
        std::string name = GetParam();
        std::string personality = name == "Memory" ? "Angry" : name;
        for (const std::string& file : {personality, std::string("Memory")}) {
            std::filesystem::copy_file(std::filesystem::path(BRINEFALL_DATA_DIR) / (file + ".mox"),
                                       dataDir / (file + ".mox"));
        }
        // Names as long as the game gives, so every token has something to say.
        game.player.name = "Bartholomew";
        makeRoom(12, 0, "Laboratory", "Machines hum.");
        makeRoom(0, 9, "Beach", "More sand.");
        int index = name == "Dog" ? 0 : 4;
        speaker = &placeIslander(index, name == "Dog" ? "Dog" : "Gerald", personality.c_str());
        if (name == "Dog") speaker->gender = 0;
        Npc& murderer = placeIslander(1, "Herman", "Convict", 3, 2);
        Npc& victim = placeIslander(2, "Shelly", "Perky", 3, 3);
        placeIslander(7, "Alexis", "Silent", 3, 4);
        game.islanders[0].name = "Dog";
        game.murderer = &murderer;
        game.lastVictim = &victim;
        game.memorySubject = name == "Memory" ? speaker : &game.islanders[0];
        home = speaker->currentRoom;
    }

    // Every interaction scrambles and syncs a script file: in memory that
    // costs nothing, on a disk it makes the walk slow.
    void moveDataToMemory() { privateData.moveUnder("/dev/shm"); }

    // Puts the speaker back where it stood, after an action moved it.
    void bringBack() {
        if (speaker->currentRoom == home) return;
        removeFromList(speaker->currentRoom->occupants, speaker);
        addToList(home->occupants, speaker);
        speaker->currentRoom = home;
    }

    // Starts the day's first conversation and takes the given choices; true
    // while the conversation is still open afterwards.
    bool play(int day, const std::vector<char>& choices) {
        bringBack();
        game.day = day;
        game.clockRunning = 1;
        speaker->scriptLabel = 0;
        setInputLimit(75);
        startConversation(*speaker);
        for (char choice : choices) {
            if (game.clockRunning) break;
            conversationChoice(std::string(1, choice).c_str());
        }
        return game.clockRunning == 0;
    }

    void expectClean(const std::string& shown, const std::string& where) {
        EXPECT_EQ(shown.find("You must enter a valid choice"), std::string::npos) << where;
        EXPECT_EQ(shown.find('<'), std::string::npos) << where << ": a token was left unreplaced\n" << shown;
        EXPECT_EQ(shown.find("{"), std::string::npos) << where << ": an action was spoken aloud";
    }
};

TEST_P(BuiltScriptPlay, EveryChoiceSequenceOfEveryDayCloses) {
    // Nobody is the memory subject before the fourth morning.
    int firstDay = std::string(GetParam()) == "Memory" ? 4 : 1;
    for (int day = firstDay; day <= 16; ++day) {
        // Depth-first over the choices: each sequence is played from the start of the day.
        std::vector<std::vector<char>> pending = {{}};
        int closed = 0;
        while (!pending.empty()) {
            std::vector<char> choices = pending.back();
            pending.pop_back();
            std::string where = std::string(GetParam()) + " day " + std::to_string(day) + " choices '" +
                                std::string(choices.begin(), choices.end()) + "'";
            ASSERT_LE(choices.size(), static_cast<std::size_t>(kLongestConversation)) << where << " never closes";
            output();
            bool open = play(day, choices);
            expectClean(output(), where);
            if (!open) {
                // The day's next conversation starts where this one left off, and it closes too.
                if (++closed == 1) {
                    EXPECT_NE(speaker->scriptLabel, 0) << where;
                    bringBack();
                    game.clockRunning = 1;
                    startConversation(*speaker);
                    EXPECT_EQ(game.clockRunning, 1) << where << ": the later conversation stays open";
                    expectClean(output(), where + " (later)");
                }
                continue;
            }
            ASSERT_GT(game.optionCount, 0) << where << ": open with nothing to choose";
            for (int option = game.optionCount; option >= 1; --option) {
                std::vector<char> longer = choices;
                longer.push_back(static_cast<char>('a' + option - 1));
                pending.push_back(longer);
            }
            game.clockRunning = 1;
        }
        EXPECT_GE(closed, 2) << GetParam() << " day " << day << ": fewer than two ways through";
    }
}

INSTANTIATE_TEST_SUITE_P(Scripts, BuiltScriptPlay, ::testing::ValuesIn(kScripts));
