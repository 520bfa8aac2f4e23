// SPDX-License-Identifier: GPL-3.0-or-later
// The end of a game: victory and defeat sequences with their messages, "Ende", the next
// game, and closing the game window.
#include <QDir>
#include <QTest>

#include "game/modGlobalVars.h"
#include "mock/TestMode.h"
#include "platform/ui/Form.h"
#include "platform/ui/MessageBox.h"
#include "platform/system/Program.h"
#include "raeuber/frmRaeuber.h"
#include "shell/frmAuswahlmenue.h"
#include "support/GameFixture.h"
#include "support/Playthrough.h"

using namespace testsupport;
using namespace modGlobalVars;

namespace {

platform::Form& menu() { return frmAuswahlmenü::Default(); }

QString robberPicture(frmRaeuber& game) {
    const QString path = game.imgRäuber->PicturePath();
    return path.mid(path.lastIndexOf('\\') + 1);
}

// Plays the end sequence tick by tick and returns the pictures it showed.
QStringList playEndSequence(frmRaeuber& game) {
    QStringList pictures;
    while (game.tmrGewonnen->Enabled() || game.tmrVerloren->Enabled()) {
        runFor(250);
        pictures << robberPicture(game);
    }
    return pictures;
}

void checkFreshGame(frmRaeuber& game) {
    QCOMPARE(correctCount, 0);
    QCOMPARE(wrongCount, 0);
    QCOMPARE(endFrame, 0);
    for (int i = 0; i < 15; ++i) {
        QVERIFY(!shown(game.img_correct[i]));
        QVERIFY(!shown(game.img_wrong[i]));
    }
    QCOMPARE(game.imgRäuber->Left(), double(robberStartLeft));
    QCOMPARE(game.imgRäuber->Top(), double(robberStartTop));
    QCOMPARE(robberPicture(game), "räuberrechts.gif");
    QVERIFY(!shown(game.lbl_hidePic));
    QVERIFY(shown(game.lbl_wordPreview));
    QVERIFY(!game.LetterInput[0]->Locked());
    for (int i = 1; i < 15; ++i) QVERIFY(game.LetterInput[i]->Locked());
    QVERIFY(!currentWord.isEmpty());
}

}  // namespace

class TestEnding : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fifteenRightWordsWinAndTheNextGameStartsFresh() {
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        menu().Show();
        frmRaeuber& game = openGame(1, "Mia");
        menu().setVisible(false);
        playWordWrong(game);
        for (int i = 0; i < 15; ++i) playWordRight(game);
        bool visibleAtMessage = false;
        platform::onMessageBox([&](const platform::ShownMessage&) { visibleAtMessage = game.isVisible(); });

        const QStringList pictures = playEndSequence(game);
        QCOMPARE(pictures, (QStringList{"hut2.gif", "hut1.gif", "hut2.gif", "hut1.gif", "hut2.gif",
                                        "hut1.gif", "hut3.gif", "hut4.gif", "hut5.gif", "hut6.gif",
                                        "hut7.gif", "räuberrechts.gif"}));
        QCOMPARE(messageTexts(), QStringList{"Herzlichen Glückwunsch Mia, du hast gewonnen."});
        QCOMPARE(platform::shownMessages()[0].icon, platform::MsgIcon::None);
        QVERIFY(visibleAtMessage);
        QVERIFY(!game.isVisible());
        QVERIFY(menu().isVisible());
        checkFreshGame(game);
        // 20 pictures, the 15 solved dropped (no 16th was drawn), one copy appended: 25.
        QCOMPARE(imageCount, 25);

        openGame(2, "Mia");
        QVERIFY(game.isVisible());
        checkFreshGame(game);
        playWordRight(game);
        QCOMPARE(correctCount, 1);
    }

    void theLevelsLastWrongWordLoses() {
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        menu().Show();
        frmRaeuber& game = openGame(3, "Ole");
        menu().setVisible(false);
        for (int i = 0; i < 5; ++i) playWordWrong(game);
        QVERIFY(game.tmrVerloren->Enabled());
        QCOMPARE(playEndSequence(game),
                 (QStringList{"bei_sieg_1.gif", "bei_sieg_2.gif", "bei_sieg_3.gif", "bei_sieg_4.gif",
                              "bei_sieg_5.gif", "räuberrechts.gif"}));
        QCOMPARE(messageTexts(), QStringList{"Schade Ole, du hast verloren."});
        QVERIFY(!game.isVisible());
        QVERIFY(menu().isVisible());
        checkFreshGame(game);
    }

    void endeWhileTypingGoesStraightToTheMenu() {
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        frmRaeuber& game = openGame();
        playWordRight(game);
        playWordWrong(game);
        typeInto(game.LetterInput[0], currentWord.left(1));
        QTest::mouseClick(game.cmdReset, Qt::LeftButton);
        QVERIFY(messageTexts().isEmpty());
        QVERIFY(!game.isVisible());
        QVERIFY(menu().isVisible());
        checkFreshGame(game);
        QVERIFY(game.LetterInput[0]->Text().isEmpty());
    }

    void endeDuringTheRevealKeepsTheWordForTheNextGame() {
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        frmRaeuber& game = openGame();
        const QString word = currentWord;
        typeInto(game.LetterInput[0], "#");
        runFor(5000 + 2000);  // reaction, two letters revealed
        QVERIFY(game.tmr_display->Enabled());
        game.cmdReset_Click();
        // The failed word stays in play: its letters, boxes and preview.
        QCOMPARE(game.lbl_wordPreview->Caption(), word);
        QCOMPARE(wordLetters[0], word.left(1));
        QCOMPARE(wordFailed, false);
        runFor(10000);
        QCOMPARE(wrongCount, 0);
        QVERIFY(!shown(game.img_wrong[0]));
        QCOMPARE(game.imgRäuber->Left(), 0.0);
        for (int i = 0; i < word.size(); ++i) QVERIFY(game.LetterInput[i]->Text().isEmpty());
        openGame();
        typeCurrentWord(game);
        QCOMPARE(correctCount, 1);
    }

    void endeDuringAReactionLeavesNothingRunning() {
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        frmRaeuber& game = openGame();
        typeCurrentWord(game);
        runFor(1500);
        game.cmdReset_Click();
        const QString word = currentWord;
        const int count = imageCount;
        runFor(20000);
        QCOMPARE(currentWord, word);
        QCOMPARE(imageCount, count);
        QVERIFY(!shown(game.img_assistant));
        QCOMPARE(assistantPlaying, false);
        QVERIFY(messageTexts().isEmpty());
        // The next reaction plays in full and sets up the next word; the picture solved now is
        // the first one removed (the one solved before "Ende" still counts as unsolved).
        openGame();
        typeCurrentWord(game);
        finishReaction(game);
        QCOMPARE(correctCount, 1);
        QCOMPARE(imageCount, count - 1);
        QVERIFY(!game.tmr_assistantResize->Enabled());
        QVERIFY(!currentWord.isEmpty());
    }

    // Wherever "Ende" cuts a reaction off, the next game's first reaction grows from the
    // assistant's design size and is seen from its first tick to its last frame.
    void endeInAnyPhaseLeavesTheNextReactionSeen_data() {
        QTest::addColumn<QString>("phase");
        QTest::newRow("growing") << "growing";
        QTest::newRow("dancing") << "dancing";
        QTest::newRow("shrinking") << "shrinking";
        QTest::newRow("reveal") << "reveal";
    }
    void endeInAnyPhaseLeavesTheNextReactionSeen() {
        QFETCH(QString, phase);
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        frmRaeuber& game = openGame();
        if (phase == "reveal")
            typeInto(game.LetterInput[0], "#");
        else
            typeCurrentWord(game);
        const auto reached = [&] {
            const double w = game.img_assistant->Width();
            if (phase == "growing") return game.tmr_assistantResize->Enabled() && assistantPlaying && w > 30;
            if (phase == "dancing") return game.tmr_assistantAnimation->Enabled();
            if (phase == "shrinking") return game.tmr_assistantResize->Enabled() && !assistantPlaying && w < 60;
            return game.tmr_display->Enabled() && revealPos > 0;
        };
        for (int t = 0; t < 10000 && !reached(); t += 100) runFor(100);
        QVERIFY2(reached(), qPrintable(phase));
        game.cmdReset_Click();
        QVERIFY(!game.tmr_assistantResize->Enabled());
        QVERIFY(!game.tmr_assistantAnimation->Enabled());
        QVERIFY(!game.tmr_display->Enabled());
        runFor(10000);  // the menu waits; nothing of the old game goes on
        QVERIFY(!shown(game.img_assistant));

        openGame();
        const int before = correctCount;
        typeCurrentWord(game);
        QCOMPARE(correctCount, before + 1);
        runFor(100);  // the reaction's first tick
        QVERIFY(shown(game.img_assistant));
        QCOMPARE(game.img_assistant->Width(), 14.0);
        QStringList frames;
        while (game.tmr_assistantResize->Enabled() || game.tmr_assistantAnimation->Enabled()) {
            if (game.tmr_assistantAnimation->Enabled()) {
                const QString path = game.img_assistant->PicturePath();
                if (frames.isEmpty() || frames.last() != path) frames << path;
            }
            QVERIFY(shown(game.img_assistant) || !game.tmr_assistantAnimation->Enabled());
            runFor(100);
        }
        QCOMPARE(frames.size(), 8);
        QVERIFY(!shown(game.img_assistant));
        QVERIFY(!currentWord.isEmpty());
    }

    void endeDuringAnEndSequenceShowsNoMessageLater() {
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        frmRaeuber& game = openGame(3);
        for (int i = 0; i < 5; ++i) playWordWrong(game);
        runFor(500);
        game.cmdReset_Click();
        runFor(5000);
        QVERIFY(messageTexts().isEmpty());
        QVERIFY(!game.tmrVerloren->Enabled());
        QCOMPARE(robberPicture(game), "räuberrechts.gif");
    }

    // The game asks for "\\bilder" and "\\Bilder" and for mixed-case names: a folder and
    // files spelt otherwise serve a whole game, end sequences included.
    void everyPictureIsFoundWhateverTheLetterCase() {
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        QDir bilder(folder.path() + "/bilder");
        for (const QString& name : bilder.entryList(QDir::Files))
            QVERIFY(bilder.rename(name, name.toUpper()));
        QVERIFY(QDir(folder.path()).rename("bilder", "BILDER"));
        queueFixedChance();
        frmRaeuber& game = openGame(1, "Mia");
        QCOMPARE(playToVictory(game, 1), "Herzlichen Glückwunsch Mia, du hast gewonnen.");
        openGame(3, "Mia");
        QCOMPARE(playToDefeat(game), "Schade Mia, du hast verloren.");
        QCOMPARE(messageTexts().size(), 2);
    }

    void closingTheGameWindowEndsTheProgram() {
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        menu().Show();
        frmRaeuber& game = openGame();
        menu().setVisible(false);
        QCOMPARE(platform::Forms().size(), 2);
        game.close();
        QVERIFY(platform::Forms().isEmpty());
        QVERIFY(platform::programHasEnded());
        QVERIFY(frmRaeuber::Existing() == nullptr);
    }
};

QTEST_MAIN(TestEnding)
#include "test_ending.moc"
