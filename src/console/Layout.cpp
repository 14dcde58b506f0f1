#include "console/Layout.h"

#include "console/RuntimeState.h"

ScreenLayout screenLayout() { return layoutForHeight(runtime().screen.height); }

void setScreenHeight(int rows) {
    runtime().screen.height = layoutForHeight(rows).height;
    ++runtime().screen.layoutChanges;
}

int screenLayoutChanges() { return runtime().screen.layoutChanges; }
