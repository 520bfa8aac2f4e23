// SPDX-License-Identifier: GPL-3.0-or-later
// The assistant's reaction: zoom up, frames 1-2-3-4-5-4-3-2, zoom down, hand on.
#include <QFile>
#include <QTest>

#include "game/modGlobalVars.h"
#include "mock/TestMode.h"
#include "platform/ui/MessageBox.h"
#include "platform/system/Program.h"
#include "raeuber/frmRaeuber.h"
#include "support/GameFixture.h"

using namespace testsupport;
using namespace modGlobalVars;

namespace {

struct Tick {
    int width;
    QString frame;  // "1".."5" of the picture shown, "" when none
    bool visible;
};

QString frameOf(frmRaeuber& game) {
    const QString path = game.img_assistant->PicturePath();
    return path.isEmpty() ? QString() : path.mid(path.size() - 5, 1);
}

// Records the assistant after every 100 ms until the reaction is over.
QList<Tick> recordReaction(frmRaeuber& game) {
    QList<Tick> ticks;
    do {
        runFor(100);
        ticks.append({int(game.img_assistant->Width()), frameOf(game), shown(game.img_assistant)});
    } while (game.tmr_assistantResize->Enabled() || game.tmr_assistantAnimation->Enabled());
    return ticks;
}

}  // namespace

class TestAssistant : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void aReactionZoomsPlaysItsFramesAndShrinks() {
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        frmRaeuber& game = openGame();
        QCOMPARE(game.img_assistant->Width(), 9.0);
        typeCurrentWord(game);
        const QList<Tick> first = recordReaction(game);

        // 19 growth ticks from 9 px, one tick that starts the animation.
        QCOMPARE(first.size(), 19 + 1 + 9 + 20 + 1);
        for (int k = 0; k < 19; ++k) {
            QCOMPARE(first[k].width, 9 + 5 * (k + 1));
            QCOMPARE(first[k].frame, "1");
            QVERIFY(first[k].visible);
        }
        QCOMPARE(first[19].width, 104);
        QStringList frames;
        for (int k = 20; k < 28; ++k) frames << first[k].frame;
        QCOMPARE(frames, (QStringList{"1", "2", "3", "4", "5", "4", "3", "2"}));
        QCOMPARE(first[28].frame, "2");  // the closing tick loads nothing
        for (int k = 29; k < 49; ++k) {
            QCOMPARE(first[k].width, 104 - 5 * (k - 28));
            QCOMPARE(first[k].frame, "1");
        }
        QCOMPARE(first[49].width, 4);
        QVERIFY(!first[49].visible);
        QVERIFY(game.img_assistant->PicturePath().contains("assistent_richtig_"));
        QCOMPARE(assistantPlaying, false);
        QCOMPARE(assistantFirstCycle, true);

        // Every later reaction starts from 4 px and needs 20 growth ticks.
        typeInto(game.LetterInput[0], "#");
        const QList<Tick> second = recordReaction(game);
        QCOMPARE(second.size(), 20 + 1 + 9 + 20 + 1);
        QCOMPARE(second[19].width, 104);
        QVERIFY(game.img_assistant->PicturePath().contains("assistent_fehler_"));
        // The end of an error reaction: boxes locked, cover hidden, reveal running.
        QVERIFY(game.tmr_display->Enabled());
        QVERIFY(!shown(game.lbl_hidePic));
        for (auto* box : game.LetterInput) QVERIFY(box->Locked());
    }

    void theTwoTimersAreNeverOnTogether() {
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        frmRaeuber& game = openGame();
        typeCurrentWord(game);
        for (int t = 0; t < 6000; t += 100) {
            runFor(100);
            QVERIFY(!(game.tmr_assistantResize->Enabled() && game.tmr_assistantAnimation->Enabled()));
        }
    }

    void aMissingFrameEndsTheProgramNamingTheFile() {
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        QVERIFY(QFile::remove(folder.path() + "/bilder/assistent_richtig_3.bmp"));
        frmRaeuber& game = openGame();
        typeCurrentWord(game);
        runFor(2000);
        QVERIFY_THROWS_EXCEPTION(platform::ProgramEnded, runFor(400));
        QCOMPARE(messageTexts().size(), 1);
        QVERIFY(messageTexts()[0].contains("assistent_richtig_3.bmp"));
        QCOMPARE(platform::shownMessages()[0].icon, platform::MsgIcon::Critical);
    }

    void framesAreFoundUnderAnyLetterCase() {
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        for (int i = 1; i <= 5; ++i)
            QVERIFY(QFile::rename(folder.path() + QStringLiteral("/bilder/assistent_richtig_%1.bmp").arg(i),
                                  folder.path() + QStringLiteral("/bilder/ASSISTENT_Richtig_%1.BMP").arg(i)));
        frmRaeuber& game = openGame();
        typeCurrentWord(game);
        runFor(6000);
        QVERIFY(messageTexts().isEmpty());
        QCOMPARE(correctCount, 1);
    }
};

QTEST_MAIN(TestAssistant)
#include "test_assistant.moc"
