#pragma once
#include <chrono>

// Menu, play and the final save; returns the program's exit status.
// The clock period is a parameter so tests can run the clock fast.
int runGame(std::chrono::milliseconds clockPeriod = std::chrono::milliseconds(1000));
