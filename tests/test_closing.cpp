// SPDX-License-Identifier: GPL-3.0-or-later
// Closing the game window at every moment of a game: the preview, the typing, the
// assistant's reactions, the reveal, the robber's walk, the victory and defeat sequences and
// their messages, and the menu after them. The program ends every time, and no form is freed
// while one of its handlers still runs: a close that comes during a blocking wait (the walk,
// a message box) is carried out once the wait is over.
#include <QCloseEvent>
#include <QCoreApplication>
#include <QPointer>
#include <QTest>
#include <functional>

#include "game/modGlobalVars.h"
#include "platform/ui/Form.h"
#include "platform/system/Handling.h"
#include "mock/TestMode.h"
#include "raeuber/frmRaeuber.h"
#include "shell/frmAuswahlmenue.h"
#include "shell/frmSplash.h"
#include "shell/start.h"
#include "support/GameFixture.h"
#include "support/Menu.h"
#include "support/Playthrough.h"

using namespace testsupport;
using namespace modGlobalVars;

namespace {

// From the start of the program through the menu into a game, as a child gets there.
frmRaeuber& startThroughMenu(int level) {
    frmAuswahlmenü& menu = startToMenu();
    menu.txtSpielername->setText(QStringLiteral("Mia"));
    if (level == 1) menu.cmdLevel1_Click();
    if (level == 3) menu.cmdLevel3_Click();
    return frmRaeuber::Default();
}

// The window's close box, as the window system delivers it: at once, or queued so that the
// next handling of events delivers it (the robber's walk handles the events that wait).
void closeNow(QWidget& window) {
    QCloseEvent event;
    QCoreApplication::sendEvent(&window, &event);
}
void closeQueued(QWidget& window) { QCoreApplication::postEvent(&window, new QCloseEvent); }

void typeWrongLetter(frmRaeuber& game) { typeInto(game.LetterInput[0], QStringLiteral("#")); }

// Runs the clock until the condition holds (at most `limitMs`).
bool runUntil(const std::function<bool()>& condition, int limitMs = 30000) {
    for (int t = 0; t < limitMs && !condition(); t += 10) runFor(10);
    return condition();
}

}  // namespace

class TestClosing : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void aCloseAtAnyMomentEndsTheProgramAndNeverFreesABusyForm_data() {
        QTest::addColumn<QString>("moment");
        for (const char* moment : {"preview", "typing", "reaction to a right word", "reaction to a wrong word",
                                   "reveal", "walk", "walk to the chest", "victory sequence", "victory message",
                                   "defeat sequence", "defeat message", "menu after the game"})
            QTest::newRow(moment) << QString::fromLatin1(moment);
    }
    void aCloseAtAnyMomentEndsTheProgramAndNeverFreesABusyForm() {
        QFETCH(QString, moment);
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        queueFixedChance();
        const bool defeat = moment.startsWith(QLatin1String("defeat")) || moment == QLatin1String("walk to the chest");
        frmRaeuber& game = startThroughMenu(defeat ? 3 : 1);
        frmAuswahlmenü& menu = frmAuswahlmenü::Default();

        // Whether a form was freed while a handler of the program was still running.
        bool freedWhileBusy = false;
        int freed = 0;
        for (QObject* form : {static_cast<QObject*>(&game), static_cast<QObject*>(&menu)}) {
            connect(form, &QObject::destroyed, this, [&] {
                freedWhileBusy = freedWhileBusy || platform::handling();
                ++freed;
            });
        }
        QPointer<frmRaeuber> gameAlive(&game);

        if (moment == "preview") {
            QVERIFY(game.tmr_hideWordPreview->Enabled());
            closeNow(game);
        } else if (moment == "typing") {
            typeInto(game.LetterInput[0], wordLetters[0]);
            closeNow(game);
        } else if (moment == "reaction to a right word") {
            typeCurrentWord(game);
            runFor(700);
            QVERIFY(game.tmr_assistantAnimation->Enabled() || game.tmr_assistantResize->Enabled());
            closeNow(game);
        } else if (moment == "reaction to a wrong word") {
            typeWrongLetter(game);
            runFor(700);
            closeNow(game);
        } else if (moment == "reveal") {
            typeWrongLetter(game);
            QVERIFY(runUntil([&] { return revealPos == 2; }));
            closeNow(game);
        } else if (moment == "walk" || moment == "walk to the chest") {
            const int wrongBefore = maxWrongWords - 1;
            for (int word = 0; moment == "walk to the chest" && word < wrongBefore; ++word) playWordWrong(game);
            const int crosses = wrongCount;
            typeWrongLetter(game);
            // The close waits in the queue until the walk handles the events that came
            // meanwhile: no handler before it delivers queued events.
            QVERIFY(runUntil([&] { return revealPos == wordLength; }));
            closeQueued(game);
            runUntil([&] { return wrongCount == crosses + 1; });
            // The walk went on to its end before the close was carried out.
            QCOMPARE(wrongCount, crosses + 1);
        } else if (moment == "victory sequence" || moment == "victory message") {
            if (moment == "victory message") platform::onMessageBox([&](const auto&) { closeNow(game); });
            for (int word = 0; word < rules::kWordsToWin && !game.tmrGewonnen->Enabled(); ++word)
                playWordRight(game);
            QVERIFY(game.tmrGewonnen->Enabled());
            runFor(moment == "victory message" ? 5000 : 400);
            if (moment == "victory sequence") {
                QVERIFY(game.tmrGewonnen->Enabled());
                closeNow(game);
            }
        } else if (moment == "defeat sequence" || moment == "defeat message") {
            if (moment == "defeat message") platform::onMessageBox([&](const auto&) { closeNow(game); });
            while (!game.tmrVerloren->Enabled() && wrongCount < maxWrongWords) playWordWrong(game);
            QVERIFY(game.tmrVerloren->Enabled());
            runFor(moment == "defeat message" ? 5000 : 300);
            if (moment == "defeat sequence") {
                QVERIFY(game.tmrVerloren->Enabled());
                closeNow(game);
            }
        } else if (moment == "menu after the game") {
            game.cmdReset_Click();
            QVERIFY(menu.isVisible());
            closeNow(menu);
        }

        // Whatever was still running has run; the deletions the event loop would carry out next.
        runFor(20000);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY2(!freedWhileBusy, "a form was freed while a handler of the program still ran");
        QVERIFY(platform::programHasEnded());
        QVERIFY(platform::Forms().isEmpty());
        QVERIFY(gameAlive.isNull());
        QCOMPARE(freed, 2);
        QVERIFY(!platform::handling());
    }
};

QTEST_MAIN(TestClosing)
#include "test_closing.moc"
