#include "console/Console.h"

#include "console/MemoryConsole.h"

namespace {
Console* current = nullptr;
}

Console& console() {
    if (!current) {
        static MemoryConsole fallback;
        current = &fallback;
    }
    return *current;
}

void setConsole(Console* backEnd) { current = backEnd; }
