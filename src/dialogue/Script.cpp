#include "dialogue/Script.h"

#include <cctype>
#include <climits>
#include <sstream>

#include "base/Codec.h"
#include "base/ReadLine.h"

namespace {

constexpr long kLargestNumber = 100000000;  // labels and amounts stay far from overflow

bool isBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
bool isDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

}  // namespace

std::optional<int> readInteger(std::string_view text, std::size_t& pos) {
    std::size_t p = pos;
    while (p < text.size() && isBlank(text[p])) ++p;
    bool negative = false;
    if (p < text.size() && (text[p] == '+' || text[p] == '-')) negative = text[p++] == '-';
    if (p >= text.size() || !isDigit(text[p])) return std::nullopt;
    long value = 0;
    while (p < text.size() && isDigit(text[p])) {
        value = value * 10 + (text[p] - '0');
        if (value > kLargestNumber) value = kLargestNumber;
        ++p;
    }
    pos = p;
    return static_cast<int>(negative ? -value : value);
}

bool containsKeyword(std::string_view line, std::string_view keyword) {
    return line.find(keyword) != std::string_view::npos;
}

bool readDayHeader(std::string_view line, int& day) {
    if (line.size() <= 3 || !containsKeyword(line, "DAY")) return false;
    std::size_t pos = 3;
    if (std::optional<int> n = readInteger(line, pos)) day = *n;
    return true;
}

bool readLabelLine(std::string_view line, int& label) {
    if (!containsKeyword(line, "LABEL")) return false;
    std::size_t pos = 5;
    std::optional<int> n = readInteger(line, pos);
    if (!n) return false;
    label = *n;
    return true;
}

bool isOptionLine(std::string_view line) { return containsKeyword(line, "SKIP"); }
bool isEndLine(std::string_view line) { return containsKeyword(line, "END"); }

int endResumeLabel(std::string_view line) {
    if (line.size() <= 3 || !isDigit(line[3])) return kEndWithoutLabel;
    std::size_t pos = 3;
    return readInteger(line, pos).value_or(kEndWithoutLabel);
}

std::string_view spokenPart(std::string_view line) {
    return line.substr(0, line.find('{'));
}

namespace {

// Mood changes between the first "[" and the next "]": key, amount, key, amount...
std::vector<MoodChange> parseChanges(std::string_view line) {
    std::vector<MoodChange> changes;
    std::size_t open = line.find('[');
    if (open == std::string_view::npos) return changes;
    std::size_t close = line.find(']', open);
    std::string_view inside = line.substr(open + 1, close == std::string_view::npos ? std::string_view::npos : close - open - 1);
    std::size_t pos = 0;
    while (true) {
        while (pos < inside.size() && isBlank(inside[pos])) ++pos;
        std::size_t keyStart = pos;
        while (pos < inside.size() && !isBlank(inside[pos])) ++pos;
        if (pos == keyStart) break;
        std::string_view key = inside.substr(keyStart, pos - keyStart);
        std::optional<int> amount = readInteger(inside, pos);
        if (!amount) break;
        changes.push_back({std::string(key), *amount});
    }
    return changes;
}

}  // namespace

ScriptOption parseOption(std::string_view line) {
    ScriptOption option;
    option.line = std::string(line);
    if (line.size() > 4) {
        std::size_t pos = 4;
        if (std::optional<int> n = readInteger(line, pos)) {
            option.hasNextLabel = true;
            option.nextLabel = *n;
        }
    }
    option.changes = parseChanges(line);
    std::size_t close = line.find(']');
    if (close != std::string_view::npos) {
        std::string_view after = line.substr(close + 1);
        option.shownText = std::string(spokenPart(after));
        if (option.shownText.size() > 4) option.spokenText = option.shownText.substr(4);
    }
    return option;
}

bool ConversationScript::open(const std::filesystem::path& plainFile) {
    std::optional<std::string> text = readWholeFile(plainFile);
    if (!text) {
        in_.reset();
        return false;
    }
    openText(std::move(*text));
    return true;
}

void ConversationScript::openText(std::string text) {
    in_ = std::make_unique<std::istringstream>(std::move(text));
}

void ConversationScript::close() { in_.reset(); }

void ConversationScript::rewind() {
    if (!in_) return;
    in_->clear();
    in_->seekg(0);
}

std::optional<std::string> ConversationScript::nextLine() {
    if (!in_ || !in_->good()) return std::nullopt;
    std::string line = readLine(*in_);
    // A last line without a line end still counts; nothing after it does.
    if (line.empty() && in_->eof()) return std::nullopt;
    return line;
}

bool ConversationScript::seekDay(int day) {
    rewind();
    int lastDay = INT_MIN;
    while (std::optional<std::string> line = nextLine()) {
        if (readDayHeader(*line, lastDay) && lastDay == day) return true;
    }
    return false;
}

bool ConversationScript::seekLabel(int label) {
    while (std::optional<std::string> line = nextLine()) {
        int found = 0;
        if (readLabelLine(*line, found) && found == label) return true;
    }
    return false;
}

ScriptNode ConversationScript::readNode() {
    ScriptNode node;
    node.islanderLine = nextLine().value_or("");
    node.spokenText = std::string(spokenPart(node.islanderLine));
    while (std::optional<std::string> line = nextLine()) {
        if (isEndLine(*line)) {
            node.ends = true;
            node.resumeLabel = endResumeLabel(*line);
            node.endLine = *line;
            break;
        }
        if (!isOptionLine(*line)) break;
        node.options.push_back(parseOption(*line));
    }
    return node;
}
