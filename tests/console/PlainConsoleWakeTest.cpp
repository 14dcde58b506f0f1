// The plain front end waits on standard input with no timeout; a wake from
// another thread (play ended on the clock) ends that wait.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "console/PlainConsole.h"

namespace {
// Standard input replaced by a pipe the test types into, for one test.
class PipedStdin {
public:
    PipedStdin() {
        if (pipe(fds_) != 0) return;
        saved_ = dup(STDIN_FILENO);
        dup2(fds_[0], STDIN_FILENO);
    }
    ~PipedStdin() {
        if (saved_ >= 0) {
            dup2(saved_, STDIN_FILENO);
            close(saved_);
        }
        for (int fd : fds_)
            if (fd >= 0) close(fd);
    }
    bool ok() const { return saved_ >= 0; }
    void type(char c) { ASSERT_EQ(write(fds_[1], &c, 1), 1); }
    void endInput() {
        close(fds_[1]);
        fds_[1] = -1;
    }

private:
    int fds_[2] = {-1, -1};
    int saved_ = -1;
};
}  // namespace

TEST(PlainConsoleWakeTest, AWakeEndsTheWaitOnceAndKeysStillCome) {
    PipedStdin input;
    ASSERT_TRUE(input.ok());
    PlainConsole plain;

    InputEvent woken = InputEvent::closed();
    double tookMs = 0;
    std::thread reader([&] {
        auto start = std::chrono::steady_clock::now();
        woken = plain.nextEvent(5000);
        tookMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    });
    plain.wake();
    reader.join();
    EXPECT_EQ(woken.type, InputEvent::Type::None);
    EXPECT_LT(tookMs, 1000.0) << "the wait ran on to its timeout";

    // Wakes that came while nobody waited end the next wait, and only that one.
    plain.wake();
    plain.wake();
    EXPECT_EQ(plain.nextEvent(-1).type, InputEvent::Type::None);
    input.type('x');
    InputEvent key = plain.nextEvent(-1);
    EXPECT_EQ(key.key, KeyCode::Char);
    EXPECT_EQ(key.ch, 'x');

    input.endInput();
    EXPECT_EQ(plain.nextEvent(-1).type, InputEvent::Type::Closed);
}
