// SPDX-License-Identifier: GPL-3.0-or-later
// The spoken word on the game screen: the speaker button and F2, when they may be used, and
// what each speech setting does at a new picture, at the reveal and to the written preview.
#include <QTest>

#include "game/Options.h"
#include "game/modGlobalVars.h"
#include "mock/TestMode.h"
#include "raeuber/frmRaeuber.h"
#include "support/GameFixture.h"
#include "support/Playthrough.h"

using namespace testsupport;
using namespace modGlobalVars;

namespace {

// A game started as the menu starts it, with the given speech setting.
frmRaeuber& startGame(ProgramFolder& folder, options::Speech speech, int level = 1) {
    options::current().speech = speech;
    folder.addNumberedPictures(20);
    frmRaeuber& game = openGame(level);
    game.showFirstWordPreview();
    return game;
}

void pressF2(frmRaeuber& game) { QTest::keyClick(game.LetterInput[0], Qt::Key_F2); }

}  // namespace

class TestSpeaker : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { options::current() = options::Options{}; }

    void theButtonAndF2SayTheWordAndLeaveTheFocusInTheBox() {
        ProgramFolder folder;
        frmRaeuber& game = startGame(folder, options::Speech::Button);
        QVERIFY(shown(game.imgSpeaker));
        QVERIFY(playedLabels().isEmpty());  // on the button only: nothing said by itself
        QCOMPARE(game.imgSpeaker->focusPolicy(), Qt::NoFocus);
        QTest::mouseClick(game.imgSpeaker, Qt::LeftButton);
        QCOMPARE(playedLabels(), QStringList{currentWord});
        QCOMPARE(game.focusWidget(), game.LetterInput[0]);
        pressF2(game);
        QCOMPARE(playedLabels(), (QStringList{currentWord, currentWord}));
        QCOMPARE(game.LetterInput[0]->Text(), QString());  // F2 types nothing
        // The rest of the word plays as always.
        const int before = correctCount;
        playWordRight(game);
        QCOMPARE(correctCount, before + 1);
        QCOMPARE(playedLabels().size(), 2);
    }

    void whileThePictureIsCoveredTheWordCannotBeHeard() {
        ProgramFolder folder;
        frmRaeuber& game = startGame(folder, options::Speech::Button);
        const QString first = currentWord;
        typeCurrentWord(game);  // the assistant's reaction covers the picture
        QVERIFY(shown(game.lbl_hidePic));
        QVERIFY(!shown(game.imgSpeaker));
        pressF2(game);
        QTest::mouseClick(game.imgSpeaker, Qt::LeftButton);
        QVERIFY(playedLabels().isEmpty());
        finishReaction(game);
        QVERIFY(currentWord != first);
        QVERIFY(!shown(game.lbl_hidePic));
        QVERIFY(shown(game.imgSpeaker));
        pressF2(game);
        QCOMPARE(playedLabels(), QStringList{currentWord});
    }

    void offMeansNoButtonAndSilence() {
        ProgramFolder folder;
        frmRaeuber& game = startGame(folder, options::Speech::Off);
        QVERIFY(!shown(game.imgSpeaker));
        pressF2(game);
        playWordRight(game);
        playWordWrong(game);
        QVERIFY(!shown(game.imgSpeaker));
        QVERIFY(playedLabels().isEmpty());
        QVERIFY(shown(game.lbl_wordPreview));  // the preview as always
    }

    void automaticSpeaksAtEachNewPictureAndAtTheReveal() {
        ProgramFolder folder;
        frmRaeuber& game = startGame(folder, options::Speech::Automatic);
        const QString first = currentWord;
        QCOMPARE(playedLabels(), QStringList{first});
        playWordRight(game);
        const QString second = currentWord;
        QCOMPARE(playedLabels(), (QStringList{first, second}));
        playWordWrong(game);  // the reveal says the word; the retry of the same word does not
        QCOMPARE(currentWord, second);
        QCOMPARE(playedLabels(), (QStringList{first, second, second}));
        QVERIFY(shown(game.imgSpeaker));
        QVERIFY(shown(game.lbl_wordPreview));
    }

    // Where the game speaks without being asked, it says the end of a game's message too;
    // on the button only, or with speech off, it stays silent.
    void theEndMessageIsSaidWhereTheGameSpeaksUnasked_data() {
        QTest::addColumn<int>("speech");
        QTest::addColumn<bool>("victory");
        QTest::addColumn<bool>("said");
        QTest::newRow("automatic, victory") << int(options::Speech::Automatic) << true << true;
        QTest::newRow("automatic, defeat") << int(options::Speech::Automatic) << false << true;
        QTest::newRow("dictation, victory") << int(options::Speech::Dictation) << true << true;
        QTest::newRow("dictation, defeat") << int(options::Speech::Dictation) << false << true;
        QTest::newRow("button, victory") << int(options::Speech::Button) << true << false;
        QTest::newRow("off, defeat") << int(options::Speech::Off) << false << false;
    }
    void theEndMessageIsSaidWhereTheGameSpeaksUnasked() {
        QFETCH(int, speech);
        QFETCH(bool, victory);
        QFETCH(bool, said);
        ProgramFolder folder;
        frmRaeuber& game = startGame(folder, options::Speech(speech), victory ? 1 : 3);
        QStringList whileShown;
        platform::onMessageBox([&](const platform::ShownMessage&) { whileShown = playedLabels(); });
        const QString message = victory ? playToVictory(game, 0) : playToDefeat(game);
        QVERIFY(!message.isEmpty());
        QCOMPARE(!whileShown.isEmpty() && whileShown.last() == message, said);
        QVERIFY(!playedLabels().contains(message) || said);
    }

    void dictationNeverShowsTheWrittenWordAndPlaysAsAlways() {
        ProgramFolder folder;
        frmRaeuber& game = startGame(folder, options::Speech::Dictation);
        QVERIFY(!shown(game.lbl_wordPreview));
        QCOMPARE(playedLabels(), QStringList{currentWord});
        QVERIFY(shown(game.imgSpeaker));
        playWordRight(game);
        QVERIFY(!shown(game.lbl_wordPreview));
        QCOMPARE(correctCount, 1);
        const QString second = currentWord;
        playWordWrong(game);
        QVERIFY(!shown(game.lbl_wordPreview));
        QCOMPARE(wrongCount, 1);
        // Said at the reveal, and again when the empty boxes wait for the retry.
        QCOMPARE(playedLabels().size(), 4);
        QCOMPARE(playedLabels().mid(2), (QStringList{second, second}));
        // The game ends and the next one starts from the menu: still no written word.
        game.cmdReset_Click();
        game.Show();
        game.showFirstWordPreview();
        QVERIFY(!shown(game.lbl_wordPreview));
    }
};

QTEST_MAIN(TestSpeaker)
#include "test_speaker.moc"
