#pragma once
// Reading and writing the line-based text of save and world files.
// Every numeric form in these files ends in white space, so a number is
// read like scanf's " %d ": white space (line ends and blank lines too)
// is skipped before and after it. Text lines are read whole by readLine.
#include <cstdint>
#include <istream>
#include <string>
#include <string_view>

class SaveReader {
public:
    explicit SaveReader(std::istream& in) : in_(in) {}

    // False (and nothing stored) when no number stands here; values beyond
    // the 32-bit range are held at its ends.
    bool number(int& value);
    // A decimal floating-point number; false when none, or not finite.
    bool decimal(double& value);
    // The rest of the current line (a CR before the LF dropped).
    std::string text();
    // True when only white space is left.
    bool atEnd();
    // The line the reader stands on, counted from 1, for telling where a file is damaged.
    int line() const { return line_; }

private:
    void skipSpace();
    std::istream& in_;
    int line_ = 1;
};

class SaveWriter {
public:
    SaveWriter() { out_.reserve(64 * 1024); }

    // "%d"
    SaveWriter& number(int value);
    // "%lf": six digits after the point, whatever the locale.
    SaveWriter& decimal(double value);
    SaveWriter& raw(std::string_view text);
    // "%s\n". A text read back after a number must not be empty or start
    // with white space (the reader would skip it): such a text is written
    // without its leading blanks, and as "~" when nothing is left. Line
    // breaks inside a text would split the record and are written as blanks.
    SaveWriter& line(std::string_view text, bool followsNumber);

    const std::string& str() const { return out_; }
    std::string take() { return std::move(out_); }

private:
    std::string out_;
};
