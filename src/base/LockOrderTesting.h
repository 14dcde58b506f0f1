#pragma once
// Tests only: a test hook that stands in for the clock thread runs a tick
// on the main thread from inside an input read, holding the input lock.
// While one of these lives, this thread's locks are counted but their
// order is not checked.
#include "base/LockOrder.h"

class LockOrderUnchecked {
public:
    LockOrderUnchecked() { setLockOrderChecked(false); }
    ~LockOrderUnchecked() { setLockOrderChecked(true); }
    LockOrderUnchecked(const LockOrderUnchecked&) = delete;
    LockOrderUnchecked& operator=(const LockOrderUnchecked&) = delete;
};
