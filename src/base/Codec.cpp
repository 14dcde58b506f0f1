#include "base/Codec.h"
#include "base/CodecTesting.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "base/Files.h"
#include "base/Paths.h"

namespace {
constexpr std::size_t kHeaderSize = 5;
// A test seam (stopWritesBeforeRename), never set in play; base/ sits below
// the runtime state.
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

namespace {
// A save is tens of kilobytes: XOR eight bytes at a time.
void xorInPlace(char* bytes, std::size_t size, std::uint8_t key) {
    const std::uint64_t wide = key * 0x0101010101010101ULL;
    std::size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes + i, 8);
        word ^= wide;
        std::memcpy(bytes + i, &word, 8);
    }
    for (; i < size; ++i) bytes[i] = static_cast<char>(static_cast<std::uint8_t>(bytes[i]) ^ key);
}
}  // namespace

std::string scrambleBytes(std::string_view plain, std::string_view extension, std::uint8_t key) {
    std::string out;
    out.reserve(plain.size() + kHeaderSize);
    out.append(extension.substr(0, 4));
    out.append(4 - out.size(), ' ');
    out += ' ';
    std::size_t start = out.size();
    out.append(plain);
    xorInPlace(out.data() + start, plain.size(), key);
    return out;
}

std::optional<PlainTwin> unscrambleBytes(std::string_view scrambled, std::uint8_t key) {
    if (scrambled.size() < kHeaderSize) return std::nullopt;
    std::string_view extension = scrambled.substr(0, 4);
    if (!isExtension(extension) || scrambled[4] != ' ') return std::nullopt;
    PlainTwin twin{std::string(extension), {}};
    std::string_view data = scrambled.substr(kHeaderSize);
    twin.bytes.assign(data);
    xorInPlace(twin.bytes.data(), twin.bytes.size(), key);
    return twin;
}

std::optional<PlainTwin> readScrambled(const std::filesystem::path& file, std::string_view gamePath) {
    std::optional<std::string> bytes = readWholeFile(file);
    if (!bytes) return std::nullopt;
    return unscrambleBytes(*bytes, scrambleKey(gamePath));
}

namespace {
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
}  // namespace

bool convertScrambled(std::string_view gamePath) {
    if (gamePath.size() <= 4) return false;
    return transcodeFile(gamePath, scrambleKey(gamePath), endsWithMox(gamePath));
}

void removePlainTwin(std::string_view gamePath) {
    std::error_code ec;
    std::filesystem::remove(realPath(gamePath), ec);
}

std::optional<std::string> readWholeFile(const std::filesystem::path& path) {
    return readRegularFile(path).bytes;
}

namespace {
// ".Sam.mox." before the writer's own part of a temporary name.
std::string temporaryPrefix(const std::filesystem::path& path) { return "." + path.filename().string() + "."; }
constexpr std::string_view kTemporarySuffix = ".tmp";

// A fresh name beside the target for each write: two programs (or two
// threads) saving the same game never share a temporary file.
std::filesystem::path temporaryName(const std::filesystem::path& path, unsigned attempt) {
    static std::atomic<unsigned> serial{0};
    std::string own = std::to_string(::getpid()) + "-" + std::to_string(serial++) + "-" + std::to_string(attempt);
    return path.parent_path() / (temporaryPrefix(path) + own + std::string(kTemporarySuffix));
}
}  // namespace

bool isTemporaryOf(const std::filesystem::path& candidate, const std::filesystem::path& target) {
    std::string name = candidate.filename().string();
    std::string prefix = temporaryPrefix(target);
    return name.size() > prefix.size() + kTemporarySuffix.size() && name.compare(0, prefix.size(), prefix) == 0 &&
           name.compare(name.size() - kTemporarySuffix.size(), kTemporarySuffix.size(), kTemporarySuffix) == 0;
}

std::vector<std::filesystem::path> temporariesOf(const std::filesystem::path& target) {
    std::vector<std::filesystem::path> found;
    std::error_code ec;
    std::filesystem::path dir = target.parent_path().empty() ? "." : target.parent_path();
    for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        if (isTemporaryOf(it->path(), target)) found.push_back(it->path());
    return found;
}

void stopWritesBeforeRename(bool stop) { stopBeforeRename = stop; }

bool writeFileAtomically(const std::filesystem::path& path, std::string_view bytes, bool durable, mode_t mode) {
    std::filesystem::path temp;
    int fd = -1;
    // Created exclusively and never through a link: a name that is taken
    // (by anything at all) is passed over for the next one.
    for (unsigned attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temp = temporaryName(path, attempt);
        fd = createExclusive(temp, mode);
        if (fd < 0 && errno != EEXIST) return false;
    }
    if (fd < 0) return false;
    // The mode is the one asked for whatever the umask (a save under umask
    // 777 would be mode 000, unreadable by the player's next game).
    bool written = ::fchmod(fd, mode) == 0 && writeAll(fd, bytes) && (!durable || ::fsync(fd) == 0);
    int why = errno;
    if (::close(fd) != 0 && written) {
        written = false;
        why = errno;
    }
    if (!written) {
        ::unlink(temp.c_str());
        errno = why;
        return false;
    }
    if (stopBeforeRename) {
        errno = EINTR;
        return false;
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        why = errno;
        ::unlink(temp.c_str());
        errno = why;
        return false;
    }
    // No sync of the directory: the new file's bytes are on disk before the
    // rename, so after a power cut the name holds a whole file, the new one
    // or the one before. Syncing the directory as well doubled the cost of
    // every autosave for the last few seconds of play only.
    return true;
}
