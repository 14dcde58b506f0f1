#include "game/LoadMenu.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

#include "base/SaveKeeping.h"
#include "base/Text.h"
#include "console/RuntimeState.h"
#include "console/LineEditor.h"
#include "console/Output.h"
#include "game/LoadGame.h"

namespace {
constexpr int kLoadNameLimit = 20;
// Around a page: the blank line and heading above it, the blank line and
// prompt below it, and the row the next line starts on.
constexpr int kRowsAroundPage = 5;
constexpr int kLetters = 26;
constexpr std::size_t kNameColumn = 20;
// The saves one page shows: all of them when the text area is tall enough.
int pageSize() { return std::clamp(screenLayout().textRows - kRowsAroundPage, 1, kLetters); }

std::string listedLine(char letter, const ListedSave& save) {
    std::string name = save.name;
    name.resize(std::max(kNameColumn, name.size()), ' ');
    std::string day = save.day > 0 ? "day " + std::to_string(save.day) : "";
    day.resize(std::max<std::size_t>(9, day.size()), ' ');
    std::string mark = !save.unreadable.empty() ? "  /Rcannot be read (" + markupLiteral(save.unreadable) + ")"
                       : save.damaged             ? "  /Rdamaged"
                       : save.finished            ? "  /Gfinished"
                                                  : "";
    if (save.playedElsewhere) mark += std::string("  /Yin play in another ") + otherPlaceWord();
    std::string line(1, letter);
    return line + ". " + name + day + shortPlayedTime(save.lastPlayed) + mark + "/w\n";
}

// Only the saves of the page shown are read, as far as their lines need.
void showPage(std::vector<ListedSave>& saves, int page, int size, int pages) {
    if (pages > 1) printMarked("\nSaved games, newest first (page %d of %d; Page Up, Page Down):\n", page + 1, pages);
    else printMarked("\nSaved games, newest first:\n");
    const auto first = static_cast<std::size_t>(page * size);
    for (std::size_t i = first; i < saves.size() && i < first + static_cast<std::size_t>(size); ++i) {
        describeListedSave(saves[i]);
        printMarked("%s", listedLine(static_cast<char>('a' + (i - first)), saves[i]));
    }
}
}  // namespace

std::string normaliseName(const std::string& typed) {
    // The name becomes a file name: it ends at the first blank, or at
    // anything else that is not a letter or digit (a comma, say).
    std::size_t end = 0;
    while (end < typed.size() && std::isalnum(static_cast<unsigned char>(typed[end]))) ++end;
    std::string name = typed.substr(0, end);
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (!name.empty()) name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
    return name;
}

std::string askSavedGameName() {
    std::vector<ListedSave> saves = savedGames();
    int page = 0;
    while (true) {
        // A resize meanwhile changes the pages.
        const int size = pageSize();
        const int pages = static_cast<int>((saves.size() + static_cast<std::size_t>(size) - 1) / static_cast<std::size_t>(size));
        page = std::clamp(page, 0, std::max(pages - 1, 0));
        if (!saves.empty()) showPage(saves, page, size, pages);
        printMarked("\nPlease enter your name... ");
        setInputLimit(kLoadNameLimit);
        std::string typed = readInputLine(nullptr, pages > 1 ? LineKind::PagedAnswer : LineKind::Answer);
        if (typed == kPageUpLine || typed == kPageDownLine) {
            page += typed == kPageUpLine ? -1 : 1;
            printMarked("\n");  // the prompt's line ends before the next page
            continue;
        }
        if (typed.size() == 1 && std::isalpha(static_cast<unsigned char>(typed[0]))) {
            const int letter = std::tolower(static_cast<unsigned char>(typed[0])) - 'a';
            const auto index = static_cast<std::size_t>(page * size + letter);
            if (letter < size && index < saves.size()) return saves[index].name;
        }
        return normaliseName(typed);
    }
}
