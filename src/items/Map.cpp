// The island map: Data/map.txt with the player's room marked by a red X.
#include <cctype>
#include <optional>
#include <sstream>
#include <string>

#include "base/Codec.h"
#include "base/FixedText.h"
#include "base/Paths.h"
#include "base/ReadLine.h"
#include "console/Output.h"
#include "items/Items.h"
#include "world/World.h"

namespace {

constexpr std::size_t kLineLimit = 319;
constexpr std::size_t kMapLimit = 14399;
constexpr const char* kRedX = "/RX/x";

struct Marker {
    int area = 0;
    int number = 0;
    char picture = ' ';
    std::size_t length = 0;  // characters from the underscore to the picture, inclusive
};

bool readDecimal(const std::string& text, std::size_t& pos, int& value) {
    std::size_t start = pos;
    value = 0;
    while (pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos])) && pos - start < 6)
        value = value * 10 + (text[pos++] - '0');
    return pos > start;
}

// A marker is "_<area> <room> <picture>"; false when the text at `at` is not one.
bool parseMarker(const std::string& text, std::size_t at, Marker& marker) {
    std::size_t pos = at + 1;
    if (!readDecimal(text, pos, marker.area) || pos >= text.size() || text[pos++] != ' ') return false;
    if (!readDecimal(text, pos, marker.number) || pos >= text.size() || text[pos++] != ' ') return false;
    if (pos >= text.size() || text[pos] == ' ') return false;
    marker.picture = text[pos];
    marker.length = pos + 1 - at;
    return true;
}

// Appends up to the line's limit; a colour code is never left cut in half.
void appendCut(std::string& line, std::string_view text) {
    std::size_t room = kLineLimit - 1 - line.size();  // one place kept for the line break
    if (text.size() <= room) {
        line += text;
        return;
    }
    line += text.substr(0, room);
    if (!line.empty() && (line.back() == '/' || line.back() == '@')) line.pop_back();
}

std::string buildLine(const std::string& source, Place here, bool& marked) {
    std::string line;
    std::size_t pos = 0;
    while (pos < source.size()) {
        std::size_t underscore = source.find('_', pos);
        if (underscore == std::string::npos) break;
        appendCut(line, std::string_view(source).substr(pos, underscore - pos));
        Marker marker;
        if (!parseMarker(source, underscore, marker)) {
            appendCut(line, "_");  // not a marker after all: shown as it stands
            pos = underscore + 1;
            continue;
        }
        bool playerHere = !marked && marker.area == here.area && marker.number == here.number;
        if (playerHere && line.size() + 5 <= kLineLimit - 1) {
            line += kRedX;
            marked = true;
        } else if (!playerHere) {
            appendCut(line, std::string_view(&marker.picture, 1));
        }
        pos = underscore + marker.length;
    }
    if (pos < source.size()) appendCut(line, std::string_view(source).substr(pos));
    line += '\n';
    return line;
}

}  // namespace

std::string mapProblem(const std::string& text, const std::function<bool(int, int)>& isRoom) {
    std::istringstream in(text);
    for (int number = 1; in.good(); ++number) {
        std::string line = readLine(in);
        Marker marker;
        for (std::size_t at = line.find('_'); at != std::string::npos; at = line.find('_', at + 1))
            if (parseMarker(line, at, marker) && !isRoom(marker.area, marker.number))
                return "line " + std::to_string(number) + " marks a room the island does not have";
    }
    return {};
}

void showMap(std::string_view) {
    if (heldCount("map") == 0) {
        printMarked("/RYou do not have a map.\n/w");
        return;
    }
    std::optional<std::string> text = readWholeFile(realPath("Data/map.txt"));
    std::istringstream file(text.value_or(""));
    if (!text) {
        printMarked("/RThe map is too faded to read. (Data/map.txt could not be opened.)\n");
        return;
    }
    Place here{-1, -1};  // the player's place on the map; none outside the world
    if (const Room* room = game.player.currentRoom) here = {room->area, room->number};
    std::string mapText;
    bool marked = false;
    while (file) {
        std::string source = readLine(file);
        if (source.empty()) break;
        std::string line = buildLine(source, here, marked);
        // A map too large to show is cut after its last whole line.
        if (mapText.size() + line.size() > kMapLimit) break;
        mapText += line;
    }
    PagedOutput paged;
    printMarked("%s\n", mapText);
}
