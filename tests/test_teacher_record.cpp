// SPDX-License-Identifier: GPL-3.0-or-later
// The learning record page (on and off, the folder, the report, forgetting a child or all)
// and the notes the teacher finds where the game could not do what she set up: a record
// that cannot be kept, a dictation without sound, a word folder that cannot be read.
#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "game/Options.h"
#include "game/TeacherNotes.h"
#include "game/modGlobalVars.h"
#include "lernstand/ClassList.h"
#include "lernstand/Learning.h"
#include "lernstand/Record.h"
#include "platform/system/Hooks.h"
#include "platform/files/PrivateFiles.h"
#include "platform/files/RecordFiles.h"
#include "mock/TestMode.h"
#include "platform/system/RecordQueue.h"
#include "raeuber/frmRaeuber.h"
#include "shell/Settings.h"
#include "shell/TeacherPages.h"
#include "shell/TeacherRecordPage.h"
#include "shell/frmAuswahlmenue.h"
#include "shell/frmSplash.h"
#include "shell/start.h"
#include "support/GameFixture.h"
#include "support/Menu.h"

using namespace testsupport;
using namespace modGlobalVars;

namespace {

void writeRecordFile(const QString& folder, const QString& child, const QString& word) {
    lernstand::Result result;
    result.day = QStringLiteral("2026-12-01");
    result.word = word;
    QDir().mkpath(folder);
    const QString key = lernstand::childKey(child);
    QFile file(folder + QLatin1Char('/') +
               lernstand::fileName(key, QStringLiteral("pc1"), lernstand::folderSecret(folder)));
    const bool fresh = !file.exists();
    QVERIFY(file.open(QIODevice::Append));
    if (fresh) file.write(lernstand::nameLine(key));
    file.write(lernstand::line(result));
}

QStringList rows(platform::WordList* list) {
    QStringList texts;
    for (int i = 0; i < list->Rows(); ++i) texts << list->RowText(i);
    return texts;
}

QString readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

}  // namespace

class TestTeacherRecord : public QObject {
    Q_OBJECT

    QTemporaryDir home_;
    QString folder() const { return home_.path() + QStringLiteral("/lernstand"); }
    QString userSettings() const { return home_.path() + QStringLiteral("/einstellungen.conf"); }
    QString systemSettings() const { return home_.path() + QStringLiteral("/system.conf"); }

    std::unique_ptr<TeacherRecordPage> openPage() {
        auto page = std::unique_ptr<TeacherRecordPage>(
            dynamic_cast<TeacherRecordPage*>(shell::makeRecordPage(nullptr)));
        page->show();
        return page;
    }

private Q_SLOTS:
    void initTestCase() {
        qputenv("XDG_DATA_HOME", (home_.path() + QStringLiteral("/daten")).toUtf8());
        qputenv("KNORZELBART_BENUTZER_EINSTELLUNGEN", userSettings().toUtf8());
        qputenv("KNORZELBART_EINSTELLUNGEN", systemSettings().toUtf8());
        qputenv("KNORZELBART_RECHNER_ID", "pc1");
    }

    void init() {
        QDir(folder()).removeRecursively();
        QFile::remove(userSettings());
        QFile::remove(systemSettings());
        options::current() = options::Options{};
        options::current().learningFolder = folder();
        teachernotes::clear();
        lernstand::resetRun();
    }

    void cleanup() { options::current() = options::Options{}; }

    void forgettingAChildAsksNamingIt() {
        ProgramFolder program;
        writeRecordFile(folder(), QStringLiteral("Lea"), QStringLiteral("Hund"));
        writeRecordFile(folder(), QStringLiteral("Tim"), QStringLiteral("Igel"));
        auto page = openPage();
        QCOMPARE(rows(page->lstKinder), (QStringList{"Lea", "Tim"}));
        page->lstKinder->setFocus();
        page->lstKinder->setCurrentRow(1);
        platform::answerQuestions(false);
        QTest::mouseClick(page->cmdKindVergessen, Qt::LeftButton);
        QCOMPARE(platform::askedQuestions().size(), 1);
        QVERIFY(platform::askedQuestions().at(0).contains(QStringLiteral("„Tim“")));
        QCOMPARE(lernstand::readAll(folder()).size(), std::size_t(2));
        platform::answerQuestions(true);
        page->cmdKindVergessen->setFocus();
        QTest::keyClick(page->cmdKindVergessen, Qt::Key_Return);
        QCOMPARE(rows(page->lstKinder), QStringList{"Lea"});
        QCOMPARE(page->lblMeldung->text(), QStringLiteral("Der Lernstand von „Tim“ ist gelöscht."));
        // Forgetting all asks more strongly, with the number of children.
        platform::answerQuestions(false);
        QTest::mouseClick(page->cmdAlleVergessen, Qt::LeftButton);
        QVERIFY(platform::askedQuestions().last().startsWith(QStringLiteral("Achtung:")));
        QVERIFY(platform::askedQuestions().last().contains(QStringLiteral("alle 1 Kinder")));
        QCOMPARE(rows(page->lstKinder), QStringList{"Lea"});
        platform::answerQuestions(true);
        QTest::mouseClick(page->cmdAlleVergessen, Qt::LeftButton);
        QCOMPARE(rows(page->lstKinder), QStringList());
        QVERIFY(lernstand::readAll(folder()).empty());
    }

    void theReportOpensInTheBrowserForTheClassOrOneChild() {
        ProgramFolder program;
        writeRecordFile(folder(), QStringLiteral("Lea"), QStringLiteral("Hund"));
        writeRecordFile(folder(), QStringLiteral("Tim"), QStringLiteral("Igel"));
        auto page = openPage();
        QTest::mouseClick(page->cmdBerichtKlasse, Qt::LeftButton);
        QCOMPARE(platform::navigatedTargets(), QStringList{QUrl::fromLocalFile(TeacherRecordPage::reportPath()).toString()});
        QString html = readAll(TeacherRecordPage::reportPath());
        QVERIFY(html.contains(QStringLiteral("Lea")) && html.contains(QStringLiteral("Tim")));
        QCOMPARE(platform::fileMode(TeacherRecordPage::reportPath()), 0600);
        // One child: the report names only that child.
        page->lstKinder->setCurrentRow(0);
        QTest::mouseClick(page->cmdBerichtKind, Qt::LeftButton);
        html = readAll(TeacherRecordPage::reportPath());
        QVERIFY(html.contains(QStringLiteral("Lea")));
        QVERIFY(!html.contains(QStringLiteral("Tim")));
        // Forgetting takes the written report away as well.
        platform::answerQuestions(true);
        QTest::mouseClick(page->cmdAlleVergessen, Qt::LeftButton);
        QVERIFY(!QFile::exists(TeacherRecordPage::reportPath()));
    }

    void onOffAndTheFolderAreSavedUnlessTheSchoolLockedThem() {
        ProgramFolder program;
        QFile user(userSettings());
        QVERIFY(user.open(QIODevice::WriteOnly));
        user.write("# Klasse 1a\nsilben = an\nlernstand = aus   # noch nicht\n");
        user.close();
        auto page = openPage();
        QVERIFY(!page->cmdAnAus->isChecked());
        QTest::mouseClick(page->cmdAnAus, Qt::LeftButton);
        QVERIFY(options::current().learning);
        QCOMPARE(page->cmdAnAus->text(), QStringLiteral("Lernstand: an"));
        const QString other = home_.path() + QStringLiteral("/anderer");
        page->askFolder = [&](const QString&) { return other; };
        QTest::mouseClick(page->cmdOrdner, Qt::LeftButton);
        QCOMPARE(lernstand::folder(), other);
        options::Options read;
        settings::apply(settings::defaultFiles(), read);
        QVERIFY(read.learning);
        QCOMPARE(read.learningFolder, other);
        QVERIFY(read.syllables);
        QCOMPARE(readAll(userSettings()), QStringLiteral("# Klasse 1a\nsilben = an\nlernstand = an\nlernstandordner = %1\n").arg(other));
        // A lock of the school holds: shown as such, and the button does nothing.
        QFile system(systemSettings());
        QVERIFY(system.open(QIODevice::WriteOnly));
        system.write("lernstand = aus\ngesperrt = lernstand\n");
        system.close();
        page->refresh();
        QVERIFY(!page->cmdAnAus->isEnabled());
        QVERIFY(page->cmdAnAus->text().endsWith(QStringLiteral("(von der Schule festgelegt)")));
    }

    void thePageIsReadInTheOrderItIsUsed() {
        ProgramFolder program;
        auto page = openPage();
        QList<QWidget*> order{page->cmdAnAus};
        for (QWidget* w = page->cmdAnAus->nextInFocusChain(); w != page->cmdAnAus && order.size() < 20;
             w = w->nextInFocusChain())
            if ((w->focusPolicy() & Qt::TabFocus) && page->isAncestorOf(w)) order << w;
        QCOMPARE(order, (QList<QWidget*>{page->cmdAnAus, page->cmdOrdner, page->lstKinder, page->cmdBerichtKlasse,
                                         page->cmdBerichtKind, page->cmdKindVergessen, page->cmdAlleVergessen,
                                         page->lstHinweise}));
        for (QWidget* w : order) QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
        QCOMPARE(QAccessible::queryAccessibleInterface(page.get())->role(), QAccessible::Grouping);
        QCOMPARE(page->accessibleName(), QStringLiteral("Lernstand"));
    }

    void whatTheRecordCouldNotKeepIsShownWithDayAndReason() {
        ProgramFolder program;
        platform::setRecordToday(QStringLiteral("2026-12-07"));
        auto page = openPage();
        QCOMPARE(rows(page->lstHinweise), QStringList{"Alles in Ordnung: nichts ist schiefgegangen."});
        QFile blocker(home_.path() + QStringLiteral("/datei"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        options::current().learning = true;
        options::current().learningFolder = home_.path() + QStringLiteral("/datei/lernstand");
        lernstand::beginChild(QStringLiteral("Lea"));
        const QStringList problems = lernstand::keepingProblems();
        QCOMPARE(problems.size(), 1);
        QVERIFY2(problems.at(0).startsWith(QStringLiteral("7.12.2026: Der Lernstand kann im Ordner")),
                 qPrintable(problems.at(0)));
        QVERIFY2(problems.at(0).contains(home_.path() + QStringLiteral("/datei/lernstand")), qPrintable(problems.at(0)));
        page->refresh();  // as when the teacher turns to the page
        QCOMPARE(rows(page->lstHinweise), problems);
        platform::setRecordToday(QString());
    }

    // Results an earlier run could not keep wait on this computer: after a restart the page
    // shows them with the day and the reason, until the folder takes them.
    void resultsWaitingFromAnEarlierRunAreShownAfterARestart() {
        ProgramFolder program;
        platform::setRecordToday(QStringLiteral("2026-12-07"));
        const QString blocked = home_.path() + QStringLiteral("/gesperrt");
        QFile blocker(blocked);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        options::current().learning = true;
        options::current().learningFolder = blocked + QStringLiteral("/lernstand");
        lernstand::beginChild(QStringLiteral("Lea"));
        lernstand::wordShown(QStringLiteral("Hund"), 1);
        lernstand::wordRight();
        QVERIFY(lernstand::settle(5000));
        QVERIFY(QFile::exists(home_.path() + QStringLiteral("/daten/knorzelbart/lernstand-wartend")));
        lernstand::resetRun();  // as after a restart: nothing of the last run in memory
        QVERIFY(lernstand::keepingProblems().isEmpty());
        auto page = openPage();
        QCOMPARE(rows(page->lstHinweise).size(), 1);
        QVERIFY2(rows(page->lstHinweise).at(0).startsWith(QStringLiteral("7.12.2026: Der Lernstand kann im Ordner ") +
                                                          blocked + QStringLiteral("/lernstand nicht gespeichert werden (")),
                 qPrintable(rows(page->lstHinweise).at(0)));
        // The folder can be used again: the result is written and the note goes.
        QVERIFY(QFile::remove(blocked));
        QVERIFY(QDir().mkpath(blocked));
        page->refresh();
        QCOMPARE(rows(page->lstHinweise), QStringList{"Alles in Ordnung: nichts ist schiefgegangen."});
        QCOMPARE(lernstand::readAll(blocked + QStringLiteral("/lernstand")).size(), std::size_t(1));
        QCOMPARE(rows(page->lstKinder), QStringList{"Lea"});
        platform::setRecordToday(QString());
    }

    // A share that hangs does not stop the room: the page says that the folder is being read
    // and shows the children when the reading comes; a folder that cannot be read is named so.
    void aHangingFolderDoesNotStopThePage() {
        ProgramFolder program;
        writeRecordFile(folder(), QStringLiteral("Lea"), QStringLiteral("Hund"));
        platform::holdRecordWork(true);
        auto page = openPage();
        QCOMPARE(page->lblOrdner->Caption(), QStringLiteral("Ordner: %1 – wird gelesen …").arg(folder()));
        QCOMPARE(page->lstKinder->Rows(), 0);
        QCOMPARE(rows(page->lstHinweise), QStringList{"Alles in Ordnung: nichts ist schiefgegangen."});
        platform::holdRecordWork(false);
        QVERIFY(platform::recordWorkDone(5000));
        QCoreApplication::processEvents();
        QCOMPARE(rows(page->lstKinder), QStringList{"Lea"});
        QCOMPARE(page->lblOrdner->Caption(), QStringLiteral("Ordner: ") + folder());
        // The report too: made when the folder answers.
        platform::holdRecordWork(true);
        QTest::mouseClick(page->cmdBerichtKlasse, Qt::LeftButton);
        QVERIFY(page->lblMeldung->Caption().startsWith(QStringLiteral("Der Bericht wird gemacht …")));
        QVERIFY(platform::navigatedTargets().isEmpty());
        platform::holdRecordWork(false);
        QVERIFY(platform::recordWorkDone(5000));
        QCoreApplication::processEvents();
        QCOMPARE(platform::navigatedTargets(), QStringList{QUrl::fromLocalFile(TeacherRecordPage::reportPath()).toString()});
        QVERIFY(readAll(TeacherRecordPage::reportPath()).contains(QStringLiteral("Lea")));
        options::current().learningFolder = home_.path() + QStringLiteral("/fehlt");
        page->refresh();
        QCOMPARE(page->lblOrdner->Caption(), QStringLiteral("Ordner: %1/fehlt – noch nicht vorhanden").arg(home_.path()));
        QCOMPARE(page->lstKinder->Rows(), 0);
        QFile file(home_.path() + QStringLiteral("/eine-datei"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        options::current().learningFolder = file.fileName();
        page->refresh();
        QCOMPARE(page->lblOrdner->Caption(),
                 QStringLiteral("Ordner: %1 – ist kein Ordner, sondern eine Datei").arg(file.fileName()));
    }

    void aDictationWithoutSoundShowsTheWordAndLeavesOneNote() {
        ProgramFolder program;
        platform::hooks().voiceAvailable = [] { return false; };  // no voice on this computer
        options::current().speech = options::Speech::Dictation;
        program.addNumberedPictures(20);
        frmRaeuber& game = openGame(1);
        game.showFirstWordPreview();
        QVERIFY(shown(game.lbl_wordPreview));
        playWordRight(game);
        QVERIFY(shown(game.lbl_wordPreview));
        QCOMPARE(teachernotes::lines(teachernotes::Kind::Dictation).size(), 1);
        QVERIFY(teachernotes::list().at(0).text.startsWith(QStringLiteral("Im Diktat ist kein Ton zu hören")));
        // No message box for the child.
        QCOMPARE(messageTexts(), QStringList());
    }

    void theMenuShowsASmallSignWhileThereAreNotes() {
        ProgramFolder program;
        frmAuswahlmenü& menu = startToMenu();
        QVERIFY(!shown(menu.lblHinweise));
        teachernotes::add(teachernotes::Kind::Words, QStringLiteral("Der Bilderordner fehlt."));
        QVERIFY(shown(menu.lblHinweise));
        QCOMPARE(menu.lblHinweise->accessibleName(), QStringLiteral("Hinweise für Lehrkräfte"));
        teachernotes::clear();
        QVERIFY(!shown(menu.lblHinweise));
    }

    void aWordFolderThatCannotBeReadLeavesANote() {
        ProgramFolder program;
        QDir(program.db()).removeRecursively();
        try {
            openGame(1);
        } catch (...) {
        }
        QCOMPARE(teachernotes::lines(teachernotes::Kind::Words).size(), 1);
        QVERIFY(teachernotes::list().at(0).text.contains(QStringLiteral("ist nicht vorhanden")));
    }

    // Last: from here on this process has a touch screen.
    void onATouchScreenAChildTapsItsNameAndTheKeysStayAway() {
        ProgramFolder program;
        program.addNumberedPictures(20);
        QPointingDevice* screen = QTest::createTouchDevice();
        const auto tap = [screen](QWidget* widget) {
            const QPoint centre = widget->mapTo(widget->window(), widget->rect().center());
            QTest::touchEvent(widget->window(), screen).press(0, centre);
            QTest::touchEvent(widget->window(), screen).release(0, centre);
        };
        lernstand::addToClass(folder(), QStringLiteral("Lea"));
        lernstand::addToClass(folder(), QStringLiteral("Tim"));
        shell::startupForm().Show();
        tap(frmSplash::Default().lblTitel);
        frmAuswahlmenü& menu = frmAuswahlmenü::Default();
        QVERIFY(menu.isVisible());
        QVERIFY(menu.nameKeys);  // made for the touch screen, but a list needs no typing
        QVERIFY(!shown(menu.nameKeys));
        tap(menu.nameButtons->buttons().at(1));
        tap(menu.cmdLevel3);
        QCOMPARE(playerName, QStringLiteral("Tim"));
        QCOMPARE(skillLevel, 3);
    }

    void theNotesListKeepsEachNoteOncePerDay() {
        platform::setRecordToday(QStringLiteral("2026-12-07"));
        QVERIFY(teachernotes::add(teachernotes::Kind::Words, QStringLiteral("A")));
        QVERIFY(!teachernotes::add(teachernotes::Kind::Words, QStringLiteral("A")));
        QVERIFY(teachernotes::add(teachernotes::Kind::Record, QStringLiteral("A")));
        QCOMPARE(teachernotes::lines(), (QStringList{"2026-12-07: A", "2026-12-07: A"}));
        teachernotes::clear();
        QVERIFY(!teachernotes::any());
        platform::setRecordToday(QString());
    }
};

QTEST_MAIN(TestTeacherRecord)
#include "test_teacher_record.moc"
