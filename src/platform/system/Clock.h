// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>

namespace platform {

// Seconds with fractions from a monotonic clock: a wait across midnight still ends.
double clockSeconds();

// Blocks the program until the clock reaches `until` without handling any event and
// without spinning. On the virtual clock it only moves "now" forward.
void sleepUntil(double until);

// Virtual time for tests: timers and the clock stop following the wall clock.
bool usesVirtualClock();
void useVirtualClock(bool on);

// "Now" on the virtual clock, in milliseconds; the timers move it forward.
double virtualNowMs();
void setVirtualNowMs(double ms);

// Runs every timer tick that falls due within the next `ms` virtual milliseconds,
// earliest first, one handler at a time.
void advance(int ms);

}  // namespace platform
