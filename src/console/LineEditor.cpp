#include "console/LineEditor.h"

#include "console/Input.h"

namespace {
int limit = 75;
}

// A bare editor until the real one is built: characters until Enter.
std::string readInputLine() {
    std::string line;
    while (true) {
        InputEvent e = nextInputEvent(100);
        if (e.type == InputEvent::Type::Closed) return line;
        if (!e.isKeyDown()) continue;
        if (e.key == KeyCode::Enter) return line;
        if (e.key == KeyCode::Char && static_cast<int>(line.size()) < limit - 3) line += e.ch;
    }
}
void setInputLimit(int characters) { limit = (characters < 1 ? 1 : characters > 75 ? 75 : characters) + 3; }
int inputLimit() { return limit; }
int suggestCompletion(int) { return 0; }
