// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's room with a collection of 500 photos: the time from the way in to the room
// on screen, to its check listed, and to every thumbnail filled in; and the size the
// thumbnails are decoded at (the list's, never the photo's).
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QTest>
#include <algorithm>
#include <cstdio>

#include "game/Options.h"
#include "platform/system/Background.h"
#include "platform/system/Clock.h"
#include "platform/ui/Form.h"
#include "shell/frmLehrer.h"
#include "support/GameFixture.h"
#include "Measures.h"

namespace {

using measures::median;

constexpr int kPictures = 500;
constexpr int kRuns = 7;

// Photos as a phone gives them, only smaller, so that making them takes seconds.
void makeCollection(const QString& folder) {
    QDir().mkpath(folder);
    QImage photo(1600, 1200, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x) photo.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 256));
    for (int i = 0; i < kPictures; ++i) {
        const QString word = QStringLiteral("Wort") + QString(QChar('a' + i % 26)) + QString(QChar('a' + i / 26 % 26));
        photo.save(folder + QLatin1Char('/') + word + QStringLiteral(".jpg"), "JPG", 85);
    }
}

struct Times {
    double ready = 0, listed = 0, thumbnails = 0;
    int side = 0;
};

Times openRoom(const QString& collections) {
    testsupport::ProgramFolder folder;
    platform::setBackgroundAtOnce(false);  // the check beside the room, as in the program
    QDir().rmdir(folder.path() + QStringLiteral("/sammlungen"));
    QFile::link(collections, folder.path() + QStringLiteral("/sammlungen"));
    options::current() = options::Options{};
    options::current().collection = QStringLiteral("Fotos");
    Times t;
    QElapsedTimer clock;
    clock.start();
    frmLehrer& room = frmLehrer::Default();
    room.Show();
    QApplication::processEvents();
    t.ready = clock.nsecsElapsed() / 1e6;
    while (room.shownCheck().files.size() < kPictures && clock.elapsed() < 120000)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    t.listed = clock.nsecsElapsed() / 1e6;
    while (room.thumbnailsDue() > 0 && clock.elapsed() < 60000) platform::advance(1);
    t.thumbnails = clock.nsecsElapsed() / 1e6;
    const QIcon icon = room.lstPruefung->item(0)->icon();
    const QList<QSize> sizes = icon.availableSizes();
    t.side = sizes.isEmpty() ? 0 : std::max(sizes.first().width(), sizes.first().height());
    return t;
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString collections = QDir::tempPath() + QStringLiteral("/knorzelbart-bench-sammlungen");
    QDir(collections).removeRecursively();
    makeCollection(collections + QStringLiteral("/Fotos"));
    openRoom(collections);  // warm the caches of the toolkit and the file system
    std::vector<double> ready, listed, thumbnails;
    int side = 0;
    for (int i = 0; i < kRuns; ++i) {
        const Times t = openRoom(collections);
        ready.push_back(t.ready);
        listed.push_back(t.listed);
        thumbnails.push_back(t.thumbnails);
        side = t.side;
    }
    std::printf("teacher's room with %d photos of 1600x1200: on screen %.0f ms (median of %d), limit 300 ms %s\n",
                kPictures, median(ready), kRuns, median(ready) < 300 ? "ok" : "EXCEEDED");
    std::printf("teacher's room: check of %d photos listed after %.0f ms, every thumbnail in after %.0f ms "
                "(decoded at %d pixels, limit 80 %s)\n",
                kPictures, median(listed), median(thumbnails), side, side > 0 && side <= 80 ? "ok" : "EXCEEDED");
    QDir(collections).removeRecursively();
    return 0;
}
