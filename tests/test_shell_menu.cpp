// SPDX-License-Identifier: GPL-3.0-or-later
// The selection menu: the name, the three levels, the way into the game and back, and the
// two ways to end the program.
#include <QTest>

#include "game/modGlobalVars.h"
#include "mock/TestMode.h"
#include "platform/ui/Form.h"
#include "platform/ui/Input.h"
#include "platform/system/Program.h"
#include "raeuber/frmRaeuber.h"
#include "shell/frmAuswahlmenue.h"
#include "shell/frmSplash.h"
#include "shell/start.h"
#include "support/GameFixture.h"
#include "support/Menu.h"

using namespace testsupport;
using namespace modGlobalVars;

namespace {

frmRaeuber& playLevel(frmAuswahlmenü& menu, int level, const QString& name) {
    menu.txtSpielername->setText(name);
    if (level == 1) menu.cmdLevel1_Click();
    if (level == 2) menu.cmdLevel2_Click();
    if (level == 3) menu.cmdLevel3_Click();
    return frmRaeuber::Default();
}

}  // namespace

class TestShellMenu : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theMenuIsASmallFixedWindowWithTheNameFirst() {
        ProgramFolder folder;
        skillLevel = 3;
        frmAuswahlmenü& menu = startToMenu();
        QCOMPARE(skillLevel, 0);
        QCOMPARE(menu.size(), QSize(337, 145));
        QCOMPARE(menu.minimumSize(), menu.maximumSize());
        QVERIFY(!(menu.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QCOMPARE(menu.cmdLevel3->geometry(), QRect(264, 48, 57, 57));
        QCOMPARE(menu.focusWidget(), menu.txtSpielername);
        QList<QWidget*> tabStops{menu.txtSpielername};
        for (QWidget* w = tabStops[0]->nextInFocusChain(); w != tabStops[0]; w = w->nextInFocusChain())
            if (w->focusPolicy() & Qt::TabFocus) tabStops << w;
        QCOMPARE(tabStops, (QList<QWidget*>{menu.txtSpielername, menu.cmdLevel1, menu.cmdLevel2,
                                            menu.cmdLevel3, menu.cmdAbbruch}));
        typeInto(menu.txtSpielername, QStringLiteral("Maximiliane-Sophie-Charlotte"));
        QCOMPARE(menu.txtSpielername->Text().size(), 25);
    }

    void anEmptyNameIsRefused() {
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        frmAuswahlmenü& menu = startToMenu();
        for (QPushButton* button : {menu.cmdLevel1, menu.cmdLevel2, menu.cmdLevel3}) {
            menu.cmdAbbruch->setFocus();
            QTest::mouseClick(button, Qt::LeftButton);
            QCOMPARE(menu.focusWidget(), menu.txtSpielername);
        }
        QCOMPARE(skillLevel, 0);
        QCOMPARE(playerName, QString());
        QCOMPARE(maxWrongWords, 0);
        QVERIFY(menu.isVisible());
        QVERIFY(!frmRaeuber::Existing());
    }

    void aSingleBlankIsANameAndTheGameTakesTheFocus() {
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        frmAuswahlmenü& menu = startToMenu();
        typeInto(menu.txtSpielername, QStringLiteral(" "));
        menu.cmdLevel1_Click();
        frmRaeuber& game = frmRaeuber::Default();
        QCOMPARE(playerName, QStringLiteral(" "));
        QVERIFY(game.isVisible());
        QVERIFY(!menu.isVisible());
        QCOMPARE(game.focusWidget(), game.LetterInput[0]);
        QCOMPARE(platform::Forms(), (QList<platform::Form*>{&menu, &game}));
    }

    void eachLevelStoresItsRow_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("stepScale");
        QTest::addColumn<int>("wrongWords");
        QTest::newRow("leicht") << 1 << 1 << 15;
        QTest::newRow("mittel") << 2 << 1 << 15;
        QTest::newRow("schwer") << 3 << 3 << 5;
    }
    void eachLevelStoresItsRow() {
        QFETCH(int, level);
        QFETCH(int, stepScale);
        QFETCH(int, wrongWords);
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        playLevel(startToMenu(), level, QStringLiteral("Ben"));
        QCOMPARE(playerName, QStringLiteral("Ben"));
        QCOMPARE(skillLevel, level);
        QCOMPARE(robberStepScale, stepScale);
        QCOMPARE(maxWrongWords, wrongWords);
    }

    void theNextGameKeepsTheNameAndDoesNotReloadTheGame() {
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        frmAuswahlmenü& menu = startToMenu();
        frmRaeuber& game = playLevel(menu, 3, QStringLiteral("Mia"));
        playWordRight(game);
        game.cmdReset_Click();
        QVERIFY(menu.isVisible());
        QCOMPARE(menu.txtSpielername->Text(), QStringLiteral("Mia"));
        const int names = imageCount;  // a load of the game would read the folder again
        menu.cmdLevel2_Click();
        QCOMPARE(imageCount, names);
        QCOMPARE(skillLevel, 2);
        QCOMPARE(robberStepScale, 1);
        QCOMPARE(maxWrongWords, 15);
        QVERIFY(game.isVisible());
        QCOMPARE(platform::Forms(), (QList<platform::Form*>{&menu, &game}));
    }

    // After a game the kept name is selected: the next child's typing replaces it, and a
    // returning child only clicks a level.
    void theKeptNameIsSelectedSoTheNextChildTypesOverIt() {
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        frmAuswahlmenü& menu = startToMenu();
        frmRaeuber& game = playLevel(menu, 1, QStringLiteral("Al"));
        playWordRight(game);
        game.cmdReset_Click();
        QVERIFY(menu.isVisible());
        QCOMPARE(menu.focusWidget(), menu.txtSpielername);
        QCOMPARE(menu.txtSpielername->selectedText(), QStringLiteral("Al"));
        for (const QChar c : QStringLiteral("Ben")) platform::typeCharacter(menu.txtSpielername, c);
        QCOMPARE(menu.txtSpielername->Text(), QStringLiteral("Ben"));
        menu.cmdLevel1_Click();
        QCOMPARE(playerName, QStringLiteral("Ben"));
        game.cmdReset_Click();
        QCOMPARE(menu.txtSpielername->selectedText(), QStringLiteral("Ben"));
        menu.cmdLevel2_Click();
        QCOMPARE(playerName, QStringLiteral("Ben"));
        QVERIFY(game.isVisible());
    }

    void cancelAndTheCloseBoxEndTheProgram_data() {
        QTest::addColumn<bool>("afterAGame");
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("cancel before a game") << false << false;
        QTest::newRow("cancel after a game") << true << false;
        QTest::newRow("close box before a game") << false << true;
        QTest::newRow("close box after a game") << true << true;
    }
    void cancelAndTheCloseBoxEndTheProgram() {
        QFETCH(bool, afterAGame);
        QFETCH(bool, closeBox);
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        frmAuswahlmenü& menu = startToMenu();
        if (afterAGame) playLevel(menu, 2, QStringLiteral("Mia")).cmdReset_Click();
        if (closeBox)
            menu.close();
        else
            QTest::mouseClick(menu.cmdAbbruch, Qt::LeftButton);
        QVERIFY(platform::programHasEnded());
        QVERIFY(platform::Forms().isEmpty());
        QVERIFY(!frmRaeuber::Existing());
    }

    void aGameWithoutPicturesEndsTheProgramInsideTheLevelButton() {
        ProgramFolder folder;  // an empty picture folder
        frmAuswahlmenü& menu = startToMenu();
        menu.txtSpielername->setText(QStringLiteral("Mia"));
        QVERIFY_THROWS_EXCEPTION(platform::ProgramEnded, menu.cmdLevel1_Click());
        QVERIFY(menu.isVisible());  // the steps after showing the game did not run
    }

    void theChosenLevelDecidesTheFirstPreviewFromTheShowing() {
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        frmAuswahlmenü& menu = startToMenu();
        frmRaeuber& game = playLevel(menu, 2, QStringLiteral("Mia"));
        runFor(2999);
        QVERIFY(shown(game.lbl_wordPreview));
        runFor(1);
        QVERIFY(!shown(game.lbl_wordPreview));
        // After a level-2 game the child takes its time in the menu, then picks level 1.
        game.cmdReset_Click();
        runFor(5000);
        menu.cmdLevel1_Click();
        runFor(20000);
        QVERIFY(shown(game.lbl_wordPreview));
        // Level 3 after a quick choice: the preview still gets its three seconds.
        game.cmdReset_Click();
        runFor(2000);
        menu.cmdLevel3_Click();
        runFor(2999);
        QVERIFY(shown(game.lbl_wordPreview));
        runFor(1);
        QVERIFY(!shown(game.lbl_wordPreview));
    }
};

QTEST_MAIN(TestShellMenu)
#include "test_shell_menu.moc"
