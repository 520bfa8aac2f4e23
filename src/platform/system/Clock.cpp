// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/Clock.h"

#include <QElapsedTimer>
#include <QThread>
#include <algorithm>

namespace platform {

namespace {

bool virtualMode = false;
double nowMs = 0;

QElapsedTimer& realClock() {
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return clock;
}

}  // namespace

double virtualNowMs() { return nowMs; }
void setVirtualNowMs(double ms) { nowMs = ms; }

double clockSeconds() {
    if (virtualMode) return nowMs / 1000.0;
    return realClock().nsecsElapsed() / 1e9;
}

void sleepUntil(double until) {
    if (virtualMode) {
        nowMs = std::max(nowMs, until * 1000.0);
        return;
    }
    const double rest = until - clockSeconds();
    if (rest > 0) QThread::usleep(static_cast<unsigned long>(rest * 1e6));
}

bool usesVirtualClock() { return virtualMode; }

void useVirtualClock(bool on) {
    virtualMode = on;
    nowMs = 0;
}

}  // namespace platform
