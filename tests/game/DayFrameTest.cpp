// The day on the frame's top line and the "time" command.
#include "TestSupport.h"

#include <cstdlib>

#include "clock/Clock.h"
#include "game/Days.h"
#include "game/Commands.h"
#include "game/Tick.h"

namespace {
constexpr std::uint8_t kHorizontal = 0xCD;
}

class DayFrameTest : public GameTest {
protected:
    std::string topLine() { return screen.rowText(0); }
    // The title sits in the middle: as many frame cells on its left as on its right, give or take one.
    void expectCentred(const std::string& title) {
        std::string shown = " " + title + " ";
        std::size_t at = topLine().find(shown);
        ASSERT_NE(at, std::string::npos) << topLine();
        int left = static_cast<int>(at) - 1;
        int right = 78 - static_cast<int>(at + shown.size()) + 1;
        EXPECT_LE(std::abs(left - right), 1);
        EXPECT_EQ(screen.cell(1, 0).ch, kHorizontal);
        EXPECT_EQ(screen.cell(78, 0).ch, kHorizontal);
        EXPECT_EQ(screen.cell(0, 0).ch, 201);
        EXPECT_EQ(screen.cell(79, 0).ch, 187);
    }
};

TEST_F(DayFrameTest, TopLineShowsTheDayAndChangesEachMorning) {
    EXPECT_EQ(topLine().find("Day"), std::string::npos);  // no game yet, no day
    showDayInFrame();
    expectCentred("Day 1");
    game.tick = kTicksPerDay;
    onTick();  // the morning of day 2
    EXPECT_EQ(game.day, 2);
    expectCentred("Day 2");
    EXPECT_EQ(topLine().find("Day 1"), std::string::npos);
    game.day = 9;
    game.tick = 9 * kTicksPerDay;
    onTick();
    expectCentred("Day 10");
    // Between mornings the line stays as it is.
    ++game.tick;
    onTick();
    expectCentred("Day 10");
}

TEST_F(DayFrameTest, TimeTellsDayTimeOfDayAndFood) {
    struct Case {
        int day;
        int tickOfDay;
        const char* expected;
    };
    const Case cases[] = {
        {1, 10, "/wIt is /Yday 1/w, around noon.\n/wThe food will last /Y16 more days/w, today included.\n"},
        {2, 10, "/wIt is /Yday 2/w, morning.\n/wThe food will last /Y15 more days/w, today included.\n"},
        {3, 100, "/wIt is /Yday 3/w, afternoon.\n/wThe food will last /Y14 more days/w, today included.\n"},
        {15, 200, "/wIt is /Yday 15/w, evening.\n/wThe food will last /Y2 more days/w, today included.\n"},
        {16, 230, "/wIt is /Yday 16/w, night.\n/RToday the last of the food is eaten.\n"},
    };
    for (const Case& c : cases) {
        game.day = c.day;
        game.tick = (c.day - 1) * kTicksPerDay + c.tickOfDay;
        dispatchCommand("time");
        EXPECT_EQ(output(), c.expected) << c.day;
    }
    EXPECT_EQ(game.tick, 15 * kTicksPerDay + 230);  // looking at the time takes none
}
