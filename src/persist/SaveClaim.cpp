#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "base/Codec.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "base/SaveKeeping.h"
#include "persist/Persist.h"

namespace {
// The one claim this program holds: its descriptor holds the lock.
int claimFd = -1;
std::string claimedName;
std::filesystem::path claimedPath;  // its lock file
std::string problem;  // why the last claim failed
}  // namespace

std::filesystem::path saveLockPath(std::string_view playerName) {
    return saveDirectory() / ("." + std::string(playerName) + ".lock");
}

Claim claimSave(std::string_view playerName) {
    // The lock is this program's already: taking it again would be no test.
    if (claimFd >= 0 && claimedPath == saveLockPath(playerName)) return Claim::Taken;
    releaseSaveClaim();
    problem.clear();
    if (saveGamePath(playerName).empty()) return Claim::Taken;  // saving will say why
    if (!makeSaveDirectory()) {
        problem = saveDirectory().string() + ": " + std::strerror(errno);
        return Claim::Failed;
    }
    std::filesystem::path lockPath = saveLockPath(playerName);
    FileLock lock = lockFile(lockPath);
    if (lock.result == LockResult::HeldElsewhere) return Claim::HeldElsewhere;
    if (lock.result == LockResult::Failed) {
        problem = lockPath.string() + ": " + lock.why;
        return Claim::Failed;
    }
    claimFd = lock.fd;
    claimedName = playerName;
    claimedPath = lockPath;
    // Where every lock of a file is granted (a browser's tabs), the place
    // the game runs in says whether another window has it.
    if (!claimGameElsewhere(claimedName)) {
        ::close(claimFd);
        claimFd = -1;
        claimedName.clear();
        claimedPath.clear();
        return Claim::HeldElsewhere;
    }
    // Only the holder of the claim writes this save: a temporary file
    // beside it is what a write that died half-way left behind.
    for (const std::filesystem::path& leftover : temporariesOf(saveWritePath(saveGamePath(playerName))))
        ::unlink(leftover.c_str());
    return Claim::Taken;
}

const std::string& claimProblem() { return problem; }

ClaimCheck checkSaveClaim() {
    if (claimFd < 0) return ClaimCheck::Kept;
    const std::filesystem::path& lockPath = claimedPath;
    struct stat held {};
    struct stat now {};
    if (::fstat(claimFd, &held) == 0 && ::lstat(lockPath.c_str(), &now) == 0 && now.st_dev == held.st_dev &&
        now.st_ino == held.st_ino)
        return ClaimCheck::Kept;
    // Removed (the lock file, or the whole folder) or replaced: another
    // window could load the game now, unless this one takes it again first.
    if (!makeSaveDirectory()) return ClaimCheck::Kept;  // the save will say why it fails
    FileLock lock = lockFile(lockPath);
    if (lock.result == LockResult::HeldElsewhere) return ClaimCheck::Lost;
    if (lock.result == LockResult::Failed) return ClaimCheck::Kept;  // the old lock is all there is
    ::close(claimFd);
    claimFd = lock.fd;
    return ClaimCheck::Retaken;
}

bool savePlayedElsewhere(std::string_view playerName) {
    // Our own lock, looked at through another descriptor, would seem another's.
    if (claimFd >= 0 && claimedPath == saveLockPath(playerName)) return false;
    return lockHeldElsewhere(saveLockPath(playerName)) || gameHeldElsewhere(std::string(playerName));
}

void releaseSaveClaim() {
    if (claimFd >= 0) {
        ::close(claimFd);
        releaseGameElsewhere();
    }
    claimFd = -1;
    claimedName.clear();
    claimedPath.clear();
}
