#include "base/LockOrder.h"

#ifndef NDEBUG
#include <array>
#include <cassert>

namespace {
// How many locks of each rank this thread holds: one count per thread, so
// not part of the runtime state.
thread_local std::array<int, 4> held{};
thread_local bool checked = true;
}  // namespace

void setLockOrderChecked(bool on) { checked = on; }

void noteLockTaken(LockRank rank, bool reentrant) {
    for (auto r = static_cast<std::size_t>(rank) + (reentrant ? 1 : 0); r < held.size(); ++r)
        assert((!checked || held[r] == 0) && "lock taken out of order: game, then output, then input, then back end");
    ++held[static_cast<std::size_t>(rank)];
}

void noteLockReleased(LockRank rank) { --held[static_cast<std::size_t>(rank)]; }
#endif
