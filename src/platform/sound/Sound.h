// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

namespace platform {

// Below this level (a sample's size, about -45 dBFS) sound is silence: a recording that never
// reaches it is as good as none, the voice's words are cut where their edges fall below it,
// and no take is speech that stays below it.
constexpr int kSilence = 184;

// Sound as 16-bit samples in memory, channels interleaved.
struct Sound {
    std::vector<std::int16_t> samples;
    int rate = 22050;
    int channels = 1;
    QString source;  // where it came from: a recording's path, or the text given to the voice

    bool empty() const { return samples.empty(); }
    double seconds() const;
};

// Plays a sound on the sound output's own thread and returns at once. `make` runs on that
// thread too (decoding a file, synthesising a word), so the caller never waits for it. A
// new sound stops the one still playing. With no sound server the sound is dropped
// without a message; `label` names the sound for tests.
void playSound(const QString& label, std::function<Sound()> make);
// Stops the sound that is playing, if any.
void stopSound();
// Runs `job` on the sound thread before the next sound (loading the voice ahead of use).
void prepareSound(std::function<void()> job);

// Whether a sound server is there to connect to (libpulse is never asked to start one).
bool soundServerPresent();

// What the sound thread has seen, for the benchmark and the probe programs.
bool soundServerReached();
// Seconds from the last playSound call to the moment its first samples were handed to the
// sound server; negative when nothing has been written yet.
double lastSoundLatency();
// Whether the sound thread has nothing left to do (the server may still be playing).
bool soundIdle();
// Stops the sound thread and waits for it (called at the end of the program and by tests).
void shutdownSound();
// Ends the sound thread at the program's end, waiting at most `waitMs` milliseconds: false
// when it is still blocked then (a sound server that hangs), and the program must end without
// waiting for it.
bool endSound(int waitMs);
// While the playSound hook is set (Hooks.h, tests), playSound runs `make` at once and hands
// the sound to the hook instead of playing it, stopSound does nothing and prepareSound runs
// its job at once.

}  // namespace platform
