#include "persist/Codec.h"

#include <filesystem>

#include "core/Paths.h"

// Placeholder until the codec is built: the real one lands with persistence.
std::uint8_t scrambleKey(std::string_view) { return 0; }
std::string replaceExtension(std::string_view path, std::string_view extension) {
    std::string out(path.substr(0, path.size() >= 4 ? path.size() - 4 : 0));
    out += extension;
    return out;
}
bool convertScrambled(std::string_view) { return false; }
bool transcodeFile(std::string_view, std::uint8_t, bool) { return false; }
void removePlainTwin(std::string_view gamePath) {
    std::error_code ec;
    std::filesystem::remove(realPath(gamePath), ec);
}
