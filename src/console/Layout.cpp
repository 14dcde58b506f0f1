#include "console/Layout.h"

#include <atomic>

namespace {
std::atomic<int> height{kDefaultScreenHeight};
std::atomic<int> changes{0};
}  // namespace

ScreenLayout screenLayout() { return layoutForHeight(height); }

void setScreenHeight(int rows) {
    height = layoutForHeight(rows).height;
    ++changes;
}

int screenLayoutChanges() { return changes; }
