// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's recording window on a folder of phone photos (4000 x 3000 JPEG): the time
// from showing it to the moment it answers keys (its first frame painted and its events
// handled), and until every thumbnail is in the list. Usage: recording_window [photos=500]
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <unistd.h>

#include "platform/ui/Events.h"
#include "shell/frmAufnahme.h"
#include "shell/start.h"
#include "Measures.h"

using measures::peakRssMb;

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    shell::registerForms();
    const int count = argc > 1 ? std::atoi(argv[1]) : 500;
    QTemporaryDir folder;
    // One photo as a phone takes it, linked under every name (the disk holds it once).
    QImage photo(4000, 3000, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
        for (int x = 0; x < photo.width(); ++x) line[x] = qRgb((x * 7 + y) % 256, (y * 3) % 256, (x ^ y) % 256);
    }
    const QString first = folder.path() + QStringLiteral("/Foto0001.jpg");
    photo.save(first, "JPG", 85);
    photo = QImage();
    for (int i = 2; i <= count; ++i) {
        const QString name = folder.path() + QStringLiteral("/Foto%1.jpg").arg(i, 4, 10, QLatin1Char('0'));
        if (::link(QFile::encodeName(first).constData(), QFile::encodeName(name).constData()) != 0)
            QFile::copy(first, name);
    }
    const double before = peakRssMb();

    QElapsedTimer clock;
    clock.start();
    bool painted = false;
    frmAufnahme& window = frmAufnahme::forFolder(folder.path());
    window.Show();
    platform::afterFirstPaint(&window, [&] { painted = true; });
    while (!painted && clock.elapsed() < 60000) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    // A key answered: the window is usable.
    QTest::keyClick(&window, Qt::Key_Down);
    QCoreApplication::processEvents();
    const double usable = clock.nsecsElapsed() / 1e6;
    const int row = window.lstWoerter->CurrentRow();
    window.lstWoerter->finishPictures();
    const double thumbnails = clock.nsecsElapsed() / 1e6;
    std::printf("recording window, %d photos 4000x3000: usable after %.0f ms (goal 300 ms%s), "
                "all thumbnails after %.0f ms, peak RSS %.1f MB (+%.1f MB), row after Down %d\n",
                count, usable, usable <= 300 ? " ok" : " MISSED", thumbnails, peakRssMb(), peakRssMb() - before, row);
    window.Unload();
    return usable <= 300 ? 0 : 1;
}
