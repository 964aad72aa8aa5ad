#pragma once

#include <QtGlobal>
#include <functional>

// The runtime's pseudo-random generator, reproduced bit for bit so that a seeded run replays
// exactly: a 32-bit state advanced as state := state * 134775813 + 1 (mod 2^32) before each draw.
extern quint32 RandSeed;

// A number r with 0 <= r < n: the high 32 bits of n times the freshly advanced state.
// n must be at least 1; for a smaller n the state still advances and the result is 0.
int RandomBelow(int n);

// Seeds the state from the low 32 bits of a monotonic nanosecond counter, or from a millisecond
// tick count when that counter cannot be read.
void SeedRandomFromClock();

// Test seam: while a source is set, SeedRandomFromClock takes its seed from it. An empty function
// restores the clock.
void SetSeedSourceForTesting(std::function<quint32()> source);
