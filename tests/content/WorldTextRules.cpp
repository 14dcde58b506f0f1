#include "WorldTextRules.h"

namespace {
constexpr std::string_view kForegroundCodes = "WwRrBbGgYyCcPpkxs/";
constexpr std::string_view kBackgroundCodes = "WwRrBbGgYyCcPpke@";
}  // namespace

bool hasValidMarkup(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '/' && text[i] != '@') continue;
        if (i + 1 >= text.size()) return false;
        std::string_view codes = text[i] == '/' ? kForegroundCodes : kBackgroundCodes;
        if (codes.find(text[i + 1]) == std::string_view::npos) return false;
        ++i;
    }
    return true;
}

std::size_t visibleWidth(std::string_view text) {
    std::size_t width = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((text[i] == '/' || text[i] == '@') && i + 1 < text.size()) {
            if (text[i + 1] == text[i]) ++width;  // a doubled sign shows once
            ++i;
            continue;
        }
        ++width;
    }
    return width;
}
