#include "base/Text.h"

std::string toLower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

char* toLowerInPlace(char* text) {
    for (char* p = text; p && *p; ++p)
        if (*p >= 'A' && *p <= 'Z') *p = static_cast<char>(*p - 'A' + 'a');
    return text;
}

std::string copyUntil(std::string_view text, std::size_t position) {
    return std::string(text.substr(0, position));
}

bool replaceFirst(std::string& text, std::string_view token, std::string_view value) {
    std::size_t at = text.find(token);
    if (at == std::string::npos) return false;
    text.replace(at, token.size(), value);
    return true;
}
