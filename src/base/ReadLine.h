#pragma once
// Reads one line of any length from a data file. A newline, the end of
// the file or a byte 0xFF ends the line; a carriage return before the
// newline is dropped, as reading in text mode would, so files written
// with CRLF line ends read the same.
#include <fstream>
#include <istream>
#include <optional>
#include <string>

// nullopt (and "Not opened for reading." printed) when the file is not open.
std::optional<std::string> readLine(std::ifstream& file);
std::string readLine(std::istream& in);
