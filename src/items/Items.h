#pragma once
// Item behaviour: use handlers, timed crafting, combining and the map.
#include <string_view>

void registerUseHandlers();
void combineItems(const char* first, const char* second);
void showMap(std::string_view text = {});
