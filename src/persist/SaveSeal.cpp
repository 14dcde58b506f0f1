#include "persist/SaveSeal.h"

#include <cstdio>

#include "base/Checksum.h"

namespace {
constexpr std::string_view kMark = "checksum";
constexpr std::size_t kDigits = 8;

std::string checksumLine(std::string_view text) {
    char line[32];
    std::snprintf(line, sizeof line, "%s %08x\n", kMark.data(), static_cast<unsigned>(crc32(text)));
    return line;
}
}  // namespace

std::string sealedSaveText(std::string text) {
    text += checksumLine(text);
    return text;
}

std::string unsealSaveText(std::string_view text, std::string_view& body) {
    body = text;
    // The last line, without its line break.
    std::string_view last = text;
    if (!last.empty() && last.back() == '\n') last.remove_suffix(1);
    std::size_t start = last.rfind('\n');
    start = start == std::string_view::npos ? 0 : start + 1;
    last.remove_prefix(start);
    if (last.substr(0, kMark.size()) != kMark) return {};  // an earlier build's save: no checksum
    std::string_view before = text.substr(0, start);
    if (text.substr(start) != checksumLine(before)) {
        bool wellFormed = last.size() == kMark.size() + 1 + kDigits && text.back() == '\n' &&
                          last.find_first_not_of("0123456789abcdef", kMark.size() + 1) == std::string_view::npos &&
                          last[kMark.size()] == ' ';
        return wellFormed ? "its checksum does not match its contents" : "its checksum line is damaged";
    }
    body = before;
    return {};
}
