#include "WorldFileReader.h"

#include <cctype>
#include <fstream>
#include <sstream>

#include "world/World.h"
#include "world/Places.h"

namespace {

// Follows the game's reading rules: a number skips white space before it,
// a text line is everything up to the next newline.
class SourceCursor {
public:
    explicit SourceCursor(std::string text) : text_(std::move(text)) {}

    bool atEnd() {
        skipSpace();
        return pos_ >= text_.size();
    }
    bool number(int& value, const char* what) {
        skipSpace();
        std::size_t start = pos_;
        if (pos_ < text_.size() && (text_[pos_] == '-' || text_[pos_] == '+')) ++pos_;
        while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_]))) ++pos_;
        if (start == pos_ || !std::isdigit(static_cast<unsigned char>(text_[pos_ - 1]))) {
            return fail(std::string("expected a number for ") + what);
        }
        value = std::stoi(text_.substr(start, pos_ - start));
        return true;
    }
    // A text line that follows a number: the number's trailing white space was
    // skipped, so the line must not be empty nor start with white space.
    bool textLine(std::string& value, const char* what) {
        std::size_t lineStart = pos_;
        while (lineStart < text_.size() && text_[lineStart] != '\n') ++lineStart;
        // pos_ sits right after the number; the rest of its line must be blank.
        for (std::size_t i = pos_; i < lineStart; ++i) {
            if (!std::isspace(static_cast<unsigned char>(text_[i]))) return fail(std::string("junk before ") + what);
        }
        pos_ = lineStart < text_.size() ? lineStart + 1 : lineStart;
        return rawLine(value, what);
    }
    // A text line that follows another text line.
    bool rawLine(std::string& value, const char* what) {
        std::size_t end = text_.find('\n', pos_);
        if (end == std::string::npos) end = text_.size();
        value = text_.substr(pos_, end - pos_);
        pos_ = end < text_.size() ? end + 1 : end;
        if (value.empty() || std::isspace(static_cast<unsigned char>(value[0]))) {
            return fail(std::string("empty or indented text for ") + what);
        }
        return true;
    }
    const std::string& error() const { return error_; }

private:
    void skipSpace() {
        while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
    }
    bool fail(const std::string& message) {
        std::size_t line = 1;
        for (std::size_t i = 0; i < pos_ && i < text_.size(); ++i) line += text_[i] == '\n';
        error_ = message + " near line " + std::to_string(line);
        return false;
    }
    std::string text_;
    std::size_t pos_ = 0;
    std::string error_;
};

// Every item record follows a text line (the previous recipe message) or
// starts the file, so its name is read as a plain line.
bool readItem(SourceCursor& in, WorldSourceItem& item) {
    if (!in.rawLine(item.name, "item name")) return false;
    if (!in.rawLine(item.description, "item description")) return false;
    if (!in.number(item.catalogueIndex, "catalogue index") || !in.number(item.portable, "portable flag")) return false;
    for (auto& recipe : item.recipes) {
        if (!in.number(recipe.withItem, "recipe item") || !in.number(recipe.resultItem, "recipe result")) return false;
        if (!in.textLine(recipe.message, "recipe message")) return false;
    }
    return true;
}

bool readRoom(SourceCursor& in, WorldSourceRoom& room) {
    if (!in.number(room.area, "area") || !in.number(room.number, "room number")) return false;
    if (!in.textLine(room.name, "room name") || !in.rawLine(room.description, "room description")) return false;
    for (int& o : room.occupants) {
        if (!in.number(o, "occupant")) return false;
    }
    for (int& i : room.items) {
        if (!in.number(i, "room item")) return false;
    }
    for (auto& exit : room.exits) {
        if (!in.number(exit[0], "exit area") || !in.number(exit[1], "exit room")) return false;
    }
    return true;
}

}  // namespace

WorldSource readWorldSource(const std::string& path) {
    WorldSource source;
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        source.error = "cannot open " + path;
        return source;
    }
    std::stringstream whole;
    whole << file.rdbuf();
    SourceCursor in(whole.str());
    for (int i = 0; i < kItemCount; ++i) {
        WorldSourceItem item;
        if (!readItem(in, item)) {
            source.error = in.error();
            return source;
        }
        source.items.push_back(std::move(item));
    }
    while (!in.atEnd()) {
        WorldSourceRoom room;
        if (!readRoom(in, room)) {
            source.error = in.error();
            return source;
        }
        source.rooms.push_back(std::move(room));
    }
    return source;
}

void installWorldSource(const WorldSource& source) {
    initAllLists();
    auto itemRef = [](int index) -> ItemDef* {
        return index >= 0 && index < kItemCount ? &game.items[static_cast<std::size_t>(index)] : nullptr;
    };
    for (const auto& raw : source.items) {
        ItemDef* item = itemRef(raw.catalogueIndex);
        if (!item) continue;
        item->name = raw.name;
        item->description = raw.description;
        item->catalogueIndex = raw.catalogueIndex;
        item->portable = raw.portable;
        for (std::size_t k = 0; k < raw.recipes.size(); ++k) {
            item->recipes[k].withItem = itemRef(raw.recipes[k].withItem);
            item->recipes[k].resultItem = itemRef(raw.recipes[k].resultItem);
            item->recipes[k].message = raw.recipes[k].message;
        }
    }
    for (const auto& raw : source.rooms) {
        Room* room = roomAt(raw.area, raw.number);
        if (!room) continue;
        room->area = static_cast<std::int16_t>(raw.area);
        room->number = static_cast<std::int16_t>(raw.number);
        room->name = raw.name;
        room->description = raw.description;
        for (int o : raw.occupants) {
            if (o < 0 || o >= kIslanderCount) continue;
            Npc& npc = game.islanders[static_cast<std::size_t>(o)];
            npc.npcIndex = o;
            npc.currentRoom = room;
            addToList(room->occupants, &npc);
        }
        for (int i : raw.items) {
            if (ItemDef* item = itemRef(i)) addToList(room->items, item);
        }
        for (std::size_t d = 0; d < raw.exits.size(); ++d) {
            room->exits[d] = roomAt(raw.exits[d][0], raw.exits[d][1]);
        }
    }
    game.player.currentRoom = roomAt(kWhereYouWoke);
}
