#pragma once
// CRC-32 (the one of zip and PNG): a changed bit anywhere in a file, or a
// burst of them up to 32 bits long, always changes it.
#include <cstdint>
#include <string_view>

std::uint32_t crc32(std::string_view bytes);
