// SPDX-License-Identifier: GPL-3.0-or-later
// The initial-sound chart, with the setting anlauthilfe: which word of the vocabulary stands
// for a sound ("M wie Maus", "Sch wie Schaf", never "S wie Schaf", "ß wie in Fuß", "X"
// alone), the sounds first grades write as one (sch, ei, au, ck, ng, doubled letters ...),
// and on the game screen the button "?" and F4: the card for the next sound, what is said,
// that it types nothing, counts nothing, goes with the next letter or after a few seconds,
// and never shows the word being written.
#include <QDir>
#include <QFontMetricsF>
#include <QTest>

#include "game/InitialSounds.h"
#include "game/Options.h"
#include "game/Words.h"
#include "game/AssetPaths.h"
#include "platform/files/Files.h"
#include "platform/files/Folders.h"
#include "game/modGlobalVars.h"
#include "mock/TestMode.h"
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

// What the card shows for the sound of box `box`.
void checkCardFor(frmRaeuber& game, int box) {
    QVERIFY(cardShown(game));
    const initialsounds::Unit unit = initialsounds::unitAt(currentWord, box);
    const QString sound = currentWord.mid(unit.start, unit.length).toLower();
    QVERIFY(game.lblSoundHelpLetters->Caption().endsWith(sound));
    const QString word = game.lblSoundHelpWord->Caption();
    QVERIFY(word != currentWord);
    if (!word.isEmpty()) {
        QVERIFY(word.toLower().contains(sound));
        QVERIFY(shown(game.imgSoundHelp));
        QVERIFY(!game.imgSoundHelp->pixmap().isNull());
    }
    const initialsounds::Help help = initialsounds::find(currentWord, box, game.soundHelpWords, currentWord);
    QCOMPARE(platform::playedSounds().last().label, help.phrase());
}

QStringList shippedFiles() { return QDir(QStringLiteral(KNORZELBART_ASSETS_DIR "/db")).entryList(QDir::Files); }

// What the chart says for the sound at `at` of `written`.
QString phraseFor(const QString& written, int at, const QStringList& files) {
    return initialsounds::find(written, at, files, written).phrase();
}

// A small vocabulary with a word for each sound first grades write as one.
const QStringList kSoundFiles = {"Schaf.png",  "Milch.png", "Glocke.png", "Eis.png",   "Eule.png",  "Häuser.png",
                                 "Auto.png",   "Biene.png", "Pferd.png",  "Qualle.png", "Stern.png", "Spinne.png",
                                 "Ring.png",   "Tasse.png", "Hai.png",    "Uhr.png",   "Kuh.png",   "Hund.png"};

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

    void wordsAreCutIntoTheSoundsFirstGradesWrite() {
        using initialsounds::Unit;
        using initialsounds::unitAt;
        QCOMPARE(unitAt(QStringLiteral("Schule"), 1), (Unit{0, 3}));
        QCOMPARE(unitAt(QStringLiteral("Stern"), 0), (Unit{0, 2}));
        QCOMPARE(unitAt(QStringLiteral("Spinne"), 1), (Unit{0, 2}));
        QCOMPARE(unitAt(QStringLiteral("Fenster"), 3), (Unit{3, 1}));  // st only at a word's start
        QCOMPARE(unitAt(QStringLiteral("Maus"), 2), (Unit{1, 2}));
        QCOMPARE(unitAt(QStringLiteral("Buch"), 2), (Unit{2, 2}));
        QCOMPARE(unitAt(QStringLiteral("Glocke"), 3), (Unit{3, 2}));
        QCOMPARE(unitAt(QStringLiteral("Schlange"), 5), (Unit{5, 2}));
        QCOMPARE(unitAt(QStringLiteral("Affe"), 2), (Unit{1, 2}));
        QCOMPARE(unitAt(QStringLiteral("Biene"), 1), (Unit{1, 2}));
        QCOMPARE(unitAt(QStringLiteral("Eimer"), 0), (Unit{0, 2}));
        QCOMPARE(unitAt(QStringLiteral("Häuser"), 1), (Unit{1, 2}));
        QCOMPARE(unitAt(QStringLiteral("Pferd"), 0), (Unit{0, 2}));
        QCOMPARE(unitAt(QStringLiteral("Qualle"), 1), (Unit{0, 2}));
        QCOMPARE(unitAt(QStringLiteral("Eis am Stiel"), 8), (Unit{7, 2}));
        QCOMPARE(unitAt(QStringLiteral("Eis am Stiel"), 3).length, 0);
        QCOMPARE(initialsounds::units(QStringLiteral("Schneemann")).size(), 6);  // sch n ee m a nn
    }

    // Every sound of the list, with the shipped words: a word that begins with it, else one
    // that has it inside, else the letters alone; never a word where the letters say another.
    void everySoundWithTheShippedWords() {
        const QStringList files = shippedFiles();
        QCOMPARE(files.size(), 303);
        QCOMPARE(phraseFor(QStringLiteral("Schule"), 0, files), QStringLiteral("Sch wie Schaf"));
        QCOMPARE(phraseFor(QStringLiteral("Buch"), 2, files), QStringLiteral("ch wie in Koch"));  // not "Fuchs": ks
        QCOMPARE(phraseFor(QStringLiteral("Glocke"), 3, files), QStringLiteral("ck wie in Socken"));
        QCOMPARE(phraseFor(QStringLiteral("Eimer"), 0, files), QStringLiteral("Ei wie Ei"));
        QCOMPARE(phraseFor(QStringLiteral("Eis"), 0, files), QStringLiteral("Ei wie Ei"));
        QCOMPARE(phraseFor(QStringLiteral("Eule"), 0, files), QStringLiteral("Eu wie in Feuer"));
        QCOMPARE(phraseFor(QStringLiteral("Mäuse"), 1, files), QStringLiteral("Äu"));
        QCOMPARE(phraseFor(QStringLiteral("Auto"), 0, files), QStringLiteral("Au wie Auge"));
        QCOMPARE(phraseFor(QStringLiteral("Maus"), 2, files), QStringLiteral("Au wie Auge"));
        QCOMPARE(phraseFor(QStringLiteral("Biene"), 2, files), QStringLiteral("ie wie in Brief"));
        QCOMPARE(phraseFor(QStringLiteral("Pferd"), 0, files), QStringLiteral("Pf wie Pfau"));
        QCOMPARE(phraseFor(QStringLiteral("Qualle"), 0, files), QStringLiteral("Qu"));
        QCOMPARE(phraseFor(QStringLiteral("Stern"), 0, files), QStringLiteral("St wie Stein"));
        QCOMPARE(phraseFor(QStringLiteral("Spinne"), 0, files), QStringLiteral("Sp wie Spiegel"));
        QCOMPARE(phraseFor(QStringLiteral("Schlange"), 5, files), QStringLiteral("ng wie in Ring"));
        QCOMPARE(phraseFor(QStringLiteral("Affe"), 1, files), QStringLiteral("ff wie in Löffel"));
        QCOMPARE(phraseFor(QStringLiteral("Tasse"), 3, files), QStringLiteral("ss wie in Messer"));
        QCOMPARE(phraseFor(QStringLiteral("Igel"), 0, files), QStringLiteral("I wie Insel"));
        QCOMPARE(phraseFor(QStringLiteral("Ente"), 0, files), QStringLiteral("E wie Erbsen"));
        // "Ski" begins with "sch": the s of "Sonne" only before a vowel.
        QCOMPARE(phraseFor(QStringLiteral("Sonne"), 0, files), QStringLiteral("S wie Sofa"));
        QCOMPARE(phraseFor(QStringLiteral("Sonne"), 0, {QStringLiteral("Ski.png")}), QStringLiteral("S"));
        // A v at the end is said as an f, one before a vowel inside a word as a w.
        QCOMPARE(phraseFor(QStringLiteral("Detektiv"), 7, files), QStringLiteral("V wie Vogel"));
        QCOMPARE(phraseFor(QStringLiteral("Avocado"), 1, files), QStringLiteral("V wie Vampir"));
        // Never a word in which those letters stand for another sound.
        for (const QString& written : {QStringLiteral("Schule"), QStringLiteral("Stern"), QStringLiteral("Spinne")})
            QVERIFY(!phraseFor(written, 0, files).startsWith(QStringLiteral("S ")));
        for (const QString& written : {QStringLiteral("Eule"), QStringLiteral("Eimer"), QStringLiteral("Eis")})
            QVERIFY(!phraseFor(written, 0, files).startsWith(QStringLiteral("E ")));
        QVERIFY(!phraseFor(QStringLiteral("Ente"), 0, files).contains(QStringLiteral("Eule")));
        QVERIFY(!phraseFor(QStringLiteral("Igel"), 0, files).contains(QStringLiteral("Hai")));
        QVERIFY(!phraseFor(QStringLiteral("Buch"), 2, files).contains(QStringLiteral("Fisch")));
        QCOMPARE(phraseFor(QStringLiteral("Dachs"), 2, files), QStringLiteral("chs wie in Fuchs"));
        // A v said as an f, or as a w: only a word where it is said alike.
        const QStringList vs = {QStringLiteral("Vogel.png"), QStringLiteral("Vase.png")};
        QCOMPARE(phraseFor(QStringLiteral("Vater"), 0, vs), QStringLiteral("V wie Vogel"));
        QCOMPARE(phraseFor(QStringLiteral("Vulkan"), 0, vs), QStringLiteral("V wie Vase"));
        QCOMPARE(initialsounds::find(QStringLiteral("Vulkan"), 0, vs, QString()).spoken(), QStringLiteral("[[v@]] wie Vase"));
        QCOMPARE(initialsounds::find(QStringLiteral("Vater"), 0, vs, QString()).spoken(), QStringLiteral("[[fff]] wie Vogel"));
        QVERIFY(!phraseFor(QStringLiteral("Maus"), 2, files).contains(QStringLiteral("Uhr")));
        // Every sound of every shipped word, as the child writes it: the word shown has
        // that sound where the card marks it, and is never the word being written.
        for (const QString& file : files) {
            const QString written = file.section(QLatin1Char('.'), 0, 0);
            for (int at = 0; at < written.size(); ++at) {
                const initialsounds::Help help = initialsounds::find(written, at, files, written);
                if (help.word.isEmpty()) continue;
                QVERIFY(help.word != written);
                QCOMPARE(help.word.mid(help.markStart, help.markLength).toLower(), help.sound);
                QCOMPARE(initialsounds::unitAt(help.word, help.markStart),
                         (initialsounds::Unit{help.markStart, int(help.sound.size())}));
            }
        }
    }

    void everySoundWithASmallFolderMadeForIt() {
        const QStringList& files = kSoundFiles;
        QCOMPARE(phraseFor(QStringLiteral("Schule"), 2, files), QStringLiteral("Sch wie Schaf"));
        QCOMPARE(phraseFor(QStringLiteral("Buch"), 3, files), QStringLiteral("ch wie in Milch"));
        QCOMPARE(phraseFor(QStringLiteral("Jacke"), 2, files), QStringLiteral("ck wie in Glocke"));
        QCOMPARE(phraseFor(QStringLiteral("Eimer"), 1, files), QStringLiteral("Ei wie Eis"));
        QCOMPARE(phraseFor(QStringLiteral("Euter"), 0, files), QStringLiteral("Eu wie Eule"));
        QCOMPARE(phraseFor(QStringLiteral("Mäuse"), 1, files), QStringLiteral("Äu wie in Häuser"));
        QCOMPARE(phraseFor(QStringLiteral("Maus"), 2, files), QStringLiteral("Au wie Auto"));
        QCOMPARE(phraseFor(QStringLiteral("Wiese"), 1, files), QStringLiteral("ie wie in Biene"));
        QCOMPARE(phraseFor(QStringLiteral("Pfanne"), 1, files), QStringLiteral("Pf wie Pferd"));
        QCOMPARE(phraseFor(QStringLiteral("Quark"), 0, files), QStringLiteral("Qu wie Qualle"));
        QCOMPARE(phraseFor(QStringLiteral("Stuhl"), 1, files), QStringLiteral("St wie Stern"));
        QCOMPARE(phraseFor(QStringLiteral("Spiel"), 0, files), QStringLiteral("Sp wie Spinne"));
        QCOMPARE(phraseFor(QStringLiteral("Zange"), 2, files), QStringLiteral("ng wie in Ring"));
        QCOMPARE(phraseFor(QStringLiteral("Kasse"), 2, files), QStringLiteral("ss wie in Tasse"));
        QCOMPARE(phraseFor(QStringLiteral("Teller"), 3, files), QStringLiteral("ll wie in Qualle"));
        QCOMPARE(phraseFor(QStringLiteral("Sonne"), 2, files), QStringLiteral("nn wie in Spinne"));
        QCOMPARE(phraseFor(QStringLiteral("Mund"), 1, files), QStringLiteral("U wie Uhr"));
        // None rather than a wrong one: the i of "Hai", the h of "Kuh", the d of "Hund" said as t.
        QVERIFY(!phraseFor(QStringLiteral("Igel"), 0, files).contains(QStringLiteral("Hai")));
        QCOMPARE(phraseFor(QStringLiteral("Igel"), 0, files), QStringLiteral("I wie in Ring"));
        QCOMPARE(phraseFor(QStringLiteral("Hose"), 0, files), QStringLiteral("H wie Hai"));
        QCOMPARE(phraseFor(QStringLiteral("Hose"), 0, {QStringLiteral("Kuh.png")}), QStringLiteral("H"));
        QCOMPARE(phraseFor(QStringLiteral("Dach"), 0, {QStringLiteral("Hund.png")}), QStringLiteral("D"));
        QCOMPARE(phraseFor(QStringLiteral("Rose"), 0, {QStringLiteral("Uhr.png")}), QStringLiteral("R"));
        QCOMPARE(phraseFor(QStringLiteral("Sonne"), 0, {QStringLiteral("Bleistift.png")}), QStringLiteral("S"));
        QCOMPARE(phraseFor(QStringLiteral("Sonne"), 0, {QStringLiteral("Hase.png")}), QStringLiteral("S wie in Hase"));
        QCOMPARE(phraseFor(QStringLiteral("Esel"), 0, {QStringLiteral("Hase.png"), QStringLiteral("Igel.png")}),
                 QStringLiteral("E"));
        QCOMPARE(phraseFor(QStringLiteral("Esel"), 0, {QStringLiteral("Bett.png")}), QStringLiteral("E wie in Bett"));
    }

    // The sound is said as a sound, not by the letter's name.
    void theSoundIsSaidAsASound() {
        using initialsounds::find;
        QCOMPARE(find(QStringLiteral("Mond"), 0, kFiles, QStringLiteral("Mond")).spoken(),
                 QStringLiteral("[[mmm]] wie Maus"));
        QCOMPARE(find(QStringLiteral("Schule"), 0, kFiles, QString()).spoken(), QStringLiteral("[[SSS]] wie Schaf"));
        QCOMPARE(find(QStringLiteral("Fuß"), 2, kFiles, QString()).spoken(), QStringLiteral("[[sss]] wie in Fuß"));
        QCOMPARE(find(QStringLiteral("Xylophon"), 0, kFiles, QString()).spoken(), QStringLiteral("[[ks@]]"));
        for (const char* sound : {"a", "b", "ch", "ck", "d", "e", "ei", "eu", "f", "g", "h", "i", "ie", "j", "k", "l",
                                     "m", "n", "ng", "o", "p", "pf", "qu", "r", "s", "sch", "sp", "st", "t", "u", "v",
                                     "w", "x", "y", "z", "ä", "äu", "ö", "ü", "ß", "au", "ai", "ff", "ll", "mm", "tt"})
            QVERIFY2(!initialsounds::phonemes(QString::fromUtf8(sound)).isEmpty(), sound);
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

    // The chart draws from the whole vocabulary, also from the words already played; a long
    // word fits the card, with "in" and the sound's letters in colour.
    void theCardUsesTheWholeVocabularyAndFitsLongWords() {
        ProgramFolder folder;
        options::current().soundHelp = true;
        folder.addPictures({QStringLiteral("Affe.png"), QStringLiteral("Ampel.png"), QStringLiteral("Regenbogenfisch.png")});
        folder.addNumberedPictures(12, QStringLiteral("Wort"));
        // The first word drawn is "Affe", the next "Ampel".
        QStringList listed = platform::folderFileNames(assetpaths::dbFolder(), words::nameCanBeWord);
        const auto drawing = [&](const QString& name) { return (float(listed.indexOf(name)) + 0.5f) / float(listed.size()); };
        const float first = drawing(QStringLiteral("Affe.png"));
        listed.removeAll(QStringLiteral("Affe.png"));
        platform::queueRandomNumbers({first, drawing(QStringLiteral("Ampel.png"))});
        frmRaeuber& game = openGame(1);
        game.showFirstWordPreview();
        QCOMPARE(currentWord, QStringLiteral("Affe"));
        playWordRight(game);
        QCOMPARE(currentWord, QStringLiteral("Ampel"));
        QVERIFY(!imageNames.contains(QStringLiteral("Affe.png")));
        pressF4(game);
        QVERIFY(cardShown(game));
        QCOMPARE(game.lblSoundHelpWord->Caption(), QStringLiteral("Affe"));
        QCOMPARE(platform::playedSounds().last().label, QStringLiteral("A wie Affe"));
        QCOMPARE(game.announcer->messages().last(), QStringLiteral("A wie Affe"));
        QCOMPARE(game.imgSoundHelp->accessibleName(), QStringLiteral("Bild: Affe"));
        // The voice says the sound, not the letter's name.
        const platform::Sound& said = platform::playedSounds().last().sound;
        if (!said.empty()) QCOMPARE(said.source, QStringLiteral("[[a:]] wie Affe"));
        for (int i = 0; i < 3; ++i) typeInto(game.LetterInput[i], wordLetters[i]);
        pressF4(game);  // the e of "Ampel" is a weak e: the e of "Regen" is taken
        QCOMPARE(game.lblSoundHelpWord->Caption(), QStringLiteral("in Regenbogenfisch"));
        QCOMPARE(platform::playedSounds().last().label, QStringLiteral("E wie in Regenbogenfisch"));
        QCOMPARE(game.lblSoundHelpWord->accessibleName(), QStringLiteral("in Regenbogenfisch"));
        const QFont fitted = game.lblSoundHelpWord->fittedFont();
        QVERIFY(fitted.pointSizeF() < game.lblSoundHelpWord->font().pointSizeF());
        QVERIFY(QFontMetricsF(fitted).horizontalAdvance(game.lblSoundHelpWord->Caption()) <=
                game.lblSoundHelpWord->width());
        const QImage card = game.lblSoundHelpWord->grab().toImage();
        int red = 0;
        for (int y = 0; y < card.height(); ++y)
            for (int x = 0; x < card.width(); ++x) {
                const QColor c = card.pixelColor(x, y);
                if (c.red() > 120 && c.green() < 60 && c.blue() < 60) ++red;
            }
        QVERIFY2(red > 10, "the sound's letters are drawn in colour");
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
