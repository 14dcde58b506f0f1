#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <set>

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

void addSaveNames(const fs::path& dir, std::set<std::string>& names) {
    std::error_code error;
    if (dir.empty()) return;
    for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
        const fs::path& file = it->path();
        if (file.extension() == ".mox" && isPlayerName(file.stem().string())) names.insert(file.stem().string());
    }
}

// False for a file of the island's own data, which is no save at all.
bool readListedSave(const std::string& moxPath, const fs::path& file, const RoomSet* worldRooms, ListedSave& save) {
    save.damaged = true;
    FileBytes bytes = readRegularFile(file, kSaveSizeLimit, Links::Refuse);
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
    save.damaged = !saveTextProblem(text, worldRooms, &save.day).empty();
    if (save.damaged) save.day = 0;
    // A finished game is never loaded: an ending without its state is only finished.
    if (save.finished) save.damaged = false;
    return true;
}
}  // namespace

std::vector<ListedSave> listSavedGames(const RoomSet* worldRooms) {
    std::set<std::string> names;
    addSaveNames(saveDirectory(), names);
    addSaveNames(dataDirectory(), names);
    std::vector<ListedSave> saves;
    for (const std::string& name : names) {
        std::string moxPath = saveGamePath(name);
        fs::path file = saveReadPath(moxPath);
        ListedSave save;
        save.name = name;
        if (!readListedSave(moxPath, file, worldRooms, save)) continue;
        struct stat info {};
        if (::lstat(file.c_str(), &info) == 0) save.lastPlayed = info.st_mtime;
        save.playedElsewhere = savePlayedElsewhere(name);
        saves.push_back(std::move(save));
    }
    std::stable_sort(saves.begin(), saves.end(),
                     [](const ListedSave& a, const ListedSave& b) { return a.lastPlayed > b.lastPlayed; });
    return saves;
}
