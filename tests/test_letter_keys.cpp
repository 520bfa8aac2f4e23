// SPDX-License-Identifier: GPL-3.0-or-later
// The on-screen letter keys: a whole game typed with them alone, the lock that follows the
// boxes, the focus that stays in the boxes, Shift, the blank and hyphen keys, and the name
// keys of the menu. No touch screen exists in this process, so "automatic" means hidden.
#include <QApplication>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>

#include "game/OnScreenKeys.h"
#include "game/Options.h"
#include "game/modGlobalVars.h"
#include "platform/ui/LetterKeys.h"
#include "raeuber/frmRaeuber.h"
#include "shell/frmAuswahlmenue.h"
#include "shell/frmSplash.h"
#include "shell/start.h"
#include "support/GameFixture.h"
#include "support/Menu.h"

using namespace testsupport;
using namespace modGlobalVars;
using platform::KeyButton;
using platform::LetterKeyboard;

namespace {

const QChar kShift(LetterKeyboard::kShift);

void tap(KeyButton* key) {
    QVERIFY(key);
    QTest::mouseClick(key, Qt::LeftButton);
}

// Taps the letters of the text, with Shift before each capital, as a child does.
void tapText(LetterKeyboard* keys, const QString& text) {
    for (const QChar c : text) {
        if (c.isUpper()) tap(keys->key(kShift));
        KeyButton* key = keys->key(c.toLower());
        QVERIFY2(key, qPrintable(QString(c)));
        QVERIFY2(key->isVisible(), qPrintable(QString(c)));
        tap(key);
    }
}

QString boxTexts(frmRaeuber& game) {
    QString s;
    for (int i = 0; i < wordLength; ++i) s += game.LetterInput[i]->Text();
    return s;
}

bool focusInABox(frmRaeuber& game) {
    for (auto* box : game.LetterInput)
        if (game.focusWidget() == box) return true;
    return false;
}

}  // namespace

class TestLetterKeys : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { options::current() = options::Options(); }
    void cleanup() { options::current() = options::Options(); }

    void theKeysAreTheAlphabetWithUmlautsAndNothingElse() {
        ProgramFolder folder;
        folder.addPictures({QStringLiteral("Hund.png"), QStringLiteral("Katze.png")});
        options::current().letterKeys = options::LetterKeys::On;
        frmRaeuber& game = openGame(1);
        QVERIFY(game.letterKeys->isVisible());
        QString order;
        for (KeyButton* k : game.letterKeys->keys())
            if (k->isVisibleTo(game.letterKeys)) order += k->text();
        QCOMPARE(order, QStringLiteral("aäbcdefghijklmnoö\u21E7pqrsßtuüvwxyz"));
        // On the grass below the underlines, inside the scene, each key a finger's size.
        const QRect keys = game.letterKeys->geometry();
        QVERIFY(keys.top() > 481);
        QVERIFY(keys.bottom() < frmRaeuber::kSceneHeight);
        QVERIFY(keys.left() >= 0 && keys.right() < frmRaeuber::kSceneWidth);
        for (KeyButton* k : game.letterKeys->keys()) {
            QVERIFY(k->width() >= 41 && k->height() >= 41);
            QCOMPARE(k->focusPolicy(), Qt::NoFocus);
        }
    }

    void aWholeGameWithTheKeysAloneUmlautsAndCapitalsIncluded() {
        ProgramFolder folder;
        // Every kind of key in at least two words, so that the fifteen drawn of sixteen use all.
        folder.addPictures({QStringLiteral("äpfel.png"), QStringLiteral("Öl.png"), QStringLiteral("übung.png"),
                            QStringLiteral("Bär.png"), QStringLiteral("Möhre.png"), QStringLiteral("Tür.png"),
                            QStringLiteral("Fuß.png"), QStringLiteral("Spaß.png"), QStringLiteral("T-Shirt.png"),
                            QStringLiteral("Yo-Yo.png"), QStringLiteral("Eis am Stiel.png"),
                            QStringLiteral("Rote Bete.png"), QStringLiteral("Löwe.png"), QStringLiteral("Mühle.png"),
                            QStringLiteral("Zug.png"), QStringLiteral("Hexe.png")});
        options::current().letterKeys = options::LetterKeys::On;
        frmRaeuber& game = openGame(1, QStringLiteral("Ida"));
        LetterKeyboard* keys = game.letterKeys;
        QVERIFY(keys->key(QChar(u' '))->isVisibleTo(keys));
        QVERIFY(keys->key(QChar(u'-'))->isVisibleTo(keys));
        QStringList typed;
        for (int word = 0; word < 15; ++word) {
            QVERIFY(keys->isEnabled());
            const QString current = currentWord;
            typed << current;
            tapText(keys, current);
            QCOMPARE(boxTexts(game), current);
            QVERIFY(focusInABox(game));
            // The word is done: the boxes are locked, and so are the keys.
            QVERIFY(!keys->isEnabled());
            QCOMPARE(correctCount, word + 1);
            finishReaction(game);
        }
        runFor(5000);
        QCOMPARE(messageTexts(), QStringList{QStringLiteral("Herzlichen Glückwunsch Ida, du hast gewonnen.")});
        QCOMPARE(wrongCount, 0);
        const QString all = typed.join(QString());
        QVERIFY(all.contains(QRegularExpression(QStringLiteral("[ÄÖÜ]"))));
        QVERIFY(all.contains(QRegularExpression(QStringLiteral("[äöü]"))));
        QVERIFY(all.contains(QRegularExpression(QStringLiteral("[^ ]-[A-Z]"))));  // a capital inside a word
        QVERIFY(all.contains(QChar(u'ß')));
        QVERIFY(all.contains(QChar(u' ')));
    }

    void theKeysAreLockedWheneverTheBoxesAre() {
        ProgramFolder folder;
        folder.addPictures({QStringLiteral("Hund.png"), QStringLiteral("Maus.png")});
        options::current().letterKeys = options::LetterKeys::On;
        frmRaeuber& game = openGame(1);
        LetterKeyboard* keys = game.letterKeys;
        QVERIFY(keys->isEnabled());
        // A wrong letter locks the boxes: the keys lock with them, through the reaction and
        // the reveal, and open again when the same word waits in empty boxes.
        tap(keys->key(QChar(u'x')));
        QVERIFY(game.LetterInput[0]->Locked());
        QVERIFY(!keys->isEnabled());
        QVERIFY(!keys->key(QChar(u'a'))->isEnabled());
        bool revealSeen = false;
        for (int t = 0; t < 30000 && !keys->isEnabled(); t += 100) {
            runFor(100);
            if (game.tmr_display->Enabled()) {
                revealSeen = true;
                QVERIFY(!keys->isEnabled());
                QTest::mouseClick(keys->key(QChar(u'a')), Qt::LeftButton);  // a locked key does nothing
            }
        }
        QVERIFY(revealSeen);
        QVERIFY(keys->isEnabled());
        QCOMPARE(wrongCount, 1);
        QCOMPARE(game.focusWidget(), game.LetterInput[0]);
        QCOMPARE(game.LetterInput[0]->Text(), QString());
        // A focus outside the boxes locks the keys too: nothing would receive the letter.
        game.cmdReset->setFocus();
        QVERIFY(!keys->isEnabled());
        game.LetterInput[0]->SetFocus();
        QVERIFY(keys->isEnabled());
        // After the game the form is hidden with its boxes locked.
        game.cmdReset_Click();
        QVERIFY(!game.isVisible());
    }

    void aKeyNeverMovesTheFocus() {
        ProgramFolder folder;
        folder.addPictures({QStringLiteral("Hund.png")});
        options::current().letterKeys = options::LetterKeys::On;
        frmRaeuber& game = openGame(1);
        LetterKeyboard* keys = game.letterKeys;
        tapText(keys, QStringLiteral("H"));
        QCOMPARE(game.focusWidget(), game.LetterInput[1]);  // the rule of the boxes, not the key
        tap(keys->key(kShift));
        QCOMPARE(game.focusWidget(), game.LetterInput[1]);
        tap(keys->key(kShift));
        // A tap with the mouse on any key, even between the keys, keeps the focus.
        QTest::mouseClick(keys, Qt::LeftButton, {}, QPoint(keys->width() - 1, keys->height() - 1));
        QTest::mouseClick(keys->key(QChar(u'u')), Qt::LeftButton);
        QCOMPARE(game.focusWidget(), game.LetterInput[2]);
        QCOMPARE(game.LetterInput[1]->Text(), QStringLiteral("u"));
        QVERIFY(!dynamic_cast<KeyButton*>(QApplication::focusWidget()));
    }

    void shiftMakesOneCapitalAndShowsIt() {
        ProgramFolder folder;
        folder.addPictures({QStringLiteral("Ärger.png")});
        options::current().letterKeys = options::LetterKeys::On;
        frmRaeuber& game = openGame(1);
        LetterKeyboard* keys = game.letterKeys;
        KeyButton* shift = keys->key(kShift);
        QVERIFY(shift->isCheckable());
        QCOMPARE(keys->key(QChar(u'ä'))->text(), QStringLiteral("ä"));
        tap(shift);
        QVERIFY(keys->ShiftLatched());
        QVERIFY(shift->isChecked());
        QCOMPARE(keys->key(QChar(u'ä'))->text(), QStringLiteral("Ä"));
        QCOMPARE(keys->key(QChar(u'ß'))->text(), QStringLiteral("ß"));  // no capital of its own
        tap(keys->key(QChar(u'ä')));
        QCOMPARE(game.LetterInput[0]->Text(), QStringLiteral("Ä"));
        // Let go after one letter: the next letter is small again.
        QVERIFY(!keys->ShiftLatched());
        QVERIFY(!shift->isChecked());
        QCOMPARE(keys->key(QChar(u'r'))->text(), QStringLiteral("r"));
        tap(shift);
        tap(shift);  // tapped twice: let go
        QVERIFY(!keys->ShiftLatched());
        tap(keys->key(QChar(u'r')));
        QCOMPARE(game.LetterInput[1]->Text(), QStringLiteral("r"));
        QCOMPARE(wordFailed, false);
        // A capital where the word has a small letter is a wrong letter, as on the keyboard.
        tap(shift);
        tap(keys->key(QChar(u'g')));
        QCOMPARE(game.LetterInput[2]->Text(), QStringLiteral("G"));
        QCOMPARE(wordFailed, true);
    }

    void aPressedKeyLightsUpForAMoment() {
        ProgramFolder folder;
        folder.addPictures({QStringLiteral("Hund.png")});
        options::current().letterKeys = options::LetterKeys::On;
        frmRaeuber& game = openGame(1);
        KeyButton* h = game.letterKeys->key(QChar(u'h'));
        QVERIFY(!h->Lit());
        tap(game.letterKeys->key(kShift));
        tap(h);
        QVERIFY(h->Lit());
        runFor(LetterKeyboard::kLitMs - 50);
        QVERIFY(h->Lit());
        runFor(100);
        QVERIFY(!h->Lit());
    }

    void blankAndHyphenOnlyWhenAWordNeedsThem() {
        ProgramFolder folder;
        folder.addPictures({QStringLiteral("Hund.png"), QStringLiteral("Maus.png")});
        options::current().letterKeys = options::LetterKeys::On;
        frmRaeuber& game = openGame(1);
        QVERIFY(!game.letterKeys->key(QChar(u' '))->isVisibleTo(game.letterKeys));
        QVERIFY(!game.letterKeys->key(QChar(u'-'))->isVisibleTo(game.letterKeys));
    }

    // Digits, "_", brackets and accented letters get a row of keys of their own while a word
    // of the list needs them; a whole game is typed with the keys alone. The list's needs are
    // kept as pictures are solved: the row shrinks when the last word needing a key is gone.
    void everyCharacterTheVocabularyNeedsHasAKey() {
        ProgramFolder folder;
        QStringList names = {QStringLiteral("IMG_2034.png"), QStringLiteral("Hund (2).png"),
                             QStringLiteral("Éclair.png"), QStringLiteral("R2-D2.png")};
        for (int i = 0; i < 12; ++i) names << QStringLiteral("Wort%1.png").arg(QChar(u'a' + i));
        folder.addPictures(names);
        options::current().letterKeys = options::LetterKeys::On;
        frmRaeuber& game = openGame(1);
        LetterKeyboard* keys = game.letterKeys;
        QCOMPARE(keys->extraKeys(), QStringLiteral("()0234_é"));
        for (const QChar c : keys->extraKeys()) {
            KeyButton* key = keys->key(c);
            QVERIFY2(key && key->isVisibleTo(keys), qPrintable(QString(c)));
            QVERIFY(key->geometry().bottom() < keys->height());
        }
        // The block keeps its place and height on the grass.
        const QRect block = keys->geometry();
        QVERIFY(block.top() > 481 && block.bottom() < frmRaeuber::kSceneHeight);
        QVERIFY(block.left() >= 0 && block.right() < frmRaeuber::kSceneWidth);
        QVERIFY(keys->key(QChar(u'-'))->isVisibleTo(keys));
        QVERIFY(!keys->key(QChar(u' '))->isVisibleTo(keys) || onscreen::vocabularyNeeds(QChar(u' ')));
        QStringList typed;
        for (int word = 0; word < 15; ++word) {
            const QString current = currentWord;
            typed << current;
            // Every character still needed has its key.
            for (const QChar c : current)
                QVERIFY2(keys->key(c.toLower()) && keys->key(c.toLower())->isVisibleTo(keys), qPrintable(current));
            tapText(keys, current);
            QCOMPARE(boxTexts(game), current);
            QCOMPARE(correctCount, word + 1);
            finishReaction(game);
            // What is left of the list decides the extra keys.
            QString needed;
            for (int i = 1; i <= imageCount; ++i)
                for (const QChar c : onscreen::charactersOffTheKeys(QString(imageNames.at(i)).section('.', 0, -2)))
                    if (!needed.contains(c)) needed += c;
            std::sort(needed.begin(), needed.end());
            if (word < 14) QCOMPARE(keys->extraKeys(), needed);
        }
        runFor(5000);
        QCOMPARE(messageTexts(), QStringList{QStringLiteral("Herzlichen Glückwunsch Mia, du hast gewonnen.")});
        QVERIFY(typed.contains(QStringLiteral("IMG_2034")) || typed.contains(QStringLiteral("Hund (2)")));
    }

    void withoutATouchScreenAutomaticShowsTheGameAsBefore() {
        ProgramFolder folder;
        folder.addNumberedPictures(3);
        QCOMPARE(options::current().letterKeys, options::LetterKeys::Automatic);
        frmRaeuber& game = openGame(1);
        QVERIFY(!game.letterKeys->isVisible());
        QVERIFY(!frmAuswahlmenü::Default().nameKeys);
        QCOMPARE(frmAuswahlmenü::Default().size(), QSize(337, 145));
    }

    void offHidesTheKeys() {
        ProgramFolder folder;
        folder.addNumberedPictures(3);
        options::current().letterKeys = options::LetterKeys::Off;
        frmRaeuber& game = openGame(1);
        QVERIFY(!game.letterKeys->isVisible());
    }

    void theMenuOffersTheKeysForTheName() {
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        options::current().letterKeys = options::LetterKeys::On;
        frmAuswahlmenü& menu = startToMenu();
        LetterKeyboard* keys = menu.nameKeys;
        QVERIFY(keys && keys->isVisible());
        QCOMPARE(menu.width(), 337);
        QVERIFY(menu.height() >= 145 + keys->height());
        QVERIFY(keys->geometry().top() >= 145);
        for (KeyButton* k : keys->keys()) {
            QVERIFY(k->width() >= 35 && k->height() >= 35);
            QVERIFY(menu.rect().contains(k->mapTo(&menu, k->rect().bottomRight())));
        }
        // Whatever was tapped last, the keys write the name; Erase takes a letter back.
        QTest::mouseClick(menu.cmdLevel2, Qt::LeftButton);
        menu.cmdAbbruch->setFocus();
        tapText(keys, QStringLiteral("Lea-Sophie Ox"));
        tap(keys->key(QChar(LetterKeyboard::kErase)));
        tap(keys->key(QChar(LetterKeyboard::kErase)));
        tap(keys->key(QChar(LetterKeyboard::kErase)));
        QCOMPARE(menu.txtSpielername->Text(), QStringLiteral("Lea-Sophie"));
        QTest::mouseClick(menu.cmdLevel1, Qt::LeftButton);
        QCOMPARE(playerName, QStringLiteral("Lea-Sophie"));
        QVERIFY(frmRaeuber::Default().isVisible());
    }
};

QTEST_MAIN(TestLetterKeys)
#include "test_letter_keys.moc"
