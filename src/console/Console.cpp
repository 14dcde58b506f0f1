#include "console/Console.h"

#include "console/MemoryConsole.h"
#include "console/RuntimeState.h"

Console& console() {
    Console*& current = runtime().console;
    if (!current) {
        static MemoryConsole fallback;
        current = &fallback;
    }
    return *current;
}

void setConsole(Console* backEnd) { runtime().console = backEnd; }
