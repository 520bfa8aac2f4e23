// SPDX-License-Identifier: GPL-3.0-or-later
// One voice at a time: while a screen reader runs, the game's voice waits until the screen
// reader has said what the game gave it at that moment (a key's name, an announcement), a
// new word said without asking follows its announcement, and the end of a game is read by the
// screen reader alone. Without a screen reader the voice speaks at once, as always.
#include <QTemporaryDir>
#include <QTest>

#include "game/Options.h"
#include "game/modGlobalVars.h"
#include "lernstand/Learning.h"
#include "platform/ui/AccessReader.h"
#include "platform/system/Hooks.h"
#include "mock/TestMode.h"
#include "raeuber/frmRaeuber.h"
#include "shell/frmAuswahlmenue.h"
#include "shell/frmSplash.h"
#include "shell/start.h"
#include "support/GameFixture.h"
#include "support/Menu.h"

using namespace testsupport;
using namespace modGlobalVars;

namespace {

void screenReader(bool running) {
    platform::hooks().screenReaderRunning = [running] { return running; };
}

frmRaeuber& startGame(ProgramFolder& folder, options::Speech speech, int level = 1) {
    options::current().speech = speech;
    folder.addPictures({QStringLiteral("Hund.png"), QStringLiteral("Katze.png")});
    frmRaeuber& game = openGame(level);
    game.showFirstWordPreview();
    return game;
}

}  // namespace

class TestAccessVoices : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { options::current() = options::Options{}; }

    void theScreenReadersSpeechIsReckonedFromWhatItWasGiven() {
        ProgramFolder folder;
        screenReader(false);
        platform::screenReaderSays(QStringLiteral("F2"));
        QCOMPARE(platform::screenReaderBusyMs(), 0);
        screenReader(true);
        const int lag = platform::kScreenReaderLagMs;
        const int f2 = platform::screenReaderSpeechMs(QStringLiteral("F2"));
        const int falsch = platform::screenReaderSpeechMs(QStringLiteral("Benachrichtigung Falsch."));
        QVERIFY(f2 >= 100 && f2 <= 400);
        QVERIFY(falsch >= 2000);
        platform::screenReaderSays(QStringLiteral("F2"));
        QCOMPARE(platform::screenReaderBusyMs(), lag + f2);
        // One after the other: the second text waits for the first.
        platform::screenReaderSays(QStringLiteral("Benachrichtigung Falsch."));
        QCOMPARE(platform::screenReaderBusyMs(), lag + f2 + falsch);
        runFor(lag + f2);
        QCOMPARE(platform::screenReaderBusyMs(), falsch);
        // A key's name comes after it.
        platform::screenReaderHearsKey(QStringLiteral("a"));
        QCOMPARE(platform::screenReaderBusyMs(), falsch + platform::screenReaderSpeechMs(QStringLiteral("a")));
        // Nobody waits for ever, whatever was given.
        for (int i = 0; i < 20; ++i) platform::screenReaderSays(QString(200, QLatin1Char('x')));
        QCOMPARE(platform::screenReaderBusyMs(), platform::kLongestScreenReaderWaitMs);
        runFor(platform::kLongestScreenReaderWaitMs);
        QCOMPARE(platform::screenReaderBusyMs(), 0);
    }

    void withoutAScreenReaderF2SpeaksAtOnce() {
        ProgramFolder folder;
        screenReader(false);
        frmRaeuber& game = startGame(folder, options::Speech::Button);
        QTest::keyClick(game.LetterInput[0], Qt::Key_F2);
        QCOMPARE(playedLabels(), QStringList{currentWord});
    }

    void f2WaitsUntilTheScreenReaderHasSaidTheKey() {
        ProgramFolder folder;
        screenReader(true);
        frmRaeuber& game = startGame(folder, options::Speech::Button);
        runFor(1000);  // the first word's announcement
        runFor(platform::screenReaderBusyMs());
        QTest::keyClick(game.LetterInput[0], Qt::Key_F2);
        QCOMPARE(playedLabels(), QStringList());
        const int wait = platform::screenReaderBusyMs();
        QVERIFY(wait >= platform::screenReaderSpeechMs(QStringLiteral("F2")) - 1);
        runFor(wait - 10);
        QCOMPARE(playedLabels(), QStringList());
        runFor(20);
        QCOMPARE(playedLabels(), QStringList{currentWord});
    }

    // A word said unasked that still waits is not said once the child types: the child has
    // gone on without it. A word asked for with F2 is said all the same.
    void anUnaskedWordIsDroppedWhenTheChildTypesFirst() {
        ProgramFolder folder;
        screenReader(true);
        frmRaeuber& game = startGame(folder, options::Speech::Automatic);
        runFor(1000);
        runFor(100);  // the announcement is being read; the word waits for it
        QVERIFY(platform::screenReaderBusyMs() > 1000);
        QCOMPARE(playedLabels(), QStringList());
        typeInto(game.LetterInput[0], wordLetters[0]);
        runFor(platform::kLongestScreenReaderWaitMs);
        QCOMPARE(playedLabels(), QStringList());
        QTest::keyClick(game.LetterInput[1], Qt::Key_F2);
        typeInto(game.LetterInput[1], wordLetters[1]);
        runFor(platform::kLongestScreenReaderWaitMs);
        QCOMPARE(playedLabels(), QStringList{currentWord});
    }

    // Automatic speech: the first word is said after its announcement, not under the news of
    // the window; the reveal's word after the reveal's announcement.
    void anUnaskedWordFollowsItsAnnouncement() {
        ProgramFolder folder;
        screenReader(true);
        frmRaeuber& game = startGame(folder, options::Speech::Automatic);
        QCOMPARE(playedLabels(), QStringList());
        runFor(1000);
        QVERIFY(game.announcer->current().startsWith(QStringLiteral("Neues Wort:")));
        QCOMPARE(playedLabels(), QStringList());
        const int announcement = platform::screenReaderBusyMs();
        QVERIFY(announcement >= platform::screenReaderSpeechMs(game.announcer->current()));
        runFor(announcement + 1);
        QCOMPARE(playedLabels(), QStringList{currentWord});

        platform::playedSounds().clear();
        typeInto(game.LetterInput[0], QStringLiteral("#"));
        for (int t = 0; t < 10000 && !game.tmr_display->Enabled(); t += 100) runFor(100);
        QVERIFY(game.announcer->current().startsWith(QStringLiteral("Das Wort heißt")));
        QCOMPARE(playedLabels(), QStringList());
        runFor(platform::screenReaderBusyMs() + 1);
        QCOMPARE(playedLabels(), QStringList{currentWord});
    }

    void theEndOfAGameIsReadByTheScreenReaderAlone() {
        ProgramFolder folder;
        screenReader(true);
        frmRaeuber& game = startGame(folder, options::Speech::Automatic, 3);
        for (int w = 1; w <= 5; ++w) playWordWrong(game);
        for (int t = 0; t < 10000 && messageTexts().isEmpty(); t += 250) runFor(250);
        QCOMPARE(messageTexts(), QStringList{QStringLiteral("Schade Mia, du hast verloren.")});
        runFor(platform::kLongestScreenReaderWaitMs);
        QVERIFY(!playedLabels().contains(QStringLiteral("Schade Mia, du hast verloren.")));
        // Without a screen reader the voice says it, as the teacher chose.
        screenReader(false);
        platform::shownMessages().clear();
        openGame(3).showFirstWordPreview();
        for (int w = 1; w <= 5; ++w) playWordWrong(game);
        for (int t = 0; t < 10000 && messageTexts().isEmpty(); t += 250) runFor(250);
        QVERIFY(playedLabels().contains(QStringLiteral("Schade Mia, du hast verloren.")));
    }

    // With the learning record, the level's click draws the first word again for the child:
    // the word is told once all the same.
    void aReturningChildHearsTheNewWordOnce() {
        ProgramFolder folder;
        QTemporaryDir record;
        folder.addPictures({QStringLiteral("Hund.png"), QStringLiteral("Katze.png"), QStringLiteral("Maus.png")});
        lernstand::resetRun();
        options::current().learning = true;
        options::current().learningFolder = record.path();
        for (int game = 0; game < 2; ++game) {
            frmAuswahlmenü& menu = startToMenu();
            menu.txtSpielername->setText(QStringLiteral("Mia"));
            frmRaeuber* existing = frmRaeuber::Existing();
            const qsizetype before = existing ? existing->announcer->messages().size() : 0;
            menu.cmdLevel1_Click();
            frmRaeuber& form = frmRaeuber::Default();
            runFor(1500);
            const QStringList told = form.announcer->messages().mid(before);
            QCOMPARE(told.filter(QStringLiteral("Neues Wort")).size(), 1);
            playWordRight(form);
            form.cmdReset_Click();
        }
        options::current() = options::Options{};
        lernstand::resetRun();
    }
};

QTEST_MAIN(TestAccessVoices)
#include "test_access_voices.moc"
