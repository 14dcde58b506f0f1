// How a count of an item reads in a list: "2 large leaves", "3 scraps of
// metal". Only the display changes; the player types the names as they are.
#include <algorithm>
#include <array>
#include <cctype>
#include <string>
#include <utility>

#include "items/Items.h"

namespace {

// Things counted as a heap or already plural: "2 Wood", "2 glasses".
constexpr std::array kUnchanged{"wood", "cloth", "seaweed", "bat guano", "glasses", "handcuffs"};

constexpr std::array<std::pair<const char*, const char*>, 6> kIrregular{{
    {"leaf", "leaves"}, {"knife", "knives"}, {"shelf", "shelves"},
    {"loaf", "loaves"}, {"half", "halves"},  {"wolf", "wolves"},
}};

std::string lowered(std::string_view text) {
    std::string low(text);
    for (char& c : low) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return low;
}

bool isVowel(char c) { return std::string_view("aeiou").find(c) != std::string_view::npos; }

bool endsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

// The plural of one word, keeping the case of the letters it keeps.
std::string pluralWord(std::string_view word) {
    const std::string low = lowered(word);
    for (const auto& [singular, plural] : kIrregular) {
        if (low != singular) continue;
        std::size_t kept = 0;
        while (kept < low.size() && low[kept] == plural[kept]) ++kept;
        return std::string(word.substr(0, kept)) + (plural + kept);
    }
    if (low.size() >= 2 && low.back() == 'y' && !isVowel(low[low.size() - 2]))
        return std::string(word.substr(0, word.size() - 1)) + "ies";
    for (std::string_view tail : {"s", "x", "z", "ch", "sh"})
        if (endsWith(low, tail)) return std::string(word) + "es";
    return std::string(word) + "s";
}

}  // namespace

std::string pluralName(std::string_view name) {
    const std::string low = lowered(name);
    if (std::find(kUnchanged.begin(), kUnchanged.end(), low) != kUnchanged.end()) return std::string(name);
    // "scrap of metal": the head noun takes the plural.
    std::size_t of = low.find(" of ");
    if (of == std::string::npos && endsWith(low, " of")) of = low.size() - 3;
    if (of != std::string::npos) return pluralName(name.substr(0, of)) + std::string(name.substr(of));
    std::size_t lastBlank = name.rfind(' ');
    std::size_t start = lastBlank == std::string_view::npos ? 0 : lastBlank + 1;
    if (start >= name.size()) return std::string(name);
    return std::string(name.substr(0, start)) + pluralWord(name.substr(start));
}
