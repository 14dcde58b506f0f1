#pragma once
// The wall of the three slots tells what the player has done to it: its
// room text and its closer looks follow the shapes placed and whether the
// wall stands open. All of it is worked out from the shape flags and the
// wall's north exit, so a save needs nothing more.
#include <optional>
#include <string>
#include <string_view>

enum class WallState { Bare, SomeShapes, KeypadShown, Open };

WallState wallState();
// The wall's room is named for what shows: its slots, its keypad, or the
// passage it opened.
const char* wallRoomName(WallState state);
// Gives the wall's room the name and text of its state (the world's own
// text while bare). Run on every change to the wall and on every load.
void describeWall();
// The closer look at a part of the wall in this state: nullopt when the
// island's own look-text answers.
std::optional<std::string> wallLookText(std::string_view name);
