#include "base/Text.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>

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

#if defined(__EMSCRIPTEN__)
// The browser build's C++ library has no decimals in <charconv>; its C
// library has no locales, so the C functions write a point, as saves do.
bool readDecimal(std::string_view text, double& value) {
    const std::string copy(text);
    char* end = nullptr;
    value = std::strtod(copy.c_str(), &end);
    return !copy.empty() && end == copy.c_str() + copy.size();
}

std::string fixedDecimal(double value, int places) {
    char buffer[400];
    const int length = std::snprintf(buffer, sizeof buffer, "%.*f", places, value);
    return length > 0 && length < static_cast<int>(sizeof buffer) ? std::string(buffer, static_cast<std::size_t>(length)) : "";
}
#else
bool readDecimal(std::string_view text, double& value) {
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

std::string fixedDecimal(double value, int places) {
    char buffer[400];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, places);
    return result.ec == std::errc() ? std::string(buffer, result.ptr) : "";
}
#endif

namespace {
constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
}  // namespace

std::string shortPlayedTime(std::time_t when) {
    std::tm local{};
    if (when == 0 || !localtime_r(&when, &local)) return "";
    char text[32];
    std::snprintf(text, sizeof text, "%d %s %02d:%02d", local.tm_mday, kMonths[local.tm_mon % 12], local.tm_hour,
                  local.tm_min);
    return text;
}
