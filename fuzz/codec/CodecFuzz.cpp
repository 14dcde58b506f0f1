// The scrambled file form: header parsing, key derivation and the file
// conversions. Byte 0 picks the key, the rest is the file. Whatever
// unscrambles must scramble back to the same bytes, and a file converted
// to its plain twin and back must come back unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "../FuzzSupport.h"
#include "base/Paths.h"
#include "base/Codec.h"
#include "base/CodecTesting.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static FuzzDataDir dir("codec");
    if (size < 1) return 0;
    std::uint8_t key = data[0];
    std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);

    // Keys of arbitrary paths, and extension replacement on them.
    (void)scrambleKey(bytes);
    (void)replaceExtension(bytes, ".ims");

    std::optional<PlainTwin> twin = unscrambleBytes(bytes, key);
    if (twin) {
        if (twin->extension.size() != 4 || scrambleBytes(twin->bytes, twin->extension, key) != bytes) std::abort();
    }
    std::string again = scrambleBytes(bytes, ".txt", key);
    std::optional<PlainTwin> back = unscrambleBytes(again, key);
    if (!back || back->bytes != bytes || back->extension != ".txt") std::abort();

    // The same bytes as a file: to the plain twin and back.
    const std::string path = "Data\\Fuzz.mox";
    std::filesystem::path real = realPath(path);
    if (!writeFileAtomically(real, bytes, false)) std::abort();
    if (convertScrambled(path)) {
        // Only a valid header under this path's own key converts, and the
        // plain twin holds exactly the decoded bytes.
        std::optional<PlainTwin> own = unscrambleBytes(bytes, scrambleKey(path));
        if (!own) std::abort();
        std::string plainPath = replaceExtension(path, own->extension);
        std::optional<std::string> plain = readWholeFile(realPath(plainPath));
        if (!plain || *plain != own->bytes) std::abort();
        removePlainTwin(plainPath);
    }
    std::error_code ec;
    std::filesystem::remove(real, ec);
    return 0;
}
