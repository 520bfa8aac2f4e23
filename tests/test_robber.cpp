// SPDX-License-Identifier: GPL-3.0-or-later
// The robber's walk after each failed word, and the decision of victory and defeat.
#include <QTest>

#include "game/modGlobalVars.h"
#include "platform/system/Clock.h"
#include "raeuber/frmRaeuber.h"
#include "support/GameFixture.h"

using namespace testsupport;
using namespace modGlobalVars;

namespace {

// Where the robber stands after `words` failed words: six sub-steps per word, each added in
// double precision and kept in single precision.
float expectedLeft(int words, int scale) {
    float left = 0;
    for (int i = 0; i < 6 * words; ++i) left = static_cast<float>(left + 790.0 / (110.0 / scale));
    return left;
}

}  // namespace

class TestRobber : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theRobberWalksAfterEveryFailedWordUntilTheLevelsLastOne_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("scale");
        QTest::addColumn<int>("allowed");
        QTest::newRow("level 1") << 1 << 1 << 15;
        QTest::newRow("level 2") << 2 << 1 << 15;
        QTest::newRow("level 3") << 3 << 3 << 5;
    }
    void theRobberWalksAfterEveryFailedWordUntilTheLevelsLastOne() {
        QFETCH(int, level);
        QFETCH(int, scale);
        QFETCH(int, allowed);
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        frmRaeuber& game = openGame(level);
        for (int word = 1; word <= allowed; ++word) {
            QVERIFY(!game.tmrVerloren->Enabled());
            const double before = platform::clockSeconds();
            playWordWrong(game);
            QCOMPARE(wrongCount, word);
            QCOMPARE(static_cast<float>(game.imgRäuber->Left()), expectedLeft(word, scale));
            QVERIFY(qAbs(game.imgRäuber->Left() - word * 6.0 * scale * 790 / 110) < 0.01);
            QCOMPARE(game.imgRäuber->Top(), 296.0);
            QVERIFY(game.imgRäuber->PicturePath().endsWith("\\bilder\\räuberrechts.gif"));
            QVERIFY2(platform::clockSeconds() - before >= 5.0 + wordLength + 1 + 0.6 - 1e-6,
                     qPrintable(QString::number(platform::clockSeconds() - before)));
            QVERIFY(game.focusWidget() == game.LetterInput[0]);
        }
        QVERIFY(game.tmrVerloren->Enabled());
        QVERIFY(!game.tmrGewonnen->Enabled());
        // The whole way is equally long on every level and ends at the chest.
        QVERIFY(qAbs(game.imgRäuber->Left() - 790.0 * 90 / 110) < 0.01);
    }

    void aRightWordNeverMovesTheRobber() {
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        frmRaeuber& game = openGame(3);
        playWordWrong(game);
        const double left = game.imgRäuber->Left();
        const double before = platform::clockSeconds();
        playWordRight(game);
        QCOMPARE(game.imgRäuber->Left(), left);
        QVERIFY(platform::clockSeconds() - before < 5.3);  // no walk's wait either
    }

    void theFifteenthRightWordStartsTheVictory() {
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        frmRaeuber& game = openGame();
        playWordWrong(game);
        const double left = game.imgRäuber->Left();
        for (int i = 0; i < 14; ++i) playWordRight(game);
        QVERIFY(!game.tmrGewonnen->Enabled());
        playWordRight(game);
        QCOMPARE(correctCount, 15);
        QVERIFY(game.tmrGewonnen->Enabled());
        QVERIFY(!game.tmrVerloren->Enabled());
        QCOMPARE(game.imgRäuber->Left(), left);
        // No further word is set up: the boxes are hidden and nothing that a key could
        // press has the keyboard.
        QVERIFY(!shown(game.LetterInput[0]));
        QVERIFY(game.focusWidget() != game.cmdReset);
    }

    void aWordTypedBeforeTheVictoryTakesOverEarnsNoSixteenthTick() {
        ProgramFolder folder;
        folder.addPictures({"A.png", "B.png", "C.png", "D.png", "E.png", "F.png", "G.png", "H.png",
                            "I.png", "J.png", "K.png", "L.png", "M.png", "N.png", "O.png", "P.png",
                            "Q.png"});
        frmRaeuber& game = openGame();
        for (int i = 0; i < 15; ++i) playWordRight(game);
        QVERIFY(game.tmrGewonnen->Enabled());
        typeCurrentWord(game);  // within the 250 ms before the first end tick
        QCOMPARE(correctCount, 15);
        QVERIFY(!game.tmr_assistantResize->Enabled());
    }
};

QTEST_MAIN(TestRobber)
#include "test_robber.moc"
