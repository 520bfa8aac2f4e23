// SPDX-License-Identifier: GPL-3.0-or-later
// The syllables on the game screen, with the setting silben: an arc under each syllable of
// the word's boxes in two alternating colours, scaled with the scene, shown and hidden with
// the boxes; the button and F3 that say the word in syllables with pauses between them (a
// teacher's Wort.silben.wav wins), under the same rules as the speaker. With the setting off
// none of it exists.
#include <QAccessible>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

#include "game/Options.h"
#include "game/Speech.h"
#include "game/Syllables.h"
#include "game/modGlobalVars.h"
#include "platform/system/Hyphenation.h"
#include "mock/TestMode.h"
#include "raeuber/frmRaeuber.h"
#include "support/GameFixture.h"
#include "support/Wav.h"

using namespace testsupport;
using namespace modGlobalVars;

namespace {

const QStringList kWords = {"Banane", "Tomate", "Schnecke", "Erdbeere", "Schneemann", "Igel", "Stern",
                            "Fahrrad", "Kartoffel", "Elefant", "Zitrone", "Melone", "Rakete", "Giraffe",
                            "Pinguin", "Apfel", "Katze", "Hund", "Esel", "Sonne"};

frmRaeuber& startGame(ProgramFolder& folder, bool syllablesOn, int level = 1) {
    options::current().syllables = syllablesOn;
    QStringList names;
    for (const QString& word : kWords) names << word + QStringLiteral(".png");
    folder.addPictures(names);
    frmRaeuber& game = openGame(level);
    game.showFirstWordPreview();
    return game;
}

// The pauses of at least `ms` of silence between sound, in a sound.
int pausesOf(const platform::Sound& sound, int ms) {
    const std::size_t needed = std::size_t(sound.rate) * ms / 1000;
    int pauses = 0;
    std::size_t quiet = 0;
    bool heard = false;
    for (const auto s : sound.samples) {
        if (std::abs(s) <= 64) {
            ++quiet;
            continue;
        }
        if (heard && quiet >= needed) ++pauses;
        heard = true;
        quiet = 0;
    }
    return pauses;
}

void checkArcs(frmRaeuber& game) {
    const QList<syllables::Piece> pieces = syllables::split(currentWord);
    QVERIFY(!pieces.isEmpty());
    const double f = game.scaleFactor();
    for (int i = 0; i < rules::kLetterBoxes; ++i) {
        platform::Arc* arc = game.syllableArc[i];
        QCOMPARE(arc->objectName(), QStringLiteral("syllableArc_%1").arg(i));
        QCOMPARE(shown(arc), i < pieces.size());
        if (i >= pieces.size()) continue;
        const auto first = game.LetterInput[pieces[i].start]->geometry();
        const auto last = game.LetterInput[pieces[i].start + pieces[i].length - 1]->geometry();
        const auto line = game.underScore[pieces[i].start]->geometry();
        const QRect at = arc->geometry();
        // From the first box's left edge to the last box's right edge, below the underline.
        QVERIFY2(std::abs(at.left() - first.left()) <= 2 * f + 1, qPrintable(currentWord));
        QVERIFY(std::abs(at.right() - last.right()) <= 2 * f + 1);
        QVERIFY(at.top() >= line.bottom() - 1);
        QVERIFY(at.height() >= 9 * f);
        // Two colours, one syllable after the other.
        QVERIFY(arc->color() != game.syllableArc[(i + 1) % rules::kLetterBoxes]->color() || i + 1 >= pieces.size());
        if (i >= 2) QCOMPARE(arc->color(), game.syllableArc[i - 2]->color());
        // Named for a screen reader by place and size, never by the letters (the word may be secret).
        QCOMPARE(arc->accessibleName(), QStringLiteral("Silbenbogen %1 von %2").arg(i + 1).arg(pieces.size()));
        QCOMPARE(arc->accessibleDescription(), QStringLiteral("unter %1 Kästchen").arg(pieces[i].length));
        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(arc);
        QVERIFY(reader);
        QCOMPARE(reader->role(), QAccessible::StaticText);
        QCOMPARE(reader->text(QAccessible::Name), arc->accessibleName());
    }
}

// The contrast of two colours as the web's accessibility guidelines reckon it.
double contrast(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& c) {
        const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// When a word is done its boxes are cleared before the next: the arcs go with them.
void clearBoxesOfAFinishedWord(frmRaeuber& game) {
    wordFailed = false;
    game.clearLetterBoxes();
    for (int i = 0; i < rules::kLetterBoxes; ++i) QVERIFY(!shown(game.syllableArc[i]));
}

}  // namespace

class TestSyllablesScreen : public QObject {
    Q_OBJECT
    QTemporaryDir cacheDir;  // the splits kept between starts, away from the user's own

private Q_SLOTS:
    // Read once, before any form: a form then finds them there and shows its arcs at once.
    void initTestCase() {
        platform::setHyphenationCacheFile(cacheDir.filePath(QStringLiteral("silbentrennung.txt")));
        QVERIFY(platform::hyphenationAvailable());
    }
    void cleanup() {
        options::current() = options::Options{};
        syllables::forgetTables();
    }

    void offThereIsNothingOfIt() {
        ProgramFolder folder;
        frmRaeuber& game = startGame(folder, false);
        QVERIFY(!game.syllableArc[0]);
        QVERIFY(!game.imgSyllables);
        QVERIFY(!game.findChild<QWidget*>(QStringLiteral("syllableArc_0")));
        QVERIFY(!game.findChild<QWidget*>(QStringLiteral("imgSyllables")));
        QTest::keyClick(game.LetterInput[0], Qt::Key_F3);
        QVERIFY(platform::playedSounds().isEmpty());
        QCOMPARE(game.letterKeys->Top(), 485.0);
        playWordRight(game);
        QCOMPARE(correctCount, 1);
    }

    void arcsLieUnderEachSyllableAndFollowTheBoxes() {
        ProgramFolder folder;
        frmRaeuber& game = startGame(folder, true);
        checkArcs(game);
        // The arcs and the on-screen keys below them do not overlap.
        QVERIFY(game.letterKeys->Top() >= 495);
        QVERIFY(game.letterKeys->Top() + game.letterKeys->Height() <= frmRaeuber::kSceneHeight + 0.5);
        // Scaled with the scene.
        for (double factor : {2.0, 1.37}) {
            game.setScale(factor, QPoint(5, 3));
            checkArcs(game);
        }
        game.setScale(1.0, QPoint());
        // The next words: each its own arcs.
        for (int w = 0; w < 4; ++w) {
            playWordRight(game);
            checkArcs(game);
        }
        // A failed word keeps its arcs through the reveal and the retry.
        const QString word = currentWord;
        playWordWrong(game);
        QCOMPARE(currentWord, word);
        checkArcs(game);
        // The game ends: the boxes go, and the arcs with them.
        game.cmdReset_Click();
        QCOMPARE(shown(game.syllableArc[0]), shown(game.underScore[0]));
        clearBoxesOfAFinishedWord(game);
    }

    // Each arc stands out from the grass, and the two colours differ in brightness.
    void arcColoursStandOutFromTheGrass() {
        ProgramFolder folder;
        frmRaeuber& game = startGame(folder, true);
        const QImage grass = game.imgGrass->pixmap().toImage();
        QVERIFY(!grass.isNull());
        // The grass's own colour where the arcs lie (the commonest there).
        QHash<QRgb, int> seen;
        for (int y = 104; y < 122 && y < grass.height(); ++y)
            for (int x = 64; x < 664 && x < grass.width(); ++x) ++seen[grass.pixel(x, y)];
        QRgb commonest = 0;
        for (auto it = seen.cbegin(); it != seen.cend(); ++it)
            if (it.value() > seen.value(commonest)) commonest = it.key();
        while (syllables::split(currentWord).size() < 2) playWordRight(game);
        QVERIFY(shown(game.syllableArc[1]));
        const QColor first = game.syllableArc[0]->color(), second = game.syllableArc[1]->color();
        QVERIFY2(contrast(first, QColor(commonest)) >= 3.0, qPrintable(QString::number(contrast(first, QColor(commonest)))));
        QVERIFY2(contrast(second, QColor(commonest)) >= 3.0, qPrintable(QString::number(contrast(second, QColor(commonest)))));
        QVERIFY2(contrast(first, second) >= 2.0, qPrintable(QString::number(contrast(first, second))));
    }

    void f3AndTheButtonSayTheSyllablesWithPauses() {
        ProgramFolder folder;
        frmRaeuber& game = startGame(folder, true);
        QVERIFY(shown(game.imgSyllables));
        QCOMPARE(game.imgSyllables->focusPolicy(), Qt::NoFocus);
        QCOMPARE(game.imgSyllables->accessibleName(), QStringLiteral("Silben anhören"));
        QTest::keyClick(game.LetterInput[0], Qt::Key_F3);
        QCOMPARE(playedLabels(), QStringList{syllables::hyphenated(currentWord)});
        QCOMPARE(game.LetterInput[0]->Text(), QString());  // F3 types nothing
        QCOMPARE(game.focusWidget(), game.LetterInput[0]);
        const platform::Sound sound = platform::playedSounds().last().sound;
        if (!sound.empty()) {  // the voice is installed: a pause between each two syllables
            const int gaps = int(syllables::split(currentWord).size()) - 1;
            QCOMPARE(pausesOf(sound, 100), gaps);
        }
        QTest::mouseClick(game.imgSyllables, Qt::LeftButton);
        QCOMPARE(playedLabels().size(), 2);
        QCOMPARE(game.focusWidget(), game.LetterInput[0]);
        // While the picture is covered the word cannot be heard.
        typeCurrentWord(game);
        QVERIFY(shown(game.lbl_hidePic));
        QVERIFY(!shown(game.imgSyllables));
        QTest::keyClick(game.LetterInput[0], Qt::Key_F3);
        QCOMPARE(playedLabels().size(), 2);
        finishReaction(game);
        QVERIFY(shown(game.imgSyllables));
        QCOMPARE(correctCount, 1);
    }

    void aVoiceSplitHasItsPausesWhateverTheWord() {
        ProgramFolder folder;
        frmRaeuber& game = startGame(folder, true);
        (void)game;
        for (const QString& word : {QStringLiteral("Schneemann"), QStringLiteral("Erdbeere"), QStringLiteral("Banane")}) {
            platform::playedSounds().clear();
            speech::saySyllables(folder.path() + QStringLiteral("\\db\\") + word + QStringLiteral(".png"));
            QCOMPARE(playedLabels(), QStringList{syllables::hyphenated(word)});
            const platform::Sound sound = platform::playedSounds().first().sound;
            if (sound.empty()) QSKIP("no voice installed");
            QCOMPARE(pausesOf(sound, 100), int(syllables::split(word).size()) - 1);
        }
    }

    void aTeachersSyllableRecordingWins() {
        ProgramFolder folder;
        folder.writeFile(QStringLiteral("db/Banane.silben.wav"), toneWav(1.1));
        frmRaeuber& game = startGame(folder, true);
        (void)game;
        platform::playedSounds().clear();
        speech::saySyllables(folder.path() + QStringLiteral("\\db\\Banane.png"));
        const platform::Sound sound = platform::playedSounds().first().sound;
        QVERIFY(sound.source.endsWith(QStringLiteral("Banane.silben.wav")));
        QVERIFY(std::abs(sound.seconds() - 1.1) < 0.01);
        // The word's own recording is not the one in syllables.
        platform::playedSounds().clear();
        folder.writeFile(QStringLiteral("db/Tomate.wav"), toneWav(0.5));
        speech::saySyllables(folder.path() + QStringLiteral("\\db\\Tomate.png"));
        QVERIFY(!platform::playedSounds().first().sound.source.endsWith(QStringLiteral(".wav")));
    }

    void speechOffMeansNoButton() {
        ProgramFolder folder;
        options::current().speech = options::Speech::Off;
        frmRaeuber& game = startGame(folder, true);
        QVERIFY(!shown(game.imgSyllables));
        QTest::keyClick(game.LetterInput[0], Qt::Key_F3);
        QVERIFY(platform::playedSounds().isEmpty());
        QVERIFY(shown(game.syllableArc[0]));  // the arcs need no sound
    }
};

QTEST_MAIN(TestSyllablesScreen)
#include "test_syllables_screen.moc"
