#include "core/Random.h"

#include <chrono>
#include <deque>
#include <mutex>
#include <random>

namespace {
std::mutex mutex;
std::minstd_rand generator(1);
long long fixedSeconds = -1;
std::deque<int> queued;
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
    std::lock_guard lock(mutex);
    generator.seed(seed == 0 ? 1u : seed);
}

void reseedFromClock() { reseed(static_cast<unsigned>(nowSeconds())); }

int draw() {
    std::lock_guard lock(mutex);
    if (!queued.empty()) {
        int v = queued.front();
        queued.pop_front();
        return v;
    }
    return static_cast<int>(generator() & 0x7FFFFFFF);
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
