#include "platform/Random.h"

#include <chrono>
#include <deque>
#include <random>

#include "platform/Clock.h"

namespace platform {

namespace {
std::mt19937& generator() {
    static std::mt19937 gen(12345);
    return gen;
}
std::deque<float>& queued() {
    static std::deque<float> numbers;
    return numbers;
}
}  // namespace

void Randomize() {
    // On the virtual clock the seed comes from virtual time alone, so a test's draws repeat.
    const auto wall = usesVirtualClock() ? 0 : std::chrono::steady_clock::now().time_since_epoch().count();
    generator().seed(static_cast<unsigned>(wall) ^ static_cast<unsigned>(clockSeconds() * 1e6));
}

float Rnd() {
    if (!queued().empty()) {
        const float r = queued().front();
        queued().pop_front();
        return r;
    }
    // 24 random bits give every float in [0, 1) on the grid 2^-24, never 1.
    return static_cast<float>(generator()() >> 8) / 16777216.0f;
}

void queueRandomNumbers(const std::vector<float>& numbers) {
    queued().assign(numbers.begin(), numbers.end());
}

}  // namespace platform
