#include "base/Random.h"
#include "base/RandomTesting.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <mutex>
#include <random>

namespace {
// The one random stream of the game and its test seams (fixed seconds, queued
// draws). It stays here, under its own lock: every layer draws from it, and
// base/ sits below the runtime state.
std::mutex mutex;
std::mt19937_64 generator;
long long fixedSeconds = -1;
std::deque<int> queued;

// splitmix64's finaliser: neighbouring seeds (one second apart, or sixty)
// give unrelated states, so the first draw after a reseed is as random as
// any later one.
std::uint64_t mix(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}
}  // namespace

long long nowSeconds() {
    {
        std::lock_guard lock(mutex);
        if (fixedSeconds >= 0) return fixedSeconds;
    }
    using namespace std::chrono;
    return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

void reseed(unsigned seed) {
    // The seed alone would do for the clock's seconds, but the wandering
    // reseeds with a room number just drawn: a few values that would replay
    // the same few sequences every minute. Together with the second they
    // start a fresh one.
    const auto second = static_cast<std::uint64_t>(nowSeconds());
    std::lock_guard lock(mutex);
    generator.seed(mix(mix(second) ^ seed));
}

void reseedFromClock() { reseed(static_cast<unsigned>(nowSeconds())); }

int draw() {
    std::lock_guard lock(mutex);
    if (!queued.empty()) {
        int v = queued.front();
        queued.pop_front();
        return v;
    }
    return static_cast<int>(generator() >> 33);  // the top 31 bits: 0..2147483647
}

void setFixedSeconds(long long seconds) {
    std::lock_guard lock(mutex);
    fixedSeconds = seconds;
}

void queueDraws(const std::vector<int>& values) {
    std::lock_guard lock(mutex);
    queued.insert(queued.end(), values.begin(), values.end());
}

void clearQueuedDraws() {
    std::lock_guard lock(mutex);
    queued.clear();
}
