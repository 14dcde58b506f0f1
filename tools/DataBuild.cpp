// brinefall_data <content dir> <output Data dir>
// Turns the plain game data under content/ into the Data directory the
// game reads: the world and the scripts scrambled with the game's own
// codec (keyed by their "Data\<name>.mox" path), the map, the
// instructions and the things worth a closer look copied as they are.
// Missing sources are skipped. Last it lists what it wrote, each file with
// its size and checksum, in manifest.txt, which the game checks at start.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "base/Codec.h"
#include "base/DataManifest.h"
#include "base/Paths.h"

namespace fs = std::filesystem;

namespace {
// The files written so far, for the manifest.
std::vector<ManifestEntry> written;

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
    written.push_back(manifestEntry(baseName + ".mox", scrambled));
    return true;
}

bool copyPlain(const fs::path& source, const std::string& name) {
    std::optional<std::string> bytes = readWholeFile(source);
    if (!bytes || !writeFileAtomically(dataPath(name), *bytes)) {
        std::fprintf(stderr, "brinefall_data: cannot copy %s\n", source.c_str());
        return false;
    }
    written.push_back(manifestEntry(name, *bytes));
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
    auto exists = [](const fs::path& p) { return fs::is_regular_file(p); };
    if (exists(content / "initial.ims")) ok &= scramble(content / "initial.ims", "initial", ".ims");
    for (const fs::path& script : scripts(content / "scripts"))
        ok &= scramble(script, script.stem().string(), ".txt");
    for (const char* name : {"map.txt", "readme.txt", "things.txt"})
        if (exists(content / name)) ok &= copyPlain(content / name, name);
    if (!ok) return 1;  // no manifest for a build that failed: the game refuses it
    if (!writeFileAtomically(dataPath(kManifestName), manifestText(written))) {
        std::fprintf(stderr, "brinefall_data: cannot write %s\n", dataPath(kManifestName).c_str());
        return 1;
    }
    std::printf("brinefall_data: %zu files and their manifest in %s\n", written.size(), argv[2]);
    return 0;
}
