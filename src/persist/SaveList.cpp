#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>

#include "base/Codec.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "base/SaveKeeping.h"
#include "persist/Persist.h"

namespace {
namespace fs = std::filesystem;

// A name as the menu leaves it once typed: 2 to 19 letters or digits, the
// first upper case, the rest lower. Temporary files never look like one.
bool isPlayerName(const std::string& name) {
    if (name.size() < 2 || name.size() > 19) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        auto c = static_cast<unsigned char>(name[i]);
        if (!std::isalnum(c) || (i == 0 ? std::islower(c) : std::isupper(c))) return false;
    }
    return true;
}

// A save's first lines hold all its line in the menu shows: the day
// stands on the third.
constexpr std::size_t kHeadBytes = 512;
// A scrambled file's header: its extension and one blank.
constexpr std::size_t kScrambledHeaderSize = 5;

// The first bytes of a scrambled file, unscrambled; nullopt when there are
// none to read or no scrambled header.
std::optional<PlainTwin> readHead(const std::string& moxPath, const fs::path& file, std::size_t head) {
    FileBytes bytes = readRegularFileHead(file, head, kSaveSizeLimit, Links::Refuse);
    if (!bytes.bytes) return std::nullopt;
    return unscrambleBytes(*bytes.bytes, scrambleKey(moxPath));
}

// A file of the island's own data (a personality's script) is no save.
// Only the data directory holds them, and only its files are opened here.
bool islandData(const std::string& name, const fs::path& file) {
    std::optional<PlainTwin> twin = readHead(saveGamePath(name), file, kScrambledHeaderSize);
    return twin && twin->extension != ".ims" && twin->extension != ".end";
}

// The saves of one directory, by name; a name found already is kept (the
// save directory comes first, as saveReadPath reads it).
void addSaves(const fs::path& dir, bool dataDir, std::map<std::string, ListedSave>& saves) {
    std::error_code error;
    if (dir.empty()) return;
    for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
        const fs::path& file = it->path();
        std::string name = file.stem().string();
        if (file.extension() != ".mox" || !isPlayerName(name) || saves.count(name) != 0) continue;
        if (dataDir && islandData(name, file)) continue;
        ListedSave save;
        save.name = name;
        save.file = file;
        struct stat info {};
        if (::lstat(file.c_str(), &info) == 0) save.lastPlayed = info.st_mtime;
        saves.emplace(name, std::move(save));
    }
}

// False for a file of the island's own data, which is no save at all.
bool readListedSave(const std::string& moxPath, const fs::path& file, ListedSave& save) {
    save.damaged = true;
    FileBytes bytes = readRegularFileHead(file, kHeadBytes, kSaveSizeLimit, Links::Refuse);
    if (!bytes.bytes && !bytes.tooLarge) {
        // Not the contents' fault: what stands there may not be read.
        save.damaged = false;
        save.unreadable = bytes.why;
    }
    if (!bytes.bytes) return true;
    std::optional<PlainTwin> twin = unscrambleBytes(*bytes.bytes, scrambleKey(moxPath));
    if (!twin) return true;
    std::string_view text = twin->bytes;
    if (twin->extension == ".end") {
        // A finished game: the ending's word, then the state play ended in.
        save.finished = true;
        std::size_t lineEnd = text.find('\n');
        text = lineEnd == std::string_view::npos ? std::string_view() : text.substr(lineEnd + 1);
    } else if (twin->extension != ".ims") {
        return false;
    }
    std::optional<int> day = saveHeadDay(text);
    save.damaged = !day;
    save.day = day.value_or(0);
    // A finished game is never loaded: an ending without its state is only finished.
    if (save.finished) save.damaged = false;
    return true;
}
}  // namespace

std::vector<ListedSave> listSavedGames() {
    std::map<std::string, ListedSave> byName;
    std::error_code error;
    addSaves(saveDirectory(), fs::equivalent(saveDirectory(), dataDirectory(), error), byName);
    addSaves(dataDirectory(), true, byName);
    std::vector<ListedSave> saves;
    saves.reserve(byName.size());
    for (auto& [name, save] : byName) saves.push_back(std::move(save));
    std::stable_sort(saves.begin(), saves.end(),
                     [](const ListedSave& a, const ListedSave& b) { return a.lastPlayed > b.lastPlayed; });
    return saves;
}

void describeListedSave(ListedSave& save) {
    if (save.described) return;
    save.described = true;
    // A file of the island's own data that stands in the save directory
    // is no whole save either.
    if (!readListedSave(saveGamePath(save.name), save.file, save)) save.damaged = true;
    save.playedElsewhere = savePlayedElsewhere(save.name);
}
