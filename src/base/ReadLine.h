#pragma once
// Reads one line of any length from a data file. A newline, the end of
// the file or a byte 0xFF ends the line; a carriage return before the
// newline is dropped, as reading in text mode would, so files written
// with CRLF line ends read the same.
#include <istream>
#include <string>

std::string readLine(std::istream& in);
