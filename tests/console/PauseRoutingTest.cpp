// A "/s" pause printed by another thread (the clock) while the player types
// takes the next key; the line editor never sees it.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <thread>

#include "TestSupport.h"
#include "console/WaitingConsole.h"
#include "console/LineEditor.h"
#include "console/Screen.h"
#include "console/OutputTesting.h"

namespace {
// Sends a key the moment the pause's arrow blinks off, between two slices
// of its wait, and lets the line editor read it there.
class BlinkConsole : public WaitingConsole {
public:
    std::atomic<bool> armed{false};
    std::atomic<bool> sentKey{false};
    int arrowColumn = 0;

    void writeCells(int x, int y, int w, int h, const ScreenCell* cells) override {
        WaitingConsole::writeCells(x, y, w, h, cells);
        if (armed && cell(arrowColumn, 46).ch == ' ') {
            armed = false;
            send(InputEvent::character('x'));
            sentKey = drained(std::chrono::seconds(2));
        }
    }
};

// Waits until the cell shows the character, up to five seconds.
bool waitForCell(const MemoryConsole& screen, int x, int y, std::uint8_t ch) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (screen.cell(x, y).ch != ch && std::chrono::steady_clock::now() < deadline) std::this_thread::yield();
    return screen.cell(x, y).ch == ch;
}

TEST(PauseRoutingTest, AKeyBetweenTwoBlinksStillGoesToThePause) {
    BlinkConsole terminal;
    setConsole(&terminal);
    resetInputState();
    clearScrollback();
    setUpConsole();
    game.running = 1;

    std::string line;
    std::thread editor([&] { line = readInputLine(); });
    terminal.send(InputEvent::character('a'));
    ASSERT_TRUE(waitForCell(terminal, 3, 48, 'a'));

    std::atomic<bool> pauseOver{false};
    std::thread clock([&] {
        printMarked("Waves./s\n");
        pauseOver = true;
    });
    terminal.arrowColumn = 1 + 6;
    ASSERT_TRUE(waitForCell(terminal, terminal.arrowColumn, 46, 25));
    terminal.armed = true;

    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!pauseOver && std::chrono::steady_clock::now() < deadline) std::this_thread::yield();
    EXPECT_TRUE(terminal.sentKey);
    EXPECT_TRUE(pauseOver) << "the key between two blinks went elsewhere";
    if (!pauseOver) terminal.send(InputEvent::character('y'));  // free the pause
    clock.join();

    terminal.send(InputEvent::special(KeyCode::Enter));
    editor.join();
    EXPECT_EQ(line, "a");
    setConsole(nullptr);
}

TEST(PauseRoutingTest, KeyGoesToThePauseOfTheOtherThread) {
    WaitingConsole terminal;
    setConsole(&terminal);
    resetInputState();
    clearScrollback();
    setUpConsole();
    game.running = 1;

    std::string line;
    std::thread editor([&] { line = readInputLine(); });
    terminal.send(InputEvent::character('a'));
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (terminal.cell(3, 48).ch != 'a' && std::chrono::steady_clock::now() < deadline) std::this_thread::yield();
    ASSERT_EQ(terminal.cell(3, 48).ch, 'a');

    std::thread clock([] { printMarked("Something happens./s and goes on.\n"); });
    // Wait for the blinking arrow (code page 437 down arrow) after the text.
    const int arrowColumn = 1 + 18;
    bool arrowShown = false;
    deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!arrowShown && std::chrono::steady_clock::now() < deadline) {
        arrowShown = terminal.cell(arrowColumn, 46).ch == 25;
        std::this_thread::yield();
    }
    ASSERT_TRUE(arrowShown);

    terminal.send(InputEvent::character('x'));  // for the pause
    clock.join();
    EXPECT_EQ(scrollbackLine(kScrollbackLines - 2), "Something happens. and goes on.");

    terminal.send(InputEvent::character('b'));
    terminal.send(InputEvent::special(KeyCode::Enter));
    editor.join();
    EXPECT_EQ(line, "ab");
    setConsole(nullptr);
}
}  // namespace
