#pragma once
#include <vector>

namespace platform {

// Reseeds the generator from the clock.
void Randomize();
// A uniform pseudo-random number 0 <= r < 1, in single precision.
float Rnd();

// Tests: the numbers that Rnd returns next, in order (used before the generator).
void queueRandomNumbers(const std::vector<float>& numbers);

}  // namespace platform
