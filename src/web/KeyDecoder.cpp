#include "web/KeyDecoder.h"

#include <cstdlib>

namespace {
InputEvent keypadKey(char letter) {
    if (letter >= 'p' && letter <= 'y') return InputEvent::keypad(letter - 'p');
    switch (letter) {
        case 'k': return InputEvent::special(KeyCode::KeypadPlus);
        case 'm': return InputEvent::special(KeyCode::KeypadMinus);
        case 'M': return InputEvent::special(KeyCode::Enter);
        case 'A': return InputEvent::special(KeyCode::ArrowUp);  // arrows in application cursor form
        case 'B': return InputEvent::special(KeyCode::ArrowDown);
        default: return InputEvent::special(KeyCode::Other);
    }
}

// A control sequence: ESC [, numbers and the like, one final letter.
InputEvent controlSequence(const std::string& body, char final) {
    switch (final) {
        case 'A': return InputEvent::special(KeyCode::ArrowUp);
        case 'B': return InputEvent::special(KeyCode::ArrowDown);
        case '~':
            if (body == "5") return InputEvent::special(KeyCode::PageUp);
            if (body == "6") return InputEvent::special(KeyCode::PageDown);
            break;
        case 'M':
            if (body.rfind('<', 0) == 0) {
                const int button = std::atoi(body.c_str() + 1);
                if (button == 64) return InputEvent::scrollWheel(120);
                if (button == 65) return InputEvent::scrollWheel(-120);
                return {};  // other buttons: nothing the game reads
            }
            break;
        default: break;
    }
    return InputEvent::special(KeyCode::Other);
}
}  // namespace

InputEvent takeKey(std::string& bytes) {
    if (bytes.empty()) return {};
    const unsigned char first = static_cast<unsigned char>(bytes[0]);
    std::size_t used = 1;
    InputEvent event;
    if (first == 27 && bytes.size() >= 3 && bytes[1] == 'O') {
        event = keypadKey(bytes[2]);
        used = 3;
    } else if (first == 27 && bytes.size() >= 2 && bytes[1] == '[') {
        std::size_t end = 2;
        while (end < bytes.size() && (bytes[end] < 0x40 || bytes[end] > 0x7E)) ++end;
        if (end == bytes.size()) {
            bytes.clear();  // a sequence cut short: nothing a key can be made of
            return InputEvent::special(KeyCode::Other);
        }
        event = controlSequence(bytes.substr(2, end - 2), bytes[end]);
        used = end + 1;
    } else if (first == '\r' || first == '\n') {
        event = InputEvent::special(KeyCode::Enter);
    } else if (first == 127 || first == 8) {
        event = InputEvent::special(KeyCode::Backspace);
    } else if (first == 3) {
        event = InputEvent::special(KeyCode::CtrlC);
        event.ctrl = true;
    } else if (first >= 32 && first < 127) {
        event = InputEvent::character(static_cast<char>(first));
    } else if (first >= 0x80) {
        // A letter beyond ASCII has no place in a command: its bytes go as one key.
        while (used < bytes.size() && (static_cast<unsigned char>(bytes[used]) & 0xC0) == 0x80) ++used;
        event = InputEvent::special(KeyCode::Other);
    } else {
        event = InputEvent::special(KeyCode::Other);
        event.ctrl = first != 27;
    }
    bytes.erase(0, used);
    return event;
}
