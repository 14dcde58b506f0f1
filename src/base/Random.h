#pragma once
// Every reseed from the clock and every random draw goes through here,
// so tests can fix the seconds and the sequence (base/RandomTesting.h).

// Seconds of the calendar clock (or the value a test fixed).
long long nowSeconds();
// Starts the sequence given by the seed and the current second: the same
// seed within the same second gives the same draws, and neighbouring
// seeds or seconds give unrelated ones.
void reseed(unsigned seed);
// Reseeds with nowSeconds().
void reseedFromClock();
// Next number, 0..2147483647.
int draw();
