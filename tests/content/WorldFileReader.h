#pragma once
// A strict, independent reader of the plain world source (content/initial.ims).
// The content tests use it to check the file as written, before any field
// of the game could cut an over-long text, and as a stand-in loader while
// the built Data directory does not exist yet.
#include <array>
#include <string>
#include <vector>

struct WorldSourceRecipe {
    int withItem = -1;
    int resultItem = -1;
    std::string message;
};

struct WorldSourceItem {
    std::string name;
    std::string description;
    int catalogueIndex = -1;
    int portable = 0;
    std::array<WorldSourceRecipe, 5> recipes;
};

struct WorldSourceRoom {
    int area = -1;
    int number = -1;
    std::string name;
    std::string description;
    std::array<int, 9> occupants{};
    std::array<int, 20> items{};
    std::array<std::array<int, 2>, 8> exits{};
};

struct WorldSource {
    std::vector<WorldSourceItem> items;
    std::vector<WorldSourceRoom> rooms;
    std::string error;  // empty when the whole file parsed
};

WorldSource readWorldSource(const std::string& path);

// Fills the game's catalogue and rooms from a parsed source, the way a new
// game is loaded (lists initialised first, islanders placed by index).
void installWorldSource(const WorldSource& source);
