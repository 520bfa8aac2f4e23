// SPDX-License-Identifier: GPL-3.0-or-later
// The learning record page: its layout and its procedures.
#include "shell/TeacherRecordPage.h"

#include <QUrl>
#include <atomic>
#include <memory>

#include "game/Options.h"
#include "game/TeacherNotes.h"
#include "lernstand/Learning.h"
#include "lernstand/Record.h"
#include "lernstand/Report.h"
#include "platform/ui/Access.h"
#include "platform/ui/Events.h"
#include "platform/ui/FolderDialog.h"
#include "platform/system/Links.h"
#include "platform/ui/MessageBox.h"
#include "platform/files/PrivateFiles.h"
#include "platform/files/RecordFiles.h"
#include "game/AssetPaths.h"
#include "platform/files/Files.h"
#include "platform/system/RecordQueue.h"
#include "platform/system/App.h"
#include "shell/TeacherPage.h"
#include "shell/TeacherPages.h"
#include "shell/TeacherSettingsFile.h"

using namespace platform;
using namespace teacherpage;

namespace {
const QString kLocked = QStringLiteral(" (von der Schule festgelegt)");
// How long the page waits for the record's folder before it says that it is being read.
constexpr int kReadWaitMs = 300;
}

TeacherRecordPage::TeacherRecordPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pageLernstand"));
    lblTitel = label(this, "lblLernstandTitel", 10, 8, 600, 32, QStringLiteral("Lernstand"), 16, true);
    cmdAnAus = button(this, "cmdLernstandAnAus", 10, 44, 300, QString());
    cmdAnAus->setCheckable(true);
    cmdOrdner = button(this, "cmdLernstandOrdner", 320, 44, 290, QStringLiteral("Ordner wählen …"));
    lblOrdner = label(this, "lblLernstandOrdner", 10, 88, 600, 24, QString(), 10);
    lstKinder = new WordList(this, "lstLernstandKinder");
    lstKinder->setFont(teacherpage::font(12));
    place(lstKinder, 10, 116, 280, 190);
    cmdBerichtKlasse = button(this, "cmdBerichtKlasse", 305, 116, 305, QStringLiteral("Bericht anzeigen"));
    cmdBerichtKind = button(this, "cmdBerichtKind", 305, 162, 305, QStringLiteral("Bericht über das Kind anzeigen"));
    cmdKindVergessen = button(this, "cmdKindVergessen", 305, 212, 305, QStringLiteral("Kind vergessen"));
    cmdAlleVergessen = button(this, "cmdAlleVergessen", 305, 258, 305, QStringLiteral("Alle vergessen"));
    lblHinweiseTitel = label(this, "lblHinweiseTitel", 10, 312, 600, 24,
                             QStringLiteral("Was nicht gelungen ist:"), 11, true);
    lstHinweise = new WordList(this, "lstHinweise");
    lstHinweise->setFont(teacherpage::font(10));
    place(lstHinweise, 10, 338, 600, 90);
    // A note is read whole: long ones wrap instead of running off to the right.
    lstHinweise->setWordWrap(true);
    lstHinweise->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lstHinweise->setResizeMode(QListView::Adjust);
    lblMeldung = label(this, "lblLernstandMeldung", 10, 432, 600, 44, QString(), 10);

    setMinimumSize(QSize(620, 480) * lblTitel->scaleFactor());
    presentAsGroup(this);
    describe(this, QStringLiteral("Lernstand"));
    describe(cmdOrdner, QStringLiteral("Ordner des Lernstands wählen"));
    describe(lstKinder, QStringLiteral("Kinder mit Lernstand"), QStringLiteral("Pfeiltasten: Kind wählen"));
    describe(cmdBerichtKlasse, QStringLiteral("Bericht anzeigen"),
             QStringLiteral("Öffnet den Bericht über die Klasse im Browser, zum Drucken"));
    describe(cmdBerichtKind, QStringLiteral("Bericht über das Kind anzeigen"),
             QStringLiteral("Öffnet den Bericht über das gewählte Kind im Browser, zum Drucken"));
    describe(cmdKindVergessen, QStringLiteral("Kind vergessen"),
             QStringLiteral("Löscht alles, was über das gewählte Kind gespeichert ist"));
    describe(cmdAlleVergessen, QStringLiteral("Alle vergessen"),
             QStringLiteral("Löscht alles, was über alle Kinder gespeichert ist"));
    describe(lstHinweise, QStringLiteral("Was nicht gelungen ist"));

    setTabOrder(cmdAnAus, cmdOrdner);
    setTabOrder(cmdOrdner, lstKinder);
    setTabOrder(lstKinder, cmdBerichtKlasse);
    setTabOrder(cmdBerichtKlasse, cmdBerichtKind);
    setTabOrder(cmdBerichtKind, cmdKindVergessen);
    setTabOrder(cmdKindVergessen, cmdAlleVergessen);
    setTabOrder(cmdAlleVergessen, lstHinweise);
    setFocusProxy(cmdAnAus);

    askFolder = [this](const QString& start) {
        return askForFolder(this, QStringLiteral("Ordner für den Lernstand wählen"), start);
    };
    connect(cmdAnAus, &QPushButton::clicked, this, [this] { cmdAnAus_Click(); });
    connect(cmdOrdner, &QPushButton::clicked, this, [this] { cmdOrdner_Click(); });
    connect(cmdBerichtKlasse, &QPushButton::clicked, this, [this] { cmdBerichtKlasse_Click(); });
    connect(cmdBerichtKind, &QPushButton::clicked, this, [this] { cmdBerichtKind_Click(); });
    connect(cmdKindVergessen, &QPushButton::clicked, this, [this] { cmdKindVergessen_Click(); });
    connect(cmdAlleVergessen, &QPushButton::clicked, this, [this] { cmdAlleVergessen_Click(); });
    teachernotes::setListener(this, [this] { showNotes(); });
    // What the record could not keep meanwhile is shown whenever the page comes up again.
    platform::onShown(this, [this] { refresh(); });
    refresh();
}

TeacherRecordPage::~TeacherRecordPage() { teachernotes::setListener(this, {}); }

QString TeacherRecordPage::reportPath() { return programFolder(userDataFolder()) + QStringLiteral("/bericht.html"); }

void TeacherRecordPage::say(const QString& message) {
    lblMeldung->setCaption(message);
    describe(lblMeldung, message);
}

void TeacherRecordPage::showOnOff() {
    const bool on = lernstand::on();
    const bool fixed = teachersettings::locked(QStringLiteral("lernstand"));
    cmdAnAus->setChecked(on);
    cmdAnAus->setEnabled(!fixed);
    cmdAnAus->setCaption((on ? QStringLiteral("Lernstand: an") : QStringLiteral("Lernstand: aus")) +
                         (fixed ? kLocked : QString()));
    describe(cmdAnAus, QStringLiteral("Lernstand führen") + (fixed ? kLocked : QString()),
             QStringLiteral("Merkt sich, welche Wörter jedes Kind schon kann und welche es üben sollte"));
    const bool folderFixed = teachersettings::locked(QStringLiteral("lernstandordner"));
    cmdOrdner->setEnabled(!folderFixed);
}

// The folder may be a share that hangs: it is read on the record's thread. What comes within
// a moment is shown at once; else the page says that it is being read and fills in later.
void TeacherRecordPage::refresh() {
    showOnOff();
    showNotes();
    struct Reading {
        std::atomic<bool> done{false};
        bool readable = false;
        bool there = false;
        bool aFile = false;
        QStringList children;
    };
    auto reading = std::make_shared<Reading>();
    const QString folder = lernstand::folder();
    const int asked = ++readingsAsked_;
    // Results an earlier run could not keep wait on this computer: tried again first, and
    // what still cannot be kept is among the notes once the reading is done.
    lernstand::tryWaitingResults();
    const auto show = [this, reading, folder, asked] {
        if (asked != readingsAsked_ || !reading->done.load(std::memory_order_acquire)) return;
        ++readingsAsked_;  // shown once
        // A folder not there is made with the first result (or is a share not mounted).
        showChildren(folder, reading->aFile ? QStringLiteral(" – ist kein Ordner, sondern eine Datei")
                             : !reading->there  ? QStringLiteral(" – noch nicht vorhanden")
                             : !reading->readable ? QStringLiteral(" – kann nicht gelesen werden")
                                                  : QString(),
                     reading->children);
        showNotes();
    };
    platform::recordWorkThen(
        this,
        [reading, folder] {
            reading->there = platform::FolderExists(folder);
            reading->aFile = !reading->there && platform::PathExists(folder);
            platform::recordFolderFiles(folder, &reading->readable);
            for (const lernstand::Child& child : lernstand::readAll(folder))
                reading->children << lernstand::shownName(child.key);
            reading->done.store(true, std::memory_order_release);
        },
        show);
    if (platform::recordWorkDone(kReadWaitMs)) show();
    if (asked != readingsAsked_) return;
    lstKinder->setRows({}, {});
    lblOrdner->setCaption(QStringLiteral("Ordner: %1 – wird gelesen …").arg(folder));
    describe(lblOrdner, lblOrdner->Caption());
}

void TeacherRecordPage::showChildren(const QString& folder, const QString& problem, const QStringList& children) {
    const int row = lstKinder->CurrentRow();
    lstKinder->setRows(children, {});
    if (row >= 0 && row < children.size()) lstKinder->setCurrentRow(row);
    QString caption = QStringLiteral("Ordner: ") + folder + problem;
    if (teachersettings::locked(QStringLiteral("lernstandordner"))) caption += kLocked;
    lblOrdner->setCaption(caption);
    describe(lblOrdner, caption);
}

// The notes are the program's own: shown at once, whatever the folder does.
void TeacherRecordPage::showNotes() {
    QStringList notes = lernstand::keepingProblems();
    for (const teachernotes::Note& note : teachernotes::list())
        if (note.kind != teachernotes::Kind::Record) notes << note.day + QStringLiteral(": ") + note.text;
    if (notes.isEmpty()) notes << QStringLiteral("Alles in Ordnung: nichts ist schiefgegangen.");
    lstHinweise->setRows(notes, {});
}

void TeacherRecordPage::cmdAnAus_Click() {
    const bool on = cmdAnAus->isChecked();
    const QString failure = teachersettings::save(QStringLiteral("lernstand"), on ? QStringLiteral("an") : QStringLiteral("aus"));
    options::current().learning = on;
    showOnOff();
    say(failure.isEmpty() ? (on ? QStringLiteral("Der Lernstand wird ab dem nächsten Wort geführt.")
                                : QStringLiteral("Der Lernstand wird nicht mehr geführt."))
                          : QStringLiteral("Gilt bis zum Ende des Programms; gespeichert werden kann es nicht (%1).")
                                .arg(failure));
}

void TeacherRecordPage::cmdOrdner_Click() {
    const QString chosen = askFolder ? askFolder(lernstand::folder()) : QString();
    if (chosen.isEmpty()) return;
    options::current().learningFolder = chosen;
    const QString failure = teachersettings::save(QStringLiteral("lernstandordner"), chosen);
    refresh();
    say(failure.isEmpty() ? QStringLiteral("Der Lernstand wird jetzt in %1 gespeichert.").arg(chosen)
                          : QStringLiteral("Gilt bis zum Ende des Programms; gespeichert werden kann es nicht (%1).")
                                .arg(failure));
}

void TeacherRecordPage::onRecordThread(std::function<void()> job, std::function<void()> done, const QString& waiting) {
    auto finished = std::make_shared<bool>(false);
    const auto finish = [finished, done = std::move(done)] {
        if (*finished) return;
        *finished = true;
        done();
    };
    platform::recordWorkThen(this, std::move(job), finish);
    if (platform::recordWorkDone(kReadWaitMs)) finish();
    else say(waiting);
}

// The report is written where only this user reads it, then the browser shows it. The
// record is read on its own thread: a share that hangs does not stop the room.
void TeacherRecordPage::showReport(const QString& child) {
    lernstand::ReportInput input;
    input.recordFolder = lernstand::folder();
    input.vocabularyFolder = assetpaths::dbFolder();
    input.today = recordToday();
    const QString path = reportPath();
    auto failure = std::make_shared<QString>();
    onRecordThread(
        [input, child, path, failure]() mutable {
            for (lernstand::Child& each : lernstand::readAll(input.recordFolder))
                if (child.isEmpty() || each.key == child) input.children.push_back(std::move(each));
            // The report lies in the user's own data folder, made whole when it is missing
            // (unlike the record's folder, which may be a share that is not mounted).
            *failure = makeDataFolder(programFolder(userDataFolder()))
                           ? QString()
                           : QStringLiteral("der Datenordner kann nicht angelegt werden");
            if (failure->isEmpty()) *failure = writePrivateFile(path, lernstand::report(input));
        },
        [this, path, failure] {
            if (!failure->isEmpty()) {
                say(QStringLiteral("Der Bericht kann nicht geschrieben werden (%1).").arg(*failure));
                return;
            }
            NavigateTo(QUrl::fromLocalFile(path).toString());
            say(QStringLiteral("Der Bericht ist im Browser geöffnet; dort kann er gedruckt werden."));
        },
        QStringLiteral("Der Bericht wird gemacht … (der Ordner des Lernstands antwortet langsam)"));
}

void TeacherRecordPage::cmdBerichtKlasse_Click() { showReport(QString()); }

void TeacherRecordPage::cmdBerichtKind_Click() {
    const int row = lstKinder->CurrentRow();
    if (row < 0) {
        say(QStringLiteral("Bitte zuerst ein Kind in der Liste wählen."));
        return;
    }
    showReport(lernstand::childKey(lstKinder->RowText(row)));
}

// Deletes the files of one child (every child: an empty key) on the record's thread, and the
// report written before, which may name them.
void TeacherRecordPage::forgetOnRecordThread(const QString& key, const QString& done) {
    auto failures = std::make_shared<QStringList>();
    const QString folder = lernstand::folder();
    onRecordThread(
        [folder, key, failures] {
            lernstand::forget(folder, key, failures.get());
            removeRecordFile(reportPath());
        },
        [this, failures, done] {
            refresh();
            say(failures->isEmpty() ? done
                                    : QStringLiteral("Nicht alles wurde gelöscht: %1").arg(failures->join(QStringLiteral("; "))));
        },
        QStringLiteral("Wird gelöscht … (der Ordner des Lernstands antwortet langsam)"));
}

void TeacherRecordPage::cmdKindVergessen_Click() {
    const int row = lstKinder->CurrentRow();
    if (row < 0) {
        say(QStringLiteral("Bitte zuerst ein Kind in der Liste wählen."));
        return;
    }
    const QString name = lstKinder->RowText(row);
    if (!AskYesNo(QStringLiteral("Soll alles gelöscht werden, was über „%1“ gespeichert ist? "
                                 "Das lässt sich nicht rückgängig machen.")
                      .arg(name)))
        return;
    forgetOnRecordThread(lernstand::childKey(name), QStringLiteral("Der Lernstand von „%1“ ist gelöscht.").arg(name));
}

void TeacherRecordPage::cmdAlleVergessen_Click() {
    const int count = lstKinder->Rows();
    if (count == 0) {
        say(QStringLiteral("Über kein Kind ist etwas gespeichert."));
        return;
    }
    if (!AskYesNo(QStringLiteral("Achtung: Soll wirklich alles gelöscht werden, was über alle %1 Kinder "
                                 "gespeichert ist? Der ganze Lernstand der Klasse ist danach verloren; das lässt "
                                 "sich nicht rückgängig machen.")
                      .arg(count)))
        return;
    forgetOnRecordThread(QString(), QStringLiteral("Der Lernstand aller Kinder ist gelöscht."));
}

namespace shell {
QWidget* makeRecordPage(QWidget* parent) { return new TeacherRecordPage(parent); }
}  // namespace shell
