#include "persist/Codec.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "core/Paths.h"

namespace {
constexpr std::size_t kHeaderSize = 5;
bool stopBeforeRename = false;

bool isExtension(std::string_view ext) {
    if (ext.size() != 4 || ext[0] != '.') return false;
    for (std::size_t i = 1; i < 4; ++i)
        if (!std::isalnum(static_cast<unsigned char>(ext[i]))) return false;
    return true;
}

bool endsWithMox(std::string_view path) {
    return path.size() >= 4 && path.substr(path.size() - 4) == ".mox";
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

void syncDirectory(const std::filesystem::path& dir) {
    int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}
}  // namespace

std::uint8_t scrambleKey(std::string_view gamePath) {
    std::int32_t sum = 0;
    if (gamePath.size() > 4) {
        for (char c : gamePath.substr(0, gamePath.size() - 4)) sum += static_cast<std::int8_t>(c);
    }
    return static_cast<std::uint8_t>(sum % 255);
}

std::string replaceExtension(std::string_view path, std::string_view extension) {
    std::string out(path.substr(0, path.size() >= 4 ? path.size() - 4 : 0));
    out += extension;
    return out;
}

std::string scrambleBytes(std::string_view plain, std::string_view extension, std::uint8_t key) {
    std::string out;
    out.reserve(plain.size() + kHeaderSize);
    out.append(extension.substr(0, 4));
    out.append(4 - out.size(), ' ');
    out += ' ';
    for (char c : plain) out += static_cast<char>(static_cast<std::uint8_t>(c) ^ key);
    return out;
}

std::optional<PlainTwin> unscrambleBytes(std::string_view scrambled, std::uint8_t key) {
    if (scrambled.size() < kHeaderSize) return std::nullopt;
    std::string_view extension = scrambled.substr(0, 4);
    if (!isExtension(extension) || scrambled[4] != ' ') return std::nullopt;
    PlainTwin twin{std::string(extension), {}};
    std::string_view data = scrambled.substr(kHeaderSize);
    twin.bytes.resize(data.size());
    for (std::size_t i = 0; i < data.size(); ++i)
        twin.bytes[i] = static_cast<char>(static_cast<std::uint8_t>(data[i]) ^ key);
    return twin;
}

bool transcodeFile(std::string_view gamePath, std::uint8_t key, bool toPlain) {
    std::optional<std::string> source = readWholeFile(realPath(gamePath));
    if (!source) return false;
    if (toPlain) {
        std::optional<PlainTwin> twin = unscrambleBytes(*source, key);
        if (!twin) return false;
        std::string target = replaceExtension(gamePath, twin->extension);
        if (target == gamePath) return false;  // would overwrite its own source
        return writeFileAtomically(realPath(target), twin->bytes, false);  // read once, then removed
    }
    if (gamePath.size() <= 4 || endsWithMox(gamePath)) return false;
    std::string target = replaceExtension(gamePath, ".mox");
    return writeFileAtomically(realPath(target), scrambleBytes(*source, gamePath.substr(gamePath.size() - 4), key));
}

bool convertScrambled(std::string_view gamePath) {
    if (gamePath.size() <= 4) return false;
    return transcodeFile(gamePath, scrambleKey(gamePath), endsWithMox(gamePath));
}

void removePlainTwin(std::string_view gamePath) {
    std::error_code ec;
    std::filesystem::remove(realPath(gamePath), ec);
}

std::optional<std::string> readWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return bytes;
}

std::filesystem::path temporaryTwin(const std::filesystem::path& path) {
    return path.parent_path() / ("." + path.filename().string() + ".tmp");
}

void stopWritesBeforeRename(bool stop) { stopBeforeRename = stop; }

bool writeFileAtomically(const std::filesystem::path& path, std::string_view bytes, bool durable) {
    // Short-lived twins of shared data files may be made by several
    // processes at once (tests run in parallel): each gets its own name.
    static std::atomic<unsigned> serial{0};
    std::filesystem::path temp = temporaryTwin(path);
    if (!durable) temp += "." + std::to_string(::getpid()) + "." + std::to_string(serial++);
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    bool written = writeAll(fd, bytes) && (!durable || ::fsync(fd) == 0);
    written = (::close(fd) == 0) && written;
    if (!written) {
        ::unlink(temp.c_str());
        return false;
    }
    if (stopBeforeRename) return false;
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    if (durable) syncDirectory(path.parent_path());
    return true;
}
