#pragma once
// The islanders' wandering step, every minute of game time.

// Each living islander takes a random room of its area. With mayApproach
// 1, the first happy islander free to talk walks up to the player instead,
// and a conversation with it opens on the next tick.
void moveIslanders(int mayApproach);
