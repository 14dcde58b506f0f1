#pragma once
// Shared set-up for the fuzz targets: a private Data directory, removed
// again at exit, optionally filled from content/ exactly as the data
// build fills build/Data (world and scripts scrambled, map and readme copied).
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>

#include "base/Paths.h"
#include "base/Codec.h"

class FuzzDataDir {
public:
    explicit FuzzDataDir(const char* tag) {
        dir_ = std::filesystem::temp_directory_path() /
               ("brinefall-fuzz-" + std::string(tag) + "-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir_);
        setDataDirectory(dir_);
    }
    ~FuzzDataDir() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    const std::filesystem::path& path() const { return dir_; }

    // The shipped world, scripts, map and readme, from the source tree.
    void buildFromContent() {
        namespace fs = std::filesystem;
        fs::path content = BRINEFALL_CONTENT_DIR;
        scramble(content / "initial.ims", "initial", ".ims");
        std::error_code ec;
        for (fs::directory_iterator it(content / "scripts", ec), end; !ec && it != end; it.increment(ec))
            if (it->path().extension() == ".txt") scramble(it->path(), it->path().stem().string(), ".txt");
        for (const char* plain : {"map.txt", "readme.txt"})
            if (std::optional<std::string> bytes = readWholeFile(content / plain))
                writeFileAtomically(dataPath(plain), *bytes, false);
    }

private:
    std::filesystem::path dir_;

    static void scramble(const std::filesystem::path& source, const std::string& name, const char* extension) {
        std::optional<std::string> plain = readWholeFile(source);
        if (!plain) return;
        std::string path = gamePath(name + ".mox");
        writeFileAtomically(realPath(path), scrambleBytes(*plain, extension, scrambleKey(path)), false);
    }
};
