// SPDX-License-Identifier: GPL-3.0-or-later
// Keyboard abuse in the letter boxes: pasting, holding keys, typing while the game is busy
// or while the robber walks, keys with modifiers. Nothing crashes, and the shared state
// stays consistent after every single key.
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>

#include "game/modGlobalVars.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Form.h"
#include "raeuber/frmRaeuber.h"
#include "shell/frmAuswahlmenue.h"
#include "shell/frmSplash.h"
#include "shell/start.h"
#include "support/GameFixture.h"
#include "support/Invariants.h"
#include "support/Playthrough.h"

using namespace testsupport;
using namespace modGlobalVars;

namespace {

struct Key {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    QString text;
};

// One key pressed and released on the widget that has the focus (or on `target`).
void press(frmRaeuber& game, const Key& k, bool autoRepeat = false, QWidget* target = nullptr) {
    QWidget* w = target ? target : game.focusWidget();
    if (!w) w = game.LetterInput[0];
    QKeyEvent down(QEvent::KeyPress, k.key, k.modifiers, k.text, autoRepeat);
    QApplication::sendEvent(w, &down);
    QKeyEvent up(QEvent::KeyRelease, k.key, k.modifiers, k.text, autoRepeat);
    QApplication::sendEvent(w, &up);
}

Key letter(QChar c) {
    const QChar upper = c.toUpper();
    return {upper.unicode() <= 0xFF ? Qt::Key(upper.unicode()) : Qt::Key_unknown, Qt::NoModifier, QString(c)};
}

// Every key a child's fingers or a bored sibling may find.
QList<Key> wildKeys() {
    const auto ctrl = Qt::ControlModifier;
    return {{Qt::Key_V, ctrl, {}},          {Qt::Key_A, ctrl, {}},           {Qt::Key_X, ctrl, {}},
            {Qt::Key_Z, ctrl, {}},          {Qt::Key_Z, ctrl | Qt::ShiftModifier, {}},
            {Qt::Key_Y, ctrl, {}},          {Qt::Key_H, ctrl, {}},           {Qt::Key_K, ctrl, {}},
            {Qt::Key_U, ctrl, {}},          {Qt::Key_D, ctrl, {}},           {Qt::Key_Insert, Qt::ShiftModifier, {}},
            {Qt::Key_Backspace, Qt::NoModifier, {}}, {Qt::Key_Delete, Qt::NoModifier, {}},
            {Qt::Key_Tab, Qt::NoModifier, {}}, {Qt::Key_Backtab, Qt::ShiftModifier, {}},
            {Qt::Key_Left, Qt::NoModifier, {}}, {Qt::Key_Right, Qt::ShiftModifier, {}},
            {Qt::Key_Home, Qt::NoModifier, {}}, {Qt::Key_End, Qt::NoModifier, {}},
            {Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r")}, {Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b")},
            {Qt::Key_F1, Qt::NoModifier, {}}, {Qt::Key_A, Qt::AltModifier, QStringLiteral("a")},
            {Qt::Key_E, Qt::MetaModifier, {}}, {Qt::Key_Q, Qt::GroupSwitchModifier, QStringLiteral("@")},
            {Qt::Key_Shift, Qt::ShiftModifier, {}}, {Qt::Key_Control, Qt::ControlModifier, {}},
            {Qt::Key_unknown, Qt::NoModifier, QStringLiteral("\u00e9")},
            {Qt::Key_unknown, Qt::NoModifier, QStringLiteral("\U0001F600")},
            {Qt::Key_Space, Qt::NoModifier, QStringLiteral(" ")}};
}

// The game must go on to a victory after any abuse: a spoiled word fails, is revealed and
// typed again.
void playOnToVictory(frmRaeuber& game) {
    finishReaction(game, 30000);
    CHECK_INVARIANTS(game, "the abuse");
    for (int i = 0; i < 14; ++i) game.LetterInput[i]->setText(QString());
    const QString end = playToVictory(game, 0, [&](const QString& step) { CHECK_INVARIANTS(game, step); });
    QCOMPARE(end, QStringLiteral("Herzlichen Glückwunsch Mia, du hast gewonnen."));
}

// Every key of a keyboard, alone and with the modifiers a child holds down by chance.
QList<Key> everyKey() {
    QList<int> keys;
    for (int k = Qt::Key_Space; k <= Qt::Key_AsciiTilde; ++k) keys << k;
    for (int k = Qt::Key_F1; k <= Qt::Key_F12; ++k) keys << k;
    keys << Qt::Key_Escape << Qt::Key_Tab << Qt::Key_Backtab << Qt::Key_Backspace << Qt::Key_Return
         << Qt::Key_Enter << Qt::Key_Insert << Qt::Key_Delete << Qt::Key_Pause << Qt::Key_Print << Qt::Key_Home
         << Qt::Key_End << Qt::Key_Left << Qt::Key_Up << Qt::Key_Right << Qt::Key_Down << Qt::Key_PageUp
         << Qt::Key_PageDown << Qt::Key_Menu << Qt::Key_Adiaeresis << Qt::Key_Odiaeresis << Qt::Key_Udiaeresis
         << Qt::Key_ssharp << Qt::Key_Super_L << Qt::Key_CapsLock;
    const QList<Qt::KeyboardModifiers> held = {Qt::NoModifier, Qt::ShiftModifier, Qt::AltModifier,
                                               Qt::ControlModifier, Qt::ControlModifier | Qt::ShiftModifier,
                                               Qt::ControlModifier | Qt::AltModifier, Qt::MetaModifier};
    QList<Key> all;
    for (const int k : keys)
        for (const Qt::KeyboardModifiers m : held) {
            // Ctrl+L alone is the teacher's way in, named on the button.
            if (k == Qt::Key_L && m == Qt::ControlModifier) continue;
            const bool printable = k >= Qt::Key_Space && k <= Qt::Key_AsciiTilde && !(m & Qt::ControlModifier);
            all.append({Qt::Key(k), m, printable ? QString(QChar(k)) : QString()});
        }
    return all;
}

bool teachersRoomOpen() {
    platform::Form* room = platform::existingForm(QStringLiteral("frmLehrer"));
    return room && room->isLoaded();
}

// The menu as a child meets it, its name box empty.
frmAuswahlmenü& freshMenu() {
    if (!platform::existingForm(QStringLiteral("frmAuswahlmenü"))) {
        shell::startupForm().Show();
        QTest::keyClick(&frmSplash::Default(), Qt::Key_Space);
    }
    frmAuswahlmenü& menu = frmAuswahlmenü::Default();
    if (!menu.isVisible()) menu.Show();
    menu.txtSpielername->setText(QString());
    menu.txtSpielername->setFocus();
    return menu;
}

}  // namespace

class TestKeyboardAbuse : public QObject {
    Q_OBJECT

private Q_SLOTS:

    void pastingAWholeWordIsOneWrongLetter() {
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        queueFixedChance();
        frmRaeuber& game = openGame();
        QApplication::clipboard()->setText(currentWord);
        press(game, {Qt::Key_V, Qt::ControlModifier, {}});
        CHECK_INVARIANTS(game, "the paste");
        QVERIFY(wordFailed);
        finishReaction(game, 30000);
        QCOMPARE(wrongCount, 1);
        // An input method may also hand over a whole word at once.
        press(game, {Qt::Key_unknown, Qt::NoModifier, currentWord});
        CHECK_INVARIANTS(game, "a word from the input method");
        playOnToVictory(game);
    }

    void holdingAKeyFailsTheWordOnceAndNothingMore() {
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        queueFixedChance();
        frmRaeuber& game = openGame();
        const Key first = letter(currentWord.at(0));
        for (int i = 0; i < 40; ++i) {
            press(game, first, i > 0);
            CHECK_INVARIANTS(game, QStringLiteral("repeat %1").arg(i));
        }
        QVERIFY(wordFailed);
        QCOMPARE(game.LetterInput[0]->Text(), currentWord.left(1));
        QCOMPARE(game.LetterInput[1]->Text(), currentWord.left(1));  // "W" where "o" belongs
        playOnToVictory(game);
    }

    void typingWhileTheGameIsBusyChangesNothing() {
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        queueFixedChance();
        frmRaeuber& game = openGame(2);
        const auto hammer = [&](const QString& when) {
            for (int box = 0; box < 15; ++box) {
                press(game, letter(QLatin1Char('x')), false, game.LetterInput[box]);
                press(game, letter(box < currentWord.size() ? currentWord.at(box) : QChar(u'a')), false, game.LetterInput[box]);
            }
            CHECK_INVARIANTS(game, when);
        };
        // During the reaction to a right word.
        typeCurrentWord(game);
        const int right = correctCount;
        for (int t = 0; t < 5000 && game.tmr_assistantResize->Enabled() + game.tmr_assistantAnimation->Enabled(); t += 100) {
            hammer(QStringLiteral("right reaction at %1 ms").arg(t));
            runFor(100);
        }
        QCOMPARE(correctCount, right);
        QVERIFY(!wordFailed);
        // During the reaction to a wrong letter and during the reveal.
        const QString word = currentWord;
        press(game, letter(QLatin1Char('#')));
        for (int t = 0; t < 30000 && game.tmr_display->Enabled() + game.tmr_assistantResize->Enabled() +
                                         game.tmr_assistantAnimation->Enabled();
             t += 100) {
            hammer(QStringLiteral("wrong reaction or reveal at %1 ms").arg(t));
            runFor(100);
            if (game.tmr_display->Enabled() && revealPos == wordLength) {
                for (int i = 0; i < wordLength; ++i) QCOMPARE(game.LetterInput[i]->Text(), word.mid(i, 1));
            }
        }
        QCOMPARE(wrongCount, 1);
        QCOMPARE(currentWord, word);
        QVERIFY(!game.LetterInput[0]->Locked());
        playOnToVictory(game);
    }

    // Keys and clicks that come while the robber walks wait in the queue until the walk is
    // over; they were meant for the word before it and are dropped, not typed into the retry.
    void keysAndClicksDuringTheWalkAreDropped() {
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        queueFixedChance();
        frmRaeuber& game = openGame();
        const QString word = currentWord;
        press(game, letter(QLatin1Char('#')));
        while (!(game.tmr_display->Enabled() && revealPos == wordLength)) runFor(100);
        for (int i = 0; i < 2; ++i) {
            const Key k = letter(word.at(i));
            QCoreApplication::postEvent(game.LetterInput[i], new QKeyEvent(QEvent::KeyPress, k.key, k.modifiers, k.text));
        }
        QCoreApplication::postEvent(game.LetterInput[0], new QKeyEvent(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x")));
        const QPoint ende = game.cmdReset->rect().center();
        QCoreApplication::postEvent(game.cmdReset, new QMouseEvent(QEvent::MouseButtonPress, ende, game.cmdReset->mapToGlobal(ende), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
        QCoreApplication::postEvent(game.cmdReset, new QMouseEvent(QEvent::MouseButtonRelease, ende, game.cmdReset->mapToGlobal(ende), Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
        const double left = game.imgRäuber->Left();
        runFor(1000);  // the last reveal tick: cross, walk, empty boxes
        QVERIFY(game.imgRäuber->Left() > left);
        CHECK_INVARIANTS(game, "the walk");
        QCoreApplication::sendPostedEvents();
        CHECK_INVARIANTS(game, "after the walk");
        for (int i = 0; i < word.size(); ++i) QVERIFY(game.LetterInput[i]->Text().isEmpty());
        QCOMPARE(wrongCount, 1);
        QVERIFY(!game.tmr_assistantResize->Enabled());  // no second failure
        QVERIFY(game.isVisible());                      // "Ende" was not clicked
        // What comes after the walk is typed as always.
        QCoreApplication::postEvent(game.LetterInput[0], new QKeyEvent(QEvent::KeyPress, letter(word.at(0)).key, Qt::NoModifier, word.left(1)));
        QCoreApplication::sendPostedEvents();
        QCOMPARE(game.LetterInput[0]->Text(), word.left(1));
        for (int i = 1; i < word.size(); ++i) typeInto(game.LetterInput[i], word.mid(i, 1));
        QCOMPARE(correctCount, 1);
        playOnToVictory(game);
    }

    void keysWithModifiersNeverBreakTheState() {
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        queueFixedChance();
        frmRaeuber& game = openGame();
        QApplication::clipboard()->setText(QStringLiteral("Wort"));
        // Each wild key on the first box, then again after a right letter; a word that the
        // key spoiled is revealed and typed again before the next key.
        int tried = 0;
        for (const Key& k : wildKeys()) {
            const QString name = QKeySequence(k.key | k.modifiers).toString() + " " + k.text;
            press(game, k, false, game.LetterInput[0]);
            CHECK_INVARIANTS(game, name);
            press(game, letter(currentWord.at(0)), false, game.LetterInput[0]);
            press(game, k);
            CHECK_INVARIANTS(game, "a right letter, then " + name);
            finishReaction(game, 30000);
            CHECK_INVARIANTS(game, "the reaction to " + name);
            for (int i = 0; i < 15; ++i) game.LetterInput[i]->setText(QString());
            ++tried;
        }
        QCOMPARE(tried, wildKeys().size());
        QVERIFY(wrongCount > 0);  // some keys type something, which is wrong
        QVERIFY(wrongCount < 15);
        // Shift gives a capital letter, which counts like a typed one.
        const QString word = currentWord;
        if (!wordFailed) {
            for (int i = 0; i < 15; ++i) game.LetterInput[i]->setText(QString());
            press(game, {Qt::Key(word.at(0).unicode()), Qt::ShiftModifier, word.left(1)}, false, game.LetterInput[0]);
            QCOMPARE(game.LetterInput[0]->Text(), word.left(1));
            QVERIFY(!game.LetterInput[1]->Locked());
        }
        playOnToVictory(game);
    }

    // The teacher's room opens only when its button is held or on Ctrl+L: no other key, with
    // any modifier, and no click anywhere on the menu opens it.
    void keysAndClicksOnTheMenuNeverOpenTheTeachersRoom() {
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        int tried = 0;
        for (const Key& k : everyKey()) {
            frmAuswahlmenü& menu = freshMenu();
            QWidget* target = menu.focusWidget() ? menu.focusWidget() : menu.txtSpielername;
            QKeyEvent down(QEvent::KeyPress, k.key, k.modifiers, k.text);
            QApplication::sendEvent(target, &down);
            QKeyEvent up(QEvent::KeyRelease, k.key, k.modifiers, k.text);
            QApplication::sendEvent(target, &up);
            runFor(50);
            QVERIFY2(!teachersRoomOpen(), qPrintable(QKeySequence(int(k.modifiers) | k.key).toString()));
            ++tried;
        }
        QVERIFY(tried > 800);
        frmAuswahlmenü& menu = freshMenu();
        QVERIFY(menu.cmdLehrer);
        for (int y = 1; y < menu.height(); y += 3)
            for (int x = 1; x < menu.width(); x += 3) {
                QWidget* under = menu.childAt(x, y);
                QWidget* target = under ? under : &menu;
                QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(&menu, QPoint(x, y)));
                runFor(20);
                QVERIFY2(!teachersRoomOpen(), qPrintable(QStringLiteral("click at %1, %2").arg(x).arg(y)));
                if (!menu.isVisible() || !menu.txtSpielername->Text().isEmpty()) freshMenu();
            }
        // The way in is there: held long enough, the button opens the room.
        QTest::mousePress(menu.cmdLehrer, Qt::LeftButton);
        runFor(2000);
        QVERIFY(teachersRoomOpen());
    }
};

QTEST_MAIN(TestKeyboardAbuse)
#include "test_keyboard_abuse.moc"
