// SPDX-License-Identifier: GPL-3.0-or-later
// Where the keyboard goes: it stays in the row of letter boxes whatever the child presses or
// clicks, nothing that a key could press holds it while an end sequence runs, and the menu
// has it in its name box, with Return pressing the button that has it.
#include <QApplication>
#include <QKeyEvent>
#include <QTest>

#include "game/modGlobalVars.h"
#include "raeuber/frmRaeuber.h"
#include "shell/frmAuswahlmenue.h"
#include "shell/frmSplash.h"
#include "shell/start.h"
#include "support/GameFixture.h"
#include "support/Menu.h"
#include "support/Playthrough.h"

using namespace testsupport;
using namespace modGlobalVars;

namespace {

// A key as the window system hands it out: to whatever has the keyboard.
void pressKey(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
              const QString& text = QString()) {
    QWidget* target = window->focusWidget() ? window->focusWidget() : window;
    QKeyEvent down(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &down);
    QKeyEvent up(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(target, &up);
}

void typeLetter(QWidget* window, QChar c) {
    const QChar upper = c.toUpper();
    pressKey(window, upper.unicode() <= 0xFF ? Qt::Key(upper.unicode()) : Qt::Key_unknown,
             Qt::NoModifier, QString(c));
}

int indexOfFocus(frmRaeuber& game) {
    for (int i = 0; i < 15; ++i)
        if (game.focusWidget() == game.LetterInput[i]) return i;
    return -1;
}

// The colour in the middle of the button's left edge, as drawn.
QColor leftEdge(QWidget* button) {
    const QImage image = button->grab().toImage();
    return image.pixelColor(1, image.height() / 2);
}

}  // namespace

class TestKeyboardFocus : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void tabAndClicksKeepTheKeyboardWhereTheNextLetterGoes() {
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        frmRaeuber& game = openGame();
        const QString word = currentWord;  // six letters
        QCOMPARE(indexOfFocus(game), 0);
        pressKey(&game, Qt::Key_Tab);
        pressKey(&game, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(indexOfFocus(game), 0);
        typeLetter(&game, word.at(0));
        typeLetter(&game, word.at(1));
        QCOMPARE(indexOfFocus(game), 2);
        pressKey(&game, Qt::Key_Tab);
        pressKey(&game, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(indexOfFocus(game), 2);

        // A locked box further along, a box already holding its letter, the waiting box
        // itself: the keyboard goes to the waiting box, and no letter is touched.
        for (int clicked : {4, 0, 1, 2, 5}) {
            QTest::mouseClick(game.LetterInput[clicked], Qt::LeftButton);
            QCOMPARE(indexOfFocus(game), 2);
        }
        QTest::mouseDClick(game.LetterInput[0], Qt::LeftButton);
        QCOMPARE(indexOfFocus(game), 2);
        QCOMPARE(game.LetterInput[0]->Text(), word.left(1));
        QCOMPARE(game.LetterInput[1]->Text(), word.mid(1, 1));
        QVERIFY(game.LetterInput[2]->Text().isEmpty());
        QVERIFY(game.LetterInput[2]->Locked() == false);

        for (int i = 2; i < word.size(); ++i) {
            typeLetter(&game, word.at(i));
            if (i + 1 < word.size()) {
                QCOMPARE(indexOfFocus(game), i + 1);
                QCOMPARE(game.LetterInput[i + 1]->cursorPosition(), 0);
            }
        }
        QCOMPARE(correctCount, 1);
        QVERIFY(game.tmr_assistantResize->Enabled());

        // While the boxes are locked a click moves nothing; the next word starts in box 0.
        const int during = indexOfFocus(game);
        QTest::mouseClick(game.LetterInput[0], Qt::LeftButton);
        QCOMPARE(indexOfFocus(game), during);
        finishReaction(game);
        QCOMPARE(indexOfFocus(game), 0);
        QCOMPARE(wrongCount, 0);
    }

    // The end sequences hide the boxes; no key (Space, Return, Tab, a letter) may cut them
    // short or press "Ende": each runs to its message.
    void keysDuringAnEndSequenceDoNothing_data() {
        QTest::addColumn<bool>("victory");
        QTest::newRow("victory") << true;
        QTest::newRow("defeat") << false;
    }
    void keysDuringAnEndSequenceDoNothing() {
        QFETCH(bool, victory);
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        queueFixedChance();
        frmRaeuber& game = openGame(victory ? 1 : 3);
        if (victory) {
            for (int i = 0; i < 15; ++i) playWordRight(game);
            QVERIFY(game.tmrGewonnen->Enabled());
        } else {
            for (int i = 0; i < 5; ++i) playWordWrong(game);
            QVERIFY(game.tmrVerloren->Enabled());
        }
        const int ticks = victory ? 12 : 6;
        for (int tick = 0; tick < ticks; ++tick) {
            QVERIFY(game.focusWidget() != game.cmdReset);
            pressKey(&game, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
            pressKey(&game, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
            pressKey(&game, Qt::Key_Tab);
            typeLetter(&game, QLatin1Char('#'));
            typeLetter(&game, QLatin1Char('W'));
            QVERIFY(!game.tmr_assistantResize->Enabled());  // not even a wrong letter
            for (int i = 0; i < 15; ++i) QVERIFY(game.LetterInput[i]->Text().isEmpty());
            QVERIFY(messageTexts().isEmpty());
            runFor(250);
        }
        QCOMPARE(messageTexts(), QStringList{victory ? "Herzlichen Glückwunsch Mia, du hast gewonnen."
                                                     : "Schade Mia, du hast verloren."});
        QVERIFY(!game.isVisible());
    }

    // The menu has the keyboard in its name box whenever it appears; Return and the keypad's
    // Enter press the button that has the keyboard, and that button shows a thick frame.
    void theMenuTakesTheKeyboardAndReturnPressesTheFocusedButton() {
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        frmAuswahlmenü& menu = startToMenu();
        QCoreApplication::processEvents();
        QCOMPARE(QApplication::activeWindow(), &menu);
        QCOMPARE(menu.focusWidget(), menu.txtSpielername);
        QTest::keyClicks(menu.focusWidget(), QStringLiteral("Mia"));

        const QColor unfocused = leftEdge(menu.cmdLevel1);
        pressKey(&menu, Qt::Key_Tab);
        QCOMPARE(menu.focusWidget(), menu.cmdLevel1);
        QVERIFY(menu.cmdLevel1->hasFocus());
        const QColor focused = leftEdge(menu.cmdLevel1);
        QCOMPARE(focused, QColor(Qt::black));
        QVERIFY(unfocused != focused);

        pressKey(&menu, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        frmRaeuber& game = frmRaeuber::Default();
        QVERIFY(game.isVisible());
        QVERIFY(!menu.isVisible());
        QCOMPARE(skillLevel, 1);
        QCOMPARE(playerName, QStringLiteral("Mia"));

        game.cmdReset_Click();
        QVERIFY(menu.isVisible());
        QCoreApplication::processEvents();
        QCOMPARE(QApplication::activeWindow(), &menu);
        QCOMPARE(QApplication::focusWidget(), menu.txtSpielername);

        pressKey(&menu, Qt::Key_Tab);
        pressKey(&menu, Qt::Key_Tab);
        QCOMPARE(menu.focusWidget(), menu.cmdLevel2);
        pressKey(&menu, Qt::Key_Enter, Qt::KeypadModifier, QStringLiteral("\r"));
        QVERIFY(game.isVisible());
        QCOMPARE(skillLevel, 2);
    }
};

QTEST_MAIN(TestKeyboardFocus)
#include "test_keyboard_focus.moc"
