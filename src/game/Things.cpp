#include "game/Things.h"

#include <cctype>
#include <mutex>
#include <optional>
#include <sstream>

#include "base/Codec.h"
#include "base/Paths.h"
#include "game/RunState.h"

namespace {
// Content read from Data like the map: it changes only when read.
std::mutex& thingsMutex = runState().thingsMutex;
std::vector<Thing>& loaded = runState().things;

std::string trim(std::string_view text) {
    std::size_t from = 0, to = text.size();
    while (from < to && std::isspace(static_cast<unsigned char>(text[from]))) ++from;
    while (to > from && std::isspace(static_cast<unsigned char>(text[to - 1]))) --to;
    return std::string(text.substr(from, to - from));
}

bool isLetter(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }

bool readRecord(const std::string& line, Thing& thing) {
    std::size_t first = line.find('|');
    std::size_t second = first == std::string::npos ? first : line.find('|', first + 1);
    if (second == std::string::npos) return false;
    std::istringstream place(line.substr(0, first));
    if (!(place >> thing.area >> thing.room) || !roomAt(thing.area, thing.room)) return false;
    std::stringstream names(line.substr(first + 1, second - first - 1));
    for (std::string name; std::getline(names, name, ',');) {
        name = toLower(trim(name));
        if (!name.empty()) thing.names.push_back(name);
    }
    thing.text = trim(std::string_view(line).substr(second + 1));
    return !thing.names.empty() && !thing.text.empty();
}
}  // namespace

std::vector<Thing> readThings(std::istream& in) {
    std::vector<Thing> found;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (trim(line).empty() || line[0] == '#') continue;
        Thing thing;
        if (readRecord(line, thing)) found.push_back(std::move(thing));
    }
    return found;
}

std::string thingsProblem(const std::string& text, const std::function<bool(int, int)>& isRoom) {
    std::istringstream in(text);
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (trim(line).empty() || line[0] == '#') continue;
        Thing thing;
        if (!readRecord(line, thing)) return "line " + std::to_string(number) + " is not \"area room|names|text\"";
        if (!isRoom(thing.area, thing.room))
            return "line " + std::to_string(number) + " names a room the island does not have";
    }
    return {};
}

void loadThings() {
    std::optional<std::string> text = readWholeFile(dataPath("things.txt"));
    std::istringstream file(text.value_or(""));
    setThings(readThings(file));
}

void setThings(std::vector<Thing> things) {
    std::lock_guard lock(thingsMutex);
    loaded = std::move(things);
}

const std::vector<Thing>& things() { return loaded; }

const Thing* findThing(const Room& room, std::string_view name) {
    std::string wanted = toLower(trim(name));
    std::lock_guard lock(thingsMutex);
    for (const Thing& thing : loaded) {
        if (!room.is(thing.area, thing.room)) continue;
        for (const std::string& n : thing.names)
            if (n == wanted) return &thing;
    }
    return nullptr;
}

bool textMentions(std::string_view text, std::string_view words) {
    std::string haystack = toLower(text);
    std::string needle = toLower(trim(words));
    if (needle.empty()) return false;
    for (std::size_t at = haystack.find(needle); at != std::string::npos; at = haystack.find(needle, at + 1)) {
        bool startsWord = at == 0 || !isLetter(haystack[at - 1]);
        std::size_t end = at + needle.size();
        // The plural of the word counts too: "palm" in "Palms lean".
        bool endsWord = end == haystack.size() || !isLetter(haystack[end]) ||
                        (haystack[end] == 's' && (end + 1 == haystack.size() || !isLetter(haystack[end + 1])));
        if (startsWord && endsWord) return true;
    }
    return false;
}
