// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>

#include "platform/sound/Sound.h"

// What is heard in a take from the microphone, and the take made ready to keep. Speech is
// told from the room by the energy of short windows (10 ms) against the take's own noise
// floor (its quietest tenth): a window well above the floor, in a run of at least 50 ms,
// is speech; a lone click is not. From the first and the last of those runs the word is
// followed outwards while it stays a little above the floor, so that a quiet /f/, /s/,
// /sch/ or /h/ at its edges is kept.
namespace takes {

// How much quiet is kept before the first and after the last sound, the fade at both ends,
// and the loudness every recording is brought to (its loudest sample, in dB below full
// scale), with at most this much gain (a quiet voice is not raised with its room).
constexpr double kKeptSilenceSeconds = 0.1;
constexpr double kFadeSeconds = 0.008;
constexpr double kPeakDecibels = -1.0;
constexpr double kMostGainDecibels = 20.0;

// Below this a take's speech is "very quiet" (its loudest sample, dBFS), shorter than
// this it is "very short" (seconds of speech).
constexpr double kQuietSpeechDecibels = -30.0;
constexpr double kShortSpeechSeconds = 0.25;

struct Hearing {
    bool speech = false;       // a word is in it
    std::size_t begin = 0;     // the word's first frame
    std::size_t end = 0;       // one past its last frame
    double noiseDecibels = 0;  // the room's level (RMS of the quietest windows, dBFS)
    double peakDecibels = -100;  // the word's loudest sample, dBFS
    bool clipped = false;      // the input was overdriven in the word
    double speechSeconds() const;
    int rate = 1;
};

Hearing hear(const platform::Sound& take);

// Whether the take holds anything but the quiet of a room: a spoken word.
bool audible(const platform::Sound& take);
// The take cut to its word with kKeptSilenceSeconds around it, faded in and out.
platform::Sound trimmed(const platform::Sound& take);
// The take made louder or quieter so that its loudest sample lies at kPeakDecibels, raised
// by kMostGainDecibels at most.
platform::Sound normalised(const platform::Sound& take);

}  // namespace takes
