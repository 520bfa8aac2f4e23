// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace platform {

// Reseeds the generator from the clock.
void Randomize();
// A uniform pseudo-random number 0 <= r < 1, in single precision.
float Rnd();

}  // namespace platform
