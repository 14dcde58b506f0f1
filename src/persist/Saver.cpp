#include <unistd.h>

#include <cerrno>
#include <ctime>

#include "base/Codec.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "base/SaveKeeping.h"
#include "persist/Persist.h"
#include "persist/SaveGenerations.h"
#include "persist/SaveSeal.h"
#include "persist/SaveSections.h"
#include "world/EndingNames.h"

namespace {
void writeRoomPair(SaveWriter& out, const Room* room) {
    if (!room) {
        out.raw(" -1 -1 \n");
        return;
    }
    out.raw(" ").number(room->area).raw(" ").number(room->number).raw(" \n");
}

void writeIslanderReference(SaveWriter& out, const Npc* npc) {
    out.raw(" ").number(npc ? npc->npcIndex : -1).raw(" \n");
}

template <class T, class IndexOf>
void writeSlots(SaveWriter& out, const PtrList<T>& list, IndexOf indexOf) {
    for (std::uint32_t i = 0; i < list.capacity; ++i) {
        const T* entry = list.slots[i];
        // Most slots are empty: their text is written in one piece.
        if (entry) out.raw(" ").number(indexOf(*entry)).raw(" ");
        else out.raw(" -1 ");
    }
    out.raw("\n");
}

constexpr std::string_view kPlayingExtension = ".ims";
constexpr std::string_view kOverExtension = ".end";

// The extension the header of a scrambled file names, "" when it has none.
// Only a regular file is read: a FIFO under a save's name must not hang the game.
std::string headerExtension(const std::filesystem::path& path) {
    std::string why;
    int fd = openRegularFile(path, Links::Refuse, why);
    if (fd < 0) return {};
    char header[5] = {};
    ssize_t got = ::read(fd, header, sizeof header);
    ::close(fd);
    if (got != static_cast<ssize_t>(sizeof header)) return {};
    std::optional<PlainTwin> twin = unscrambleBytes(std::string_view(header, sizeof header), 0);
    return twin ? twin->extension : std::string();
}

// A scrambled file of another kind (a personality file, the memory
// script) must never be replaced by a save that happens to share its name.
bool holdsOtherData(const std::filesystem::path& path) {
    std::string extension = headerExtension(path);
    return !extension.empty() && extension != kPlayingExtension && extension != kOverExtension;
}
}  // namespace

void writeItemList(SaveWriter& out, const PtrList<ItemDef>& list) {
    writeSlots(out, list, [](const ItemDef& item) { return item.catalogueIndex; });
}

void writeOccupantList(SaveWriter& out, const PtrList<Npc>& list) {
    writeSlots(out, list, [](const Npc& npc) { return npc.npcIndex; });
}

void writeExits(SaveWriter& out, const std::array<Room*, kDirectionCount>& exits) {
    for (const Room* exit : exits) writeRoomPair(out, exit);
}

void writePlayerBlock(SaveWriter& out) {
    writeItemList(out, game.player.inventory);
    writeRoomPair(out, game.player.currentRoom);
    out.number(game.raftState).raw("\n");
}

void writeIslanders(SaveWriter& out) {
    for (const Npc& npc : game.islanders) {
        out.line(npc.name.view(), true);
        out.number(npc.npcIndex).raw("\n");
        for (double value : {npc.tolerance, npc.hostility, npc.happiness, npc.moodRate, npc.hostilityBase,
                             npc.happinessBase})
            out.decimal(value).raw(" ");
        out.number(npc.scriptLabel).raw(" ").number(npc.gender).raw(" \n");
        out.line(npc.personalityFile.view(), true);
        writeRoomPair(out, npc.currentRoom);
    }
}

void writeItemCatalogue(SaveWriter& out) {
    bool first = true;
    for (const ItemDef& item : game.items) {
        out.line(item.name.view(), first);
        first = false;
        out.line(item.description.view(), false);
        out.number(item.catalogueIndex).raw("\n");
        out.number(item.portable).raw("\n");
        for (const CombineRecipe& recipe : item.recipes) {
            if (!recipe.withItem) {
                out.raw("-1 -1 \n~\n");
                continue;
            }
            out.number(recipe.withItem->catalogueIndex).raw(" ");
            out.number(recipe.resultItem ? recipe.resultItem->catalogueIndex : -1).raw(" \n");
            out.line(recipe.message.view(), true);
        }
    }
}

void writeRoomRecord(SaveWriter& out, int area, int number) {
    const Room* room = roomAt(area, number);
    if (!room || room->name.empty()) return;
    out.number(room->area).raw(" ").number(room->number).raw("\n");
    out.line(room->name.view(), true);
    out.line(room->description.view(), false);
    writeOccupantList(out, room->occupants);
    writeItemList(out, room->items);
    writeExits(out, room->exits);
}

std::string saveText() {
    SaveWriter out;
    writePlayerBlock(out);
    out.number(game.islanderCount).raw(" ").number(game.day).raw(" ").number(game.tick).raw(" \n");
    for (const Npc* npc : {game.memorySubject, game.lastVictim, game.handcuffedIslander})
        writeIslanderReference(out, npc);
    writeIslanders(out);
    writeItemCatalogue(out);
    for (int area = 0; area < kAreaCount; ++area)
        for (int number = 0; number < kRoomsPerArea; ++number) writeRoomRecord(out, area, number);
    return sealedSaveText(out.take());
}

int saveGame() {
    std::string moxPath = saveGamePath(game.player.name.view());
    if (moxPath.empty()) return EINVAL;
    // The save directory is made at the first save.
    if (holdsOtherData(saveReadPath(moxPath))) return EEXIST;
    if (!makeSaveDirectory()) return errno != 0 ? errno : EIO;
    std::filesystem::path target = saveWritePath(moxPath);
    std::string plainPath = replaceExtension(moxPath, ".ims");
    std::uint8_t key = scrambleKey(plainPath);
    std::string bytes = game.ending == Ending::None
                            ? scrambleBytes(saveText(), kPlayingExtension, key)
                            : scrambleBytes(std::string(endingWord(game.ending)) + "\n" + saveText(), kOverExtension, key);
    keepPreviousGeneration(target, game.day);
    // A save is the player's own: no one else may read it.
    if (!writeFileAtomically(target, bytes, true, 0600)) return errno != 0 ? errno : EIO;
    rememberSaveBytes(target, std::move(bytes), game.day, std::time(nullptr));
    return syncSaves();  // where the saves need a sync, they are written only once it finished
}

SavedGame inspectSave(std::string_view playerName) {
    SavedGame saved;
    std::string moxPath = saveGamePath(playerName);
    std::error_code error;
    if (moxPath.empty()) return saved;
    std::filesystem::path file = saveReadPath(moxPath);
    if (!std::filesystem::is_regular_file(file, error)) return saved;
    std::string extension = headerExtension(file);
    if (extension == kPlayingExtension) {
        saved.state = SaveState::Playing;
    } else if (extension == kOverExtension) {
        saved.state = SaveState::Over;
        FileBytes bytes = readRegularFile(file, kSaveSizeLimit, Links::Refuse);
        std::optional<PlainTwin> twin;
        if (bytes.bytes) twin = unscrambleBytes(*bytes.bytes, scrambleKey(moxPath));
        if (twin) saved.ending = endingOfWord(std::string_view(twin->bytes).substr(0, twin->bytes.find('\n')));
    } else if (!extension.empty()) {
        saved.state = SaveState::OtherData;
    }
    return saved;
}
