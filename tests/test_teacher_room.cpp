// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's room: the way in from the menu (held button, Ctrl+L, PIN, switched off), its
// five pages, the settings written to her own file, locks of the school, the handbook on F1,
// touch and its scale.
#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPointingDevice>
#include <QRegularExpression>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTimer>
#include <QTest>
#include <QUrl>

#include <csignal>

#include "game/Collections.h"
#include "game/Options.h"
#include "game/AssetPaths.h"
#include "platform/files/Files.h"
#include "platform/ui/Form.h"
#include "mock/TestMode.h"
#include "game/TeacherNotes.h"
#include "game/modGlobalVars.h"
#include "platform/system/EndSignals.h"
#include "platform/system/PinHash.h"
#include "shell/Settings.h"
#include "shell/TeacherHelp.h"
#include "shell/TeacherSettingsFile.h"
#include "raeuber/frmRaeuber.h"
#include "shell/frmAufnahme.h"
#include "shell/frmAuswahlmenue.h"
#include "shell/frmLehrer.h"
#include "shell/frmSplash.h"
#include "shell/start.h"
#include "support/GameFixture.h"
#include "support/TeacherRoom.h"

using namespace testsupport;

class TestTeacherRoom : public QObject {
    Q_OBJECT

    TeacherSettingsHome home_;

private Q_SLOTS:
    void init() { home_.init(); }
    void cleanup() { home_.cleanup(); }

    void theMenuNamesTheWayInAndAClickDoesNotOpen() {
        ProgramFolder folder;
        frmAuswahlmenü& menu = startToMenu();
        QVERIFY(menu.cmdLehrer);
        QVERIFY(!menu.cmdLehrer->isHidden());
        QCOMPARE(menu.cmdLehrer->text(), QStringLiteral("Für Lehrkräfte"));
        for (const QString& way : {menu.cmdLehrer->toolTip(), accessibleName(menu.cmdLehrer)}) {
            QVERIFY2(way.contains(QStringLiteral("2 Sekunden")), qPrintable(way));
            QVERIFY2(way.contains(QStringLiteral("Strg+L")), qPrintable(way));
        }
        QVERIFY(!menu.cmdLehrer->TakesFocus());
        QTest::mouseClick(menu.cmdLehrer, Qt::LeftButton);
        runFor(3000);
        QVERIFY(!roomOpen());
    }

    void holdingTheButtonTwoSecondsOpensTheRoom() {
        ProgramFolder folder;
        frmAuswahlmenü& menu = startToMenu();
        QTest::mousePress(menu.cmdLehrer, Qt::LeftButton);
        runFor(1990);
        QVERIFY(!roomOpen());
        QTest::mouseRelease(menu.cmdLehrer, Qt::LeftButton);
        runFor(100);
        QVERIFY(!roomOpen());
        QTest::mousePress(menu.cmdLehrer, Qt::LeftButton);
        runFor(2000);
        QVERIFY(roomOpen());
        QTest::mouseRelease(menu.cmdLehrer, Qt::LeftButton);
    }

    void aFingerHeldOnTheButtonOpensTheRoom() {
        ProgramFolder folder;
        frmAuswahlmenü& menu = startToMenu();
        QPointingDevice* screen = QTest::createTouchDevice();
        const QPoint centre = menu.cmdLehrer->mapTo(&menu, menu.cmdLehrer->rect().center());
        QTest::touchEvent(&menu, screen).press(0, centre, &menu);
        runFor(500);
        QTest::touchEvent(&menu, screen).release(0, centre, &menu);
        runFor(3000);
        QVERIFY(!roomOpen());
        QTest::touchEvent(&menu, screen).press(0, centre, &menu);
        runFor(2000);
        QVERIFY(roomOpen());
        QTest::touchEvent(&menu, screen).release(0, centre, &menu);
    }

    void controlLOpensTheRoomAndEscapeReturnsToTheMenu() {
        ProgramFolder folder;
        frmAuswahlmenü& menu = startToMenu();
        QTest::keyClick(menu.txtSpielername, Qt::Key_L, Qt::ControlModifier);
        QVERIFY(roomOpen());
        QCOMPARE(menu.txtSpielername->Text(), QString());
        QTest::keyClick(frmLehrer::Default().lstSammlungen, Qt::Key_Escape);
        QVERIFY(!roomOpen());
        QVERIFY(menu.isVisible());
    }

    // A logout (SIGTERM) while the room is open ends the program: the room carries out a
    // close only later, and must not hold the program's end back.
    void aLogoutEndsTheProgramWithTheRoomOpen() {
        ProgramFolder folder;
        frmAuswahlmenü& menu = startToMenu();
        QTest::keyClick(menu.txtSpielername, Qt::Key_L, Qt::ControlModifier);
        QVERIFY(roomOpen());
        platform::quitOnEndSignals();
        QTimer::singleShot(0, [] { ::raise(SIGTERM); });
        QTimer::singleShot(5000, [] { QCoreApplication::exit(1); });  // only when the end is lost
        QCOMPARE(QCoreApplication::exec(), 0);
    }

    void thePinIsAskedFirst() {
        ProgramFolder folder;
        options::current().teacherPin = QStringLiteral("4711");
        frmAuswahlmenü& menu = startToMenu();
        platform::secretAnswer(std::nullopt);
        QTest::keyClick(menu.txtSpielername, Qt::Key_L, Qt::ControlModifier);
        QVERIFY(!roomOpen());
        platform::secretAnswer(QStringLiteral("1234"));
        QTest::keyClick(menu.txtSpielername, Qt::Key_L, Qt::ControlModifier);
        QVERIFY(!roomOpen());
        QCOMPARE(messageTexts(), QStringList{QStringLiteral("Die PIN stimmt nicht.")});
        platform::secretAnswer(QStringLiteral("4711"));
        QTest::keyClick(menu.txtSpielername, Qt::Key_L, Qt::ControlModifier);
        QVERIFY(roomOpen());
        QCOMPARE(platform::askedSecrets().size(), 3);
        // The same with the PIN kept hashed, as the room writes it.
        frmLehrer::Default().Unload();
        options::current().teacherPin = platform::hashedPin(QStringLiteral("4711"));
        platform::secretAnswer(QStringLiteral("1234"));
        QTest::keyClick(menu.txtSpielername, Qt::Key_L, Qt::ControlModifier);
        QVERIFY(!roomOpen());
        platform::secretAnswer(QStringLiteral("4711"));
        QTest::keyClick(menu.txtSpielername, Qt::Key_L, Qt::ControlModifier);
        QVERIFY(roomOpen());
    }

    void anAdministratorSwitchesTheRoomOff() {
        ProgramFolder folder;
        writeAll(home_.systemFile(), QStringLiteral("lehrerbereich = aus\ngesperrt = lehrerbereich\n"));
        writeAll(home_.userFile(), QStringLiteral("lehrerbereich = an\n"));
        const QStringList problems = settings::apply(settings::defaultFiles(), options::current());
        QCOMPARE(problems.size(), 1);
        QVERIFY(!options::current().teacherRoom);
        frmAuswahlmenü& menu = startToMenu();
        QVERIFY(!menu.cmdLehrer);
        QTest::keyClick(menu.txtSpielername, Qt::Key_L, Qt::ControlModifier);
        QVERIFY(!roomOpen());
    }

    void theRoomHasFivePagesInOrder() {
        ProgramFolder folder;
        frmLehrer& room = frmLehrer::Default();
        room.Show();
        QStringList titles;
        for (int i = 0; i < room.tabSeiten->count(); ++i) titles << room.tabSeiten->PageTitle(i);
        QCOMPARE(titles, (QStringList{QStringLiteral("Wörter"), QStringLiteral("Klasse"), QStringLiteral("Lernstand"),
                                      QStringLiteral("Einstellungen"), QStringLiteral("Hilfe")}));
        QCOMPARE(room.tabSeiten->CurrentPage(), int(frmLehrer::Woerter));
        // A screen reader meets a list of page tabs with the same names.
        QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(room.tabSeiten->findChild<QTabBar*>());
        QVERIFY(bar);
        QCOMPARE(bar->role(), QAccessible::PageTabList);
        QStringList tabs;
        for (int i = 0; i < bar->childCount(); ++i)
            if (bar->child(i)->role() == QAccessible::PageTab) tabs << bar->child(i)->text(QAccessible::Name);
        QCOMPARE(tabs, titles);
        QCOMPARE(QAccessible::queryAccessibleInterface(room.chkJedenStart)->role(), QAccessible::CheckBox);
        QCOMPARE(QAccessible::queryAccessibleInterface(room.cboSprache)->role(), QAccessible::ComboBox);
        QVERIFY(accessibleName(room.cboSprache).startsWith(QStringLiteral("Sprache")));
        QCOMPARE(room.focusWidget(), room.lstSammlungen);
        // Tab goes through the page as it reads, top left to bottom right.
        QList<QWidget*> order;
        for (QWidget* w = room.lstSammlungen->nextInFocusChain(); w != room.lstSammlungen && order.size() < 8;
             w = w->nextInFocusChain())
            if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible()) order << w;
        QCOMPARE(order, (QList<QWidget*>{room.cmdOrdnerHinzufuegen, room.cmdSammlungSpielen, room.chkJedenStart,
                                         room.lstPruefung, room.cmdBogen, room.cmdOrdnerOeffnen, room.cmdStimmen,
                                         room.cmdSchliessen}));
        // Ctrl+Tab walks the pages by keyboard alone; the help is there on its page.
        for (int page = 1; page < 5; ++page) {
            QTest::keyClick(room.focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
            QCOMPARE(room.tabSeiten->CurrentPage(), page);
            // The page is named, and the keyboard is on it (or on the tabs).
            QCOMPARE(room.findChild<QWidget*>(QStringLiteral("announcement"))->accessibleName(),
                     QStringLiteral("Seite ") + titles[page]);
            QVERIFY(room.tabSeiten->widget(page)->isAncestorOf(room.focusWidget()) ||
                    room.focusWidget() == room.tabSeiten->tabBar());
        }
        QCOMPARE(room.focusWidget(), room.txtHilfe);
        QVERIFY(room.txtHilfe->toPlainText().contains(QStringLiteral("Handbuch")));
        // Also from a choice box, and back.
        room.tabSeiten->setCurrentPage(frmLehrer::Einstellungen);
        room.cboSprache->setFocus();
        QTest::keyClick(room.cboSprache, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(room.tabSeiten->CurrentPage(), int(frmLehrer::Hilfe));
        QTest::keyClick(room.txtHilfe, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(room.tabSeiten->CurrentPage(), int(frmLehrer::Einstellungen));
        QCOMPARE(room.cboSprache->Choice(), int(options::Speech::Button));
        // Every control has its name, for the tests and for a screen reader.
        for (QWidget* w : room.findChildren<QWidget*>()) {
            if (!qobject_cast<QAbstractButton*>(w) && !qobject_cast<QComboBox*>(w)) continue;
            if (w->parentWidget() && qobject_cast<QTabBar*>(w->parentWidget())) continue;
            if (QString(w->metaObject()->className()).startsWith(QLatin1String("Q"))) continue;
            QVERIFY2(!w->objectName().isEmpty(), w->metaObject()->className());
            QVERIFY2(!accessibleName(w).isEmpty(), qPrintable(w->objectName()));
        }
    }

    void settingsAreWrittenToHerFileAndHoldAtOnce() {
        ProgramFolder folder;
        writeAll(home_.userFile(), QStringLiteral("; von Frau Abel\nsilben = aus   # erst später\nvollbild = nein\n"));
        QVERIFY(settings::apply(settings::defaultFiles(), options::current()).isEmpty());
        frmLehrer& room = frmLehrer::Default();
        room.Show();
        room.tabSeiten->setCurrentPage(frmLehrer::Einstellungen);
        QVERIFY(!room.chkSilben->Value());
        QTest::mouseClick(room.chkSilben, Qt::LeftButton, {}, QPoint(8, room.chkSilben->height() / 2));
        QVERIFY(options::current().syllables);
        room.cboSprache->setCurrentIndex(3);
        QCOMPARE(options::current().speech, options::Speech::Dictation);
        QCOMPARE(readAll(home_.userFile()),
                 QStringLiteral("; von Frau Abel\nsilben = an\nvollbild = nein\nsprache = diktat\n"));
        QVERIFY(room.lblEinstellungenStatus->Caption().contains(QStringLiteral("ab dem nächsten Wort")));
        platform::secretAnswer(QStringLiteral("2468"));
        QTest::mouseClick(room.cmdPin, Qt::LeftButton);
        // Kept hashed, with a salt of its own: the file shows nothing of the PIN.
        const QString kept = options::current().teacherPin;
        QVERIFY2(platform::isHashedPin(kept), qPrintable(kept));
        QVERIFY(platform::pinMatches(QStringLiteral("2468"), kept));
        QVERIFY(!platform::pinMatches(QStringLiteral("2469"), kept));
        QVERIFY(readAll(home_.userFile()).endsWith(QStringLiteral("lehrerpin = ") + kept + QLatin1Char('\n')));
        QVERIFY(!readAll(home_.userFile()).contains(QStringLiteral("2468")));
        QVERIFY(settings::apply(settings::defaultFiles(), options::current()).isEmpty());
        QCOMPARE(options::current().teacherPin, kept);
        platform::secretAnswer(QString());
        QTest::mouseClick(room.cmdPin, Qt::LeftButton);
        QVERIFY(!readAll(home_.userFile()).contains(QStringLiteral("lehrerpin")));
    }

    // What she changes holds from the game's next word: the syllables' arcs and button, the
    // chart of initial sounds, the letter keys; full screen and a collection from the next game.
    void whatSheChangesHoldsFromTheNextWord() {
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        addThemes(folder);
        options::current().letterKeys = options::LetterKeys::Off;  // a touch screen may be known by now
        frmAuswahlmenü& menu = startToMenu();
        typeInto(menu.txtSpielername, QStringLiteral("Mia"));
        QTest::mouseClick(menu.cmdLevel1, Qt::LeftButton);
        frmRaeuber& game = frmRaeuber::Default();
        QVERIFY(game.isVisible());
        QVERIFY(!game.imgSyllables);
        QVERIFY(!game.cmdSoundHelp);
        QVERIFY(!shown(game.letterKeys));
        const auto check = [](platform::CheckBox* box) {
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
        };
        frmLehrer& room = frmLehrer::Default();
        room.Show();
        check(room.chkSilben);
        check(room.chkAnlauthilfe);
        room.cboBuchstabentasten->setCurrentIndex(1);
        QVERIFY(options::current().syllables && options::current().soundHelp);
        QCOMPARE(options::current().letterKeys, options::LetterKeys::On);
        QVERIFY(room.lblEinstellungenStatus->Caption().endsWith(QStringLiteral("Das gilt ab dem nächsten Wort.")));
        QCOMPARE(readAll(home_.userFile()), QStringLiteral("silben = an\nanlauthilfe = an\nbuchstabentasten = an\n"));
        room.Unload();
        // The word on the screen stays as it was; the next one has them.
        QVERIFY(!game.imgSyllables);
        playWordRight(game);
        QVERIFY(game.imgSyllables && game.syllableArc[0] && game.cmdSoundHelp);
        QVERIFY(shown(game.cmdSoundHelp));
        QCOMPARE(game.cmdSoundHelp->Left(), 136.0);
        QVERIFY(shown(game.letterKeys));
        QCOMPARE(game.letterKeys->Top(), 497.0);
        // Switched off again, they go with the next word.
        frmLehrer& again = frmLehrer::Default();
        again.Show();
        check(again.chkSilben);
        again.cboBuchstabentasten->setCurrentIndex(0);
        again.Unload();
        playWordRight(game);
        QVERIFY(!game.imgSyllables && !game.syllableArc[0]);
        QVERIFY(!game.findChild<QWidget*>(QStringLiteral("imgSyllables")));
        QCOMPARE(game.cmdSoundHelp->Left(), 72.0);
        QVERIFY(!shown(game.letterKeys));
        QCOMPARE(game.letterKeys->Top(), 485.0);
        // A collection and full screen, chosen from the menu between two games: from the next game.
        game.cmdReset_Click();
        QVERIFY(menu.isVisible());
        frmLehrer& third = frmLehrer::Default();
        third.Show();
        third.lstSammlungen->setCurrentRow(rowOf(third, QStringLiteral("Tiere")));
        third.cmdSammlungSpielen_Click();
        QCOMPARE(third.lblWoerterStatus->Caption(), QStringLiteral("Die Kinder spielen ab dem nächsten Spiel mit „Tiere“."));
        check(third.chkVollbild);
        QVERIFY(third.lblEinstellungenStatus->Caption().endsWith(QStringLiteral("ab dem nächsten Spiel.")));
        third.Unload();
        QVERIFY(!game.FullScreen());
        QTest::mouseClick(menu.cmdLevel1, Qt::LeftButton);
        QVERIFY(game.isVisible());
        QVERIFY(game.FullScreen());
        const QString animals = folder.path() + QStringLiteral("/sammlungen/Tiere/");
        for (int i = 1; i <= modGlobalVars::imageCount; ++i)
            QVERIFY2(QFile::exists(animals + modGlobalVars::imageNames.at(i)), qPrintable(modGlobalVars::imageNames.at(i)));
        QVERIFY(QFile::exists(animals + modGlobalVars::imageNames.at(modGlobalVars::imageIndex)));
        playWordRight(game);
        QVERIFY(QFile::exists(animals + modGlobalVars::imageNames.at(modGlobalVars::imageIndex)));
    }

    // The menu's keys for the name follow the setting when the room closes.
    void theMenusNameKeysFollowTheSetting() {
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        options::current().letterKeys = options::LetterKeys::Off;
        frmAuswahlmenü& menu = startToMenu();
        QVERIFY(!menu.nameKeys);
        QTest::keyClick(menu.txtSpielername, Qt::Key_L, Qt::ControlModifier);
        frmLehrer& room = frmLehrer::Default();
        QVERIFY(roomOpen());
        room.cboBuchstabentasten->setCurrentIndex(1);
        room.Unload();
        QVERIFY(menu.nameKeys);
        QVERIFY(shown(menu.nameKeys));
        QVERIFY(menu.height() > menu.nameKeys->geometry().bottom());
        QTest::keyClick(menu.txtSpielername, Qt::Key_L, Qt::ControlModifier);
        frmLehrer::Default().cboBuchstabentasten->setCurrentIndex(0);
        frmLehrer::Default().Unload();
        QVERIFY(!shown(menu.nameKeys));
    }

    // A setting given on the command line holds for this start: her change is kept for the next.
    void theCommandLineHoldsForThisStart() {
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        addThemes(folder);
        options::current().syllables = true;
        options::current().setForThisStart = {QStringLiteral("silben"), QStringLiteral("db"), QStringLiteral("sammlung")};
        frmLehrer& room = frmLehrer::Default();
        room.Show();
        QVERIFY(room.chkSilben->Value());
        auto* what = room.findChild<platform::Label*>(QStringLiteral("lblSilben"));
        QVERIFY(what && what->Caption().endsWith(QStringLiteral(" – für diesen Start beim Aufruf angegeben")));
        QTest::mouseClick(room.chkSilben, Qt::LeftButton, {}, QPoint(8, room.chkSilben->height() / 2));
        QVERIFY(options::current().syllables);
        QCOMPARE(readAll(home_.userFile()), QStringLiteral("silben = aus\n"));
        QVERIFY(room.lblEinstellungenStatus->Caption().endsWith(QStringLiteral("die Änderung gilt ab dem nächsten Start.")));
        room.lstSammlungen->setCurrentRow(rowOf(room, QStringLiteral("Tiere")));
        room.cmdSammlungSpielen_Click();
        QCOMPARE(options::current().collection, QString());
        QVERIFY(room.lblWoerterStatus->Caption().endsWith(QStringLiteral("„Tiere“ gilt ab dem nächsten Start.")));
        QVERIFY(readAll(home_.userFile()).endsWith(QStringLiteral("sammlung = Tiere\n")));
    }

    // A collection without a word to play is not taken: the children go on with their words,
    // and the teacher finds a note.
    void aCollectionWithoutWordsIsNotTaken() {
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        QTemporaryDir empty;
        frmRaeuber& game = openGame();
        game.cmdReset_Click();
        options::current().dbFolder = empty.path();
        teachernotes::clear();
        game.followSettingsAtGameStart();
        QCOMPARE(options::current().dbFolder, QString());
        QCOMPARE(platform::resolvePath(assetpaths::dbFolder()), folder.db());
        QCOMPARE(teachernotes::lines(teachernotes::Kind::Words).size(), 1);
        QVERIFY(teachernotes::lines().first().contains(empty.path()));
        QVERIFY(messageTexts().isEmpty());
    }

    void aSettingTheSchoolLockedCannotBeChanged() {
        ProgramFolder folder;
        addThemes(folder);
        writeAll(home_.systemFile(), QStringLiteral("sprache = knopf\nsammlung = Tiere\ngesperrt = sprache, sammlung\n"));
        writeAll(home_.userFile(), QStringLiteral("db = /anderswo\n"));
        const QStringList problems = settings::apply(settings::defaultFiles(), options::current());
        QCOMPARE(problems.size(), 1);
        QCOMPARE(platform::resolvePath(assetpaths::dbFolder()), folder.path() + QStringLiteral("/sammlungen/Tiere"));
        frmLehrer& room = frmLehrer::Default();
        room.Show();
        QVERIFY(!room.cboSprache->isEnabled());
        QVERIFY(room.chkSilben->isEnabled());
        auto* what = room.findChild<platform::Label*>(QStringLiteral("lblSprache"));
        QVERIFY(what && what->Caption().endsWith(QStringLiteral("von der Schule festgelegt")));
        QVERIFY(!room.cmdSammlungSpielen->isEnabled());
        QVERIFY(room.lblGespielt->Caption().contains(QStringLiteral("von der Schule festgelegt")));
        room.cmdSammlungSpielen_Click();
        QCOMPARE(options::current().collection, QStringLiteral("Tiere"));
        QCOMPARE(readAll(home_.userFile()), QStringLiteral("db = /anderswo\n"));
    }

    void aFileThatCannotBeWrittenIsSaidOnThePage() {
        ProgramFolder folder;
        addThemes(folder);
        qputenv("KNORZELBART_BENUTZER_EINSTELLUNGEN", "/dev/null/einstellungen.conf");
        frmLehrer& room = frmLehrer::Default();
        room.Show();
        room.cboSprache->setCurrentIndex(0);
        QCOMPARE(options::current().speech, options::Speech::Off);
        QVERIFY2(room.lblEinstellungenStatus->Caption().startsWith(QStringLiteral("Nicht gespeichert: ")),
                 qPrintable(room.lblEinstellungenStatus->Caption()));
        QVERIFY(room.lblEinstellungenStatus->Caption().endsWith(QStringLiteral("bis das Spiel beendet wird.")));
        room.lstSammlungen->setCurrentRow(rowOf(room, QStringLiteral("Tiere")));
        room.cmdSammlungSpielen_Click();
        QVERIFY(room.lblWoerterStatus->Caption().startsWith(QStringLiteral("Die Sammlung wird nicht gemerkt: ")));
        QCOMPARE(options::current().collection, QString());
    }

    void TheHandbookShowsItsPictures() {
        ProgramFolder folder;
        frmHandbuch& help = frmHandbuch::Default();
        help.Show();
        const QString text = shell::handbookText();
        QStringList pictures;
        for (const auto& match : QRegularExpression(QStringLiteral(R"(!\[[^\]]*\]\(([^)]+)\))")).globalMatch(text))
            pictures << match.captured(1);
        QVERIFY(pictures.size() >= 3);
        for (const QString& picture : pictures) {
            const QVariant data = help.txtHandbuch->loadResource(QTextDocument::ImageResource, QUrl(picture));
            QVERIFY2(!QImage::fromData(data.toByteArray()).isNull(), qPrintable(picture));
        }
        help.Unload();
    }

    void F1OpensTheHandbookEverywhere() {
        ProgramFolder folder;
        shell::installHelpKey();
        frmAuswahlmenü& menu = startToMenu();
        QTest::keyClick(menu.txtSpielername, Qt::Key_F1);
        QVERIFY(frmHandbuch::Default().isVisible());
        QVERIFY(frmHandbuch::Default().txtHandbuch->toPlainText().contains(QStringLiteral("Handbuch")));
        QCOMPARE(menu.txtSpielername->Text(), QString());
        frmHandbuch::Default().Unload();
        frmLehrer& room = frmLehrer::Default();
        room.Show();
        room.activateWindow();
        QTest::keyClick(room.lstSammlungen, Qt::Key_F1);
        if (room.isActiveWindow()) QCOMPARE(room.tabSeiten->CurrentPage(), int(frmLehrer::Hilfe));
    }

    void aFingerTurnsThePagesAndPressesTheButtons() {
        ProgramFolder folder;
        frmLehrer& room = frmLehrer::Default();
        room.Show();
        QPointingDevice* screen = QTest::createTouchDevice();
        QTabBar* tabs = room.tabSeiten->tabBar();
        const QPoint tab = tabs->mapTo(&room, tabs->tabRect(frmLehrer::Einstellungen).center());
        QTest::touchEvent(&room, screen).press(0, tab, &room);
        QTest::touchEvent(&room, screen).release(0, tab, &room);
        QCOMPARE(room.tabSeiten->CurrentPage(), int(frmLehrer::Einstellungen));
        const QPoint box = room.chkVollbild->mapTo(&room, QPoint(8, room.chkVollbild->height() / 2));
        QTest::touchEvent(&room, screen).press(0, box, &room);
        QTest::touchEvent(&room, screen).release(0, box, &room);
        QVERIFY(options::current().fullScreen);
    }

    void theRoomGrowsWithItsWindow() {
        ProgramFolder folder;
        frmLehrer& room = frmLehrer::Default();
        room.Show();
        room.resize(int(frmLehrer::kWidth * 2), int(frmLehrer::kHeight * 2));
        QCOMPARE(room.scaleFactor(), 2.0);
        QCOMPARE(room.cmdSchliessen->width(), 320);
        QCOMPARE(room.cmdBogen->height(), 72);
    }
};

QTEST_MAIN(TestTeacherRoom)
#include "test_teacher_room.moc"
