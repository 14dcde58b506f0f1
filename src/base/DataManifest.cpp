#include "base/DataManifest.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <optional>

#include "base/Checksum.h"
#include "base/Files.h"

namespace {
std::string hex(std::uint32_t value) {
    char text[9];
    std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(value));
    return text;
}

template <typename Number>
bool readNumber(std::string_view text, Number& value, int base) {
    if (text.empty()) return false;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    return error == std::errc() && end == text.data() + text.size();
}

// A name of a file in the data folder itself: no path, no dot names.
bool plainFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\ \t") == std::string_view::npos;
}

// One "<crc> <size> <name>" line.
std::optional<ManifestEntry> parseLine(std::string_view line) {
    std::size_t first = line.find(' ');
    std::size_t second = first == std::string_view::npos ? first : line.find(' ', first + 1);
    if (second == std::string_view::npos) return std::nullopt;
    ManifestEntry entry;
    entry.name = std::string(line.substr(second + 1));
    if (first != 8 || !readNumber(line.substr(0, first), entry.crc, 16) ||
        !readNumber(line.substr(first + 1, second - first - 1), entry.size, 10) || !plainFileName(entry.name))
        return std::nullopt;
    return entry;
}

// What is wrong with one listed file, "" when nothing.
std::string fileProblem(const std::filesystem::path& dataDir, const ManifestEntry& entry) {
    // Read no further than one byte past the size written.
    FileBytes file = readRegularFile(dataDir / entry.name, static_cast<std::size_t>(std::min<std::uint64_t>(entry.size, kNoLimit)));
    if (file.tooLarge) return "it is longer than the data build wrote it";
    if (!file.bytes) return file.why;
    if (file.bytes->empty()) return "it is empty";
    if (file.bytes->size() < entry.size)
        return "it ends too soon (" + std::to_string(file.bytes->size()) + " of " + std::to_string(entry.size) +
               " bytes)";
    if (crc32(*file.bytes) != entry.crc) return "its bytes are not those the data build wrote (checksum)";
    return {};
}
}  // namespace

ManifestEntry manifestEntry(const std::string& name, std::string_view bytes) {
    return {name, bytes.size(), crc32(bytes)};
}

std::string manifestText(const std::vector<ManifestEntry>& files) {
    std::string text;
    for (const ManifestEntry& file : files)
        text += hex(file.crc) + " " + std::to_string(file.size) + " " + file.name + "\n";
    return text + "end " + hex(crc32(text)) + "\n";
}

std::optional<std::vector<ManifestEntry>> parseManifest(std::string_view text, std::string& why) {
    if (text.empty()) {
        why = "it is empty";
        return std::nullopt;
    }
    // The closing line: "end <crc>" of everything before it, and nothing after.
    std::size_t lastStart = text.size() >= 2 ? text.rfind('\n', text.size() - 2) : std::string_view::npos;
    lastStart = lastStart == std::string_view::npos ? 0 : lastStart + 1;
    std::string_view body = text.substr(0, lastStart);
    std::string_view last = text.substr(lastStart);
    std::uint32_t crc = 0;
    if (text.back() != '\n' || !last.starts_with("end ") ||
        !readNumber(last.substr(4, last.size() - 5), crc, 16) || last.size() != 13) {
        why = "its last line is not its checksum: it is cut short or damaged";
        return std::nullopt;
    }
    if (crc32(body) != crc) {
        why = "its checksum does not match: it is damaged";
        return std::nullopt;
    }
    std::vector<ManifestEntry> files;
    int lineNumber = 0;
    while (!body.empty()) {
        ++lineNumber;
        std::size_t end = body.find('\n');
        std::optional<ManifestEntry> entry = parseLine(body.substr(0, end));
        if (!entry) {
            why = "line " + std::to_string(lineNumber) + " is damaged";
            return std::nullopt;
        }
        files.push_back(std::move(*entry));
        body.remove_prefix(end + 1);
    }
    if (files.empty()) {
        why = "it lists no files";
        return std::nullopt;
    }
    return files;
}

std::string dataManifestProblem(const std::filesystem::path& dataDir) {
    std::string why;
    // A manifest is a few lines a file; anything much larger is no manifest.
    FileBytes manifest = readRegularFile(dataDir / kManifestName, 64 * 1024);
    std::optional<std::vector<ManifestEntry>> files;
    if (!manifest.bytes)
        why = manifest.tooLarge ? "it is far too large for a list of the data files" : manifest.why;
    else
        files = parseManifest(*manifest.bytes, why);
    if (!files) return std::string(kManifestName) + ": " + why;
    for (const ManifestEntry& file : *files)
        if (std::string problem = fileProblem(dataDir, file); !problem.empty()) return file.name + ": " + problem;
    return {};
}
