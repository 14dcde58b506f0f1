#pragma once
// CRC-32 (the polynomial of zip and PNG), for telling whether bytes are
// still the ones that were written: one changed bit always changes it.
#include <cstdint>
#include <string_view>

// The CRC-32 of bytes; pass an earlier result as crc to go on from it.
std::uint32_t crc32(std::string_view bytes, std::uint32_t crc = 0);
