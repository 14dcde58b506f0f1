// The nine islander records of a new game: the Dog and eight humans with
// different personalities, names that fit the personality's gender, and
// mood values read from each personality's file.
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include "base/ReadLine.h"
#include "base/Paths.h"
#include "base/Random.h"
#include "islanders/Islanders.h"
#include "base/Codec.h"

namespace {

struct Personality {
    const char* name;
    int gender;
};

// Numbered 1..16 by the draw; the Dog stands apart.
constexpr Personality kPersonalities[16] = {
    {"Angry", 1},  {"Convict", 1}, {"Crackpot", 1},     {"Depressed", 0}, {"Doctor", 2},   {"Formal", 1},
    {"Jock", 1},   {"Leet", 1},    {"Leader", 1},       {"Megalomaniac", 1}, {"Nerd", 0},  {"Paranoid", 1},
    {"Perky", 2},  {"Silent", 2},  {"Soldier", 1},      {"Wise", 1},
};
constexpr Personality kDog = {"Dog", 0};

constexpr const char* kEitherNames[20] = {"Frank", "John",  "Phill", "Luke",  "Monica", "Carl",  "Beth",
                                          "Joey",  "Gerald", "Jose", "Slade", "Trish",  "Bert",  "James",
                                          "Alex",  "Jenna", "Fran",  "Shelly", "Herman", "Tom"};
constexpr const char* kMaleNames[14] = {"Frank", "John",  "Phill", "Luke",  "Carl",   "Joey", "Gerald",
                                        "Jose",  "Slade", "Bert",  "James", "Alex", "Herman", "Tom"};
constexpr const char* kFemaleNames[7] = {"Monica", "Beth", "Trish", "Jenna", "Fran", "Shelly", "Alexis"};

// The leading decimal integer of a personality line; 0 when there is none.
double leadingInteger(const std::string& line) {
    const char* start = line.c_str();
    char* end = nullptr;
    errno = 0;
    long value = std::strtol(start, &end, 10);
    if (end == start || errno == ERANGE) return 0;
    return static_cast<double>(value);
}

bool nameTaken(std::string_view name) {
    for (int i = 0; i < game.islanderCount && i < kIslanderCount; ++i)
        if (game.islanders[static_cast<std::size_t>(i)].name == name) return true;
    return false;
}

}  // namespace

void createIslanders() {
    game.islanderCount = 0;
    std::array<int, 9> numbers{};
    pickPersonalities(numbers);

    Npc dog;
    dog.gender = kDog.gender;
    loadPersonality(dog, kDog.name);
    for (int position = 1; position <= 8; ++position) {
        const Personality& p = kPersonalities[numbers[static_cast<std::size_t>(position)] - 1];
        Npc prepared;
        prepared.gender = p.gender;
        loadPersonality(prepared, p.name);
    }
}

std::vector<std::string> personalityNames() {
    std::vector<std::string> names;
    for (const Personality& p : kPersonalities) names.push_back(p.name);
    names.push_back(kDog.name);
    return names;
}

void pickPersonalities(std::array<int, 9>& numbers) {
    reseedFromClock();
    numbers[0] = 0;
    for (std::size_t i = 1; i <= 8; ++i) {
        bool repeated = true;
        while (repeated) {
            numbers[i] = draw() % 16 + 1;
            repeated = false;
            for (std::size_t j = 1; j < i; ++j)
                if (numbers[j] == numbers[i]) repeated = true;
        }
    }
}

void loadPersonality(Npc& prepared, const char* personalityName) {
    if (game.islanderCount < 0 || game.islanderCount >= kIslanderCount) return;

    const std::string name = personalityName;
    prepared.personalityFile = "Data\\" + name + ".txt";
    // Unscrambled in memory: nothing is written into the data directory.
    // A personality kept plain (no scrambled twin) is read as it is.
    const std::string moxPath = "Data\\" + name + ".mox";
    std::optional<PlainTwin> twin = readScrambled(realPath(moxPath), moxPath);
    std::optional<std::string> text;
    if (twin && twin->extension == ".txt") text = std::move(twin->bytes);
    else text = readWholeFile(realPath(prepared.personalityFile.view()));
    auto file = std::make_unique<std::istringstream>(text.value_or(""));
    if (text) {
        prepared.tolerance = leadingInteger(readLine(*file));
        prepared.hostility = leadingInteger(readLine(*file));
        prepared.happiness = leadingInteger(readLine(*file));
    }
    prepared.hostilityBase = prepared.hostility;
    prepared.happinessBase = prepared.happiness;
    prepared.moodRate = 0.2;

    Npc& npc = game.islanders[static_cast<std::size_t>(game.islanderCount)];
    npc = prepared;
    npc.npcIndex = game.islanderCount;
    if (name == kDog.name) {
        npc.name = "Dog";
    } else {
        npc.name.clear();
        const char* candidate = pickName(npc);
        while (nameTaken(candidate)) candidate = pickName(npc);
        npc.name = candidate;
    }
    ++game.islanderCount;
}

const char* pronounOf(std::string_view name) {
    for (const char* female : kFemaleNames)
        if (name == female) return "she";
    return "he";
}

const char* pickName(const Npc& npc) {
    switch (npc.gender) {
        case 0: return kEitherNames[draw() % 20];
        case 1: return kMaleNames[draw() % 14];
        case 2: return kFemaleNames[draw() % 7];
        default: return "error";
    }
}
