// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

#include "platform/sound/Sound.h"

// The sound server's default input, read through libpulse on a thread of its own while the
// recording window is open. libpulse is opened then (SoundLibraries.h); nothing is read
// from the microphone at any other time.
namespace platform {

// Mono at this rate.
constexpr int kMicrophoneRate = 44100;
// A take ends by itself after this many seconds (the game plays a minute at most).
constexpr int kMicrophoneMaxSeconds = 60;
// A take begins with this much of what the input heard before it started, so that a
// word spoken at once keeps its beginning.
constexpr double kPreRollSeconds = 0.3;

// Opens the input while the recording window is open: it is read all the time, and only the
// last kPreRollSeconds are kept between takes (in memory, nowhere else). Returns at once.
void openMicrophone();
// Closes it; returns at once even when the sound server hangs.
void closeMicrophone();

// Starts a take, with the moment before it unless `preRoll` is false. Returns at once: a German message when the
// take cannot start (a test's microphone says so); an input that turns out to be missing
// ends the take by itself, and microphoneFailure() says why.
QString startMicrophone(bool preRoll = true);
// Ends the take and returns what was recorded (empty when nothing ran). The samples are
// exactly what the input gave: a muted input gives silence.
Sound stopMicrophone();
// Whether a take runs. A take ends by itself when it reaches its longest length
// (microphoneFull) or when the input fails (microphoneFailure: why, in German); then
// stopMicrophone still returns it.
bool microphoneRunning();
bool microphoneFull();
QString microphoneFailure();
// The loudest sample of the last 20 ms or so, 0 to 1, for a level meter.
double microphoneLevel();
// Seconds recorded so far in this take.
double microphoneSeconds();

// With the test's microphone (Hooks.h): the take ends by itself, full or failed.
void endHookedTake(bool full, const QString& failure);

}  // namespace platform
