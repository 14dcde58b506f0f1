#pragma once
// The fixed text told on each morning from day 2 to day 16.

// The morning text of that day, or nullptr for a day without one.
const char* morningText(int day);
