#pragma once
// Rules that every text shown through the marked-up output must keep.
#include <string>
#include <string_view>

// Every '/' and '@' starts a valid two-character code.
bool hasValidMarkup(std::string_view text);
// Columns the text takes on screen once its codes are interpreted.
std::size_t visibleWidth(std::string_view text);
