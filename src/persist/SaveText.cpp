#include "persist/SaveText.h"

#include <charconv>
#include <climits>
#include <cmath>

#include "base/ReadLine.h"

namespace {
constexpr int kEnd = std::char_traits<char>::eof();

bool isSpace(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool isDigit(int c) { return c >= '0' && c <= '9'; }
bool isBreak(char c) { return c == '\n' || c == '\r' || c == '\xFF'; }
}  // namespace

void SaveReader::skipSpace() {
    std::streambuf* buf = in_.rdbuf();
    if (!buf || !in_.good()) return;
    int c = buf->sgetc();
    while (c != kEnd && isSpace(c)) {
        if (c == '\n') ++line_;
        c = buf->snextc();
    }
    if (c == kEnd) in_.setstate(std::ios::eofbit);
}

bool SaveReader::atEnd() {
    skipSpace();
    std::streambuf* buf = in_.rdbuf();
    return !buf || !in_.good() || buf->sgetc() == kEnd;
}

bool SaveReader::number(int& value) {
    skipSpace();
    if (atEnd()) return false;
    std::streambuf* buf = in_.rdbuf();
    int c = buf->sgetc();
    bool negative = c == '-';
    if (c == '-' || c == '+') c = buf->snextc();
    if (!isDigit(c)) return false;
    long long magnitude = 0;
    while (c != kEnd && isDigit(c)) {
        if (magnitude <= static_cast<long long>(INT_MAX) + 1) magnitude = magnitude * 10 + (c - '0');
        c = buf->snextc();
    }
    long long signedValue = negative ? -magnitude : magnitude;
    if (signedValue > INT_MAX) signedValue = INT_MAX;
    if (signedValue < INT_MIN) signedValue = INT_MIN;
    value = static_cast<int>(signedValue);
    skipSpace();
    return true;
}

bool SaveReader::decimal(double& value) {
    skipSpace();
    if (atEnd()) return false;
    std::streambuf* buf = in_.rdbuf();
    std::string token;
    for (int c = buf->sgetc(); c != kEnd && token.size() < 400; c = buf->snextc()) {
        if (!(isDigit(c) || c == '+' || c == '-' || c == '.' || c == 'e' || c == 'E')) break;
        token += static_cast<char>(c);
    }
    std::string_view digits = token;
    if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
    double parsed = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), parsed);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() || !std::isfinite(parsed))
        return false;
    value = parsed;
    skipSpace();
    return true;
}

std::string SaveReader::text() {
    std::string line = readLine(in_);
    if (!in_.eof()) ++line_;
    return line;
}

SaveWriter& SaveWriter::number(int value) {
    char buffer[16];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out_.append(buffer, result.ptr);
    return *this;
}

SaveWriter& SaveWriter::decimal(double value) {
    char buffer[400];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    if (result.ec != std::errc()) return raw("0.000000");
    out_.append(buffer, result.ptr);
    return *this;
}

SaveWriter& SaveWriter::raw(std::string_view text) {
    out_.append(text);
    return *this;
}

SaveWriter& SaveWriter::line(std::string_view text, bool followsNumber) {
    if (followsNumber) {
        while (!text.empty() && (isSpace(static_cast<unsigned char>(text.front())) || text.front() == '\xFF'))
            text.remove_prefix(1);
        if (text.empty()) text = "~";
    }
    std::size_t start = out_.size();
    out_.append(text);
    for (std::size_t i = start; i < out_.size(); ++i)
        if (isBreak(out_[i])) out_[i] = ' ';
    out_ += '\n';
    return *this;
}
