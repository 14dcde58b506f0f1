#pragma once
// Small text helpers: case folding (ASCII letters only, as the game's
// names are), cutting and one replacement.
#include <cstddef>
#include <ctime>
#include <string>
#include <string_view>

char* toLowerInPlace(char* text);
std::string toLower(std::string_view text);
std::string copyUntil(std::string_view text, std::size_t position);
// Replaces the first occurrence of token in text; false (text untouched) when absent.
bool replaceFirst(std::string& text, std::string_view token, std::string_view value);
// Decimals as saves write them, whatever the locale: the whole of `text`
// read as a number (false when it is not one), and a number with `places`
// digits after the point (empty when it does not fit).
bool readDecimal(std::string_view text, double& value);
std::string fixedDecimal(double value, int places);

// When a save was last played, briefly: "7 Dec 23:40" (local time); "" for
// no time.
std::string shortPlayedTime(std::time_t when);
