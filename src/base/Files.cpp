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
        why = describeError(errno);
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
    if (S_ISLNK(info.st_mode)) return "a symbolic link, not a regular file";
    return kNotRegular;
}

int createExclusive(const std::filesystem::path& path, mode_t mode) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, mode);
}

int lockFile(const std::filesystem::path& path) {
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0600);
    if (fd < 0) return -1;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return -1;
    }
    // fcntl's locks are POSIX and are released by the kernel when the
    // process ends, however it ends.
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    if (::fcntl(fd, F_SETLK, &lock) != 0) {
        int error = errno;
        ::close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

bool heldElsewhere(int error) { return error == EAGAIN || error == EACCES || error == EWOULDBLOCK; }

bool lockHeldElsewhere(const std::filesystem::path& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return false;
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    bool held = ::fcntl(fd, F_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
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
