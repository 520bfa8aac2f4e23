// SPDX-License-Identifier: GPL-3.0-or-later
// The game screen as created and as its load handler leaves it.
#include <QTest>

#include "game/modGlobalVars.h"
#include "platform/ui/Form.h"
#include "raeuber/frmRaeuber.h"
#include "support/GameFixture.h"

using namespace testsupport;
using namespace modGlobalVars;

class TestLayout : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void createdFormShowsOnlyTheSceneryAndNoTimerRuns() {
        ProgramFolder folder;
        frmRaeuber& game = frmRaeuber::Default();  // created, not loaded
        QVERIFY(!game.isLoaded());
        for (int i = 0; i < 15; ++i) {
            QVERIFY(!shown(game.LetterInput[i]));
            QVERIFY(!shown(game.underScore[i]));
            QVERIFY(!shown(game.img_correct[i]));
            QVERIFY(!shown(game.img_wrong[i]));
        }
        QVERIFY(!shown(game.lbl_hidePic));
        for (QWidget* w : std::initializer_list<QWidget*>{
                 game.cmdReset, game.mushroom, game.imgtree, game.imgfence, game.imgRäuber,
                 game.imgChest, game.imgTerm, game.img_sun, game.img_assistant, game.lbl_wrong,
                 game.lbl_right, game.lbl_wordPreview, game.imgGrass})
            QVERIFY2(shown(w), qPrintable(w->objectName()));
        for (platform::Timer* t : game.findChildren<platform::Timer*>()) QVERIFY(!t->Enabled());
        QCOMPARE(game.findChildren<platform::Timer*>().size(), 6);
        QCOMPARE(game.tmr_display->Interval(), 0);
        QCOMPARE(game.cmdReset->Caption(), QStringLiteral("Ende"));
        QCOMPARE(game.windowTitle(), QStringLiteral("Stoppt den Räuber Knorzelbart!"));
    }

    void controlsStandWhereTheLayoutPutsThem() {
        ProgramFolder folder;
        frmRaeuber& game = frmRaeuber::Default();
        QCOMPARE(game.lbl_hidePic->geometry(), game.imgTerm->geometry());
        QCOMPARE(game.imgTerm->geometry(), QRect(8, 8, 100, 100));
        QCOMPARE(game.LetterInput[0]->geometry(), QRect(56, 440, 33, 33));
        QCOMPARE(game.LetterInput[14]->geometry(), QRect(616, 440, 33, 33));
        QCOMPARE(game.img_correct[0]->geometry(), QRect(208, 8, 20, 20));
        QCOMPARE(game.img_correct[14]->geometry(), QRect(432, 8, 20, 20));
        QCOMPARE(game.img_wrong[14]->geometry(), QRect(432, 32, 20, 20));
        // Lines from the left edge of their box, 32 px long, 3 px wide, centred on row 480.
        QCOMPARE(game.underScore[0]->geometry().left(), 56);
        QCOMPARE(game.underScore[14]->geometry().right() + 1, 648);
        QVERIFY(game.underScore[0]->geometry().contains(60, 480));
        QCOMPARE(game.imgRäuber->geometry(), QRect(0, 296, 77, 84));
        QCOMPARE(game.imgChest->geometry(), QRect(704, 350, 32, 42));
        QCOMPARE(game.imgGrass->geometry(), QRect(-8, 376, 800, 200));
        QCOMPARE(game.img_assistant->geometry(), QRect(480, 88, 9, 9));
        QCOMPARE(game.ScaleWidth(), 790.0);
    }

    // What holds at any size of the scene: the cover lies over the picture, the marks and
    // the boxes form rows, each underline lies under its box, the robber and the chest stand
    // on the grass, and the stacking order keeps the robber behind the scenery it passes.
    void controlsKeepTheirRelationsAtEveryScale_data() {
        QTest::addColumn<double>("factor");
        QTest::newRow("as designed") << 1.0;
        QTest::newRow("projector") << 1.5;
        QTest::newRow("whiteboard") << 2.4;
        QTest::newRow("small screen") << 0.8;
    }

    void controlsKeepTheirRelationsAtEveryScale() {
        QFETCH(double, factor);
        ProgramFolder folder;
        frmRaeuber& game = frmRaeuber::Default();
        game.setScale(factor, QPoint(17, 5));
        QCOMPARE(game.lbl_hidePic->geometry(), game.imgTerm->geometry());
        for (int i = 1; i < 15; ++i) {
            const QRect tick = game.img_correct[i]->geometry(), before = game.img_correct[i - 1]->geometry();
            QCOMPARE(tick.top(), before.top());
            QVERIFY(tick.left() > before.left());
            QVERIFY(game.img_wrong[i]->geometry().top() > tick.top());
            const QRect box = game.LetterInput[i]->geometry(), left = game.LetterInput[i - 1]->geometry();
            QCOMPARE(box.top(), left.top());
            QVERIFY(box.left() > left.right());  // a gap between the boxes
            QCOMPARE(box.size(), left.size());
            const QRect line = game.underScore[i]->geometry();
            QVERIFY(line.top() > box.bottom());
            QVERIFY(std::abs(line.left() - box.left()) <= 1);
        }
        const int grass = game.imgGrass->geometry().top();
        QVERIFY(std::abs(game.imgRäuber->geometry().bottom() + 1 - grass) <= 2 + factor * 4);
        QVERIFY(game.imgChest->geometry().top() < grass && game.imgChest->geometry().bottom() > grass);
        QVERIFY(game.imgRäuber->geometry().right() < game.imgChest->geometry().left());
        QVERIFY(game.img_sun->geometry().left() > game.imgTerm->geometry().right());
        const QObjectList& order = game.children();
        QVERIFY(order.indexOf(game.lbl_hidePic) > order.indexOf(game.imgTerm));
        QVERIFY(order.indexOf(game.mushroom) > order.indexOf(game.imgRäuber));
        QVERIFY(order.indexOf(game.imgRäuber) > order.indexOf(game.imgChest));
        QVERIFY(order.indexOf(game.imgRäuber) > order.indexOf(game.imgGrass));
    }

    void loadingTheFormSetsTheStartValuesAndTheFirstWord() {
        ProgramFolder folder;
        folder.addPictures({QStringLiteral("Hund.png")});
        assistantPlaying = true;  // left as it is by the load
        frmRaeuber& game = openGame(1);
        QVERIFY(game.isLoaded());
        QVERIFY(game.isVisible());
        QCOMPARE(game.size(), QSize(790, 573));
        QCOMPARE(firstPaintPending, true);
        QCOMPARE(assistantFirstCycle, true);
        QCOMPARE(assistantGrowSteps, 5);
        QCOMPARE(assistantFrame, 5);
        QCOMPARE(correctCount, 0);
        QCOMPARE(wrongCount, 0);
        QCOMPARE(endFrame, 0);
        QCOMPARE(game.tmr_display->Interval(), 1000);
        QCOMPARE(game.tmr_hideWordPreview->Interval(), 3000);
        QCOMPARE(robberStartLeft, 0);
        QCOMPARE(robberStartTop, 296);
        QCOMPARE(assistantPlaying, true);
        QVERIFY(game.KeyPreview);

        QCOMPARE(currentWord, QStringLiteral("Hund"));
        QCOMPARE(game.lbl_wordPreview->Caption(), QStringLiteral("Hund"));
        QVERIFY(shown(game.lbl_wordPreview));
        QVERIFY(!shown(game.lbl_hidePic));
        QVERIFY(!game.imgTerm->pixmap().isNull());
        for (int i = 0; i < 15; ++i) {
            QCOMPARE(shown(game.LetterInput[i]), i < 4);
            QCOMPARE(shown(game.underScore[i]), i < 4);
            QCOMPARE(game.LetterInput[i]->Locked(), i != 0);
            QVERIFY(game.LetterInput[i]->Text().isEmpty());
        }
        QCOMPARE(game.tmr_hideWordPreview->Enabled(), true);
        QCOMPARE(game.imgRäuber->PicturePath().endsWith(QStringLiteral("räuberrechts.gif")), true);
    }

    void theFormLoadsOnceAndTheRobberIsTakenFromItsFile() {
        ProgramFolder folder;
        folder.addNumberedPictures(3);
        frmRaeuber& game = openGame(1);
        game.setVisible(false);
        const QString word = currentWord;
        game.Show();
        QCOMPARE(currentWord, word);  // no second load
        QCOMPARE(platform::Forms().count(), 1);
    }
};

QTEST_MAIN(TestLayout)
#include "test_layout.moc"
