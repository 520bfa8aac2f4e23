// SPDX-License-Identifier: GPL-3.0-or-later
// The platform's promises: timers on the virtual clock, the clock, case-insensitive paths,
// pictures that cannot be loaded, message boxes and the program's end.
#include <QDir>
#include <QFile>
#include <QTest>

#include "mock/TestMode.h"
#include "platform/system/App.h"
#include "platform/system/Clock.h"
#include "platform/files/Files.h"
#include "platform/ui/FormPictures.h"
#include "platform/ui/MessageBox.h"
#include "platform/pictures/Pictures.h"
#include "platform/system/Program.h"
#include "platform/system/Random.h"
#include "platform/system/Timer.h"
#include "support/GameFixture.h"

using namespace platform;
using testsupport::ProgramFolder;
using testsupport::runFor;

class TestPlatform : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void timersFireInTimeOrderOneIntervalAfterEnabling() {
        ProgramFolder folder;
        QObject owner;
        QStringList log;
        Timer slow(&owner, "slow", 250, [&] { log << QStringLiteral("slow@%1").arg(clockSeconds()); });
        Timer fast(&owner, "fast", 100, [&] { log << QStringLiteral("fast@%1").arg(clockSeconds()); });
        Timer never(&owner, "never", 0, [&] { log << QStringLiteral("never"); });
        runFor(50);
        fast.setEnabled(true);   // due at 150, 250, 350
        slow.setEnabled(true);   // due at 300
        never.setEnabled(true);  // interval 0 never fires
        runFor(99);
        QVERIFY(log.isEmpty());
        runFor(251);
        QCOMPARE(log, (QStringList{"fast@0.15", "fast@0.25", "slow@0.3", "fast@0.35"}));
        slow.setEnabled(false);
        runFor(1000);
        QVERIFY(!log.contains("never"));
        QCOMPARE(log.filter("slow").size(), 1);
    }

    void aHandlerMayStopAndStartTimers() {
        ProgramFolder folder;
        QObject owner;
        int ticks = 0;
        Timer* self = nullptr;
        Timer other(&owner, "other", 100, [&] { ticks += 100; });
        Timer once(&owner, "once", 100, [&] {
            self->setEnabled(false);
            other.setEnabled(true);
        });
        self = &once;
        once.setEnabled(true);
        runFor(100);
        QVERIFY(!once.Enabled());
        runFor(99);
        QCOMPARE(ticks, 0);
        runFor(1);
        QCOMPARE(ticks, 100);
    }

    void aBlockingWaitDelaysTicksAndFiresAMissedTickOnce() {
        ProgramFolder folder;
        QObject owner;
        int ticks = 0;
        Timer t(&owner, "t", 100, [&] { ++ticks; });
        t.setEnabled(true);
        const double start = clockSeconds();
        sleepUntil(start + 0.35);
        QCOMPARE(clockSeconds(), start + 0.35);
        QCOMPARE(ticks, 0);  // nothing runs during the wait
        runFor(1);
        QCOMPARE(ticks, 1);  // the late tick comes once
        runFor(100);
        QCOMPARE(ticks, 2);
    }

    void pathsMatchWhateverTheLetterCase() {
        ProgramFolder folder;
        folder.writeFile(QStringLiteral("bilder/Extra/Datei.TXT"), "x");
        const QString real = folder.path() + QStringLiteral("/bilder/Extra/Datei.TXT");
        QCOMPARE(resolvePath(App().Path + "\\Bilder\\extra\\datei.txt"), real);
        QCOMPARE(resolvePath(App().Path + "\\BILDER\\EXTRA\\Datei.TXT"), real);
        QVERIFY(QFileInfo(resolvePath(App().Path + "\\Bilder\\RÄUBERRECHTS.GIF")).isFile());
        QVERIFY(FolderExists(App().Path + "\\DB"));
        QVERIFY(!FolderExists(App().Path + "\\nichtda"));
    }

    void decomposedUmlautsInFileNamesAreFound() {
        ProgramFolder folder;
        const QString decomposed = QStringLiteral("ba\u0308r.txt");
        folder.writeFile(QStringLiteral("db/") + decomposed, "x");
        QCOMPARE(resolvePath(App().Path + QStringLiteral("\\db\\B\u00e4r.txt")),
                 folder.db() + QLatin1Char('/') + decomposed);
    }

    void aMissingPictureIsReportedByNameAndEndsTheProgram() {
        ProgramFolder folder;
        QVERIFY_THROWS_EXCEPTION(ProgramEnded, LoadPicture(App().Path + "\\bilder\\fehlt.gif"));
        QCOMPARE(shownMessages().size(), 1);
        QVERIFY(shownMessages()[0].text.contains("fehlt.gif"));
        QVERIFY(shownMessages()[0].text.contains("nicht gefunden"));
        QCOMPARE(shownMessages()[0].icon, MsgIcon::Critical);
        QVERIFY(programHasEnded());
    }

    void aCorruptPictureIsReportedByNameAndEndsTheProgram() {
        ProgramFolder folder;
        folder.writeFile(QStringLiteral("bilder/kaputt.gif"), "GIF89a\x10\x00\x10\x00garbage");
        QVERIFY_THROWS_EXCEPTION(ProgramEnded, LoadPicture(App().Path + "\\bilder\\kaputt.gif"));
        QVERIFY(shownMessages().value(0).text.contains("kaputt.gif"));
        QVERIFY(shownMessages().value(0).text.contains("kann nicht gelesen werden"));
    }

    void picturesDecodeWithTransparency() {
        ProgramFolder folder;
        const QPixmap robber = LoadPicture(App().Path + "\\bilder\\räuberrechts.gif");
        QCOMPARE(robber.size(), QSize(77, 84));
        QVERIFY(robber.hasAlpha());
    }

    void randomNumbersStayBelowOne() {
        Randomize();
        for (int i = 0; i < 100000; ++i) {
            const float r = Rnd();
            QVERIFY(r >= 0.0f && r < 1.0f);
        }
    }
};

QTEST_MAIN(TestPlatform)
#include "test_platform.moc"
