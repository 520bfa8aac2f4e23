// SPDX-License-Identifier: GPL-3.0-or-later
// CPU use on the real clock: the game waiting for a letter, the assistant's reaction to a
// right word, and the robber's walk. Prints one "name percent-of-one-core seconds" line each.
// Usage: cpu_probe [WIDTHxHEIGHT]   (the game window's size; the scene scales to it)
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <functional>

#include "game/modGlobalVars.h"
#include "platform/system/Clock.h"
#include "raeuber/frmRaeuber.h"
#include "support/GameFixture.h"
#include "support/Playthrough.h"
#include "Measures.h"

namespace {

using measures::cpuSeconds;


// Runs the event loop until `done` holds (checked every 20 ms) or `limitMs` has passed.
void runUntil(const std::function<bool()>& done, int limitMs) {
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done()) loop.quit();
    });
    poll.start(20);
    QTimer::singleShot(limitMs, &loop, &QEventLoop::quit);
    loop.exec();
}

void report(const char* name, const std::function<void()>& work) {
    QElapsedTimer wall;
    const double cpu0 = cpuSeconds();
    wall.start();
    work();
    const double seconds = wall.nsecsElapsed() / 1e9;
    std::printf("%s %.2f %.2f\n", name, 100.0 * (cpuSeconds() - cpu0) / seconds, seconds);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    testsupport::ProgramFolder folder;
    folder.addNumberedPictures(20);
    platform::useVirtualClock(false);  // from here on the timers run on the real clock
    frmRaeuber& game = testsupport::openGame(1);
    if (argc > 1) {
        const QStringList size = QString::fromLocal8Bit(argv[1]).split(QLatin1Char('x'));
        if (size.size() == 2) game.resize(size[0].toInt(), size[1].toInt());
    }
    runUntil([] { return false; }, 1000);  // first paint, fonts, caches

    report("waiting", [] { runUntil([] { return false; }, 3000); });
    report("assistant", [&] {
        testsupport::typeCurrentWord(game);
        runUntil([&] { return !game.tmr_assistantResize->Enabled() && !game.tmr_assistantAnimation->Enabled(); },
                 15000);
    });
    report("walk", [&] {
        modGlobalVars::wordFailed = true;
        modGlobalVars::wrongCount = 1;
        game.advanceRobber();
    });
    return 0;
}
