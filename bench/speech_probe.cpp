// SPDX-License-Identifier: GPL-3.0-or-later
// Time from the request to speak a word to its first samples handed to the sound server,
// through the game's own speech code, against whatever server the environment names
// (bench/run.sh starts one on a null sink). Prints "speech <cold ms> <median ms> <max ms>":
// cold is the very first word, which loads the voice; the others are said after the voice
// was loaded, as the game loads it once its first window is painted.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include "game/Speech.h"
#include "platform/sound/Sound.h"

namespace {

bool waitIdle() {
    QElapsedTimer clock;
    clock.start();
    while (!platform::soundIdle()) {
        if (clock.elapsed() > 10000) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

double say(const QString& picture) {
    speech::sayWord(picture);
    if (!waitIdle() || !platform::soundServerReached()) return -1;
    return platform::lastSoundLatency() * 1000.0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString db = QStringLiteral(KNORZELBART_ASSETS_DIR "/db/");
    const QStringList words = {QStringLiteral("Schneemann"), QStringLiteral("Fuchs"), QStringLiteral("Erdbeere"),
                               QStringLiteral("Hund"), QStringLiteral("Zebra")};
    const double cold = say(db + QStringLiteral("Rakete.png"));
    std::vector<double> warm;
    for (int i = 0; i < 20; ++i) warm.push_back(say(db + words[i % words.size()] + QStringLiteral(".png")));
    platform::shutdownSound();
    if (cold < 0 || *std::min_element(warm.begin(), warm.end()) < 0) {
        std::puts("speech -1 -1 -1");
        return 1;
    }
    std::sort(warm.begin(), warm.end());
    std::printf("speech %.1f %.1f %.1f\n", cold, warm[warm.size() / 2], warm.back());
    return 0;
}
