#pragma once
// Small text helpers: case folding (ASCII letters only, as the game's
// names are), cutting and one replacement.
#include <cstddef>
#include <string>
#include <string_view>

char* toLowerInPlace(char* text);
std::string toLower(std::string_view text);
std::string copyUntil(std::string_view text, std::size_t position);
// Replaces the first occurrence of token in text; false (text untouched) when absent.
bool replaceFirst(std::string& text, std::string_view token, std::string_view value);
