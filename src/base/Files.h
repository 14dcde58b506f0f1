#pragma once
// Opening files with care. A file the game reads is read only when it is a
// regular file: a FIFO would hang the game, a directory or a device is no
// data. A file the game writes is created exclusively, under a name of its
// own, never through a link that would send the bytes elsewhere.
#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

enum class Links { Follow, Refuse };

// A regular file opened for reading (blocking reads, close-on-exec), or -1
// with why saying what is wrong ("No such file or directory", "not a
// regular file"). Opening never waits on a FIFO.
int openRegularFile(const std::filesystem::path& path, Links links, std::string& why);

struct FileBytes {
    std::optional<std::string> bytes;  // nullopt: not read, why says why
    std::string why;
    bool missing = false;   // nothing at all under that name
    bool tooLarge = false;  // more than the limit: only limit + 1 bytes were read
};
constexpr std::size_t kNoLimit = static_cast<std::size_t>(-1) / 2;
// The whole of a regular file of at most limit bytes.
FileBytes readRegularFile(const std::filesystem::path& path, std::size_t limit = kNoLimit,
                          Links links = Links::Follow);

// The first bytes of a regular file, at most head of them, for a look at
// its start without reading the rest; tooLarge (no bytes) when the file
// holds more than limit bytes in all.
FileBytes readRegularFileHead(const std::filesystem::path& path, std::size_t head, std::size_t limit,
                              Links links = Links::Follow);

// Why something that is not a regular file stands at path ("" when it is
// one, or when nothing does); a link is looked at, not followed.
std::string notRegularFileProblem(const std::filesystem::path& path);

// Creates a new file for writing with the mode given: it must not exist
// yet, not even as a link. -1 (errno saying why) when it cannot.
int createExclusive(const std::filesystem::path& path, mode_t mode);

// Takes the operating system's advisory write lock on a small file of its
// own (created when missing) without waiting. The lock file is made mode
// 0600 whatever the umask; one of the player's own that is not writable is
// made so again. The descriptor holds the lock until it is closed or the
// process ends, a crash included; no other descriptor of the file drops it.
enum class LockResult { Taken, HeldElsewhere, Failed };
struct FileLock {
    LockResult result = LockResult::Failed;
    int fd = -1;      // Taken: the descriptor that holds it
    std::string why;  // Failed: the system's reason ("Permission denied")
};
FileLock lockFile(const std::filesystem::path& path);
// Whether another lock than one of this descriptor's own is held on the
// file now: nothing is taken or created. Where locks belong to the open
// file description, a lock this process holds through another descriptor
// counts as another's: the caller skips the files it holds itself.
bool lockHeldElsewhere(const std::filesystem::path& path);

// Writes all of `bytes` to fd, going on where a signal interrupted a write
// (EINTR) or a slow terminal took only part of it. False, errno saying why,
// when the rest cannot be written (ENOSPC for a write that takes nothing).
// Calls nothing but write(): a signal handler may use it.
bool writeAll(int fd, std::string_view bytes);

// A file of this user's own to add to the end of, mode 0600 whatever the
// umask: created exclusively when missing; one that exists must be a
// regular file (never a link) that this user owns. -1 with why saying
// what is wrong ("it is a link", "Permission denied") when it cannot.
int openPrivateAppend(const std::filesystem::path& path, std::string& why);
