#pragma once
// Tests only: fixed seconds and a fixed sequence of draws.
#include <vector>

// Fix the seconds; a negative value returns to the real clock.
void setFixedSeconds(long long seconds);
// The next draws return these values in order, then the generator resumes.
void queueDraws(const std::vector<int>& values);
void clearQueuedDraws();
