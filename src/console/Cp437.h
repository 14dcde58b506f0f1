#pragma once
// Code page 437, the character set of the game's cells, as Unicode.
#include <cstdint>
#include <string>
#include <string_view>

char32_t cp437ToUnicode(std::uint8_t byte);
void appendUtf8(std::string& out, char32_t c);
// A text of code page 437 bytes as UTF-8; newlines, tabs and carriage returns kept.
std::string cp437ToUtf8(std::string_view text);
