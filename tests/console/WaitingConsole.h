#pragma once
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "console/MemoryConsole.h"

// Input that waits like a terminal: nothing is "closed" while the queue is
// empty, and a negative timeout waits until a key comes or a wake.
class WaitingConsole : public MemoryConsole {
public:
    InputEvent nextEvent(int timeoutMs) override {
        std::unique_lock lock(queueMutex_);
        auto ready = [this] { return !queue_.empty() || woken_; };
        if (timeoutMs < 0) arrived_.wait(lock, ready);
        else arrived_.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready);
        woken_ = false;
        if (queue_.empty()) return {};
        InputEvent e = queue_.front();
        queue_.pop_front();
        return e;
    }
    void wake() override {
        std::lock_guard lock(queueMutex_);
        woken_ = true;
        arrived_.notify_all();
    }
    void send(const InputEvent& e) {
        std::lock_guard lock(queueMutex_);
        queue_.push_back(e);
        arrived_.notify_all();
    }
    // True once a reader has taken every event sent, within the time given.
    bool drained(std::chrono::milliseconds within) {
        auto deadline = std::chrono::steady_clock::now() + within;
        while (std::chrono::steady_clock::now() < deadline) {
            {
                std::lock_guard lock(queueMutex_);
                if (queue_.empty()) return true;
            }
            std::this_thread::yield();
        }
        return false;
    }

private:
    std::mutex queueMutex_;
    std::condition_variable arrived_;
    std::deque<InputEvent> queue_;
    bool woken_ = false;
};
