#include "base/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {
constexpr const char* kNotRegular = "not a regular file";

std::string describeError(int error) { return std::strerror(error); }

bool readAll(int fd, std::string& bytes, std::size_t limit) {
    char buffer[64 * 1024];
    while (bytes.size() <= limit) {
        std::size_t want = std::min(sizeof buffer, limit + 1 - bytes.size());
        ssize_t n = ::read(fd, buffer, want);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return true;
}
}  // namespace

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) {
            errno = ENOSPC;  // a write that takes nothing: the disk is full
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

int openRegularFile(const std::filesystem::path& path, Links links, std::string& why) {
    // Non-blocking, so that opening a FIFO returns at once instead of
    // waiting for a writer; reads are made blocking again once the file is
    // known to be regular.
    int flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
    if (links == Links::Refuse) flags |= O_NOFOLLOW;
    int fd = ::open(path.c_str(), flags);
    if (fd < 0) {
        int error = errno;
        // A link refused says so in words, not as "Too many levels of symbolic links".
        std::string problem = error == ELOOP && links == Links::Refuse ? notRegularFileProblem(path) : "";
        why = problem.empty() ? describeError(error) : problem;
        errno = error;
        return -1;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        bool directory = S_ISDIR(info.st_mode);
        why = directory ? describeError(EISDIR) : kNotRegular;
        ::close(fd);
        errno = directory ? EISDIR : EINVAL;
        return -1;
    }
    int status = ::fcntl(fd, F_GETFL);
    if (status != -1) ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK);
    return fd;
}

FileBytes readRegularFile(const std::filesystem::path& path, std::size_t limit, Links links) {
    FileBytes result;
    int fd = openRegularFile(path, links, result.why);
    if (fd < 0) {
        result.missing = errno == ENOENT;
        return result;
    }
    std::string bytes;
    bool read = readAll(fd, bytes, limit);
    int error = errno;
    ::close(fd);
    if (!read) {
        result.why = describeError(error);
    } else if (bytes.size() > limit) {
        result.tooLarge = true;
        result.why = "larger than " + std::to_string(limit) + " bytes";
    } else {
        result.bytes = std::move(bytes);
    }
    return result;
}

FileBytes readRegularFileHead(const std::filesystem::path& path, std::size_t head, std::size_t limit, Links links) {
    FileBytes result;
    int fd = openRegularFile(path, links, result.why);
    if (fd < 0) {
        result.missing = errno == ENOENT;
        return result;
    }
    struct stat info {};
    std::string bytes;
    bool read = ::fstat(fd, &info) == 0 && readAll(fd, bytes, head > 0 ? head - 1 : 0);
    int error = errno;
    ::close(fd);
    if (!read) {
        result.why = describeError(error);
    } else if (static_cast<std::uintmax_t>(info.st_size) > limit) {
        result.tooLarge = true;
        result.why = "larger than " + std::to_string(limit) + " bytes";
    } else {
        bytes.resize(std::min(bytes.size(), head));
        result.bytes = std::move(bytes);
    }
    return result;
}

std::string notRegularFileProblem(const std::filesystem::path& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || S_ISREG(info.st_mode)) return {};
    if (S_ISDIR(info.st_mode)) return describeError(EISDIR);
    if (S_ISLNK(info.st_mode)) return "is a link; saved games must be plain files";
    return kNotRegular;
}

int createExclusive(const std::filesystem::path& path, mode_t mode) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, mode);
}

namespace {
// Locks that belong to the open file description, so that closing another
// descriptor of the file (a look at it from the load menu) never drops
// ours; where the system refuses them (older kernels, the browser, whose
// page decides with its own locks), the process's own record locks.
int fileLockControl(int fd, struct flock& lock, bool query) {
#ifdef F_OFD_SETLK
    lock.l_pid = 0;
    int result = ::fcntl(fd, query ? F_OFD_GETLK : F_OFD_SETLK, &lock);
    if (result == 0 || errno != EINVAL) return result;
#endif
    return ::fcntl(fd, query ? F_GETLK : F_SETLK, &lock);
}

int openLockFile(const std::filesystem::path& path) {
    return ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0600);
}

// A regular file of this user's own (not a link, not another's).
bool ownRegularFile(const std::filesystem::path& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid();
}

FileLock lockFailure(std::string why) {
    FileLock failed;
    failed.why = std::move(why);
    return failed;
}
}  // namespace

FileLock lockFile(const std::filesystem::path& path) {
    if (std::string problem = notRegularFileProblem(path); !problem.empty()) return lockFailure(problem);
    int fd = openLockFile(path);
    // The player's own lock file made read-only (by a umask, say) is theirs to mend.
    if (fd < 0 && errno == EACCES && ownRegularFile(path) && ::chmod(path.c_str(), 0600) == 0) fd = openLockFile(path);
    if (fd < 0) {
        int error = errno;
        std::string problem = notRegularFileProblem(path);
        return lockFailure(problem.empty() ? describeError(error) : problem);
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return lockFailure(kNotRegular);
    }
    // Created under the player's umask: the mode is set whatever that was.
    if (info.st_uid == ::geteuid() && (info.st_mode & 07777) != 0600) ::fchmod(fd, 0600);
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    if (fileLockControl(fd, lock, false) != 0) {
        int error = errno;
        ::close(fd);
        if (error == EAGAIN || error == EACCES || error == EWOULDBLOCK) {
            FileLock held;
            held.result = LockResult::HeldElsewhere;
            return held;
        }
        return lockFailure(describeError(error));
    }
    FileLock taken;
    taken.result = LockResult::Taken;
    taken.fd = fd;
    return taken;
}

bool lockHeldElsewhere(const std::filesystem::path& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return false;
    struct stat info {};
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    bool held = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && fileLockControl(fd, lock, true) == 0 &&
                lock.l_type != F_UNLCK;
    ::close(fd);
    return held;
}

int openPrivateAppend(const std::filesystem::path& path, std::string& why) {
    constexpr int kFlags = O_WRONLY | O_APPEND | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY;
    int fd = ::open(path.c_str(), kFlags | O_CREAT | O_EXCL, 0600);
    // O_NONBLOCK: a FIFO put there must not hang the game; the checks below refuse it.
    if (fd < 0 && errno == EEXIST) fd = ::open(path.c_str(), kFlags | O_NONBLOCK);
    if (fd < 0) {
        why = errno == ELOOP ? "it is a link" : std::strerror(errno);
        return -1;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) why = "not a regular file";
    else if (info.st_uid != ::geteuid()) why = "it belongs to another user";
    else if (::fchmod(fd, 0600) != 0) why = std::strerror(errno);
    else return fd;
    ::close(fd);
    return -1;
}
