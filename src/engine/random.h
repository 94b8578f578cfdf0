// Random numbers: a Park–Miller generator (multiplier 48271, modulus 2^31 − 1) whose state
// lives in the engine context. Every draw of the game comes from here, so a seed replays a
// game's random choices exactly.
#pragma once

#include <cstdint>

namespace orvela {

// state = seed with the top bit cleared; 0 and 2147483647 become 4660 (the start state).
void SeedRandom(int seed);
int RandomSeed();  // the current state
// A uniform value in [0, 1) made from two generator steps.
double RandomUnit();
// lo + u·(hi − lo), or hi + u·(lo − hi) when hi <= lo.
float RandomFloat(float lo, float hi);
// Uniform over both ends inclusive, whichever order they come in.
int RandomInt(int lo, int hi);

// One generator step (Schrage's method, no overflow); exposed for tests.
int32_t ParkMillerStep(int32_t state);

}  // namespace orvela
