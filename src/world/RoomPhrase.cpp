#include "world/RoomPhrase.h"

#include "base/Text.h"

std::string roomPhrase(const Room& room) {
    const std::string name = toLower(room.name.view());
    // A name that is already a phrase of place stands as it is.
    for (const char* phrase : {"where ", "behind "})
        if (name.starts_with(phrase)) return name;
    // "The Fence" brings its own article.
    if (name.starts_with("the ")) return "at " + name;
    return "at the " + name;
}
