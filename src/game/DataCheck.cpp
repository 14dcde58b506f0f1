#include "game/DataCheck.h"

#include <optional>

#include "base/Codec.h"
#include "base/DataManifest.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "dialogue/Script.h"
#include "game/Things.h"
#include "islanders/Islanders.h"
#include "items/Items.h"
#include "persist/Persist.h"

namespace {
// The plain text of a file in the data directory, scrambled (name.mox,
// its header naming the extension given) or, when there is no scrambled
// form, kept plain; problem says why when neither can be read.
std::optional<std::string> readDataText(const std::string& name, std::string_view extension, std::string& problem) {
    std::string moxPath = gamePath(name + ".mox");
    FileBytes scrambled = readRegularFile(realPath(moxPath));
    if (scrambled.missing && !extension.empty()) {
        FileBytes plain = readRegularFile(dataPath(name + std::string(extension)));
        if (plain.bytes) return plain.bytes;
        problem = name + std::string(extension) + ": " + plain.why;
        return std::nullopt;
    }
    if (!scrambled.bytes) {
        problem = name + ".mox: " + scrambled.why;
        return std::nullopt;
    }
    std::optional<PlainTwin> twin = unscrambleBytes(*scrambled.bytes, scrambleKey(moxPath));
    if (!twin || twin->extension != extension) {
        problem = name + ".mox" + std::string(": it is not a scrambled ") + std::string(extension) + " file";
        return std::nullopt;
    }
    return std::move(twin->bytes);
}

std::optional<std::string> readPlainData(const std::string& name, std::string& problem) {
    FileBytes file = readRegularFile(dataPath(name));
    if (!file.bytes) problem = name + ": " + file.why;
    return file.bytes;
}

std::string withName(const std::string& name, const std::string& why) { return why.empty() ? why : name + ": " + why; }
}  // namespace

std::string gameDataProblem() {
    std::string problem;
    // The world, which names the island's rooms for the checks that follow.
    std::optional<std::string> world = readDataText("initial", ".ims", problem);
    if (!world) return problem;
    RoomSet rooms{};
    if (std::string why = worldTextProblem(*world, rooms); !why.empty()) return "initial.mox: " + why;
    auto isRoom = [&rooms](int area, int number) {
        return roomAt(area, number) != nullptr && rooms[static_cast<std::size_t>(area * kRoomsPerArea + number)];
    };

    std::vector<std::string> scripts = personalityNames();
    scripts.push_back("Memory");
    for (const std::string& name : scripts) {
        std::optional<std::string> text = readDataText(name, ".txt", problem);
        if (!text) return problem;
        if (std::string why = withName(name + ".mox", scriptProblem(std::move(*text))); !why.empty()) return why;
    }
    std::optional<std::string> map = readPlainData("map.txt", problem);
    if (!map) return problem;
    if (std::string why = withName("map.txt", mapProblem(*map, isRoom)); !why.empty()) return why;
    std::optional<std::string> things = readPlainData("things.txt", problem);
    if (!things) return problem;
    if (std::string why = withName("things.txt", thingsProblem(*things, isRoom)); !why.empty()) return why;
    if (!readPlainData("readme.txt", problem)) return problem;
    // Last, what the checks above cannot see: a byte changed in a text,
    // a file cut where a whole line ended, an empty instructions file.
    return dataManifestProblem(dataDirectory());
}
