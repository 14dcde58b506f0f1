#include "world/EndingNames.h"

#include <array>

namespace {
struct EndingName {
    Ending how;
    const char* word;
    const char* summary;
};

constexpr std::array<EndingName, 6> kEndings = {{
    {Ending::Escaped, "escaped", "you sailed away from the island and were rescued"},
    {Ending::LostAtSea, "lost-at-sea", "your raft broke apart and you were lost at sea"},
    {Ending::LabWon, "lab-won", "you locked the Dog in his own laboratory and were rescued"},
    {Ending::LabLost, "lab-lost", "you were struck down in the laboratory"},
    {Ending::Murdered, "murdered", "you were murdered in the night"},
    {Ending::Starved, "starved", "you starved to death when the food ran out"},
}};
}  // namespace

const char* endingWord(Ending how) {
    for (const EndingName& name : kEndings)
        if (name.how == how) return name.word;
    return "";
}

Ending endingOfWord(std::string_view word) {
    for (const EndingName& name : kEndings)
        if (word == name.word) return name.how;
    return Ending::None;
}

const char* endingSummary(Ending how) {
    for (const EndingName& name : kEndings)
        if (name.how == how) return name.summary;
    return "";
}
