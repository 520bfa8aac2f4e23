// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up screen: its texts and places, its links, and its ways to the menu.
#include <QLabel>
#include <QTest>
#include <QFontMetrics>
#include <QTextLayout>

#include "game/modGlobalVars.h"
#include "mock/TestMode.h"
#include "platform/ui/Form.h"
#include "platform/system/Hooks.h"
#include "platform/system/Links.h"
#include "shell/frmSplash.h"
#include "shell/start.h"
#include "support/GameFixture.h"

using namespace testsupport;
using modGlobalVars::skillLevel;

namespace {

frmSplash& startProgram() {
    shell::startupForm().Show();
    return frmSplash::Default();
}

// The menu's load sets the level to 0: a marker shows whether it loads again.
const int kMarker = 9;

void checkStillUp(frmSplash& splash) {
    QCOMPARE(platform::Forms(), QList<platform::Form*>{&splash});
    QVERIFY(splash.isVisible());
    QVERIFY(splash.Timer1->Enabled());
}

// The menu came once, the start-up screen is gone for good, and nothing follows.
void checkLeftOnce() {
    for (int round = 0; round < 2; ++round) {
        QCOMPARE(platform::Forms().size(), 1);
        QCOMPARE(platform::Forms().first()->objectName(), QStringLiteral("frmAuswahlmenü"));
        QVERIFY(platform::Forms().first()->isVisible());
        QVERIFY(!frmSplash::Existing());
        QCOMPARE(skillLevel, round == 0 ? 0 : kMarker);
        skillLevel = kMarker;
        runFor(5 * 60000);
    }
}

// A click where the user sees `control`, delivered to whatever lies on top there.
void clickOn(QWidget* control, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    QWidget* window = control->window();
    const QPoint inWindow = control->mapTo(window, at);
    QWidget* target = window->childAt(inWindow);
    if (!target) target = window;
    QTest::mouseClick(target, button, {}, target->mapFrom(window, inWindow));
}

}  // namespace

class TestShellSplash : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The first frame does not wait for the session bus: the screen is made and shown
    // without asking whether a screen reader runs.
    void theScreenIsShownWithoutAskingForAScreenReader() {
        ProgramFolder folder;
        int asked = 0;
        auto& hook = platform::hooks().screenReaderRunning;
        const auto before = hook;
        hook = [&asked] { ++asked; return false; };
        startProgram();
        hook = before;
        QCOMPARE(asked, 0);
    }

    void startingShowsTheStartUpScreenOnlyForAMinute() {
        ProgramFolder folder;
        frmSplash& splash = startProgram();
        QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(splash.size(), QSize(656, 475));
        QCOMPARE(splash.Frame1->geometry(), QRect(8, 8, 641, 457));
        skillLevel = kMarker;
        runFor(59999);
        checkStillUp(splash);
        runFor(1);
        checkLeftOnce();
    }

    // The logo's text is rendered right after the screen's first frame, not before it.
    void theLogoIsDrawnRightAfterTheFirstFrame() {
        ProgramFolder folder;
        frmSplash& splash = startProgram();
        const auto* logo = splash.findChild<QLabel*>(QStringLiteral("imgLogo"));
        QVERIFY(logo && logo->pixmap().isNull());
        for (int pass = 0; pass < 10 && logo->pixmap().isNull(); ++pass) QCoreApplication::processEvents();
        QCOMPARE(logo->pixmap().size(), QSize(236, 55));
        QVERIFY(logo->pixmap().toImage().pixelColor(27, 27).alpha() > 0);  // the emblem
    }

    void loadCentresByTheFormsWidthAndWritesTheTexts() {
        ProgramFolder folder;
        frmSplash& unloaded = frmSplash::Default();
        QCOMPARE(unloaded.lblTitel->Left(), 2160.0);
        QCOMPARE(unloaded.lblTitel->Caption(), QStringLiteral("Titel"));
        frmSplash& splash = startProgram();
        QCOMPARE(splash.lblTitel->Left(), 1492.5);
        QCOMPARE(splash.lblTitel->x(), 100);  // 99.5 pixels, rounded only when placed
        QCOMPARE(splash.lblErklaerung->Left(), 1852.5);
        QCOMPARE(splash.lblversion->Left(), 3052.5);
        QCOMPARE(splash.LinkBrolm1->Left(), 3112.5);
        QCOMPARE(splash.lblBrolm2->Left(), 3112.5);
        QCOMPARE(splash.MailFennick1->Left(), 3112.5);
        QCOMPARE(splash.MailFennick1->Top(), 5895.0);
        QCOMPARE(splash.lblAutoren->Left(), 240.0);
        QCOMPARE(splash.lblTitel->Caption(), QStringLiteral("Knorzelbart"));
        QCOMPARE(splash.lblErklaerung->Caption(),
                 QStringLiteral("Ein Sprachlernprogramm für Grundschulen\r\r1. Schuljahr"));
        QCOMPARE(splash.lblversion->Caption(), QStringLiteral("Version 1.1.0"));
        const QStringList address = splash.lblBrolm2->Caption().split('\r');
        QCOMPARE(address.size(), 3);
        QVERIFY(!address.join("").contains('\n'));
        QVERIFY(address[2].startsWith(QStringLiteral("z. Hd. ")));
    }

    void clickingAListedElementLeadsToTheMenu_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QPoint>("at");
        QTest::newRow("form margin") << QStringLiteral("frmSplash") << QPoint(3, 3);
        QTest::newRow("Frame1") << QStringLiteral("Frame1") << QPoint(4, 450);
        QTest::newRow("lblTitel") << QStringLiteral("lblTitel") << QPoint(200, 30);
        QTest::newRow("lblErklaerung") << QStringLiteral("lblErklaerung") << QPoint(200, 10);
        QTest::newRow("lblversion") << QStringLiteral("lblversion") << QPoint(120, 15);
        QTest::newRow("lblAutoren") << QStringLiteral("lblAutoren") << QPoint(10, 5);
        QTest::newRow("lblBrolm2") << QStringLiteral("lblBrolm2") << QPoint(10, 20);
    }
    void clickingAListedElementLeadsToTheMenu() {
        QFETCH(QString, control);
        QFETCH(QPoint, at);
        ProgramFolder folder;
        frmSplash& splash = startProgram();
        QWidget* w = control == "frmSplash" ? &splash : splash.findChild<QWidget*>(control);
        const QWidget* hit = splash.childAt(w->mapTo(&splash, at));
        QCOMPARE(hit ? hit->objectName() : QStringLiteral("frmSplash"), control);
        skillLevel = kMarker;
        clickOn(w, at);
        checkLeftOnce();
    }

    void keysThatMakeACharacterLeadToTheMenu_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("receiver");
        QTest::newRow("letter") << int(Qt::Key_A) << QStringLiteral("frmSplash");
        QTest::newRow("digit") << int(Qt::Key_7) << QStringLiteral("frmSplash");
        QTest::newRow("Enter") << int(Qt::Key_Return) << QStringLiteral("frmSplash");
        QTest::newRow("Escape") << int(Qt::Key_Escape) << QStringLiteral("frmSplash");
        QTest::newRow("Backspace") << int(Qt::Key_Backspace) << QStringLiteral("frmSplash");
        // The form sees the key first, whichever control it is meant for.
        QTest::newRow("to a label") << int(Qt::Key_B) << QStringLiteral("lblBrolm3");
        QTest::newRow("to a link") << int(Qt::Key_C) << QStringLiteral("imgLogo");
    }
    void keysThatMakeACharacterLeadToTheMenu() {
        QFETCH(int, key);
        QFETCH(QString, receiver);
        ProgramFolder folder;
        frmSplash& splash = startProgram();
        skillLevel = kMarker;
        QTest::keyClick(receiver == "frmSplash" ? &splash : splash.findChild<QWidget*>(receiver),
                        Qt::Key(key));
        checkLeftOnce();
    }

    void keysWithoutACharacterAndOtherClicksKeepTheScreen() {
        ProgramFolder folder;
        frmSplash& splash = startProgram();
        for (Qt::Key key : {Qt::Key_Left, Qt::Key_F1, Qt::Key_Shift, Qt::Key_Delete})
            QTest::keyClick(&splash, key);
        runFor(30000);
        clickOn(splash.lblBrolm3, QPoint(100, 10));
        clickOn(splash.lblTitel, QPoint(200, 30), Qt::RightButton);
        // Beside the logo, on its link's surface, over the frame.
        clickOn(splash.LinkBrolm1, QPoint(5, 60));
        QVERIFY(platform::navigatedTargets().isEmpty());
        runFor(29999);  // the minute counts from the load
        checkStillUp(splash);
        runFor(1);
        QVERIFY(!splash.isLoaded());
    }

    void onlyTheFirstWayOutCounts() {
        ProgramFolder folder;
        frmSplash& splash = startProgram();
        skillLevel = kMarker;
        // A double click as the window system delivers it.
        const QPoint at(200, 30);
        QTest::mouseClick(splash.lblTitel, Qt::LeftButton, {}, at);
        QTest::mouseDClick(splash.lblTitel, Qt::LeftButton, {}, at);
        QTest::mouseRelease(splash.lblTitel, Qt::LeftButton, {}, at);
        // Late arrivals before the window is destroyed.
        splash.Timer1_Timer();
        int key = 'x';
        splash.Form_KeyPress(key);
        checkLeftOnce();
    }

    void eachLinkOpensItsAddressAndTheScreenStays_data() {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("toolTip");
        const QString college = QStringLiteral("www.ph-lindental.example.org");
        const QString school = QStringLiteral("www.gs-lindgraben.example.com");
        QTest::newRow("college name") << QStringLiteral("LinkBrolm21") << college << college;
        QTest::newRow("college logo") << QStringLiteral("LinkBrolm1") << college << college;
        QTest::newRow("school name") << QStringLiteral("LinkLindgraben1") << school << school;
        QTest::newRow("mail") << QStringLiteral("MailFennick1")
                              << QStringLiteral("mailto:fennick@example.org")
                              << QStringLiteral("mailto: fennick@example.org");
    }
    void eachLinkOpensItsAddressAndTheScreenStays() {
        QFETCH(QString, link);
        QFETCH(QString, target);
        QFETCH(QString, toolTip);
        ProgramFolder folder;
        frmSplash& splash = startProgram();
        QWidget* control = splash.findChild<QWidget*>(link);
        QWidget* inner = control->findChild<QWidget*>(link == "LinkBrolm1" ? "imgLogo" : "Label1");
        // The hand comes with the first frame on screen, not before it.
        QCOMPARE(inner->cursor().shape(), Qt::ArrowCursor);
        for (int pass = 0; pass < 10 && inner->cursor().shape() != Qt::PointingHandCursor; ++pass)
            QCoreApplication::processEvents();
        QCOMPARE(inner->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(inner->toolTip(), toolTip);
        runFor(10000);
        for (int i = 1; i <= 3; ++i) {
            clickOn(inner, QPoint(5, 5));
            QCOMPARE(platform::navigatedTargets(), QStringList(i, target));
        }
        checkStillUp(splash);
        runFor(50000);
        QVERIFY(!splash.isLoaded());
    }

    void theCreditsLeaveRoomForTheLinksOnTheirSecondLine() {
        ProgramFolder folder;
        frmSplash& splash = startProgram();
        const QString text = splash.lblAutoren->Caption();
        QCOMPARE(text.size(), 206);
        QVERIFY(text.endsWith(QStringLiteral(".  ")) && text.at(text.size() - 4) != QLatin1Char(' '));
        const int first = text.indexOf(QString(38, ' '));
        const int second = text.indexOf(QString(44, ' '));
        QVERIFY(first > 0 && text.at(first - 1) != ' ' && text.at(first + 38) != ' ');
        QVERIFY(second > first && text.at(second - 1) != ' ' && text.at(second + 44) != ' ');

        // Laid out as the label lays it out.
        QTextLayout layout(text, splash.lblAutoren->font());
        layout.setTextOption(QTextOption(Qt::AlignLeft));
        layout.beginLayout();
        QList<QTextLine> lines;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(splash.lblAutoren->width());
            line.setPosition(QPointF(0, lines.size() * line.height()));
            lines << line;
        }
        layout.endLayout();
        QCOMPARE(lines.size(), 2);
        const QPoint origin = splash.lblAutoren->pos();
        const QList<QPair<QRect, int>> links{{splash.LinkBrolm21->geometry(), first},
                                             {splash.LinkLindgraben1->geometry(), second}};
        for (const auto& [link, run] : links) {
            const int length = run == first ? 38 : 44;
            QVERIFY(origin.x() + lines[1].cursorToX(run) <= link.left());
            QVERIFY(origin.x() + lines[1].cursorToX(run + length) >= link.right() + 1);
            QVERIFY(link.top() - origin.y() >= lines[1].y());
            QVERIFY(link.top() - origin.y() < lines[1].y() + lines[1].height());
        }

        // The names fill their runs: each is shown whole by its link and leaves at most two
        // blanks' width of the run empty after it, so the sentence reads without a hole.
        const QList<QPair<platform::Label*, QRect>> names{
            {splash.LinkBrolm21->Label1, splash.LinkBrolm21->geometry()},
            {splash.LinkLindgraben1->Label1, splash.LinkLindgraben1->geometry()}};
        for (int i = 0; i < names.size(); ++i) {
            const auto& [label, link] = names[i];
            const int run = i == 0 ? first : second;
            const int length = i == 0 ? 38 : 44;
            const int width = QFontMetrics(label->font()).horizontalAdvance(label->Caption());
            const double runEnd = origin.x() + lines[1].cursorToX(run + length);
            QVERIFY2(width <= link.width(), qPrintable(label->Caption()));
            QVERIFY2(runEnd - (link.left() + width) <= 2 * QFontMetrics(label->font()).horizontalAdvance(' '),
                     qPrintable(label->Caption()));
        }
    }
};

QTEST_MAIN(TestShellSplash)
#include "test_shell_splash.moc"
