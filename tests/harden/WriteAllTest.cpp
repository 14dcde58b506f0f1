// A frame written to a slow reader while signals keep arriving (a resize,
// a continue: handlers that only raise a flag): every byte arrives, in
// order, as the terminal and the saves write them.
#include <signal.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>

#include "base/Files.h"

namespace {
std::atomic<int> signalsSeen{0};
void countSignal(int) { signalsSeen.fetch_add(1); }

TEST(WriteAllTest, SignalsDuringAWriteToASlowReaderLoseNothing) {
    struct sigaction action {}, before {};
    action.sa_handler = countSignal;  // no SA_RESTART: a blocked write fails with EINTR
    sigemptyset(&action.sa_mask);
    ASSERT_EQ(sigaction(SIGUSR2, &action, &before), 0);
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);

    std::string frame;
    for (int i = 0; frame.size() < 512 * 1024; ++i) frame += "\033[" + std::to_string(i % 50) + ";1H row " + std::to_string(i);
    std::atomic<bool> done{false};
    bool written = false;
    std::thread writer([&] {
        written = writeAll(fds[1], frame);
        close(fds[1]);  // the reader sees the end, whether all came or not
        done = true;
    });
    std::thread signaller([&] {
        while (!done) {
            pthread_kill(writer.native_handle(), SIGUSR2);
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    });
    std::string received;
    char buffer[4096];
    while (received.size() < frame.size()) {
        const ssize_t n = read(fds[0], buffer, sizeof buffer);
        if (n <= 0) break;
        received.append(buffer, static_cast<std::size_t>(n));
        std::this_thread::sleep_for(std::chrono::microseconds(500));  // a slow terminal: the writer waits on a full pipe
    }
    signaller.join();
    writer.join();
    close(fds[0]);
    sigaction(SIGUSR2, &before, nullptr);
    EXPECT_TRUE(written);
    EXPECT_GT(signalsSeen.load(), 10);
    EXPECT_TRUE(received == frame) << "received " << received.size() << " of " << frame.size() << " bytes";
}
}  // namespace
