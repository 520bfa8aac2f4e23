// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader is told at each moment of a game, what it may do (press, follow a
// link, read a text box), and that the secret word is in no accessible object while the
// child writes it from memory. Read through Qt's accessibility interfaces, as the bridge to
// the accessibility bus reads them.
#include <QAccessible>
#include <QLabel>
#include <QTest>

#include "game/modGlobalVars.h"
#include "platform/ui/Events.h"
#include "platform/ui/LetterKeys.h"
#include "raeuber/frmRaeuber.h"
#include "shell/LinkControls.h"
#include "shell/frmAuswahlmenue.h"
#include "shell/frmSplash.h"
#include "shell/start.h"
#include "support/GameFixture.h"

using namespace testsupport;
using namespace modGlobalVars;

namespace {

QAccessibleInterface* access(QObject* o) { return QAccessible::queryAccessibleInterface(o); }

// Every text an object offers a screen reader: name, description, value, its text.
QStringList textsOf(QAccessibleInterface* node) {
    QStringList texts{node->text(QAccessible::Name), node->text(QAccessible::Description),
                      node->text(QAccessible::Value)};
    if (QAccessibleTextInterface* text = node->textInterface()) texts << text->text(0, text->characterCount());
    return texts;
}

// The objects that hold `word` in any text, walking the tree from the form down, and the
// hidden children asked directly as well.
QStringList holders(QWidget* form, const QString& word) {
    QStringList found;
    std::function<void(QAccessibleInterface*, int)> walk = [&](QAccessibleInterface* node, int depth) {
        if (!node || depth > 8) return;
        for (const QString& t : textsOf(node))
            if (t.contains(word)) found << node->object()->objectName() + QStringLiteral(": ") + t;
        for (int i = 0; i < node->childCount(); ++i) walk(node->child(i), depth + 1);
    };
    walk(access(form), 0);
    for (QWidget* w : form->findChildren<QWidget*>())
        for (const QString& t : textsOf(access(w)))
            if (t.contains(word)) found << w->objectName() + QStringLiteral(" (directly): ") + t;
    found.removeDuplicates();
    return found;
}

void press(QObject* o) {
    QAccessibleActionInterface* action = access(o)->actionInterface();
    QVERIFY(action);
    QVERIFY(action->actionNames().contains(QAccessibleActionInterface::pressAction()));
    action->doAction(QAccessibleActionInterface::pressAction());
}

QString keysOf(QObject* o) {
    QAccessibleActionInterface* action = access(o)->actionInterface();
    return action ? action->keyBindingsForAction(QAccessibleActionInterface::pressAction()).join(u';') : QString();
}

}  // namespace

class TestAccessMoments : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theFirstWordOfEachGameIsAnnouncedWithoutTheWord() {
        ProgramFolder folder;
        folder.addPictures({QStringLiteral("Hund.png")});
        frmRaeuber& game = openGame(2);
        game.showFirstWordPreview();
        runFor(1000);  // once the new window's news have passed
        QCOMPARE(game.announcer->current(), QStringLiteral("Neues Wort: 4 Buchstaben. Mit F2 hörst du das Wort."));
        // Ende: nothing of the old game is left to be read; the next game says its word anew.
        game.cmdReset_Click();
        QCOMPARE(game.announcer->current(), QString());
        QVERIFY(!game.findChild<QWidget*>(QStringLiteral("announcement")));
        openGame(2).showFirstWordPreview();
        runFor(1000);
        QCOMPARE(game.announcer->current(), QStringLiteral("Neues Wort: 4 Buchstaben. Mit F2 hörst du das Wort."));
        for (const QString& m : game.announcer->messages()) QVERIFY2(!m.contains(QStringLiteral("Hund")), qPrintable(m));
    }

    void aWrongWordIsToldWhenItsRevealBeginsAndForgottenAfterTheRobbersStep() {
        ProgramFolder folder;
        folder.addPictures({QStringLiteral("Hund.png")});
        frmRaeuber& game = openGame(3);
        typeInto(game.LetterInput[0], QStringLiteral("#"));
        for (int t = 0; t < 10000 && !game.tmr_display->Enabled(); t += 100) runFor(100);
        QVERIFY(game.tmr_display->Enabled());
        // The reveal has begun: the word and its cross are told at once, not at its end.
        QCOMPARE(game.announcer->current(), QStringLiteral("Das Wort heißt Hund. falsch: 1"));
        QVERIFY(!shown(game.img_wrong[0]));
        finishReaction(game, 30000);
        QCOMPARE(game.announcer->current(),
                 QStringLiteral("Der Räuber ist 1 von 5 Schritten gegangen. Noch einmal: 4 Buchstaben."));
        runFor(3100);  // the preview is gone again: the word must come from memory
        QVERIFY(!shown(game.lbl_wordPreview));
        QCOMPARE(holders(&game, QStringLiteral("Hund")), QStringList());
        for (int w = 2; w <= 5; ++w) playWordWrong(game);
        QCOMPARE(game.announcer->current(), QStringLiteral("Der Räuber ist bei der Schatztruhe."));
    }

    void theWordIsInNoObjectWhileItIsSecret() {
        ProgramFolder folder;
        folder.addPictures({QStringLiteral("Elefant.png")});
        frmRaeuber& game = openGame(2);
        game.showFirstWordPreview();
        QVERIFY(!holders(&game, QStringLiteral("Elefant")).isEmpty());  // the preview shows it
        runFor(3100);
        QVERIFY(!shown(game.lbl_wordPreview));
        QCOMPARE(holders(&game, QStringLiteral("Elefant")), QStringList());
        QCOMPARE(access(game.lbl_wordPreview)->text(QAccessible::Name), QString());
    }

    void onlyShownControlsAreOfferedEachWithItsRole() {
        ProgramFolder folder;
        folder.addPictures({QStringLiteral("Hund.png")});
        frmRaeuber& game = openGame(1);
        QAccessibleInterface* form = access(&game);
        QVERIFY(form->childCount() > 10);
        for (int i = 0; i < form->childCount(); ++i) {
            QAccessibleInterface* child = form->child(i);
            auto* w = qobject_cast<QWidget*>(child->object());
            QVERIFY2(w && !w->isHidden(), qPrintable(child->object()->objectName()));
            QVERIFY2(!w->objectName().startsWith(QStringLiteral("underScore")), qPrintable(w->objectName()));
            QVERIFY2(!child->text(QAccessible::Name).isEmpty() || child->role() == QAccessible::EditableText,
                     qPrintable(w->objectName()));
            QCOMPARE(form->indexOfChild(child), i);
        }
        QCOMPARE(form->indexOfChild(access(game.LetterInput[4])), -1);  // hidden: a four-letter word
        QCOMPARE(access(game.LetterInput[4])->text(QAccessible::Name), QString());
    }

    void theSpeakerAndEndeAreButtonsWithTheirKeys() {
        ProgramFolder folder;
        folder.addPictures({QStringLiteral("Hund.png")});
        frmRaeuber& game = openGame(1);
        QCOMPARE(access(game.imgSpeaker)->role(), QAccessible::Button);
        QCOMPARE(keysOf(game.imgSpeaker), QStringLiteral(";F2"));
        QCOMPARE(access(game.cmdReset)->role(), QAccessible::Button);
        QCOMPARE(keysOf(game.cmdReset), QStringLiteral(";<Control><Shift>e"));
        // A plain E and Ctrl+E are letters or nothing; Ctrl+Shift+E ends the game.
        QTest::keyClick(game.LetterInput[0], Qt::Key_E, Qt::ControlModifier);
        QVERIFY(game.isVisible());
        QTest::keyClick(game.LetterInput[0], Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(!game.isVisible());
        QVERIFY(frmAuswahlmenü::Default().isVisible());
        // Pressed by the screen reader's action.
        openGame(1);
        press(game.cmdReset);
        QVERIFY(!game.isVisible());
    }

    void theKeyWatchSeesOnlyItsOwnWindow() {
        QWidget one, other;
        auto* inOne = new QLineEdit(&one);
        auto* inOther = new QLineEdit(&other);
        int pressed = 0, previewed = 0;
        platform::onKey(&one, Qt::Key_F2, [&] { ++pressed; });
        platform::previewKeys(&one, [&](QWidget*, QEvent*) { ++previewed; return false; });
        auto* later = new QLineEdit(&one);  // added after the watch began
        QTest::keyClick(inOther, Qt::Key_F2);
        QTest::keyClick(inOther, Qt::Key_A);
        QCOMPARE(pressed, 0);
        QCOMPARE(previewed, 0);
        QTest::keyClick(inOne, Qt::Key_F2);
        QTest::keyClick(later, Qt::Key_F2);
        QCOMPARE(pressed, 2);
        QTest::keyClick(later, Qt::Key_A);
        QVERIFY(previewed >= 1);
        QCOMPARE(later->text(), QStringLiteral("a"));
    }

    void aTextBoxIsReadWholeAndAnswersAtItsEnd() {
        ProgramFolder folder;
        frmAuswahlmenü& menu = frmAuswahlmenü::Default();
        menu.txtSpielername->setText(QStringLiteral("Lea"));
        QAccessibleTextInterface* text = access(menu.txtSpielername)->textInterface();
        QVERIFY(text);
        int start = -1, end = -1;
        QCOMPARE(text->attributes(1, &start, &end), QString());
        QCOMPARE(start, 0);
        QCOMPARE(end, 3);
        // The word and the line at the text's end: answered, and whole.
        QCOMPARE(text->textAtOffset(3, QAccessible::WordBoundary, &start, &end), QStringLiteral("Lea"));
        QCOMPARE(text->textAtOffset(3, QAccessible::LineBoundary, &start, &end), QStringLiteral("Lea"));
        QCOMPARE(text->textAtOffset(0, QAccessible::LineBoundary, &start, &end), QStringLiteral("Lea"));
        QCOMPARE(text->textAtOffset(2, QAccessible::CharBoundary, &start, &end), QStringLiteral("a"));
        QCOMPARE(text->textBeforeOffset(3, QAccessible::CharBoundary, &start, &end), QStringLiteral("a"));
        QCOMPARE(text->textAfterOffset(3, QAccessible::WordBoundary, &start, &end), QString());
        menu.txtSpielername->setText(QStringLiteral("Lea Marie"));
        QCOMPARE(text->textAtOffset(9, QAccessible::WordBoundary, &start, &end), QStringLiteral("Marie"));
        QCOMPARE(text->textBeforeOffset(5, QAccessible::WordBoundary, &start, &end), QStringLiteral(" "));
        QCOMPARE(text->textAtOffset(-2, QAccessible::SentenceBoundary, &start, &end), QStringLiteral("Lea Marie"));
        menu.txtSpielername->clear();
        QCOMPARE(text->textAtOffset(0, QAccessible::WordBoundary, &start, &end), QString());
        QCOMPARE(access(menu.txtSpielername)->role(), QAccessible::EditableText);
    }

    void theOnScreenKeysSayWhatTheyTypeAndTheShiftState() {
        ProgramFolder folder;
        folder.addPictures({QStringLiteral("Hund.png")});
        frmRaeuber& game = openGame(1);
        platform::LetterKeyboard* keys = game.letterKeys;
        keys->press(QChar(platform::LetterKeyboard::kShift));
        QCOMPARE(game.announcer->current(), QStringLiteral("Großbuchstabe an"));
        keys->press(QChar(u'h'));
        QCOMPARE(game.LetterInput[0]->Text(), QStringLiteral("H"));
        QCOMPARE(game.announcer->current(), QStringLiteral("H"));
        keys->press(QChar(platform::LetterKeyboard::kShift));
        keys->press(QChar(platform::LetterKeyboard::kShift));
        QCOMPARE(game.announcer->current(), QStringLiteral("Großbuchstabe aus"));
        keys->press(QChar(u'u'));
        QCOMPARE(game.announcer->current(), QStringLiteral("u"));
        QCOMPARE(access(keys)->role(), QAccessible::Grouping);
    }

    void theStartUpLinksAreLinksWithAnAction() {
        ProgramFolder folder;
        shell::startupForm().Show();
        QList<shell::LinkControl*> links;
        for (QWidget* w : frmSplash::Default().findChildren<QWidget*>())
            if (auto* link = dynamic_cast<shell::LinkControl*>(w)) links << link;
        QCOMPARE(links.size(), 4);
        for (shell::LinkControl* link : links) {
            QWidget* inner = link->findChild<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
            QVERIFY(inner);
            QVERIFY2(access(inner)->role() == QAccessible::Link, qPrintable(link->objectName() + QStringLiteral("/") + inner->objectName()));
            if (qobject_cast<QLabel*>(inner) && !static_cast<QLabel*>(inner)->text().isEmpty())
                QVERIFY(!access(inner)->text(QAccessible::Name).isEmpty());
            QVERIFY(access(inner)->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
        }
    }
};

QTEST_MAIN(TestAccessMoments)
#include "test_access_moments.moc"
