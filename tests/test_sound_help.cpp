// SPDX-License-Identifier: GPL-3.0-or-later
// The initial-sound chart, with the setting anlauthilfe: which word of the vocabulary stands
// for a letter ("M wie Maus", never "S wie Schaf", "ß wie in Fuß", "X" alone), and on the
// game screen the button "?" and F4: the card for the next letter, what is said, that it
// types nothing, counts nothing, goes with the next letter or after a few seconds, and
// never shows the word being written.
#include <QTest>

#include "game/InitialSounds.h"
#include "game/Options.h"
#include "game/modGlobalVars.h"
#include "platform/TestMode.h"
#include "raeuber/frmRaeuber.h"
#include "support/GameFixture.h"

using namespace testsupport;
using namespace modGlobalVars;

namespace {

const QStringList kFiles = {"Maus.png", "Mond.png",  "Affe.png",  "Auto.png",   "Schaf.png", "Sonne.png", "Fuß.png",
                            "Esel.png", "Eis.png",   "Eule.png",  "Igel.png",   "Tiger.png", "Banane.png", "Hund.png",
                            "Nase.png", "Löwe.png",  "Ente.png",  "Rakete.png", "Tomate.png", "Kuh.png"};

frmRaeuber& startGame(ProgramFolder& folder, int level = 1) {
    options::current().soundHelp = true;
    folder.addPictures(kFiles);
    frmRaeuber& game = openGame(level);
    game.showFirstWordPreview();
    return game;
}

void pressF4(frmRaeuber& game) { QTest::keyClick(game.focusWidget() ? game.focusWidget() : &game, Qt::Key_F4); }

bool cardShown(frmRaeuber& game) { return shown(game.lblSoundHelpCard) && shown(game.lblSoundHelpLetters); }

// What the card shows for the letter of box `box`.
void checkCardFor(frmRaeuber& game, int box) {
    QVERIFY(cardShown(game));
    const QChar letter = wordLetters[box].at(0);
    const QString both = letter.toUpper() == letter.toLower()
                             ? QString(letter)
                             : QString(letter.toUpper()) + QLatin1Char(' ') + letter.toLower();
    QCOMPARE(game.lblSoundHelpLetters->Caption(), both);
    const QString word = game.lblSoundHelpWord->Caption();
    QVERIFY(word != currentWord);
    if (!word.isEmpty()) {
        QVERIFY(word.toLower().contains(letter.toLower()));
        QVERIFY(shown(game.imgSoundHelp));
        QVERIFY(!game.imgSoundHelp->pixmap().isNull());
    }
    const initialsounds::Help help = initialsounds::find(letter, imageNames.mid(1, imageCount), currentWord);
    QCOMPARE(platform::playedSounds().last().label, help.phrase());
}

}  // namespace

class TestSoundHelp : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { options::current() = options::Options{}; }

    void theWordForALetterBeginsWithItsSound() {
        using initialsounds::find;
        QCOMPARE(find(QChar(u'm'), kFiles, QString()).phrase(), QStringLiteral("M wie Maus"));
        QCOMPARE(find(QChar(u'M'), kFiles, QString()).letters, QStringLiteral("M m"));
        QCOMPARE(find(QChar(u'M'), kFiles, QString()).fileName, QStringLiteral("Maus.png"));
        // Never the word being written.
        QCOMPARE(find(QChar(u'M'), kFiles, QStringLiteral("Maus")).phrase(), QStringLiteral("M wie Mond"));
        // Not "S wie Schaf", "A wie Auto", "E wie Eis" or "E wie Eule".
        QCOMPARE(find(QChar(u's'), kFiles, QString()).phrase(), QStringLiteral("S wie Sonne"));
        QCOMPARE(find(QChar(u'A'), kFiles, QString()).phrase(), QStringLiteral("A wie Affe"));
        QCOMPARE(find(QChar(u'E'), kFiles, QString()).phrase(), QStringLiteral("E wie Ente"));
        QCOMPARE(find(QChar(u'E'), kFiles, QStringLiteral("Ente")).phrase(), QStringLiteral("E wie Esel"));
        // A letter no word begins with: a word that holds it, or the letter alone.
        const initialsounds::Help sharpS = find(QChar(u'ß'), kFiles, QString());
        QCOMPARE(sharpS.phrase(), QStringLiteral("ß wie in Fuß"));
        QCOMPARE(sharpS.letters, QStringLiteral("ß"));
        QVERIFY(sharpS.inside);
        QCOMPARE(find(QChar(u'ß'), kFiles, QStringLiteral("Fuß")).phrase(), QStringLiteral("ß"));
        QCOMPARE(find(QChar(u'x'), kFiles, QString()).phrase(), QStringLiteral("X"));
        QCOMPARE(find(QChar(u'x'), kFiles, QString()).letters, QStringLiteral("X x"));
        QCOMPARE(find(QChar(u'Q'), kFiles, QString()).word, QString());
        QCOMPARE(find(QChar(u'ö'), kFiles, QString()).phrase(), QStringLiteral("Ö wie in Löwe"));
        // No help for what is no letter.
        QVERIFY(find(QChar(u' '), kFiles, QString()).letters.isEmpty());
        QVERIFY(find(QChar(u'-'), kFiles, QString()).letters.isEmpty());
    }

    void offThereIsNothingOfIt() {
        ProgramFolder folder;
        folder.addPictures(kFiles);
        frmRaeuber& game = openGame(1);
        game.showFirstWordPreview();
        QVERIFY(!game.cmdSoundHelp);
        QVERIFY(!game.findChild<QWidget*>(QStringLiteral("cmdSoundHelp")));
        QVERIFY(!game.findChild<QWidget*>(QStringLiteral("lblSoundHelpCard")));
        QTest::keyClick(game.LetterInput[0], Qt::Key_F4);
        QVERIFY(platform::playedSounds().isEmpty());
        QCOMPARE(game.LetterInput[0]->Text(), QString());
    }

    void f4ShowsTheCardForTheNextLetterAndTypesNothing() {
        ProgramFolder folder;
        frmRaeuber& game = startGame(folder);
        QVERIFY(shown(game.cmdSoundHelp));
        QCOMPARE(game.cmdSoundHelp->Caption(), QStringLiteral("?"));
        QCOMPARE(game.cmdSoundHelp->focusPolicy(), Qt::NoFocus);
        QVERIFY(!cardShown(game));
        pressF4(game);
        checkCardFor(game, 0);
        QCOMPARE(game.LetterInput[0]->Text(), QString());
        QCOMPARE(game.focusWidget(), game.LetterInput[0]);
        QVERIFY(!wordFailed);
        QCOMPARE(wrongCount, 0);
        // The next letter typed ends the help; the next press shows the second letter's.
        typeInto(game.LetterInput[0], wordLetters[0]);
        QVERIFY(!cardShown(game));
        QTest::mouseClick(game.cmdSoundHelp, Qt::LeftButton);
        checkCardFor(game, 1);
        QCOMPARE(game.focusWidget(), game.LetterInput[1]);
        // After a few seconds it goes by itself.
        runFor(5000);
        QVERIFY(cardShown(game));
        runFor(1500);
        QVERIFY(!cardShown(game));
        // The word goes on as always and earns its tick.
        for (int i = 1; i < wordLength; ++i) typeInto(game.LetterInput[i], wordLetters[i]);
        QVERIFY(shown(game.lbl_hidePic));
        QVERIFY(!shown(game.cmdSoundHelp));  // nothing to help with while the picture is covered
        const int said = platform::playedSounds().size();
        pressF4(game);
        QCOMPARE(platform::playedSounds().size(), said);
        finishReaction(game);
        QCOMPARE(correctCount, 1);
        QCOMPARE(wrongCount, 0);
        QVERIFY(shown(game.cmdSoundHelp));
    }

    void onLevelsTwoAndThreeTheSecretWordStaysSecret() {
        for (int level : {2, 3}) {
            ProgramFolder folder;
            frmRaeuber& game = startGame(folder, level);
            runFor(3100);
            QVERIFY(!shown(game.lbl_wordPreview));
            for (int i = 0; i < wordLength; ++i) {
                pressF4(game);
                checkCardFor(game, i);
                QVERIFY(!game.lblSoundHelpWord->Caption().contains(currentWord, Qt::CaseInsensitive));
                QVERIFY(!platform::playedSounds().last().label.contains(currentWord, Qt::CaseInsensitive));
                QVERIFY(!shown(game.lbl_wordPreview));
                typeInto(game.LetterInput[i], wordLetters[i]);
            }
            for (const QString& message : game.announcer->messages())
                QVERIFY2(!message.contains(QStringLiteral("wie ") + currentWord), qPrintable(message));
            finishReaction(game);
            QCOMPARE(correctCount, 1);
        }
    }

    void aWrongLetterAfterTheHelpCountsAsAlways() {
        ProgramFolder folder;
        frmRaeuber& game = startGame(folder);
        pressF4(game);
        QVERIFY(cardShown(game));
        playWordWrong(game);
        QVERIFY(!cardShown(game));
        QCOMPARE(wrongCount, 1);
    }
};

QTEST_MAIN(TestSoundHelp)
#include "test_sound_help.moc"
