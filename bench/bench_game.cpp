// SPDX-License-Identifier: GPL-3.0-or-later
// A whole game under the virtual clock, and the picture list of large folders.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <ctime>
#include <thread>

#include "game/Options.h"
#include "game/WordList.h"
#include "game/modGlobalVars.h"
#include "platform/files/Files.h"
#include "platform/files/Folders.h"
#include "platform/ui/Form.h"
#include "platform/system/Hooks.h"
#include "platform/pictures/Pictures.h"
#include "platform/system/Random.h"
#include "raeuber/frmRaeuber.h"
#include "support/BadPictures.h"
#include "support/GameFixture.h"
#include "support/Playthrough.h"
#include "Measures.h"

namespace {

using measures::peakRssMb;


// CPU time of this thread: on a busy machine it varies far less than the clock.
double threadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// Sets the process's peak memory back to what it holds now (Linux: /proc/self/clear_refs).
bool resetPeakRss() {
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    return refs.open(QIODevice::WriteOnly) && refs.write("5") == 1;
}

// The peak memory since the last reset (VmHWM).
double highWaterMarkMb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return peakRssMb();
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return peakRssMb();
}

// Fifteen right words after two wrong ones, reactions, walks and the victory sequence.
void BM_FullGame(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto folder = std::make_unique<testsupport::ProgramFolder>();
        folder->addNumberedPictures(20);
        state.ResumeTiming();
        frmRaeuber& game = testsupport::openGame(1);
        const QString end = testsupport::playToVictory(game, 2);
        if (!end.contains(QStringLiteral("gewonnen"))) state.SkipWithError("the game did not end in a victory");
        state.PauseTiming();
        folder.reset();
        state.ResumeTiming();
    }
    state.counters["peak_rss_mb"] = peakRssMb();
}
BENCHMARK(BM_FullGame)->Unit(benchmark::kMillisecond)->Iterations(20);

// A folder is read again, and a picture kept, only when it was not changed in the last
// seconds (its times could not tell a change in the same tick): what a benchmark made is
// left that long, as a teacher's pictures were put there before the day's games.
void letFilesSettle() { std::this_thread::sleep_for(std::chrono::milliseconds(3500)); }

// The same game with twenty photos as a phone takes them (4000 x 3000 JPEG), and with the
// same photos made small (400 x 300): what a camera's photo costs beyond its picture. The
// level click is the time from the level's choice to the first picture in its box, at a
// later game of the day: each photo was decoded once before, in an earlier game or run, and
// is taken from the cache folder (the program's memory is new, as after a restart). Peak
// memory is the process's own: bench/run.sh runs each size in a process of its own.
constexpr quint32 kGrain = 40;

void BM_FullGameWithPhotos(benchmark::State& state) {
    auto folder = std::make_unique<testsupport::ProgramFolder>();
    qint64 bytes = 0;
    {
        // Smooth light and shade with a camera's grain: about as large on disk as a phone's
        // photo of this size (3 to 4 MB).
        QImage photo(4000, 3000, QImage::Format_RGB32);
        quint32 grain = 2463534242u;
        for (int y = 0; y < photo.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
            for (int x = 0; x < photo.width(); ++x) {
                grain ^= grain << 13;
                grain ^= grain >> 17;
                grain ^= grain << 5;
                const int noise = int(grain % kGrain);
                line[x] = qRgb((x / 16 + noise) & 0xFF, (y / 12 + noise) & 0xFF, ((x + y) / 28 + noise) & 0xFF);
            }
        }
        const int width = static_cast<int>(state.range(0));
        if (width != photo.width())
            photo = photo.scaled(width, width * 3 / 4, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        for (int i = 1; i <= 20; ++i) photo.save(folder->db() + QStringLiteral("/Foto%1.jpg").arg(i), "JPG", 80);
        bytes = QFileInfo(folder->db() + QStringLiteral("/Foto1.jpg")).size();
    }
    letFilesSettle();
    QTemporaryDir cache;
    platform::hooks().cacheFolder = [&] { return cache.path(); };
    {
        // The earlier games: every photo drawn once at the size the game shows it.
        frmRaeuber& game = testsupport::openGame(1);
        const int side = game.imgTerm->pixelsAtMost(
            platform::fittingScale(frmRaeuber::kSceneWidth, frmRaeuber::kSceneHeight, true));
        for (int i = 1; i <= 20; ++i) platform::tryLoadPicture(folder->db() + QStringLiteral("/Foto%1.jpg").arg(i), side);
        testsupport::playToVictory(game, 0);
        platform::clearPictureCache();
    }
    // Making the photos is not the game's: its memory is given back, and the peak counted
    // from here on.
    const bool fromHere = resetPeakRss();
    double levelClickMs = 0;
    double levelClickCpuMs = 0;
    for (auto _ : state) {
        QElapsedTimer click;
        click.start();
        const double cpuBefore = threadCpuMs();
        frmRaeuber& game = testsupport::openGame(1);
        levelClickCpuMs = threadCpuMs() - cpuBefore;
        levelClickMs = click.nsecsElapsed() / 1e6;
        testsupport::playToVictory(game, 0);
    }
    state.counters["peak_rss_mb"] = fromHere ? highWaterMarkMb() : peakRssMb();
    state.counters["level_click_ms"] = levelClickMs;
    state.counters["level_click_cpu_ms"] = levelClickCpuMs;
    state.counters["photo_mb"] = bytes / 1e6;
    folder.reset();
}
BENCHMARK(BM_FullGameWithPhotos)->Arg(4000)->Arg(400)->Unit(benchmark::kMillisecond)->Iterations(1);

// A db of n files: nine pictures in ten, the rest files the skip checks throw out.
QString makeLargeDb(int n) {
    static QHash<int, QString> made;
    if (made.contains(n)) return made[n];
    const QString root = QDir::tempPath() + QStringLiteral("/knorzelbart-bench-%1").arg(n);
    QDir(root).removeRecursively();
    QDir().mkpath(root + QStringLiteral("/db"));
    const QByteArray picture = badpictures::whole("PNG");
    for (int i = 0; i < n; ++i) {
        QString name;
        QByteArray bytes = picture;
        switch (i % 10) {
            case 7: name = QStringLiteral("Leer%1.png").arg(i); bytes.clear(); break;
            case 8: name = QStringLiteral("Text%1.png").arg(i); bytes = "kein Bild"; break;
            case 9: name = QStringLiteral(".versteckt%1.png").arg(i); break;
            default: name = QStringLiteral("Bild%1.png").arg(i);
        }
        QFile f(root + QStringLiteral("/db/") + name);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
    }
    made[n] = root;
    letFilesSettle();
    return root;
}

void BM_PictureList(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    testsupport::ProgramFolder folder;
    QDir(folder.db()).removeRecursively();
    QFile::link(makeLargeDb(n) + QStringLiteral("/db"), folder.db());
    frmRaeuber& game = frmRaeuber::Default();
    for (auto _ : state) {
        wordlist::clear();
        platform::forgetFolderListings();  // the folder read whole, as at the first game
        game.loadDatabase();
        benchmark::DoNotOptimize(modGlobalVars::imageCount);
    }
    // Hidden files are skipped; empty and non-picture files are listed (dropped when drawn).
    if (modGlobalVars::imageCount != n * 9 / 10) state.SkipWithError("unexpected number of pictures");
    state.counters["files"] = n;
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_PictureList)->Arg(1000)->Arg(10000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// From one game to the next, as a school day goes: the game's end reads the folder (when it
// changed) and appends it to the list, and draws the next game's first picture; then the
// level click shows the game with the on-screen keys (switched on, so that what they need
// of the list is asked). The run's first level click, which loads the form and reads the
// folder whole, is not counted.
void BM_LevelChoice(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    options::current().letterKeys = options::LetterKeys::On;
    auto folder = std::make_unique<testsupport::ProgramFolder>();
    QDir(folder->db()).removeRecursively();
    QFile::link(makeLargeDb(n) + QStringLiteral("/db"), folder->db());
    frmRaeuber& game = testsupport::openGame(1);
    const int before = platform::folderListingsRead();
    for (auto _ : state) {
        game.newGame();
        benchmark::DoNotOptimize(&testsupport::openGame(1));
    }
    if (platform::folderListingsRead() != before) state.SkipWithError("the unchanged folder was read again");
    folder.reset();
    options::current() = options::Options();
    state.counters["files"] = n;
}
BENCHMARK(BM_LevelChoice)->Arg(100)->Arg(50000)->Unit(benchmark::kMillisecond)->Iterations(15)->Repetitions(5);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
