// SPDX-License-Identifier: GPL-3.0-or-later
// Forms at another scale factor: every control keeps its design place and size, and its
// pixels follow the factor; back at 1 the form is exactly as designed.
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "game/Rules.h"
#include "platform/ui/Controls.h"
#include "platform/system/Hooks.h"
#include "platform/ui/MessageBox.h"
#include "raeuber/frmRaeuber.h"
#include "shell/frmAuswahlmenue.h"
#include "support/GameFixture.h"
#include "support/Playthrough.h"

using namespace testsupport;

namespace {

struct Placed {
    QWidget* widget;
    QRect pixels;
    QRectF design;
    qreal points;
};

QList<Placed> controlsOf(platform::Form& form) {
    QList<Placed> list;
    for (QWidget* w : form.findChildren<QWidget*>()) {
        auto* c = dynamic_cast<platform::ControlBase*>(w);
        if (!c) continue;
        list.append({w, w->geometry(), QRectF(c->Left(), c->Top(), c->Width(), c->Height()),
                     w->font().pointSizeF()});
    }
    return list;
}

// Each control's rectangle is its design rectangle times the form's pixels per unit, within
// a pixel, and its font grows by the factor.
void checkScaled(platform::Form& form, const QList<Placed>& atOne, double factor) {
    for (const Placed& p : atOne) {
        const QRect now = p.widget->geometry();
        const double ppu = form.unit() * factor;
        const QPoint origin = p.widget->parentWidget() == &form ? form.sceneOrigin() : QPoint();
        QVERIFY2(std::abs(now.left() - origin.x() - p.design.left() * ppu) <= 1, qPrintable(p.widget->objectName()));
        QVERIFY2(std::abs(now.top() - origin.y() - p.design.top() * ppu) <= 1, qPrintable(p.widget->objectName()));
        QVERIFY2(std::abs(now.width() - p.design.width() * ppu) <= 1, qPrintable(p.widget->objectName()));
        QVERIFY2(std::abs(now.height() - p.design.height() * ppu) <= 1, qPrintable(p.widget->objectName()));
        if (p.points > 0) QCOMPARE(p.widget->font().pointSizeF(), p.points * factor);
    }
}

// What a real message box of the program looks like while it is open; it is answered at once.
struct SeenBox {
    bool seen = false;
    qreal points = 0;
    QSize size;
    QSize button;
    QPoint centre;
};

SeenBox showRealMessageBox(const QString& text) {
    SeenBox seen;
    platform::Hooks& hooks = platform::hooks();
    const auto recorder = hooks.messageBox;
    hooks.messageBox = nullptr;
    QTimer::singleShot(0, [&seen] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(w);
            if (!box || !box->isVisible()) continue;
            seen.seen = true;
            seen.points = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->font().pointSizeF();
            seen.size = box->size();
            seen.button = box->button(QMessageBox::Ok)->size();
            seen.centre = box->geometry().center();
            box->accept();
        }
    });
    platform::MsgBox(text);
    hooks.messageBox = recorder;
    return seen;
}

}  // namespace

class TestScaling : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theGameFormScalesEveryControlAndComesBackExactly() {
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        frmRaeuber& game = openGame(1);
        const QList<Placed> atOne = controlsOf(game);
        QVERIFY(atOne.size() > 60);

        for (double factor : {2.0, 1.37, 0.8}) {
            game.setScale(factor, QPoint(13, 7));
            checkScaled(game, atOne, factor);
            // The game still counts in design pixels.
            game.resize(qRound(790 * factor) + 26, qRound(573 * factor) + 14);
            QVERIFY(std::abs(game.ScaleWidth() - 790) < 1.5);
            QCOMPARE(game.LetterInput[3]->Left(), 56.0 + 40 * 3);
            // The ticks stay in one row, the cover over the picture.
            for (int i = 1; i < rules::kMarks; ++i)
                QCOMPARE(game.img_correct[i]->geometry().top(), game.img_correct[0]->geometry().top());
            QCOMPARE(game.lbl_hidePic->geometry(), game.imgTerm->geometry());
        }
        // Drawn from the pictures made at twice the size: sharp, not blown up.
        game.setScale(2.0, QPoint());
        for (platform::Image* image : {game.img_sun, game.imgtree, game.img_correct[0]}) {
            QCOMPARE(image->pixmap().devicePixelRatio(), 2.0);
            if (!image->Stretch())
                QCOMPARE(image->pixmap().deviceIndependentSize(), QSizeF(image->Width(), image->Height()));
        }
        game.imgRäuber->setPicture(game.imgRäuber->PicturePath());
        QCOMPARE(game.imgRäuber->pixmap().devicePixelRatio(), 2.0);
        QCOMPARE(game.imgRäuber->Width(), 77.0);
        game.setScale(1.0, QPoint());
        QCOMPARE(game.img_sun->pixmap().devicePixelRatio(), 1.0);
        for (const Placed& p : atOne) {
            QCOMPARE(p.widget->geometry(), p.pixels);
            if (p.points > 0) QCOMPARE(p.widget->font().pointSizeF(), p.points);
        }
    }

    // The robber walks the same way at any window size: a step is a share of the scene's
    // design width, not of the window's.
    void theRobberStopsBeforeTheChestAtEveryLevelAndWindowSize() {
        const QList<QSize> sizes = {{790, 573}, {1920, 1080}, {3840, 2160}, {800, 1200}, {400, 300}};
        for (int level = 1; level <= 3; ++level) {
            for (const QSize& size : sizes) {
                ProgramFolder folder;
                folder.addNumberedPictures(20);
                queueFixedChance();
                frmRaeuber& game = openGame(level);
                game.resize(size);
                QCOMPARE(game.ScaleWidth(), 790.0);
                double lastLeft = 0;
                playToDefeat(game, [&](const QString&) {
                    if (!game.isVisible()) return;  // the next game has begun
                    lastLeft = std::max(lastLeft, game.imgRäuber->Left());
                    const QRect robber = game.imgRäuber->geometry();
                    QVERIFY(robber.left() < game.imgChest->geometry().left());
                    QVERIFY(game.rect().contains(robber));
                });
                QVERIFY2(lastLeft > 600 && lastLeft < game.imgChest->Left(),
                         qPrintable(QStringLiteral("level %1, %2×%3").arg(level).arg(size.width()).arg(size.height())));
            }
        }
    }

    // A game played in a large window is followed by a menu of the same scale, centred.
    void theMenuAfterAGameTakesTheGamesFactor() {
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        frmAuswahlmenü& menu = frmAuswahlmenü::Default();
        menu.Show();
        const QSize designed = menu.size();
        frmRaeuber& game = openGame(1);
        menu.setVisible(false);
        game.resize(2 * 790, 2 * 573);
        QCOMPARE(game.scaleFactor(), 2.0);
        game.cmdReset_Click();
        QVERIFY(menu.isVisible());
        QCOMPARE(menu.scaleFactor(), 2.0);
        QCOMPARE(menu.size(), 2 * designed);
        QCOMPARE(menu.txtSpielername->font().pointSizeF(), 24.0);
    }

    // The messages of the program are drawn at its factor, as the scene is: their text, their
    // button and the box grow with it; and they stand in the middle of the game's window.
    void everyMessageBoxTakesTheProgramsFactorAndStandsOnItsForm() {
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        frmRaeuber& game = openGame(1);
        const QString text = QStringLiteral("Schade Mia, du hast verloren.");
        const SeenBox atOne = showRealMessageBox(text);
        QVERIFY(atOne.seen);
        QVERIFY(atOne.points > 0);

        game.resize(2 * 790, 2 * 573);
        QCOMPARE(platform::programScale(), 2.0);
        const SeenBox atTwo = showRealMessageBox(text);
        QVERIFY(atTwo.seen);
        QCOMPARE(atTwo.points, 2 * atOne.points);
        QVERIFY2(atTwo.button.height() >= 1.8 * atOne.button.height() &&
                     atTwo.button.width() >= 1.8 * atOne.button.width(),
                 qPrintable(QStringLiteral("OK button %1×%2 at 2, %3×%4 at 1")
                                .arg(atTwo.button.width()).arg(atTwo.button.height())
                                .arg(atOne.button.width()).arg(atOne.button.height())));
        QVERIFY(atTwo.size.width() >= 1.6 * atOne.size.width());
        QVERIFY(atTwo.size.height() >= 1.6 * atOne.size.height());

        // A small window away from the middle of the screen: the box stands on the window.
        game.resize(395, 287);
        game.move(380, 300);
        QCOMPARE(platform::programScale(), 0.5);
        const SeenBox small = showRealMessageBox(text);
        QVERIFY(small.seen);
        QCOMPARE(small.points, 0.5 * atOne.points);
        const QPoint middle = game.geometry().center();
        QVERIFY2((small.centre - middle).manhattanLength() <= 4,
                 qPrintable(QStringLiteral("box centred at %1,%2, window at %3,%4")
                                .arg(small.centre.x()).arg(small.centre.y()).arg(middle.x()).arg(middle.y())));
    }

    void aTwipFormScalesLikeAPixelForm() {
        ProgramFolder folder;
        frmAuswahlmenü& menu = frmAuswahlmenü::Default();
        const QList<Placed> atOne = controlsOf(menu);
        menu.setScaleFactor(1.5);
        checkScaled(menu, atOne, 1.5);
        menu.setScaleFactor(1.0);
        for (const Placed& p : atOne) QCOMPARE(p.widget->geometry(), p.pixels);
    }

    void aControlThatNeverTakesTheFocusKeepsItOutOfReach() {
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        frmRaeuber& game = openGame(1);
        game.cmdReset->setTakesFocus(false);
        QVERIFY(!game.cmdReset->TakesFocus());
        game.cmdReset->setFocus();
        QVERIFY(!game.cmdReset->hasFocus());
        QTest::mouseClick(game.cmdReset, Qt::LeftButton);
        QVERIFY(!game.cmdReset->hasFocus());
    }
};

QTEST_MAIN(TestScaling)
#include "test_scaling.moc"
