// Ctrl+C and Alt+F4 end the program, status 0, wherever the game reads a key.
#include <gtest/gtest.h>

#include <cstdlib>

#include "console/Input.h"
#include "console/MemoryConsole.h"

namespace {
void pressAndRead(KeyCode key, bool inPause) {
    MemoryConsole memory;
    setConsole(&memory);
    resetInputState();
    memory.pushEvent(InputEvent::special(key));
    if (inPause) {
        PauseWait pause;
        pause.waitForKey(0);
    } else {
        nextInputEvent(0);
    }
    std::_Exit(3);  // the key was let through
}
}  // namespace

TEST(ProgramKeysDeathTest, CtrlCAndAltF4EndTheProgramAtThePromptAndInAPause) {
    for (KeyCode key : {KeyCode::CtrlC, KeyCode::AltF4}) {
        EXPECT_EXIT(pressAndRead(key, false), testing::ExitedWithCode(0), "");
        EXPECT_EXIT(pressAndRead(key, true), testing::ExitedWithCode(0), "");
    }
}

TEST(ProgramKeysTest, OtherKeysAreHandedOn) {
    MemoryConsole memory;
    setConsole(&memory);
    resetInputState();
    memory.pushEvent(InputEvent::special(KeyCode::Other));
    EXPECT_EQ(nextInputEvent(0).key, KeyCode::Other);
    setConsole(nullptr);
}
