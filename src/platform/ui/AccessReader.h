// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

// Whether a screen reader is running, and how long it still speaks. The program cannot hear
// the screen reader; it knows what it gave it to say (an announcement, the name of a key the
// screen reader echoes) and reckons from the text's length how long that takes to say. The
// program's own voice waits for it, so that two voices never speak at once.
namespace platform {

// Whether a screen reader runs: the desktop's accessibility status says so (ScreenReaderEnabled,
// or IsEnabled, which a screen reader switches on as it starts). Asked without waiting the first
// time and followed as it changes; false until the answer has come.
bool screenReaderRunning();
// The screen reader is about to say `text`; it says it after what it still says.
void screenReaderSays(const QString& text);
// A key was pressed: the screen reader says its name (after what it is saying: it was heard
// finishing an announcement before it said "F2").
void screenReaderHearsKey(const QString& name);
// When the last key was pressed, in seconds of the program's clock (0: none yet).
double lastKeySeconds();
// Milliseconds until the screen reader has said what it was given; 0 when it is done or none runs.
int screenReaderBusyMs();
// Forgets what the screen reader was given to say (a new game, tests).
void forgetScreenReaderSpeech();

// How long a screen reader takes to say `text`, in milliseconds, at its usual pace.
int screenReaderSpeechMs(const QString& text);
// What a screen reader is given is heard this much later: its voice needs a moment, more on
// a busy computer.
constexpr int kScreenReaderLagMs = 1000;
// Nobody waits longer than this for the screen reader.
constexpr int kLongestScreenReaderWaitMs = 15000;

}  // namespace platform
