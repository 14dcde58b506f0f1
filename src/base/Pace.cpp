#include "base/Pace.h"

#include <atomic>

namespace {
// The speed of the whole run, not part of its state: no reset puts it back.
std::atomic<long long> periodMs{kTickPeriod.count()};
}  // namespace

std::chrono::milliseconds tickPeriod() { return std::chrono::milliseconds(periodMs.load()); }

void setTickPeriod(std::chrono::milliseconds period) { periodMs = period.count() > 0 ? period.count() : 1; }

int pacedMs(int ms) { return static_cast<int>(ms * periodMs.load() / kTickPeriod.count()); }
