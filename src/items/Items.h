#pragma once
// Item behaviour: use handlers, timed crafting, combining and the map.
// Every handler receives what followed the item name (" on tree"), or "".
#include <functional>
#include <string>
#include <string_view>

void combineItems(const char* first, const char* second);
void showMap(std::string_view text = {});

// How several units of an item read in a list ("large leaves", "scraps of metal").
std::string pluralName(std::string_view name);

// True when text, without its separating first character, is exactly form.
bool isForm(std::string_view text, std::string_view form);
// A tool's refusal. When the line names an item that lies here but is not
// in hand (" on torn shirt"), the player is told to pick it up; otherwise
// the tool's invalid-use text is printed. An item in hand that the tool
// does nothing for is told as such.
void refuseToolUse(std::string_view text, const char* toolName, const char* invalidUseText);

// Eating and applying
void useCoconut(std::string_view text);
void useBanana(std::string_view text);
void useDarkInsect(std::string_view text);
void useBrightInsect(std::string_view text);
void useBerry(std::string_view text);
void useBatGuano(std::string_view text);
void useDarkFlower(std::string_view text);
void useBrightFlower(std::string_view text);

// Wearing and fiddling
void useTornShirt(std::string_view text);
void useBandana(std::string_view text);
void useGlasses(std::string_view text);
void useBrokenRadio(std::string_view text);
void useNote(std::string_view text);

// Throwing, breaking, digging and prying
void useShell(std::string_view text);
void useHandcuffs(std::string_view text);
void useHammer(std::string_view text);
void useSling(std::string_view text);
void usePebble(std::string_view text);
void useShovel(std::string_view text);
void useCrowbar(std::string_view text);

// The three shapes of the keypad wall
void usePyramid(std::string_view text);
void useCube(std::string_view text);
void useSphere(std::string_view text);
// The save does not hold which shapes sit in the wall; a shape that is
// nowhere on the island (in no room, not carried) can only be in its slot.
void restorePlacedShapes();
// What is wrong with the map's text, "" when nothing: each marker stands
// on a room the island has (isRoom says which it has).
std::string mapProblem(const std::string& text, const std::function<bool(int, int)>& isRoom);

// Timed crafting with tools
void useRock(std::string_view text);
void useBlade(std::string_view text);
void useAxe(std::string_view text);
void finishSharpRock();
void finishShovelHead();
void finishHandle();
void finishSling();
void finishFelling();
