#include "base/Paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>

namespace fs = std::filesystem;

namespace {
// Stays outside the runtime state: set once from the command line before
// anything runs, and base/ sits below the console that holds that state.
fs::path dataDir = "Data";
fs::path saveDir;  // empty: beside the data

// The part of a game path after "Data\" or "Data/".
std::string_view fileNameOf(std::string_view text) {
    if (text.size() >= 5 && text.substr(0, 4) == "Data" && (text[4] == '\\' || text[4] == '/')) text.remove_prefix(5);
    return text;
}

bool isFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

// The directory an environment variable names, when it names an absolute one.
fs::path absoluteFromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    if (!value || value[0] != '/') return {};
    return value;
}
}  // namespace

fs::path runningExecutable(const char* argv0, const fs::path& selfLink) {
    std::error_code ec;
    fs::path exe = fs::read_symlink(selfLink, ec);
    if (!ec) return exe;
    // A bare name was found on PATH: it says nothing of where the program lies.
    if (!argv0 || !std::strchr(argv0, '/')) return {};
    exe = fs::absolute(argv0, ec);
    return ec ? fs::path() : exe;
}

fs::path installedDataDirectory() { return BRINEFALL_INSTALLED_DATA_DIR; }

fs::path defaultDataDirectory(const fs::path& executable) {
    return executable.empty() ? installedDataDirectory() : dataDirectoryBeside(executable);
}

fs::path dataDirectoryBeside(const fs::path& executable) {
    fs::path bin = executable.parent_path();
    fs::path installed = (bin / ".." / "share" / "brinefall").lexically_normal();
    std::error_code ec;
    if (fs::is_directory(installed, ec)) return installed;
    return bin / "Data";
}

void setDataDirectory(const fs::path& dir) { dataDir = dir; }
const fs::path& dataDirectory() { return dataDir; }
fs::path dataPath(std::string_view fileName) { return dataDir / std::string(fileName); }
std::string gamePath(std::string_view fileName) { return "Data\\" + std::string(fileName); }
fs::path realPath(std::string_view text) { return dataPath(fileNameOf(text)); }

fs::path defaultSaveDirectory() {
    if (fs::path xdg = absoluteFromEnvironment("XDG_DATA_HOME"); !xdg.empty()) return xdg / "brinefall";
    if (fs::path home = absoluteFromEnvironment("HOME"); !home.empty())
        return home / ".local" / "share" / "brinefall";
    return {};
}

void setSaveDirectory(const fs::path& dir) { saveDir = dir; }
const fs::path& saveDirectory() { return saveDir.empty() ? dataDir : saveDir; }

fs::path saveWritePath(std::string_view text) { return saveDirectory() / std::string(fileNameOf(text)); }

fs::path saveReadPath(std::string_view text) {
    fs::path own = saveWritePath(text);
    if (isFile(own)) return own;
    fs::path left = realPath(text);
    return isFile(left) ? left : own;
}

bool makeSaveDirectory() {
    const fs::path& dir = saveDirectory();
    std::error_code ec;
    if (fs::is_directory(dir, ec)) return true;
    // Parents first; each new one is private to the player, whatever the
    // umask. Folders that were there already are used as they are.
    fs::path partial;
    for (const fs::path& part : dir) {
        partial /= part;
        if (::mkdir(partial.c_str(), 0700) == 0) {
            if (::chmod(partial.c_str(), 0700) != 0) return false;
        } else if (errno != EEXIST) {
            return false;
        }
    }
    if (fs::is_directory(dir, ec)) return true;
    errno = ENOTDIR;
    return false;
}

std::string dataDirectoryProblem(const fs::path& dir) {
    struct stat info {};
    if (::stat(dir.c_str(), &info) != 0) return std::strerror(errno);
    if (!S_ISDIR(info.st_mode)) return std::strerror(ENOTDIR);
    if (::access(dir.c_str(), R_OK | X_OK) != 0) return std::strerror(errno);
    // The world is what every game starts from: without it this is not the game's data.
    fs::path world = dir / "initial.mox";
    if (::access(world.c_str(), R_OK) != 0) return "initial.mox: " + std::string(std::strerror(errno));
    return {};
}

std::string saveDirectoryProblem(const fs::path& dir) {
    std::error_code ec;
    fs::path target = fs::absolute(dir, ec).lexically_normal();
    if (ec) return ec.message();
    if (!target.has_filename()) target = target.parent_path();
    // The directory itself, or the nearest parent it would be made in.
    fs::path existing = target;
    struct stat info {};
    while (::stat(existing.c_str(), &info) != 0) {
        // Missing, or below a file: the nearest thing that exists says why.
        if ((errno != ENOENT && errno != ENOTDIR) || existing == existing.root_path()) return std::strerror(errno);
        existing = existing.parent_path();
    }
    std::string why;
    if (!S_ISDIR(info.st_mode)) why = std::strerror(ENOTDIR);
    else if (::access(existing.c_str(), W_OK | X_OK) != 0) why = std::strerror(errno);
    if (why.empty() || existing == target) return why;
    return existing.string() + ": " + why;
}

std::string settleDirectories(const fs::path& givenData, const fs::path& givenSaves, const char* argv0) {
    fs::path data = givenData.empty() ? defaultDataDirectory(runningExecutable(argv0)) : givenData;
    if (std::string why = dataDirectoryProblem(data); !why.empty())
        return "cannot read the game data in " + data.string() + ": " + why;
    fs::path saves = givenSaves.empty() ? defaultSaveDirectory() : givenSaves;
    if (saves.empty()) return "no directory for saved games: set HOME or XDG_DATA_HOME, or give --save-dir";
    if (std::string why = saveDirectoryProblem(saves); !why.empty())
        return "cannot create the save directory " + saves.string() + ": " + why;
    setDataDirectory(data);
    setSaveDirectory(saves);
    return {};
}
