// brinefall_data <content dir> <output Data dir>
// Turns the plain game data under content/ into the Data directory the
// game reads: the world and the scripts scrambled with the game's own
// codec (keyed by their "Data\<name>.mox" path), the map, the
// instructions and the things worth a closer look copied as they are.
// Missing sources are skipped.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "base/Paths.h"
#include "base/Codec.h"

namespace fs = std::filesystem;

namespace {
// Scrambles source into Data\<baseName>.mox, its header naming extension,
// and checks that the result unscrambles to the same bytes.
bool scramble(const fs::path& source, const std::string& baseName, const char* extension) {
    std::optional<std::string> plain = readWholeFile(source);
    if (!plain) {
        std::fprintf(stderr, "brinefall_data: cannot read %s\n", source.c_str());
        return false;
    }
    std::string path = gamePath(baseName + ".mox");
    std::uint8_t key = scrambleKey(path);
    std::string scrambled = scrambleBytes(*plain, extension, key);
    std::optional<PlainTwin> check = unscrambleBytes(scrambled, key);
    if (!check || check->bytes != *plain || !writeFileAtomically(realPath(path), scrambled)) {
        std::fprintf(stderr, "brinefall_data: cannot write %s\n", realPath(path).c_str());
        return false;
    }
    return true;
}

bool copyPlain(const fs::path& source, const std::string& name) {
    std::optional<std::string> bytes = readWholeFile(source);
    if (!bytes || !writeFileAtomically(dataPath(name), *bytes)) {
        std::fprintf(stderr, "brinefall_data: cannot copy %s\n", source.c_str());
        return false;
    }
    return true;
}

std::vector<fs::path> scripts(const fs::path& dir) {
    std::vector<fs::path> found;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_regular_file() && it->path().extension() == ".txt") found.push_back(it->path());
    std::sort(found.begin(), found.end());
    return found;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: brinefall_data <content dir> <output Data dir>\n");
        return 2;
    }
    fs::path content = argv[1];
    std::error_code ec;
    fs::create_directories(argv[2], ec);
    if (!fs::is_directory(argv[2])) {
        std::fprintf(stderr, "brinefall_data: cannot create %s\n", argv[2]);
        return 1;
    }
    setDataDirectory(argv[2]);

    bool ok = true;
    int written = 0;
    auto exists = [](const fs::path& p) { return fs::is_regular_file(p); };
    if (exists(content / "initial.ims")) {
        ok &= scramble(content / "initial.ims", "initial", ".ims");
        ++written;
    }
    for (const fs::path& script : scripts(content / "scripts")) {
        ok &= scramble(script, script.stem().string(), ".txt");
        ++written;
    }
    for (const char* name : {"map.txt", "readme.txt", "things.txt"}) {
        if (!exists(content / name)) continue;
        ok &= copyPlain(content / name, name);
        ++written;
    }
    std::printf("brinefall_data: %d files in %s\n", written, argv[2]);
    return ok ? 0 : 1;
}
