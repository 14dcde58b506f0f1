#include "persist/SaveGenerations.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>

#include "base/Codec.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "persist/Persist.h"

namespace {
struct Remembered {
    std::filesystem::path target;
    std::string bytes;  // scrambled, as on disk; empty before the first save
    int day = 0;
    std::time_t saved = 0;
    int keptOnDay = -1;  // the game day the previous generation was last written on
};
Remembered remembered;

void startRemembering(const std::filesystem::path& target) {
    remembered = Remembered{};
    remembered.target = target;
}

std::filesystem::path previousOf(const std::filesystem::path& target) {
    return target.parent_path() / ("." + target.filename().string() + ".prev");
}

// The previous generation's time is that of the save it was.
void setModificationTime(const std::filesystem::path& path, std::time_t when) {
    struct timespec times[2] = {{0, UTIME_OMIT}, {when, 0}};
    ::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW);
}

struct CheckedPrevious {
    std::string bytes;
    std::string text;
    PreviousSave about;
};

std::optional<CheckedPrevious> readPrevious(std::string_view playerName, const RoomSet* worldRooms) {
    std::string moxPath = saveGamePath(playerName);
    if (moxPath.empty()) return std::nullopt;
    std::filesystem::path file = previousOf(saveWritePath(moxPath));
    FileBytes bytes = readRegularFile(file, kSaveSizeLimit, Links::Refuse);
    if (!bytes.bytes) return std::nullopt;
    std::optional<PlainTwin> twin = unscrambleBytes(*bytes.bytes, scrambleKey(moxPath));
    if (!twin || twin->extension != ".ims") return std::nullopt;
    CheckedPrevious previous{std::move(*bytes.bytes), std::move(twin->bytes), {}};
    if (!saveTextProblem(previous.text, worldRooms, &previous.about.day).empty()) return std::nullopt;
    struct stat info {};
    if (::lstat(file.c_str(), &info) == 0) previous.about.saved = info.st_mtime;
    return previous;
}
}  // namespace

void rememberSaveBytes(const std::filesystem::path& target, std::string bytes, int day, std::time_t saved) {
    if (remembered.target != target) startRemembering(target);
    remembered.bytes = std::move(bytes);
    remembered.day = day;
    remembered.saved = saved;
}

void keepPreviousGeneration(const std::filesystem::path& target, int day) {
    std::filesystem::path previous = previousOf(target);
    if (remembered.target != target) {
        ::unlink(previous.c_str());
        startRemembering(target);
        return;
    }
    // Once a game day: a second write on every autosave would double its cost.
    if (remembered.bytes.empty() || remembered.keptOnDay == day) return;
    if (!writeFileAtomically(previous, remembered.bytes, true, 0600)) return;  // the save itself matters more
    setModificationTime(previous, remembered.saved);
    remembered.keptOnDay = day;
}

void forgetSavedBytes() { remembered = Remembered{}; }

std::filesystem::path previousSavePath(std::string_view playerName) {
    std::string moxPath = saveGamePath(playerName);
    return moxPath.empty() ? std::filesystem::path() : previousOf(saveWritePath(moxPath));
}

std::optional<PreviousSave> previousSave(std::string_view playerName, const RoomSet* worldRooms) {
    std::optional<CheckedPrevious> previous = readPrevious(playerName, worldRooms);
    if (!previous) return std::nullopt;
    return previous->about;
}

bool loadPreviousSave(std::string_view playerName, const RoomSet* worldRooms) {
    std::optional<CheckedPrevious> previous = readPrevious(playerName, worldRooms);
    if (!previous || !installSaveText(previous->text, worldRooms)) return false;
    rememberSaveBytes(saveWritePath(saveGamePath(playerName)), std::move(previous->bytes), previous->about.day,
                      previous->about.saved);
    return true;
}
