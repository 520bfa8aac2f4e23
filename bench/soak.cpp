// SPDX-License-Identifier: GPL-3.0-or-later
// A long run: complete games one after another under the virtual clock, as a school day
// of games would go without restarting the program. Reports the picture list's length and
// the memory after 10, 100 and 1,000 games; any broken rule of the shared state stops it.
// Every tenth game is followed by a round of the teacher's recording window.
#include <QApplication>
#include <QElapsedTimer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>
#include <malloc.h>
#include <random>

#include "game/Options.h"
#include "game/modGlobalVars.h"
#include "lernstand/Learning.h"
#include "mock/TestMode.h"
#include "platform/ui/MessageBox.h"
#include "platform/system/Random.h"
#include "raeuber/frmRaeuber.h"
#include "shell/frmAufnahme.h"
#include "support/GameFixture.h"
#include "support/Invariants.h"
#include "support/Playthrough.h"
#include "Measures.h"

namespace {

using measures::cpuSeconds;
using measures::peakRssMb;


double currentRssMb() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * 4096.0 / (1024.0 * 1024.0) : 0;
}

// Bytes the program holds on the heap right now (without what the allocator keeps spare).
double heapInUseMb() { return mallinfo2().uordblks / (1024.0 * 1024.0); }

void fail(const QString& what) {
    std::fprintf(stderr, "soak: %s\n", qPrintable(what));
    std::exit(1);
}

// A second of a tone between quiet, as the test's microphone gives it.
platform::Sound spokenTake() {
    platform::Sound take;
    take.rate = 22050;
    take.samples.assign(4410, 0);
    for (int i = 0; i < take.rate; ++i)
        take.samples.push_back(std::int16_t(8000 * std::sin(2 * M_PI * 440.0 * i / take.rate)));
    take.samples.insert(take.samples.end(), 4410, 0);
    return take;
}

// The teacher's recording window between games: opened on its own folder, a word recorded,
// heard and deleted, closed again.
void recordingWindowRound(const QString& words, int g) {
    platform::microphoneGives(spokenTake());
    frmAufnahme& window = frmAufnahme::forFolder(words);
    window.Show();
    window.lstWoerter->finishPictures();
    window.cmdAufnehmen->click();
    window.cmdAufnehmen->click();
    window.cmdAnhoeren->click();
    window.cmdLoeschen->click();
    if (window.lstWoerter->RowText(0) != QStringLiteral("Wal – keine Aufnahme"))
        fail(QStringLiteral("recording window %1: \"%2\"").arg(QString::number(g), window.lstWoerter->RowText(0)));
    window.Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    platform::shownMessages().clear();
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int games = argc > 1 ? std::atoi(argv[1]) : 1000;
    // With --lernstand every game is played with the learning record on, in a folder of its
    // own: ten children take turns, so each meets its missed words again.
    const bool learning = argc > 2 && QByteArray(argv[2]) == "--lernstand";
    QTemporaryDir record;
    if (learning) {
        qputenv("KNORZELBART_RECHNER_ID", "soak");
        options::current().learning = true;
        options::current().learningFolder = record.path();
        std::printf("with the learning record on, in %s\n", qPrintable(record.path()));
    }
    constexpr int kPictures = 40;
    testsupport::ProgramFolder folder;
    folder.addNumberedPictures(kPictures);
    // The recording window's own folder (its takes must not reach the games' words).
    QTemporaryDir recordings;
    QImage whale(64, 64, QImage::Format_RGB32);
    whale.fill(Qt::blue);
    whale.save(recordings.path() + QStringLiteral("/Wal.png"));
    std::mt19937 chance(20240611);
    std::uniform_real_distribution<float> uniform(0.0f, 0.99999f);

    std::printf("games | list length | expected | heap in use MB | current RSS MB | peak RSS MB | seconds | "
                "CPU ms per game since the line before\n");
    QElapsedTimer clock;
    clock.start();
    double cpuBefore = cpuSeconds();
    int gamesBefore = 0;
    int expected = kPictures;  // one copy of the folder per game, less the solved pictures
    for (int g = 1; g <= games; ++g) {
        std::vector<float> numbers(64);
        for (float& r : numbers) r = uniform(chance);
        platform::queueRandomNumbers(numbers);
        const int level = 1 + g % 3;
        const QString child = QStringLiteral("Kind%1").arg(learning ? g % 10 : g);
        frmRaeuber& game = testsupport::openGame(level, child);
        game.beginChild(child);  // as the menu's level button does; nothing while the record is off
        const auto check = [&](const QString& step) {
            const QString broken = testsupport::brokenInvariants(game);
            if (!broken.isEmpty()) fail(QStringLiteral("game %1, %2:\n%3").arg(QString::number(g), step, broken));
        };
        const bool victory = g % 2 == 0;
        const QString end = victory ? testsupport::playToVictory(game, g % 4, check)
                                    : testsupport::playToDefeat(game, check);
        if (!end.contains(victory ? QStringLiteral("gewonnen") : QStringLiteral("verloren")))
            fail(QStringLiteral("game %1 ended with \"%2\"").arg(QString::number(g), end));
        platform::shownMessages().clear();
        if (g % 10 == 0) recordingWindowRound(recordings.path(), g);
        // The virtual clock runs handlers without an event loop; the program's loop would
        // have delivered the posted events (repaints, deferred deletes) long since.
        QCoreApplication::processEvents();
        // The next game's list: this one's, less its fifteen right words after a victory (no
        // picture is drawn behind the fifteenth), plus the folder again.
        expected += kPictures - (victory ? 15 : 0);
        if (modGlobalVars::imageCount != expected)
            fail(QStringLiteral("game %1: list of %2, expected %3").arg(g).arg(modGlobalVars::imageCount).arg(expected));
        if (g == 10 || g == 100 || g == 300 || g == 1000 || g == games) {
            const double cpu = cpuSeconds();
            std::printf("%5d | %11d | %8d | %14.1f | %14.1f | %11.1f | %7.1f | %8.1f\n", g, modGlobalVars::imageCount,
                        expected, heapInUseMb(), currentRssMb(), peakRssMb(), clock.elapsed() / 1000.0,
                        (cpu - cpuBefore) * 1000.0 / (g - gamesBefore));
            cpuBefore = cpu;
            gamesBefore = g;
        }
        std::fflush(stdout);
    }
    if (learning) {
        lernstand::settle(30000);
        int files = static_cast<int>(QDir(record.path()).entryList(QDir::Files).size());
        std::printf("learning record: %d files, %d words known for the last child\n", files,
                    static_cast<int>(lernstand::progress().wordList().size()));
    }
    return 0;
}
