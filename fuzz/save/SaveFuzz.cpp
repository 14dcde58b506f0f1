// Feeds arbitrary bytes to the save loader: it must never read or write
// out of bounds, and whatever it accepts must save and load back to the
// very same text.
//   fuzz/build.sh && cp -r fuzz/save/corpus /tmp/save-corpus &&
//   build-fuzz/SaveFuzz /tmp/save-corpus -max_len=8192 -max_total_time=300
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "console/MemoryConsole.h"
#include "console/Output.h"
#include "core/World.h"
#include "persist/Codec.h"
#include "persist/Persist.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static MemoryConsole screen;
    setConsole(&screen);
    std::string_view bytes(reinterpret_cast<const char*>(data), size);

    resetGameState();
    if (loadSaveText(bytes)) {
        std::string saved = saveText();
        resetGameState();
        if (!loadSaveText(saved) || saveText() != saved) std::abort();
    }
    // The scrambled header check on the same bytes.
    if (auto twin = unscrambleBytes(bytes, 0x5A)) {
        if (scrambleBytes(twin->bytes, twin->extension, 0x5A) != bytes) std::abort();
    }
    freeAllLists();
    return 0;
}
