#include <unistd.h>

#include <cerrno>
#include <string>

#include "base/Codec.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "persist/Persist.h"

namespace {
// The one claim this program holds: its descriptor holds the lock.
int claimFd = -1;
std::string claimedName;
}  // namespace

std::filesystem::path saveLockPath(std::string_view playerName) {
    return saveDirectory() / ("." + std::string(playerName) + ".lock");
}

Claim claimSave(std::string_view playerName) {
    // The lock belongs to the process: taking the same one again would be
    // no test, and closing a second descriptor of it would drop it.
    if (claimFd >= 0 && claimedName == playerName) return Claim::Taken;
    releaseSaveClaim();
    if (saveGamePath(playerName).empty() || !makeSaveDirectory()) return Claim::Taken;  // saving will say why
    int fd = lockFile(saveLockPath(playerName));
    if (fd < 0) return heldElsewhere(errno) ? Claim::HeldElsewhere : Claim::Taken;
    claimFd = fd;
    claimedName = playerName;
    // Only the holder of the claim writes this save: a temporary file
    // beside it is what a write that died half-way left behind.
    for (const std::filesystem::path& leftover : temporariesOf(saveWritePath(saveGamePath(playerName))))
        ::unlink(leftover.c_str());
    return Claim::Taken;
}

void releaseSaveClaim() {
    if (claimFd >= 0) ::close(claimFd);
    claimFd = -1;
    claimedName.clear();
}
