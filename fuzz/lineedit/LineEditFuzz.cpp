// The input row fed with fuzzed key and mouse events: typing, deleting,
// keypad shortcuts, completion, scrolling, recalling earlier lines and
// resizes, until the input closes. Byte 0 sets the first line's input
// limit, which changes from line to line; then two bytes make one event.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "console/CommandHistory.h"
#include "console/Input.h"
#include "console/LineEditor.h"
#include "console/MemoryConsole.h"
#include "console/Output.h"
#include "console/Screen.h"
#include "game/CommandLine.h"
#include "world/World.h"

namespace {
InputEvent makeEvent(std::uint8_t kind, std::uint8_t value) {
    switch (kind % 12) {
        case 0: case 1: case 2: case 3: return InputEvent::character(static_cast<char>(value));
        case 4: return InputEvent::special(KeyCode::Enter);
        case 5: return InputEvent::special(KeyCode::Backspace);
        case 6: return InputEvent::keypad(value % 10);
        case 7: {
            const KeyCode scrollKeys[] = {KeyCode::KeypadPlus, KeyCode::KeypadMinus, KeyCode::PageUp, KeyCode::PageDown};
            return InputEvent::special(scrollKeys[value % 4]);
        }
        case 8: return InputEvent::click(value % kScreenWidth, value / 4);
        case 9: return InputEvent::scrollWheel(value & 1 ? 120 : -120);
        case 10: {
            InputEvent e = InputEvent::character(static_cast<char>(value));
            e.keyDown = false;  // a key let go
            return e;
        }
        default: {
            if (value & 2) return InputEvent::special(value & 1 ? KeyCode::ArrowUp : KeyCode::ArrowDown);
            InputEvent e;
            e.type = value & 1 ? InputEvent::Type::Resize : InputEvent::Type::Key;
            e.key = KeyCode::Other;
            return e;
        }
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static MemoryConsole screen;
    setConsole(&screen);
    if (size < 1) return 0;
    screen.clearInput();
    resetInputState();
    setUpConsole();
    connectCommandLine();  // completion and keypad shortcuts as in play
    game.running = 1;
    printMarked("/YA line of text to scroll past.\n");
    for (std::size_t i = 1; i + 1 < size; i += 2) screen.pushEvent(makeEvent(data[i], data[i + 1]));
    // Each line ends at Enter or at the closed input; the editor must never
    // hand back more than the limit allows, a recalled line included.
    CommandHistory history;
    for (int lines = 0; lines < 1000; ++lines) {
        const int characters = 1 + (data[0] + 7 * lines) % kLineCapacity;
        setInputLimit(characters);
        std::string line = readInputLine(&history);
        if (line.size() > static_cast<std::size_t>(characters)) std::abort();
        if (inputClosed()) break;
    }
    return 0;
}
