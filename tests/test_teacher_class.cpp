// SPDX-License-Identifier: GPL-3.0-or-later
// The class list: kept beside the learning record for its owner only, names added, renamed
// (with what the record keeps) and removed on the teacher's page, and picked by the children
// from large buttons in the menu.
#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include "game/Options.h"
#include "game/modGlobalVars.h"
#include "lernstand/ClassList.h"
#include "lernstand/Learning.h"
#include "lernstand/Record.h"
#include "platform/files/PrivateFiles.h"
#include "platform/files/RecordFiles.h"
#include "mock/TestMode.h"
#include "raeuber/frmRaeuber.h"
#include "shell/TeacherClassPage.h"
#include "shell/TeacherPages.h"
#include "shell/frmAuswahlmenue.h"
#include "shell/frmLehrer.h"
#include "shell/frmSplash.h"
#include "shell/start.h"
#include "support/GameFixture.h"
#include "support/Kept.h"
#include "support/Menu.h"

using namespace testsupport;
using namespace modGlobalVars;

namespace {

void writeRecordFile(const QString& folder, const QString& child, const QString& computer, const QString& word) {
    lernstand::Result result;
    result.day = QStringLiteral("2026-12-01");
    result.word = word;
    const QString key = lernstand::childKey(child);
    QFile file(folder + QLatin1Char('/') + lernstand::fileName(key, computer, lernstand::folderSecret(folder)));
    const bool fresh = !file.exists();
    QVERIFY(file.open(QIODevice::Append));
    if (fresh) file.write(lernstand::nameLine(key));
    file.write(lernstand::line(result));
}

QStringList wordsOf(const QString& folder, const QString& child) {
    QStringList words;
    for (const lernstand::Result& r : lernstand::readChild(folder, lernstand::childKey(child))) words << r.word;
    return words;
}

// A window of the room in twips, as the menu is: the pages look the same in any unit.
class TwipRoom : public platform::Form {
public:
    TwipRoom() : Form(QStringLiteral("frmRaumTest")) { setTwipUnits(); }
};

}  // namespace

class TestTeacherClass : public QObject {
    Q_OBJECT

    QTemporaryDir record_;
    QString folder() const { return record_.path() + QStringLiteral("/lernstand"); }

private Q_SLOTS:
    void init() {
        QDir(folder()).removeRecursively();
        options::current() = options::Options{};
        options::current().learningFolder = folder();
    }
    void cleanup() { options::current() = options::Options{}; }

    void theListIsKeptForItsOwnerOnlyInTheTeachersOrder() {
        QCOMPARE(lernstand::readClassList(folder()), QStringList());
        QCOMPARE(lernstand::addToClass(folder(), QStringLiteral("  Lea ")), QString());
        QCOMPARE(lernstand::addToClass(folder(), QStringLiteral("Tim")), QString());
        QCOMPARE(lernstand::addToClass(folder(), QStringLiteral("Ömer")), QString());
        QCOMPARE(lernstand::readClassList(folder()), (QStringList{"Lea", "Tim", "Ömer"}));
        QCOMPARE(platform::fileMode(lernstand::classListPath(folder())), 0600);
        // Written anew through a temporary file: nothing else is left in the folder.
        QCOMPARE(QDir(folder()).entryList(QDir::Files), QStringList{"klassenliste.txt"});
        // The same child as the record compares names, and names the menu cannot take.
        QVERIFY(lernstand::addToClass(folder(), QStringLiteral("lea")).contains(QStringLiteral("„Lea“ steht schon")));
        QVERIFY(!lernstand::addToClass(folder(), QStringLiteral("   ")).isEmpty());
        QVERIFY(!lernstand::addToClass(folder(), QString(26, QLatin1Char('a'))).isEmpty());
        QVERIFY(!lernstand::addToClass(folder(), QStringLiteral("A\tB")).isEmpty());
        QCOMPARE(lernstand::readClassList(folder()).size(), 3);
    }

    // On a new account the user's data folder may not be there yet: the default folder is
    // made with its parents, while a folder the teacher named is made only where its parent is.
    void theFirstListOnANewAccountIsKept() {
        const EnvironmentKept data("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(record_.path() + QStringLiteral("/neu/daten")));
        options::current().learningFolder.clear();
        QCOMPARE(lernstand::addToClass(lernstand::folder(), QStringLiteral("Lea")), QString());
        QCOMPARE(lernstand::readClassList(record_.path() + QStringLiteral("/neu/daten/knorzelbart/lernstand")),
                 QStringList{"Lea"});
        QVERIFY(!lernstand::addToClass(record_.path() + QStringLiteral("/fehlt/lernstand"), QStringLiteral("Tim"))
                     .isEmpty());
        QVERIFY(!QFileInfo::exists(record_.path() + QStringLiteral("/fehlt")));
    }

    void aListThatCannotBeWrittenSaysWhy() {
        QFile blocker(record_.path() + QStringLiteral("/datei"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QString failure = lernstand::addToClass(record_.path() + QStringLiteral("/datei"), QStringLiteral("Lea"));
        QVERIFY(failure.startsWith(QStringLiteral("Die Klassenliste kann nicht")));
    }

    void renamingAChildRenamesItsRecordOnEveryComputer() {
        QVERIFY(QDir().mkpath(folder()));
        lernstand::addToClass(folder(), QStringLiteral("Lea"));
        lernstand::addToClass(folder(), QStringLiteral("Tim"));
        writeRecordFile(folder(), QStringLiteral("Lea"), QStringLiteral("pc1"), QStringLiteral("Hund"));
        writeRecordFile(folder(), QStringLiteral("Lea"), QStringLiteral("pc2"), QStringLiteral("Katze"));
        writeRecordFile(folder(), QStringLiteral("Tim"), QStringLiteral("pc1"), QStringLiteral("Igel"));
        // A name that already has a record of its own is refused: two children's results are
        // never mixed by a rename, and the list stays as it was.
        writeRecordFile(folder(), QStringLiteral("Lena"), QStringLiteral("pc2"), QStringLiteral("Maus"));
        QVERIFY(lernstand::renameInClass(folder(), 0, QStringLiteral("Lena")).contains(QStringLiteral("schon")));
        QCOMPARE(lernstand::readClassList(folder()), (QStringList{"Lea", "Tim"}));
        QCOMPARE(wordsOf(folder(), QStringLiteral("Lena")), QStringList{"Maus"});
        QStringList failures;
        QVERIFY(!lernstand::forget(folder(), lernstand::childKey(QStringLiteral("Lena")), &failures).isEmpty());
        QCOMPARE(lernstand::renameInClass(folder(), 0, QStringLiteral("Lena")), QString());
        QCOMPARE(lernstand::readClassList(folder()), (QStringList{"Lena", "Tim"}));
        QCOMPARE(wordsOf(folder(), QStringLiteral("Lea")), QStringList());
        QStringList words = wordsOf(folder(), QStringLiteral("Lena"));
        words.sort();
        QCOMPARE(words, (QStringList{"Hund", "Katze"}));
        QCOMPARE(wordsOf(folder(), QStringLiteral("Tim")), QStringList{"Igel"});
        // A name another child has is refused, and nothing changes.
        QVERIFY(!lernstand::renameInClass(folder(), 1, QStringLiteral("lena")).isEmpty());
        QCOMPARE(wordsOf(folder(), QStringLiteral("Tim")), QStringList{"Igel"});
        // Only the case changed: the same child, the same files.
        QCOMPARE(lernstand::renameInClass(folder(), 1, QStringLiteral("TIM")), QString());
        QCOMPARE(lernstand::readClassList(folder()), (QStringList{"Lena", "TIM"}));
        QCOMPARE(wordsOf(folder(), QStringLiteral("Tim")), QStringList{"Igel"});
    }

    void removingAChildKeepsItsRecord() {
        QVERIFY(QDir().mkpath(folder()));
        lernstand::addToClass(folder(), QStringLiteral("Lea"));
        lernstand::addToClass(folder(), QStringLiteral("Tim"));
        writeRecordFile(folder(), QStringLiteral("Lea"), QStringLiteral("pc1"), QStringLiteral("Hund"));
        QCOMPARE(lernstand::removeFromClass(folder(), 0), QString());
        QCOMPARE(lernstand::readClassList(folder()), QStringList{"Tim"});
        QCOMPARE(wordsOf(folder(), QStringLiteral("Lea")), QStringList{"Hund"});
        QVERIFY(!lernstand::removeFromClass(folder(), 5).isEmpty());
    }

    void thePageIsUsedByKeysAlone() {
        ProgramFolder program;
        std::unique_ptr<QWidget> page(shell::makeClassPage(nullptr));
        auto* classPage = dynamic_cast<TeacherClassPage*>(page.get());
        QVERIFY(classPage);
        page->show();
        QVERIFY(QTest::qWaitForWindowExposed(page.get()));
        for (const QString& name : {QStringLiteral("Lea"), QStringLiteral("Tim"), QStringLiteral("Mia")}) {
            classPage->txtKindName->setFocus();
            QTest::keyClicks(classPage->txtKindName, name);
            QTest::keyClick(classPage->txtKindName, Qt::Key_Return);
        }
        QCOMPARE(lernstand::readClassList(folder()), (QStringList{"Lea", "Tim", "Mia"}));
        QCOMPARE(classPage->lstKlasse->Rows(), 3);
        // Choose Tim in the list, give him a new name with Tab and the rename button.
        classPage->lstKlasse->setFocus();
        QTest::keyClick(classPage->lstKlasse, Qt::Key_Up);
        QCOMPARE(classPage->txtKindName->Text(), QStringLiteral("Tim"));
        QTest::keyClick(classPage->lstKlasse, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), classPage->txtKindName);
        classPage->txtKindName->selectAll();
        QTest::keyClicks(classPage->txtKindName, QStringLiteral("Timo"));
        classPage->cmdUmbenennen->setFocus();
        QTest::keyClick(classPage->cmdUmbenennen, Qt::Key_Return);
        QCOMPARE(lernstand::readClassList(folder()), (QStringList{"Lea", "Timo", "Mia"}));
        QCOMPARE(classPage->lblMeldung->text(), QStringLiteral("„Tim“ heißt jetzt „Timo“."));
        // Removing asks first, naming the child.
        platform::answerQuestions(false);
        QTest::mouseClick(classPage->cmdEntfernen, Qt::LeftButton);
        QCOMPARE(platform::askedQuestions().size(), 1);
        QVERIFY(platform::askedQuestions().first().contains(QStringLiteral("„Timo“")));
        QCOMPARE(lernstand::readClassList(folder()).size(), 3);
        platform::answerQuestions(true);
        QTest::mouseClick(classPage->cmdEntfernen, Qt::LeftButton);
        QCOMPARE(lernstand::readClassList(folder()), (QStringList{"Lea", "Mia"}));
        // A duplicate is said on the page.
        classPage->txtKindName->setText(QStringLiteral("MIA"));
        QTest::keyClick(classPage->txtKindName, Qt::Key_Return);
        QCOMPARE(classPage->lblMeldung->text(), QStringLiteral("„Mia“ steht schon in der Klassenliste."));
        QList<QWidget*> order{classPage->lstKlasse};
        for (QWidget* w = order[0]->nextInFocusChain(); w != order[0] && order.size() < 20; w = w->nextInFocusChain())
            if ((w->focusPolicy() & Qt::TabFocus) && page->isAncestorOf(w)) order << w;
        QCOMPARE(order, (QList<QWidget*>{classPage->lstKlasse, classPage->txtKindName, classPage->cmdHinzufuegen,
                                         classPage->cmdUmbenennen, classPage->cmdEntfernen}));
        for (QWidget* w : order) QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
        for (QWidget* w : page->findChildren<QWidget*>())
            if (dynamic_cast<platform::ControlBase*>(w)) QVERIFY2(!w->objectName().isEmpty(), w->metaObject()->className());
    }

    void thePagesScaleWithTheRoomInAnyUnit() {
        ProgramFolder program;
        TwipRoom room;
        std::unique_ptr<QWidget> page(shell::makeClassPage(&room));
        auto* classPage = dynamic_cast<TeacherClassPage*>(page.get());
        QCOMPARE(classPage->cmdHinzufuegen->geometry(), QRect(305, 162, 300, 40));
        const double points = classPage->cmdHinzufuegen->font().pointSizeF();
        room.setScaleFactor(2.0);
        QCOMPARE(classPage->cmdHinzufuegen->geometry(), QRect(610, 324, 600, 80));
        QCOMPARE(classPage->cmdHinzufuegen->font().pointSizeF(), 2 * points);
        // Made in a room already drawn larger, a page starts at the room's size.
        std::unique_ptr<QWidget> record(shell::makeRecordPage(&room));
        QCOMPARE(record->findChild<QWidget*>(QStringLiteral("cmdAlleVergessen"))->geometry(), QRect(610, 516, 610, 80));
        QCOMPARE(record->minimumSize(), QSize(1240, 960));
    }

    void withoutAListTheMenuIsAsAlways() {
        ProgramFolder program;
        frmAuswahlmenü& menu = startToMenu();
        QVERIFY(!shown(menu.nameButtons));
        QVERIFY(!menu.txtSpielername->Locked());
        QCOMPARE(menu.size(), QSize(337, 145));
        QCOMPARE(menu.focusWidget(), menu.txtSpielername);
    }

    // The menu stays open behind the room: the class typed there is there when the room closes.
    void theClassTypedInTheRoomIsInTheMenuWhenItCloses() {
        ProgramFolder program;
        program.addNumberedPictures(20);
        frmAuswahlmenü& menu = startToMenu();
        QVERIFY(!shown(menu.nameButtons));
        frmLehrer::Default().Show();
        for (const char* name : {"Lea", "Tim", "Mia"})
            QCOMPARE(lernstand::addToClass(folder(), QString::fromUtf8(name)), QString());
        frmLehrer::Default().Unload();
        QVERIFY(shown(menu.nameButtons));
        QCOMPARE(menu.nameButtons->captions(), (QStringList{"Lea", "Tim", "Mia"}));
        QVERIFY(menu.txtSpielername->Locked());
        QCOMPARE(menu.focusWidget(), menu.nameButtons->buttons().first());
    }

    void childrenPickTheirNamesByLettersArrowsAndEnter() {
        ProgramFolder program;
        program.addNumberedPictures(20);
        for (const char* name : {"Lea", "Tim", "Lukas", "Mia", "Ben"})
            QCOMPARE(lernstand::addToClass(folder(), QString::fromUtf8(name)), QString());
        frmAuswahlmenü& menu = startToMenu();
        QVERIFY(shown(menu.nameButtons));
        QCOMPARE(menu.nameButtons->buttons().size(), 5);
        QVERIFY(menu.txtSpielername->Locked());
        QVERIFY(menu.height() > 145);
        QCOMPARE(menu.focusWidget(), menu.nameButtons->buttons().at(0));
        const auto& buttons = menu.nameButtons->buttons();
        // A letter jumps to the next name with it, round the end.
        QTest::keyClick(buttons.at(0), Qt::Key_L);
        QCOMPARE(menu.focusWidget(), buttons.at(2));  // Lukas
        QTest::keyClick(buttons.at(2), Qt::Key_L);
        QCOMPARE(menu.focusWidget(), buttons.at(0));  // Lea
        QTest::keyClick(buttons.at(0), Qt::Key_B);
        QCOMPARE(menu.focusWidget(), buttons.at(4));  // Ben
        // Three a row: up from Ben is Tim, right of Tim is Lukas, down from Lukas stays.
        QTest::keyClick(buttons.at(4), Qt::Key_Up);
        QCOMPARE(menu.focusWidget(), buttons.at(1));
        QTest::keyClick(buttons.at(1), Qt::Key_Right);
        QCOMPARE(menu.focusWidget(), buttons.at(2));
        QTest::keyClick(buttons.at(2), Qt::Key_Down);
        QCOMPARE(menu.focusWidget(), buttons.at(2));
        QTest::keyClick(buttons.at(2), Qt::Key_Left);
        QCOMPARE(menu.focusWidget(), buttons.at(1));
        // A level before a name is picked keeps the child on the names.
        QTest::mouseClick(menu.cmdLevel1, Qt::LeftButton);
        QVERIFY(menu.isVisible());
        QCOMPARE(menu.focusWidget(), buttons.at(0));
        QTest::keyClick(buttons.at(0), Qt::Key_T);
        // Enter picks Tim, and the easiest level waits for the next Enter.
        QTest::keyClick(buttons.at(1), Qt::Key_Return);
        QCOMPARE(menu.txtSpielername->Text(), QStringLiteral("Tim"));
        QCOMPARE(menu.focusWidget(), menu.cmdLevel1);
        QCOMPARE(menu.announcer->messages().last(), QStringLiteral("Tim. Wähle jetzt ein Level."));
        QTest::keyClick(menu.cmdLevel1, Qt::Key_Return);
        QCOMPARE(playerName, QStringLiteral("Tim"));
        QCOMPARE(skillLevel, 1);
        QVERIFY(!menu.isVisible());
        // Back in the menu, Tim's button has the keyboard.
        frmRaeuber::Default().setVisible(false);
        menu.Show();
        QCOMPARE(menu.focusWidget(), buttons.at(1));
    }

    void aLargeClassTakesMoreNamesARowAndLongNamesASmallerFont() {
        ProgramFolder program;
        QStringList names;
        for (int i = 0; i < 29; ++i) names << QStringLiteral("Kind%1").arg(i);
        names << QStringLiteral("Maximilian-Alexander");
        QCOMPARE(lernstand::writeClassList(folder(), names), QString());
        frmAuswahlmenü& menu = startToMenu();
        QCOMPARE(menu.nameButtons->columns(), 4);
        const auto& buttons = menu.nameButtons->buttons();
        QTest::keyClick(buttons.at(0), Qt::Key_Down);
        QCOMPARE(menu.focusWidget(), buttons.at(4));
        QVERIFY(buttons.at(29)->font().pointSizeF() < buttons.at(0)->font().pointSizeF());
        QVERIFY(buttons.at(29)->fontMetrics().horizontalAdvance(names.last()) < buttons.at(29)->width());
        QVERIFY(menu.height() < 600);
    }

    void aTapPicksTheName() {
        ProgramFolder program;
        program.addNumberedPictures(20);
        lernstand::addToClass(folder(), QStringLiteral("Lea"));
        lernstand::addToClass(folder(), QStringLiteral("Tim"));
        frmAuswahlmenü& menu = startToMenu();
        QTest::mouseClick(menu.nameButtons->buttons().at(1), Qt::LeftButton);
        QTest::mouseClick(menu.cmdLevel2, Qt::LeftButton);
        QCOMPARE(playerName, QStringLiteral("Tim"));
        QCOMPARE(skillLevel, 2);
    }

    void theNameButtonsTellAScreenReaderWhatTheyAre() {
        ProgramFolder program;
        lernstand::addToClass(folder(), QStringLiteral("Lea"));
        frmAuswahlmenü& menu = startToMenu();
        QCOMPARE(menu.nameButtons->buttons().at(0)->accessibleName(), QStringLiteral("Lea"));
        QCOMPARE(menu.nameButtons->buttons().at(0)->objectName(), QStringLiteral("nameButtons0"));
        QCOMPARE(menu.nameButtons->accessibleName(), QStringLiteral("Namen der Kinder"));
        QAccessibleInterface* group = QAccessible::queryAccessibleInterface(menu.nameButtons);
        QCOMPARE(group->role(), QAccessible::Grouping);
        QCOMPARE(group->childCount(), 1);
        QCOMPARE(group->child(0)->role(), QAccessible::Button);
        QCOMPARE(group->child(0)->text(QAccessible::Name), QStringLiteral("Lea"));
    }

    void keysAtRandomOnTheNamesNeverLeaveAWrongName() {
        ProgramFolder program;
        program.addNumberedPictures(20);
        for (const char* name : {"Lea", "Tim", "Lukas", "Mia"}) lernstand::addToClass(folder(), QString::fromUtf8(name));
        frmAuswahlmenü& menu = startToMenu();
        QList<int> keys{Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Home, Qt::Key_End,
                        Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Escape, Qt::Key_Backspace, Qt::Key_Delete};
        for (int k = Qt::Key_A; k <= Qt::Key_Z; ++k) keys << k;
        for (int k = Qt::Key_0; k <= Qt::Key_9; ++k) keys << k;
        for (int round = 0; round < 3 && menu.isVisible(); ++round)
            for (int key : keys) {
                if (!menu.isVisible()) break;
                QWidget* target = menu.focusWidget() ? menu.focusWidget() : &menu;
                if (target == menu.cmdAbbruch || target == menu.cmdLevel1 || target == menu.cmdLevel2 ||
                    target == menu.cmdLevel3)
                    menu.focusNameEntry();  // the levels and "x" are the buttons' business, not this test's
                QTest::keyClick(menu.focusWidget(), Qt::Key(key));
                QVERIFY(menu.txtSpielername->Text().isEmpty() ||
                        lernstand::readClassList(folder()).contains(menu.txtSpielername->Text()));
            }
        QVERIFY(menu.txtSpielername->Locked());
    }
};

QTEST_MAIN(TestTeacherClass)
#include "test_teacher_class.moc"
