// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

#include "platform/Sound.h"

// The sound server's default input, read through libpulse on a thread of its own while a
// take runs. libpulse is opened on the first take (SoundLibraries.h); nothing is read
// from the microphone at any other time.
namespace platform {

// Mono at this rate.
constexpr int kMicrophoneRate = 44100;
// A take ends by itself after this many seconds (the game plays a minute at most).
constexpr int kMicrophoneMaxSeconds = 60;

// Starts a take. Returns a German message when there is no sound server, no libpulse or
// no input to read, and then records nothing; otherwise an empty text.
QString startMicrophone();
// Ends the take and returns what was recorded (empty when nothing ran). The samples are
// exactly what the input gave: a muted input gives silence.
Sound stopMicrophone();
// Whether a take runs, and whether it has stopped by itself (the server went away, or the
// take reached its longest length); stopMicrophone still returns it.
bool microphoneRunning();
bool microphoneFull();
// The loudest sample of the last 50 ms or so, 0 to 1, for a level meter.
double microphoneLevel();
// Seconds recorded so far in this take.
double microphoneSeconds();

}  // namespace platform
