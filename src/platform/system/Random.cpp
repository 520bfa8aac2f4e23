// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/Random.h"

#include <chrono>
#include <random>

#include "platform/system/Clock.h"
#include "platform/system/Hooks.h"

namespace platform {

namespace {
std::mt19937& generator() {
    static std::mt19937 gen(12345);
    return gen;
}
}  // namespace

void Randomize() {
    // On the virtual clock the seed comes from virtual time alone, so a test's draws repeat.
    const auto wall = usesVirtualClock() ? 0 : std::chrono::steady_clock::now().time_since_epoch().count();
    generator().seed(static_cast<unsigned>(wall) ^ static_cast<unsigned>(clockSeconds() * 1e6));
}

float Rnd() {
    if (hooks().randomNumber)
        if (const auto fixed = hooks().randomNumber()) return *fixed;
    // 24 random bits give every float in [0, 1) on the grid 2^-24, never 1.
    return static_cast<float>(generator()() >> 8) / 16777216.0f;
}

}  // namespace platform
