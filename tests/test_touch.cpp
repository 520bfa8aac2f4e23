// SPDX-License-Identifier: GPL-3.0-or-later
// A finger instead of mouse and keyboard: the start-up screen, the menu with its name keys
// and levels, a word typed with the on-screen keys, "Ende" and "x", all with touch events
// only. A touch screen exists in this process, so the keys are shown automatically.
#include <QPointingDevice>
#include <QTest>

#include "game/Options.h"
#include "game/modGlobalVars.h"
#include "platform/ui/LetterKeys.h"
#include "mock/TestMode.h"
#include "raeuber/frmRaeuber.h"
#include "shell/frmAuswahlmenue.h"
#include "shell/frmSplash.h"
#include "shell/start.h"
#include "support/GameFixture.h"

using namespace testsupport;
using namespace modGlobalVars;
using platform::LetterKeyboard;

namespace {

QPointingDevice* touchScreen = nullptr;

// A finger put down on the middle of the widget and lifted again.
void touch(QWidget* widget) {
    QVERIFY(widget);
    QVERIFY2(widget->isVisible(), qPrintable(widget->objectName()));
    const QPoint centre = widget->rect().center();
    QTest::touchEvent(widget->window(), touchScreen).press(0, widget->mapTo(widget->window(), centre));
    QTest::touchEvent(widget->window(), touchScreen).release(0, widget->mapTo(widget->window(), centre));
}

void touchText(LetterKeyboard* keys, const QString& text) {
    for (const QChar c : text) {
        if (c.isUpper()) touch(keys->key(QChar(LetterKeyboard::kShift)));
        touch(keys->key(c.toLower()));
    }
}

}  // namespace

class TestTouch : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { touchScreen = QTest::createTouchDevice(); }
    void init() { options::current() = options::Options(); }

    void aTouchScreenShowsTheKeysByItself() {
        ProgramFolder folder;
        folder.addNumberedPictures(3);
        QVERIFY(platform::touchScreenPresent());
        frmRaeuber& game = openGame(1);
        QVERIFY(game.letterKeys->isVisible());
        QVERIFY(frmAuswahlmenü::Default().nameKeys);
    }

    void aTeacherCanSwitchThemOffOnATouchScreen() {
        ProgramFolder folder;
        folder.addNumberedPictures(3);
        options::current().letterKeys = options::LetterKeys::Off;
        frmRaeuber& game = openGame(1);
        QVERIFY(!game.letterKeys->isVisible());
        QVERIFY(!frmAuswahlmenü::Default().nameKeys);
    }

    void fromTheStartUpScreenThroughAWordToEndWithAFinger() {
        ProgramFolder folder;
        folder.addPictures({QStringLiteral("Bär.png"), QStringLiteral("Bär2.png")});
        shell::startupForm().Show();
        frmSplash& splash = frmSplash::Default();
        touch(splash.lblTitel);
        QVERIFY(!frmSplash::Existing());
        frmAuswahlmenü& menu = frmAuswahlmenü::Default();
        QVERIFY(menu.isVisible());

        // The name with the menu's keys, after a finger has put the focus into the box.
        touch(menu.txtSpielername);
        QCOMPARE(menu.focusWidget(), menu.txtSpielername);
        touchText(menu.nameKeys, QStringLiteral("Tom"));
        QCOMPARE(menu.txtSpielername->Text(), QStringLiteral("Tom"));
        touch(menu.cmdLevel1);
        frmRaeuber& game = frmRaeuber::Default();
        QVERIFY(game.isVisible());
        QCOMPARE(playerName, QStringLiteral("Tom"));

        // A word with a capital and an umlaut, typed with a finger on the game's keys.
        const QString word = currentWord;
        QVERIFY(word.startsWith(QStringLiteral("Bär")));
        touchText(game.letterKeys, word);
        QCOMPARE(correctCount, 1);
        QVERIFY(shown(game.img_correct[0]));
        finishReaction(game);

        // The speaker button hears a finger too.
        QVERIFY(shown(game.imgSpeaker));
        platform::playedSounds().clear();
        touch(game.imgSpeaker);
        QCOMPARE(platform::playedSounds().size(), 1);

        touch(game.cmdReset);
        QVERIFY(!game.isVisible());
        QVERIFY(menu.isVisible());

        touch(menu.cmdAbbruch);
        QVERIFY(platform::programHasEnded());
    }

    void aNameBoxWithoutFocusStillTakesTheKeys() {
        ProgramFolder folder;
        folder.addNumberedPictures(3);
        shell::startupForm().Show();
        touch(frmSplash::Default().lblversion);
        frmAuswahlmenü& menu = frmAuswahlmenü::Default();
        touch(menu.cmdLevel3);  // refused: no name yet
        QCOMPARE(skillLevel, 0);
        menu.cmdAbbruch->setFocus();
        touchText(menu.nameKeys, QStringLiteral("Al"));
        QCOMPARE(menu.txtSpielername->Text(), QStringLiteral("Al"));
        touch(menu.cmdLevel3);
        QCOMPARE(skillLevel, 3);
    }
};

QTEST_MAIN(TestTouch)
#include "test_touch.moc"
