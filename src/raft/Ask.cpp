#include "clock/Clock.h"
#include "console/LineEditor.h"
#include "console/Output.h"
#include "raft/Raft.h"
#include "world/GameLock.h"
#include "world/World.h"

namespace {
// Bedtimes reached by the tick: the first at tick 225 of day 1.
int bedtimesBy(int tick) { return (tick + kTicksPerDay - kBedtimeTick) / kTicksPerDay; }
}  // namespace

// Game time runs on while the player thinks about the answer, and what it
// says is seen as it comes. Nobody walks up to a player who is not busy,
// so only the night can fall meanwhile: an answer given once sleep has
// come is no answer.
std::optional<std::string> askPlayer(const char* question) {
    WaitingQuestion waiting(question);
    const int askedAt = game.tick;
    std::string answer;
    {
        ReleasedWhileWaiting unlocked;
        answer = readInputLine(nullptr, LineKind::Answer);
        waiting.answered();
    }
    if (game.running && bedtimesBy(game.tick) > bedtimesBy(askedAt)) {
        printMarked("/ySleep took you before you answered. Nothing was done.\n");
        return std::nullopt;
    }
    return answer;
}

bool isYesAnswer(std::string answer) {
    // The questions show "(Yes or No)": any case will do; trailing blanks are ignored.
    while (!answer.empty() && answer.back() == ' ') answer.pop_back();
    toLowerInPlace(answer.data());
    return answer == "yes" || answer == "y";
}
