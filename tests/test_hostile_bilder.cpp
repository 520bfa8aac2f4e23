// SPDX-License-Identifier: GPL-3.0-or-later
// The 25 pictures of the folder bilder, each missing or damaged in turn: the game plays
// until it needs that picture, names the file in a German message and ends cleanly.
#include <QDir>
#include <QFile>
#include <QTest>

#include "game/modGlobalVars.h"
#include "mock/TestMode.h"
#include "platform/ui/MessageBox.h"
#include "platform/system/Program.h"
#include "raeuber/frmRaeuber.h"
#include "support/GameFixture.h"
#include "support/Invariants.h"
#include "support/Playthrough.h"

using namespace testsupport;
using namespace modGlobalVars;

class TestHostileBilder : public QObject {
    Q_OBJECT

private Q_SLOTS:

    void eachPictureMissingOrDamagedEndsTheGameNamingIt_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("damaged");
        // The variants drawn at twice the size (hut1@2x.gif) are optional: the game falls back.
        QStringList files = QDir(QStringLiteral(KNORZELBART_ASSETS_DIR "/bilder")).entryList(QDir::Files);
        files.removeIf([](const QString& name) { return name.contains(QLatin1Char('@')); });
        QCOMPARE(files.size(), 25);
        for (const QString& file : files) {
            QTest::newRow(qPrintable(file + " missing")) << file << false;
            QTest::newRow(qPrintable(file + " damaged")) << file << true;
        }
    }
    // A defeat on level 3 after one right word needs every picture but the victory's; a
    // victory after one wrong word needs every picture but the defeat's.
    void eachPictureMissingOrDamagedEndsTheGameNamingIt() {
        QFETCH(QString, file);
        QFETCH(bool, damaged);
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        queueFixedChance();
        const QString path = folder.path() + QStringLiteral("/bilder/") + file;
        if (damaged) {
            QFile picture(path);
            QVERIFY(picture.open(QIODevice::ReadWrite));
            picture.resize(20);  // the header begins, nothing follows
        } else {
            QVERIFY(QFile::remove(path));
        }

        const bool victory = file.startsWith(QStringLiteral("hut"));
        bool opened = false;
        const auto play = [&] {
            frmRaeuber& game = openGame(victory ? 1 : 3);
            opened = true;
            const StepHook check = [&](const QString& step) {
                CHECK_INVARIANTS(game, step);
            };
            if (victory) {
                playToVictory(game, 1, check);
            } else {
                playWordRight(game);
                check(QStringLiteral("a right word"));
                playToDefeat(game, check);
            }
        };
        QVERIFY_THROWS_EXCEPTION(platform::ProgramEnded, play());
        QVERIFY(platform::programHasEnded());

        const QString reason = damaged ? QStringLiteral("kann nicht gelesen werden")
                                       : QStringLiteral("wurde nicht gefunden");
        QCOMPARE(messageTexts().size(), 1);
        const QString text = messageTexts().first();
        QVERIFY2(text.startsWith(QStringLiteral("Bildfehler: Die Bilddatei ")), qPrintable(text));
        QVERIFY2(text.contains(file, Qt::CaseInsensitive) && text.contains(reason), qPrintable(text));
        QVERIFY(text.endsWith(QStringLiteral("Das Programm wird beendet.")));
        QCOMPARE(platform::shownMessages().first().icon, platform::MsgIcon::Critical);
        // The pictures of the game's start fail while the form loads; every other one later.
        const bool atStart = file == QStringLiteral("räuberrechts.gif") || file == QStringLiteral("Schatztruheeeee.gif");
        QCOMPARE(!opened, atStart);
    }
};

QTEST_MAIN(TestHostileBilder)
#include "test_hostile_bilder.moc"
