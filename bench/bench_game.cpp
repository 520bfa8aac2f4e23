// SPDX-License-Identifier: GPL-3.0-or-later
// A whole game under the virtual clock, and the picture list of large folders.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include "game/Options.h"
#include "game/modGlobalVars.h"
#include "platform/Random.h"
#include "raeuber/frmRaeuber.h"
#include "support/BadPictures.h"
#include "support/GameFixture.h"
#include "support/Playthrough.h"

namespace {

double peakRssMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
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

// The same game with twenty photos as a camera takes them (4000 x 3000 JPEG).
void BM_FullGameWithPhotos(benchmark::State& state) {
    QImage photo(4000, 3000, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x) photo.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, (x ^ y) & 0xFF));
    for (auto _ : state) {
        state.PauseTiming();
        auto folder = std::make_unique<testsupport::ProgramFolder>();
        for (int i = 1; i <= 20; ++i) photo.save(folder->db() + QStringLiteral("/Foto%1.jpg").arg(i), "JPG", 80);
        state.ResumeTiming();
        frmRaeuber& game = testsupport::openGame(1);
        testsupport::playToVictory(game, 0);
        state.PauseTiming();
        folder.reset();
        state.ResumeTiming();
    }
    state.counters["peak_rss_mb"] = peakRssMb();
}
BENCHMARK(BM_FullGameWithPhotos)->Unit(benchmark::kMillisecond)->Iterations(1);

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
    return root;
}

void BM_PictureList(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    testsupport::ProgramFolder folder;
    QDir(folder.db()).removeRecursively();
    QFile::link(makeLargeDb(n) + QStringLiteral("/db"), folder.db());
    frmRaeuber& game = frmRaeuber::Default();
    for (auto _ : state) {
        modGlobalVars::imageNames.clear();
        modGlobalVars::imageCount = 0;
        game.loadDatabase();
        benchmark::DoNotOptimize(modGlobalVars::imageCount);
    }
    // Hidden files are skipped; empty and non-picture files are listed (dropped when drawn).
    if (modGlobalVars::imageCount != n * 9 / 10) state.SkipWithError("unexpected number of pictures");
    state.counters["files"] = n;
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_PictureList)->Arg(1000)->Arg(10000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Choosing a level: the game form loads, lists the folder once, draws the first picture and
// shows the on-screen keys (switched on, so that what they need of the list is asked).
void BM_LevelChoice(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    options::current().letterKeys = options::LetterKeys::On;
    for (auto _ : state) {
        state.PauseTiming();
        auto folder = std::make_unique<testsupport::ProgramFolder>();
        QDir(folder->db()).removeRecursively();
        QFile::link(makeLargeDb(n) + QStringLiteral("/db"), folder->db());
        state.ResumeTiming();
        frmRaeuber& game = testsupport::openGame(1);
        benchmark::DoNotOptimize(&game);
        state.PauseTiming();
        folder.reset();
        state.ResumeTiming();
    }
    options::current() = options::Options();
    state.counters["files"] = n;
}
BENCHMARK(BM_LevelChoice)->Arg(100)->Arg(50000)->Unit(benchmark::kMillisecond)->Iterations(15);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
