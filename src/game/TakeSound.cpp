// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/TakeSound.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <vector>

namespace takes {

namespace {

using platform::Sound;

constexpr double kWindowSeconds = 0.01;
// A window this far above the floor is speech, in a run of kRunWindows at least; the word
// is followed outwards while its windows stay kEdgeDecibels above the floor, over gaps of
// up to kGapWindows.
constexpr double kSpeechDecibels = 10.0;
constexpr double kEdgeDecibels = 4.5;
constexpr int kRunWindows = 5;
constexpr int kGapWindows = 4;
double decibels(double value) { return value > 0 ? 20 * std::log10(value / 32768.0) : -100.0; }

// Nothing quieter than silence is speech, however quiet the room (RMS, dBFS).
const double kQuietestSpeech = decibels(platform::kSilence);
constexpr int kClipped = 32600;
constexpr std::size_t kFloorWindows = 10;

int channelsOf(const Sound& take) { return std::max(1, take.channels); }
std::size_t framesOf(const Sound& take) { return take.samples.size() / std::size_t(channelsOf(take)); }

// The level of each window (RMS, dBFS); with `sharpened`, of the differences of successive
// samples, which brings out the hiss of f, s and sch over the hum and rumble of a room.
std::vector<double> windowLevels(const Sound& take, std::size_t window, bool sharpened) {
    const std::size_t frames = framesOf(take);
    const int channels = channelsOf(take);
    std::vector<double> levels;
    for (std::size_t start = 0; start < frames; start += window) {
        const std::size_t stop = std::min(frames, start + window);
        double sum = 0;
        for (std::size_t i = start * channels; i < stop * channels; ++i) {
            double value = take.samples[i];
            if (sharpened) value = i >= std::size_t(channels) ? value - take.samples[i - channels] : 0.0;
            sum += value * value;
        }
        levels.push_back(decibels(std::sqrt(sum / double((stop - start) * channels))));
    }
    return levels;
}

// The room's level: the quietest stretch of kFloorWindows windows (a take begins before the
// word and ends after it).
double floorOf(const std::vector<double>& levels) {
    const std::size_t span = std::min<std::size_t>(kFloorWindows, levels.size());
    double quietest = 1e9;
    double power = 0;
    std::vector<double> powers(levels.size());
    for (std::size_t i = 0; i < levels.size(); ++i) powers[i] = std::pow(10.0, levels[i] / 10);
    for (std::size_t i = 0; i < levels.size(); ++i) {
        power += powers[i];
        if (i >= span) power -= powers[i - span];
        if (i + 1 >= span) quietest = std::min(quietest, power / double(span));
    }
    return quietest > 0 ? 10 * std::log10(quietest) : -100.0;
}

// From window `from`, stepping by `step`, the last window still at the word's edge (gaps
// allowed).
int follow(int windows, int from, int step, const std::function<bool(int)>& edge) {
    int kept = from;
    int gap = 0;
    for (int i = from + step; i >= 0 && i < windows; i += step) {
        if (edge(i)) {
            kept = i;
            gap = 0;
        } else if (++gap > kGapWindows) {
            break;
        }
    }
    return kept;
}

}  // namespace

double Hearing::speechSeconds() const { return double(end - begin) / std::max(1, rate); }

Hearing hear(const Sound& take) {
    Hearing hearing;
    hearing.rate = take.rate;
    const auto window = std::max<std::size_t>(1, std::size_t(std::lround(kWindowSeconds * take.rate)));
    const std::vector<double> levels = windowLevels(take, window, false);
    if (levels.empty()) return hearing;
    const std::vector<double> sharp = windowLevels(take, window, true);
    hearing.noiseDecibels = floorOf(levels);
    const double sharpFloor = floorOf(sharp);
    const double speech = std::max(hearing.noiseDecibels + kSpeechDecibels, kQuietestSpeech);
    const auto edge = [&](int i) {
        return levels[i] >= std::max(hearing.noiseDecibels + kEdgeDecibels, kQuietestSpeech - 10) ||
               sharp[i] >= std::max(sharpFloor + kEdgeDecibels, kQuietestSpeech - 10);
    };
    int first = -1, last = -1;
    for (int i = 0; i < int(levels.size());) {
        int run = i;
        while (run < int(levels.size()) && levels[run] >= speech) ++run;
        if (run - i >= kRunWindows) {
            if (first < 0) first = i;
            last = run - 1;
        }
        i = std::max(run, i + 1);
    }
    if (first < 0) return hearing;
    hearing.speech = true;
    first = follow(int(levels.size()), first, -1, edge);
    last = follow(int(levels.size()), last, +1, edge);
    const std::size_t frames = framesOf(take);
    hearing.begin = std::size_t(first) * window;
    hearing.end = std::min(frames, std::size_t(last + 1) * window);
    const int channels = channelsOf(take);
    int peak = 0, clippedInARow = 0;
    for (std::size_t i = hearing.begin * channels; i < hearing.end * channels; ++i) {
        const int value = std::abs(int(take.samples[i]));
        peak = std::max(peak, value);
        clippedInARow = value >= kClipped ? clippedInARow + 1 : 0;
        if (clippedInARow >= 3) hearing.clipped = true;
    }
    hearing.peakDecibels = decibels(peak);
    return hearing;
}

bool audible(const Sound& take) { return hear(take).speech; }

Sound trimmed(const Sound& take) {
    Sound result = take;
    const Hearing hearing = hear(take);
    if (!hearing.speech) return result;
    const int channels = channelsOf(take);
    const auto kept = std::size_t(std::lround(kKeptSilenceSeconds * take.rate));
    const std::size_t begin = hearing.begin > kept ? hearing.begin - kept : 0;
    const std::size_t end = std::min(framesOf(take), hearing.end + kept);
    result.samples.assign(take.samples.begin() + std::ptrdiff_t(begin * channels),
                          take.samples.begin() + std::ptrdiff_t(end * channels));
    const std::size_t frames = end - begin;
    const std::size_t fade = std::min(frames / 2, std::size_t(std::lround(kFadeSeconds * take.rate)));
    for (std::size_t f = 0; f < fade; ++f) {
        const double gain = double(f) / double(fade);
        for (int c = 0; c < channels; ++c) {
            auto& in = result.samples[f * channels + c];
            auto& out = result.samples[(frames - 1 - f) * channels + c];
            in = std::int16_t(std::lround(in * gain));
            out = std::int16_t(std::lround(out * gain));
        }
    }
    return result;
}

Sound normalised(const Sound& take) {
    Sound result = take;
    int peak = 0;
    for (const std::int16_t sample : take.samples) peak = std::max(peak, std::abs(int(sample)));
    if (peak == 0) return result;
    const double target = 32767.0 * std::pow(10.0, kPeakDecibels / 20.0);
    const double gain = std::min(target / peak, std::pow(10.0, kMostGainDecibels / 20.0));
    for (std::int16_t& sample : result.samples)
        sample = static_cast<std::int16_t>(std::clamp(std::lround(sample * gain), -32768L, 32767L));
    return result;
}

}  // namespace takes
