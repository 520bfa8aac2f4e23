// SPDX-License-Identifier: GPL-3.0-or-later
// Playing one word: the boxes opening letter by letter, a right word, a wrong letter with
// its reveal and retry, and the word preview by level.
#include <QTest>

#include "game/modGlobalVars.h"
#include "mock/TestMode.h"
#include "platform/files/Files.h"
#include "platform/files/Folders.h"
#include "platform/system/Random.h"
#include "raeuber/frmRaeuber.h"
#include "support/GameFixture.h"

using namespace testsupport;
using namespace modGlobalVars;

namespace {

// A game with twenty other pictures whose first word is the one of `fileName`: the first
// random number is chosen to draw it from the list in the folder's listing order.
frmRaeuber& gameWithFirstWord(ProgramFolder& folder, const QString& fileName, int level = 1) {
    folder.addPictures({fileName});
    folder.addNumberedPictures(20);
    const QStringList listed = platform::folderFiles(folder.db());
    const int index = listed.indexOf(fileName) + 1;
    platform::queueRandomNumbers({static_cast<float>((index - 0.5) / listed.size())});
    return openGame(level);
}

bool hasFocus(frmRaeuber& game, int box) { return game.focusWidget() == game.LetterInput[box]; }

int unlockedBoxes(frmRaeuber& game) {
    int n = 0;
    for (auto* box : game.LetterInput) n += box->Locked() ? 0 : 1;
    return n;
}

}  // namespace

class TestRounds : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void rightLettersOpenTheBoxesOneByOneAndTheWordEarnsATick() {
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        frmRaeuber& game = openGame();
        const QString word = currentWord;
        QVERIFY(hasFocus(game, 0));
        for (int i = 0; i < word.size() - 1; ++i) {
            QVERIFY(game.LetterInput[i + 1]->Locked());
            typeInto(game.LetterInput[i], word.mid(i, 1));
            QVERIFY(!game.LetterInput[i + 1]->Locked());
            QVERIFY(hasFocus(game, i + 1));
            QVERIFY(!shown(game.img_correct[0]));
        }
        typeInto(game.LetterInput[word.size() - 1], word.right(1));
        QVERIFY(shown(game.img_correct[0]));
        QVERIFY(!shown(game.img_correct[1]));
        QCOMPARE(correctCount, 1);
        QVERIFY(shown(game.lbl_hidePic));
        QCOMPARE(unlockedBoxes(game), 0);
        QVERIFY(game.tmr_assistantResize->Enabled());
        QVERIFY(assistantPath.endsWith("\\Bilder\\assistent_richtig_"));

        runFor(4900);  // the assistant still plays: the word stays
        QCOMPARE(currentWord, word);
        QVERIFY(shown(game.lbl_hidePic));
        runFor(100);
        QVERIFY(!shown(game.img_assistant));
        QVERIFY(!shown(game.lbl_hidePic));
        QVERIFY(currentWord != word);
        QCOMPARE(game.lbl_wordPreview->Caption(), currentWord);
        for (int i = 0; i < 15; ++i) {
            QCOMPARE(shown(game.LetterInput[i]), i < currentWord.size());
            QCOMPARE(shown(game.underScore[i]), i < currentWord.size());
            QVERIFY(game.LetterInput[i]->Text().isEmpty());
        }
        QCOMPARE(unlockedBoxes(game), 1);
        QVERIFY(hasFocus(game, 0));
        QCOMPARE(game.imgRäuber->Left(), 0.0);  // no walk after a right word
    }

    // A box is checked at once on each change of its text, the program's own writes included,
    // and only on a change: the same last letter written again earns no second tick.
    void aBoxIsCheckedAtOnceOnEachChangeOfItsTextAndOnlyThen() {
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        frmRaeuber& game = openGame();
        const QString word = currentWord;
        for (int i = 0; i < word.size() - 1; ++i) typeInto(game.LetterInput[i], word.mid(i, 1));
        auto* last = game.LetterInput[word.size() - 1];
        last->setText(word.right(1));
        QCOMPARE(correctCount, 1);
        QVERIFY(last->Locked());
        last->setText(word.right(1));
        QCOMPARE(correctCount, 1);
        finishReaction(game);
        QVERIFY(currentWord != word);
        QVERIFY(!wordFailed);
        game.LetterInput[0]->setText(QStringLiteral("#"));
        QVERIFY(wordFailed);
        QVERIFY(game.LetterInput[0]->Locked());
    }

    void aWrongLetterFailsTheWordAndTheRevealShowsTheRightOne() {
        ProgramFolder folder;
        frmRaeuber& game = gameWithFirstWord(folder, "Hund.png");
        typeInto(game.LetterInput[0], "h");  // lower case where the word has a capital
        QCOMPARE(wordFailed, true);
        QCOMPARE(unlockedBoxes(game), 0);
        QVERIFY(hasFocus(game, 0));
        QVERIFY(assistantPath.endsWith("\\Bilder\\assistent_fehler_"));
        QVERIFY(!shown(game.lbl_hidePic));

        runFor(5000);  // the reaction
        QVERIFY(game.tmr_display->Enabled());
        QVERIFY(!shown(game.lbl_hidePic));
        QCOMPARE(unlockedBoxes(game), 0);
        QCOMPARE(game.LetterInput[0]->Text(), "h");

        const QString letters[] = {"H", "u", "n", "d"};
        for (int i = 0; i < 4; ++i) {
            runFor(1000);
            QCOMPARE(game.LetterInput[i]->Text(), letters[i]);
            QCOMPARE(revealPos, i + 1);
            QCOMPARE(unlockedBoxes(game), 0);
            QCOMPARE(correctCount, 0);
            QVERIFY(!shown(game.img_correct[0]));
            QVERIFY(!game.tmr_assistantResize->Enabled());  // no second failure
            QVERIFY(!shown(game.img_wrong[0]));
        }
        runFor(1000);  // one second after the last letter: cross, walk, retry
        QVERIFY(shown(game.img_wrong[0]));
        QVERIFY(!shown(game.img_wrong[1]));
        QCOMPARE(wrongCount, 1);
        QCOMPARE(wordFailed, false);
        QCOMPARE(revealPos, 0);
        QCOMPARE(currentWord, "Hund");
        for (int i = 0; i < 4; ++i) {
            QVERIFY(shown(game.LetterInput[i]));
            QVERIFY(game.LetterInput[i]->Text().isEmpty());
            QCOMPARE(game.LetterInput[i]->Locked(), i != 0);
        }
        QVERIFY(hasFocus(game, 0));
        QVERIFY(!game.tmr_display->Enabled());

        typeCurrentWord(game);  // the same word, right this time
        QVERIFY(shown(game.img_correct[0]));
        QCOMPARE(correctCount, 1);
    }

    void aOneLetterWordIsCompletedByItsOnlyLetter() {
        ProgramFolder folder;
        frmRaeuber& game = gameWithFirstWord(folder, "A.png");
        QVERIFY(shown(game.LetterInput[0]) && shown(game.underScore[0]));
        QVERIFY(!shown(game.LetterInput[1]) && !shown(game.underScore[1]));
        typeInto(game.LetterInput[0], "A");
        QCOMPARE(correctCount, 1);
    }

    void aOneLetterWordIsRevealedInTwoTicks() {
        ProgramFolder folder;
        frmRaeuber& game = gameWithFirstWord(folder, "A.png");
        typeInto(game.LetterInput[0], "a");
        runFor(5000);
        runFor(1000);
        QCOMPARE(game.LetterInput[0]->Text(), "A");
        runFor(1000);
        QCOMPARE(wrongCount, 1);
    }

    void aFifteenLetterWordUsesEveryBoxAndItsRevealTakesSixteenTicks() {
        ProgramFolder folder;
        frmRaeuber& game = gameWithFirstWord(folder, "Schneeglöckchen.png");
        QCOMPARE(wordLength, 15);
        for (int i = 0; i < 15; ++i) QVERIFY(shown(game.LetterInput[i]));
        typeInto(game.LetterInput[0], "S");
        typeInto(game.LetterInput[1], "x");
        runFor(5000);
        runFor(15000);
        QCOMPARE(game.LetterInput[14]->Text(), "n");
        QCOMPARE(wrongCount, 0);
        runFor(1000);
        QCOMPARE(wrongCount, 1);
        typeCurrentWord(game);
        QCOMPARE(correctCount, 1);
    }

    void goingBackToAnEarlierBox() {
        ProgramFolder folder;
        frmRaeuber& game = gameWithFirstWord(folder, "Hund.png");
        typeInto(game.LetterInput[0], "H");
        typeInto(game.LetterInput[1], "u");
        QVERIFY(hasFocus(game, 2));
        // Deleting a letter changes nothing; the right letter again re-opens the next box.
        game.LetterInput[0]->setFocus();
        QTest::keyClick(game.LetterInput[0], Qt::Key_Backspace);
        QCOMPARE(game.LetterInput[0]->Text(), "");
        QCOMPARE(wordFailed, false);
        QVERIFY(!game.LetterInput[2]->Locked());
        typeInto(game.LetterInput[0], "H");
        QVERIFY(hasFocus(game, 1));
        // A wrong letter there fails the whole word.
        QTest::keyClick(game.LetterInput[0], Qt::Key_Backspace);
        typeInto(game.LetterInput[0], "X");
        QCOMPARE(wordFailed, true);
        QCOMPARE(unlockedBoxes(game), 0);
    }

    void aBoxHoldingTwoLettersIsWrong() {
        ProgramFolder folder;
        frmRaeuber& game = gameWithFirstWord(folder, "Hund.png");
        typeInto(game.LetterInput[0], "H");
        typeInto(game.LetterInput[0], "H");  // "HH"
        QCOMPARE(wordFailed, true);
    }

    void thePreviewStaysOnLevelOneAndGoesAfterThreeSecondsOnLevelsTwoAndThree_data() {
        QTest::addColumn<int>("level");
        QTest::newRow("1") << 1;
        QTest::newRow("2") << 2;
        QTest::newRow("3") << 3;
    }
    void thePreviewStaysOnLevelOneAndGoesAfterThreeSecondsOnLevelsTwoAndThree() {
        QFETCH(int, level);
        ProgramFolder folder;
        frmRaeuber& game = gameWithFirstWord(folder, "Hund.png", level);
        runFor(2999);
        QVERIFY(shown(game.lbl_wordPreview));
        runFor(2);
        QCOMPARE(shown(game.lbl_wordPreview), level == 1);
        QVERIFY(!game.tmr_hideWordPreview->Enabled());  // one shot
        // Through the reveal and the retry of a failed word it stays as it is.
        typeInto(game.LetterInput[0], "x");
        runFor(5000 + 5000);
        QCOMPARE(wrongCount, 1);
        QCOMPARE(shown(game.lbl_wordPreview), level == 1);
        runFor(5000);
        QCOMPARE(shown(game.lbl_wordPreview), level == 1);
        QCOMPARE(game.lbl_wordPreview->Caption(), "Hund");
        // The next new word shows it again.
        playWordRight(game);
        QVERIFY(shown(game.lbl_wordPreview));
        QVERIFY(currentWord != "Hund");
    }

    void typingIntoLockedBoxesChangesNothing() {
        ProgramFolder folder;
        frmRaeuber& game = gameWithFirstWord(folder, "Hund.png");
        typeInto(game.LetterInput[2], "n");
        QCOMPARE(game.LetterInput[2]->Text(), "");
        QCOMPARE(wordFailed, false);
    }
};

QTEST_MAIN(TestRounds)
#include "test_rounds.moc"
