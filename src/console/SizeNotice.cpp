#include "console/SizeNotice.h"

#include <algorithm>
#include <sstream>

#include "console/Layout.h"

namespace {
// Whole words to lines of at most `width`; a word longer than a line is
// cut where the line ends, as nothing else would show it.
void wrapInto(std::vector<std::string>& rows, const std::string& text, int width) {
    const auto limit = static_cast<std::size_t>(width);
    std::istringstream words(text);
    std::string word;
    std::string line;
    while (words >> word) {
        if (!line.empty() && line.size() + 1 + word.size() <= limit) {
            line += ' ' + word;
            continue;
        }
        if (!line.empty()) rows.push_back(line);
        line = word.substr(0, limit);
    }
    if (!line.empty()) rows.push_back(line);
}
}  // namespace

std::vector<NoticeLine> sizeNotice(int columns, int lines) {
    if (columns <= 0 || lines <= 0) return {};
    const std::string sentences[] = {
        "Brinefall needs a window of " + std::to_string(kScreenWidth) + " x " + std::to_string(kMinScreenHeight) +
            " characters.",
        "This one is " + std::to_string(columns) + " x " + std::to_string(lines) + ".", "Please make it larger."};
    std::vector<std::string> rows;
    for (const std::string& sentence : sentences) wrapInto(rows, sentence, columns);
    if (static_cast<int>(rows.size()) > lines) {
        rows.clear();
        wrapInto(rows, sentences[0] + ' ' + sentences[1] + ' ' + sentences[2], columns);
        rows.resize(std::min(rows.size(), static_cast<std::size_t>(lines)));
    }
    std::vector<NoticeLine> notice;
    const int top = (lines - static_cast<int>(rows.size())) / 2;
    for (const std::string& text : rows) {
        const int column = (columns - static_cast<int>(text.size())) / 2;
        notice.push_back(NoticeLine{top + static_cast<int>(notice.size()), column, text});
    }
    return notice;
}
