// The front menu as the memory back end holds it at 80x24, one row a line:
// each cell as its character (UTF-8) and its console attribute in hex,
// "ch:attr", separated by tabs. The browser test compares the page's
// terminal with it, character and colour. Usage: brinefall_screen_cells DATA
#include <cstdio>
#include <filesystem>
#include <string>

#include "base/Paths.h"
#include "console/Cp437.h"
#include "console/MemoryConsole.h"
#include "console/RuntimeState.h"
#include "game/MainLoop.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DATA\n", argv[0]);
        return 2;
    }
    const std::filesystem::path saves = std::filesystem::temp_directory_path() / "brinefall-screen-cells";
    if (std::string why = settleDirectories(argv[1], saves, argv[0]); !why.empty()) {
        std::fprintf(stderr, "%s\n", why.c_str());
        return 1;
    }
    MemoryConsole memory;
    memory.resize(kMinScreenHeight);
    setConsole(&memory);
    runGame();  // no keys: the menu is drawn, then the input is closed
    for (int y = 0; y < memory.rows(); ++y) {
        std::string row;
        for (int x = 0; x < kScreenWidth; ++x) {
            const ScreenCell cell = memory.cell(x, y);
            char attr[8];
            std::snprintf(attr, sizeof attr, ":%x", cell.attr);
            if (x > 0) row += '\t';
            appendUtf8(row, cp437ToUnicode(cell.ch));
            row += attr;
        }
        std::puts(row.c_str());
    }
    setConsole(nullptr);
    std::filesystem::remove_all(saves);
    return 0;
}
