#pragma once
// Every save ends with a line of its own after its last room record,
// "checksum 1a2b3c4d": the CRC-32 of all the text before it, in eight
// lower-case hex digits. A changed digit anywhere is caught, not only a
// save cut short. Saves of earlier builds have no such line and still load.
#include <string>
#include <string_view>

// The text with its checksum line added.
std::string sealedSaveText(std::string text);
// "" when the text's checksum line matches it, or when it has none (then
// it is a save of an earlier build); body is then the text before the
// line. Else what is wrong: a last line that begins as a checksum line
// but is no well-formed one, or a checksum that does not match.
std::string unsealSaveText(std::string_view text, std::string_view& body);
