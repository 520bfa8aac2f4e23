// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader learns, read through Qt's accessibility interfaces as the bridge to
// the accessibility bus reads them: names, roles, counts, and the announcements.
#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "game/modGlobalVars.h"
#include "platform/ui/Access.h"
#include "platform/ui/Events.h"
#include "platform/ui/Form.h"
#include "platform/ui/LetterKeys.h"
#include "raeuber/frmRaeuber.h"
#include "shell/frmAuswahlmenue.h"
#include "shell/frmSplash.h"
#include "shell/start.h"
#include "support/GameFixture.h"
#include "support/Menu.h"

using namespace testsupport;
using namespace modGlobalVars;

namespace {

QString nameOf(QObject* o) { return QAccessible::queryAccessibleInterface(o)->text(QAccessible::Name); }

// The names the first letter box has had, one after the other, while the boxes of a word
// appeared: each time a box is shown, its name is noted if it changed.
struct FirstBoxNames : QObject {
    QWidget* first;
    QStringList names;
    explicit FirstBoxNames(QWidget* box) : first(box) { qApp->installEventFilter(this); }
    ~FirstBoxNames() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Show && o->objectName().startsWith(QStringLiteral("LetterInput"))) {
            const QString name = first->accessibleName();
            if (names.isEmpty() || names.last() != name) names << name;
        }
        return false;
    }
};
QAccessible::Role roleOf(QObject* o) { return QAccessible::queryAccessibleInterface(o)->role(); }

}  // namespace

class TestAccess : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theWindowsAreWindowsWithTheirTitles() {
        ProgramFolder folder;
        folder.addNumberedPictures(3);
        shell::startupForm().Show();
        QCOMPARE(roleOf(&frmSplash::Default()), QAccessible::Window);
        frmAuswahlmenü& menu = frmAuswahlmenü::Default();
        QCOMPARE(roleOf(&menu), QAccessible::Window);
        QCOMPARE(nameOf(&menu), QStringLiteral("Bitte Schwierigkeitsgrad wählen"));
        frmRaeuber& game = openGame(1);
        QCOMPARE(roleOf(&game), QAccessible::Window);
        QCOMPARE(nameOf(&game), QStringLiteral("Stoppt den Räuber Knorzelbart!"));
    }

    // What a screen reader says of the menu is what a child sees there: the name box is named
    // by its label, each level button by its tool tip and the word under it, the "x" by its
    // tool tip. Every control the keyboard reaches has a name, no two the same, and the name
    // box and the buttons also say what they do.
    void theMenuNamesTheNameBoxAndTheButtons() {
        ProgramFolder folder;
        folder.addNumberedPictures(3);
        frmAuswahlmenü& menu = startToMenu();
        QString label = menu.lblName->Caption();
        label.remove(QLatin1Char(':'));
        const QList<std::pair<QWidget*, QStringList>> seen = {
            {menu.txtSpielername, {label}},
            {menu.cmdLevel1, {menu.cmdLevel1->toolTip(), menu.lblLeicht->Caption()}},
            {menu.cmdLevel2, {menu.cmdLevel2->toolTip(), menu.lblMittel->Caption()}},
            {menu.cmdLevel3, {menu.cmdLevel3->toolTip(), menu.lblSchwer->Caption()}},
            {menu.cmdAbbruch, {menu.cmdAbbruch->toolTip()}},
        };
        for (const auto& [control, words] : seen) {
            const QString name = nameOf(control);
            for (const QString& word : words) {
                QVERIFY(!word.trimmed().isEmpty());
                QVERIFY2(name.contains(word.trimmed(), Qt::CaseInsensitive),
                         qPrintable(control->objectName() + QStringLiteral(": ") + name));
            }
            const QString what = QAccessible::queryAccessibleInterface(control)->text(QAccessible::Description);
            QVERIFY2(!what.isEmpty(), qPrintable(control->objectName()));
            QCOMPARE(roleOf(control), control == menu.txtSpielername ? QAccessible::EditableText : QAccessible::Button);
        }
        QStringList names;
        for (QWidget* control : menu.findChildren<QWidget*>()) {
            if (!control->isVisible() || !(control->focusPolicy() & Qt::TabFocus)) continue;
            const QString name = nameOf(control);
            QVERIFY2(!name.isEmpty(), qPrintable(control->objectName()));
            names << name;
        }
        QVERIFY(names.size() >= seen.size());
        QCOMPARE(names.removeDuplicates(), 0);
    }

    void theBoxesCountTheLettersOfEachWord() {
        ProgramFolder folder;
        folder.addPictures({QStringLiteral("Hund.png"), QStringLiteral("Elefant.png")});
        frmRaeuber& game = openGame(1);
        const int n = wordLength;
        QCOMPARE(nameOf(game.LetterInput[0]), QStringLiteral("Buchstabe 1 von %1").arg(n));
        QCOMPARE(nameOf(game.LetterInput[1]), QStringLiteral("Buchstabe 2 von %1").arg(n));
        QCOMPARE(nameOf(game.imgTerm), QStringLiteral("Bild: ") + currentWord);
        QCOMPARE(nameOf(game.lbl_right), QStringLiteral("richtig: 0 von 15"));
        QCOMPARE(nameOf(game.lbl_wrong), QStringLiteral("falsch: 0"));
        QCOMPARE(nameOf(game.cmdReset), QStringLiteral("Ende"));
        playWordRight(game);
        // The other word now: its own length, and the right word counted and announced.
        QCOMPARE(nameOf(game.LetterInput[0]), QStringLiteral("Buchstabe 1 von %1").arg(wordLength));
        QVERIFY(wordLength != n);
        QCOMPARE(nameOf(game.lbl_right), QStringLiteral("richtig: 1 von 15"));
        runFor(500);
        // The tick, then the new word with its length (the next word is said, never shown).
        QCOMPARE(game.announcer->messages(),
                 (QStringList{QStringLiteral("Richtig! richtig: 1 von 15"),
                              QStringLiteral("Neues Wort: %1 Buchstaben. Mit F2 hörst du das Wort.").arg(wordLength)}));
        auto* note = game.findChild<QWidget*>(QStringLiteral("announcement"));
        QVERIFY(note && note->isVisible());
        QCOMPARE(roleOf(note), QAccessible::Notification);
        QCOMPARE(nameOf(note), game.announcer->messages().last());
    }

    void aWrongWordIsAnnouncedWithTheWordAndTheRobberSteps() {
        ProgramFolder folder;
        folder.addPictures({QStringLiteral("Hund.png")});
        frmRaeuber& game = openGame(3);
        QCOMPARE(nameOf(game.imgRäuber), QStringLiteral("Räuber: 0 von 5 Schritten zur Schatztruhe"));
        playWordWrong(game);
        QCOMPARE(nameOf(game.lbl_wrong), QStringLiteral("falsch: 1"));
        QCOMPARE(nameOf(game.imgRäuber), QStringLiteral("Räuber: 1 von 5 Schritten zur Schatztruhe"));
        QCOMPARE(game.announcer->messages(),
                 (QStringList{QStringLiteral("Falsch."), QStringLiteral("Das Wort heißt Hund. falsch: 1"),
                              QStringLiteral("Der Räuber ist 1 von 5 Schritten gegangen. Noch einmal: 4 Buchstaben.")}));
        // One announcement is in the form at a time.
        playWordWrong(game);
        QCOMPARE(game.findChildren<QWidget*>(QStringLiteral("announcement")).size(), 1);
        QCOMPARE(game.announcer->messages().size(), 6);
    }

    // Each box of a long word is named once as the word is laid out, not renamed by every box
    // that appears after it; the word is told once that burst has passed.
    void aLongWordIsLaidOutQuietlyAndToldAfterItsBoxes() {
        ProgramFolder folder;
        folder.addPictures({QStringLiteral("Hut.png"), QStringLiteral("Regenbogenfisch.png")});
        frmRaeuber& game = openGame(1);
        if (currentWord != QStringLiteral("Hut")) playWordRight(game);
        QCOMPARE(currentWord, QStringLiteral("Hut"));
        runFor(500);
        const qsizetype before = game.announcer->messages().size();
        {
            FirstBoxNames renames(game.LetterInput[0]);
            typeCurrentWord(game);
            finishReaction(game);
            QCOMPARE(currentWord, QStringLiteral("Regenbogenfisch"));
            // Named for the old word, then for the new one: no name for each box that appeared.
            QCOMPARE(renames.names, (QStringList{QStringLiteral("Buchstabe 1 von 3"), QStringLiteral("Buchstabe 1 von 15")}));
        }
        QCOMPARE(nameOf(game.LetterInput[14]), QStringLiteral("Buchstabe 15 von 15"));
        QCOMPARE(game.announcer->messages().mid(before), QStringList{QStringLiteral("Richtig! richtig: 1 von 15")});
        runFor(500);
        QCOMPARE(game.announcer->current(), QStringLiteral("Neues Wort: 15 Buchstaben. Mit F2 hörst du das Wort."));
    }

    // "Falsch." at once, before the reaction; the word waits for the reveal.
    void aWrongLetterIsToldAtOnce() {
        ProgramFolder folder;
        folder.addPictures({QStringLiteral("Hund.png")});
        frmRaeuber& game = openGame(2);
        typeInto(game.LetterInput[0], QStringLiteral("H"));
        typeInto(game.LetterInput[1], QStringLiteral("x"));
        QCOMPARE(game.announcer->current(), QStringLiteral("Falsch."));
        QVERIFY(!game.tmr_display->Enabled());
        finishReaction(game, 30000);
        QVERIFY(game.announcer->messages().contains(QStringLiteral("Das Wort heißt Hund. falsch: 1")));
    }

    // The start-up screen tells how to go on; a level without a name says why nothing starts.
    void theStartAndTheMenuSayWhatToDo() {
        ProgramFolder folder;
        folder.addPictures({QStringLiteral("Hund.png")});
        shell::startupForm().Show();
        frmSplash& splash = frmSplash::Default();
        QCOMPARE(splash.announcer->current(), QString());
        runFor(1000);
        QCOMPARE(splash.announcer->current(), QStringLiteral("Knorzelbart. Drücke die Leertaste, dann geht es los."));
        QTest::keyClick(&splash, Qt::Key_Space);
        frmAuswahlmenü& menu = frmAuswahlmenü::Default();
        menu.txtSpielername->setText(QString());
        menu.cmdLevel2_Click();
        QVERIFY(menu.isVisible());
        QCOMPARE(menu.announcer->current(), QStringLiteral("Schreibe zuerst deinen Namen."));
        menu.txtSpielername->setText(QStringLiteral("Mia"));
        menu.cmdLevel2_Click();
        QCOMPARE(menu.announcer->current(), QString());
        QVERIFY(frmRaeuber::Default().isVisible());
    }

    void thePictureKeepsItsWordToItselfOnceThePreviewIsGone() {
        ProgramFolder folder;
        folder.addPictures({QStringLiteral("Hund.png")});
        frmRaeuber& game = openGame(2);
        QCOMPARE(nameOf(game.imgTerm), QStringLiteral("Bild: Hund"));
        runFor(3100);
        QVERIFY(!shown(game.lbl_wordPreview));
        QCOMPARE(nameOf(game.imgTerm), QStringLiteral("Bild zum Wort"));
    }

    void theKeysSayWhatTheyType() {
        ProgramFolder folder;
        folder.addPictures({QStringLiteral("Hund.png")});
        frmRaeuber& game = openGame(1);
        platform::LetterKeyboard* keys = game.letterKeys;
        QCOMPARE(nameOf(keys->key(QChar(u'ä'))), QStringLiteral("ä"));
        QCOMPARE(nameOf(keys->key(QChar(u'-'))), QStringLiteral("Bindestrich"));
        platform::KeyButton* shift = keys->key(QChar(platform::LetterKeyboard::kShift));
        QCOMPARE(nameOf(shift), QStringLiteral("Großbuchstabe"));
        QVERIFY(!QAccessible::queryAccessibleInterface(shift)->state().checked);
        keys->press(shift->text().at(0));
        QVERIFY(QAccessible::queryAccessibleInterface(shift)->state().checked);
        QCOMPARE(nameOf(keys->key(QChar(u'ä'))), QStringLiteral("Ä"));
    }
    // A form's watches end with it: while its controls are destroyed (losing the focus,
    // hiding) none of its procedures runs on the half-gone form.
    void aFormThatGoesRunsNoneOfItsWatchesAnyMore() {
        ProgramFolder folder;
        struct Watched : platform::Form {
            int* afterDestructor;
            bool destroying = false;
            explicit Watched(int* count) : platform::Form(QStringLiteral("frmWatched")), afterDestructor(count) {
                auto* box = new QLineEdit(this);
                auto* label = new QLabel(this);
                platform::onChanges({label, box}, [this] { if (destroying) ++*afterDestructor; });
                platform::onShown(label, [this] { if (destroying) ++*afterDestructor; });
            }
            ~Watched() override { destroying = true; }
        };
        int calls = 0;
        auto* form = new Watched(&calls);
        form->show();
        form->findChild<QLineEdit*>()->setFocus();
        QCoreApplication::processEvents();
        delete form;
        QCOMPARE(calls, 0);
    }
};

QTEST_MAIN(TestAccess)
#include "test_access.moc"
