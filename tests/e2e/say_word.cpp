// SPDX-License-Identifier: GPL-3.0-or-later
// Says the word of a picture through the real sound output, as the speaker button does,
// and reports what happened, one "key value" a line:
//   returned_ms  how long the call blocked the calling (GUI) thread
//   reached      1 when the sound server took the samples, 0 when there was none
//   latency_ms   from the call to the first samples handed to the server (-1: none)
// Usage: say_word PICTURE [TIMES]   (with TIMES > 1 the word is said again and again, each
// time once the last one has been written; the voice is loaded beforehand, as the game
// does after its first window, and the latencies are printed one a line.)
#include <QCoreApplication>
#include <QElapsedTimer>
#include <chrono>
#include <cstdio>
#include <thread>

#include "game/Speech.h"
#include "platform/sound/Sound.h"

namespace {

// Waits, at most `ms`, for the sound thread to have written everything.
bool waitIdle(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (!platform::soundIdle()) {
        if (clock.elapsed() > ms) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: say_word PICTURE [TIMES]\n");
        return 2;
    }
    const QString picture = QString::fromLocal8Bit(argv[1]);
    const int times = argc > 2 ? std::max(1, std::atoi(argv[2])) : 1;
    if (times > 1) {
        speech::prepare();
        waitIdle(5000);
    }
    for (int i = 0; i < times; ++i) {
        QElapsedTimer clock;
        clock.start();
        speech::sayWord(picture);
        const double returned = double(clock.nsecsElapsed()) / 1e6;
        if (!waitIdle(10000)) {
            std::printf("timeout 1\n");
            return 1;
        }
        std::printf("returned_ms %.3f\nreached %d\nlatency_ms %.3f\n", returned,
                    platform::soundServerReached() ? 1 : 0, platform::lastSoundLatency() * 1000.0);
        std::fflush(stdout);
    }
    // The server still holds the last fifth of a second of the word.
    if (platform::soundServerReached()) std::this_thread::sleep_for(std::chrono::milliseconds(400));
    platform::shutdownSound();
    return 0;
}
