// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's room, page Wörter: the collections, the one the children play, the check of
// the chosen one with its thumbnails, the picture sheet, its folder and its recordings.
#include <memory>

#include "game/Options.h"
#include "platform/system/Background.h"
#include "platform/ui/Dialogs.h"
#include "platform/files/Files.h"
#include "platform/pictures/Pictures.h"
#include "platform/files/TextFile.h"
#include "raeuber/frmRaeuber.h"
#include "shell/CheckSheet.h"
#include "shell/Settings.h"
#include "shell/TeacherSettingsFile.h"
#include "shell/frmAufnahme.h"
#include "shell/frmLehrer.h"

using collections::Collection;

namespace {

// Thumbnails decoded per tick of the timer: the list fills while the teacher looks.
constexpr int kThumbnailsPerTick = 2;

QString rowText(const check::FileResult& file) {
    const QString name = check::printable(file.name);
    QString row;
    if (file.usable) row = QStringLiteral("%1  →  %2").arg(name, check::printable(file.word));
    else if (!file.role.isEmpty()) row = QStringLiteral("%1  –  %2").arg(name, file.role);
    else row = QStringLiteral("%1  –  wird übersprungen: %2").arg(name, file.reason);
    for (const QString& warning : file.warnings) row += QStringLiteral("\nAchtung: %1").arg(warning);
    // A photo straight from a camera is left out for its name; the teacher renames it.
    if (!file.usable && file.role.isEmpty() && check::looksLikeCameraName(file.name.section(QLatin1Char('.'), 0, 0)))
        row += QStringLiteral("\nAchtung: ein Name aus der Kamera, kein Wort; bitte die Datei so nennen, wie das "
                              "Kind das Wort tippen soll (zum Beispiel Hund.jpg)");
    return row;
}

// The check's closing lines: how many words, and whether a game can be won.
QString summary(const check::Report& report) {
    const QStringList lines = check::text(report).trimmed().split(QLatin1Char('\n'));
    if (!report.folderFound) return lines.join(QLatin1Char(' '));
    int first = int(lines.size()) - 1;
    while (first > 0 && !lines[first].contains(QStringLiteral(" Dateien: "))) --first;
    return lines.mid(first).join(QLatin1Char(' '));
}

}  // namespace

QString frmLehrer::activeSetting() const {
    const options::Options& o = options::current();
    return o.dbFolder.isEmpty() ? o.collection : o.dbFolder;
}

void frmLehrer::fillCollections() {
    const int chosen = lstSammlungen->CurrentRow();
    collections_ = collections::list(options::current().ownCollections);
    const int active = collections::indexOf(collections_, activeSetting());
    QStringList rows;
    for (int i = 0; i < collections_.size(); ++i) {
        QString row = collections_[i].name;
        if (collections_[i].kind == collections::Kind::Own) row += QStringLiteral(" (eigener Ordner)");
        if (i == active) row += QStringLiteral(" – wird gespielt");
        rows << row;
    }
    lstSammlungen->setRows(rows, {});
    lblGespielt->setCaption(active >= 0 ? QStringLiteral("Die Kinder spielen: %1").arg(collections_[active].name)
                                        : QStringLiteral("Die Kinder spielen mit dem Ordner %1").arg(activeSetting()));
    const QSignalBlocker quiet(lstSammlungen);
    lstSammlungen->setCurrentRow(chosen >= 0 && chosen < rows.size() ? chosen : std::max(0, active));
    const bool locked = locked_.contains(QStringLiteral("sammlung"));
    cmdSammlungSpielen->setEnabled(!locked);
    chkJedenStart->setEnabled(!locked);
    if (locked) lblGespielt->setCaption(lblGespielt->Caption() + QStringLiteral(" (von der Schule festgelegt)"));
}

void frmLehrer::lstSammlungen_Change() { showCheck(); }

// The check reads every picture, which takes seconds for a folder of photos: it runs beside
// the room, and the list is filled when it is done. A check no longer wanted is dropped.
void frmLehrer::showCheck() {
    const int row = lstSammlungen->CurrentRow();
    if (row < 0 || row >= collections_.size()) return;
    const int asked = ++checksAsked_;
    tmrVorschau->setEnabled(false);
    thumbnailRows_.clear();
    thumbnailFiles_.clear();
    lstPruefung->setRows({}, {});
    lblPruefung->setCaption(QStringLiteral("Die Sammlung „%1“ wird geprüft …").arg(collections_[row].name));
    const QString folder = collections_[row].folder;
    auto report = std::make_shared<check::Report>();
    platform::inBackground(
        this, [folder, report] { *report = check::examine(folder, false); },
        [this, asked, folder, report] {
            if (asked == checksAsked_) listCheck(folder, *report);
        });
}

void frmLehrer::listCheck(const QString& folder, const check::Report& report) {
    report_ = report;
    lblPruefung->setCaption(summary(report_));
    QStringList rows;
    const QString real = platform::resolvePath(folder);
    for (const check::FileResult& file : report_.files) {
        if (file.usable) {
            thumbnailRows_ << int(rows.size());
            thumbnailFiles_ << real + QLatin1Char('/') + file.name;
        }
        rows << rowText(file);
    }
    for (const QString& sub : report_.subfolders)
        rows << QStringLiteral("%1/  –  Unterordner, wird nicht gelesen").arg(check::printable(sub));
    lstPruefung->setRows(rows, {});
    tmrVorschau->setEnabled(!thumbnailRows_.isEmpty());
}

// Thumbnails are decoded at the size the list shows them, a few at a time.
void frmLehrer::tmrVorschau_Timer() {
    const int side = std::max(8, int(40 * scaleFactor() * devicePixelRatioF()));
    for (int n = 0; n < kThumbnailsPerTick && !thumbnailRows_.isEmpty(); ++n) {
        const int row = thumbnailRows_.takeFirst();
        const QString file = thumbnailFiles_.takeFirst();
        lstPruefung->setRowPicture(row, platform::tryLoadPicture(file, side));
    }
    if (thumbnailRows_.isEmpty()) tmrVorschau->setEnabled(false);
}

void frmLehrer::sayWords(const QString& text) {
    lblWoerterStatus->setCaption(text);
    announcer_->announce(text);
}

void frmLehrer::cmdOrdnerHinzufuegen_Click() {
    const QString folder = platform::chooseFolder(this, QStringLiteral("Eigenen Bilderordner wählen"));
    if (folder.isEmpty()) return;
    options::Options& o = options::current();
    if (!o.ownCollections.contains(folder)) {
        QStringList kept = o.ownCollections;
        kept << folder;
        const QString failure = settings::store(settings::defaultFiles().user, QStringLiteral("sammlungsordner"), kept);
        if (!failure.isEmpty()) {
            sayWords(QStringLiteral("Der Ordner wird nicht gemerkt: %1.").arg(failure));
            return;
        }
        o.ownCollections = kept;
    }
    fillCollections();
    for (int i = 0; i < collections_.size(); ++i)
        if (collections_[i].kind == collections::Kind::Own && collections_[i].folder == collections::folderOf(folder))
            lstSammlungen->setCurrentRow(i);
    sayWords(QStringLiteral("Der Ordner %1 ist jetzt eine eigene Sammlung.").arg(folder));
}

void frmLehrer::cmdSammlungSpielen_Click() {
    const int row = lstSammlungen->CurrentRow();
    if (row < 0 || row >= collections_.size()) return;
    if (locked_.contains(QStringLiteral("sammlung"))) {
        sayWords(QStringLiteral("Die Sammlung ist von der Schule festgelegt."));
        return;
    }
    const Collection chosen = collections_[row];
    const QString value = collections::settingOf(chosen);
    if (chkJedenStart->Value()) {
        const QString failure = settings::store(settings::defaultFiles().user, QStringLiteral("sammlung"), {value});
        if (!failure.isEmpty()) {
            sayWords(QStringLiteral("Die Sammlung wird nicht gemerkt: %1.").arg(failure));
            return;
        }
    }
    options::Options& o = options::current();
    // A folder given on the command line holds for this start.
    if (o.setForThisStart.contains(QStringLiteral("sammlung"))) {
        sayWords(QStringLiteral("Für diesen Start gilt der Bilderordner, der beim Aufruf des Spiels angegeben wurde; "
                                "„%1“ gilt ab dem nächsten Start.")
                     .arg(chosen.name));
        return;
    }
    o.dbFolder.clear();
    o.collection = value;
    fillCollections();
    // A game already open takes its new words when the next game begins.
    if (frmRaeuber::Existing())
        sayWords(QStringLiteral("Die Kinder spielen ab dem nächsten Spiel mit „%1“.").arg(chosen.name));
    else
        sayWords(QStringLiteral("Die Kinder spielen jetzt mit „%1“.").arg(chosen.name));
}

// The sheet carries every picture: it is made beside the room, then opened in the browser.
void frmLehrer::cmdBogen_Click() {
    const int row = lstSammlungen->CurrentRow();
    if (row < 0 || row >= collections_.size()) return;
    const QString collection = collections_[row].folder;
    const QString path = platform::cacheFolder() + QStringLiteral("/bilderbogen.html");
    auto failure = std::make_shared<QString>();
    cmdBogen->setEnabled(false);
    sayWords(QStringLiteral("Der Bilderbogen wird gemacht …"));
    platform::inBackground(
        this,
        [collection, path, failure] {
            *failure = platform::makeFolders(platform::cacheFolder());
            if (failure->isEmpty())
                *failure = platform::writeWholeFile(path, check::sheet(check::examine(collection, true)));
        },
        [this, path, failure] {
            cmdBogen->setEnabled(true);
            if (!failure->isEmpty()) {
                sayWords(QStringLiteral("Der Bilderbogen kann nicht geschrieben werden (%1).").arg(*failure));
                return;
            }
            platform::openFile(path);
            sayWords(QStringLiteral("Der Bilderbogen öffnet sich im Browser; dort drucken Sie ihn."));
        });
}

void frmLehrer::cmdOrdnerOeffnen_Click() {
    const int row = lstSammlungen->CurrentRow();
    if (row < 0 || row >= collections_.size()) return;
    const QString folder = collections_[row].folder;
    if (!platform::FolderExists(folder)) {
        sayWords(QStringLiteral("Den Ordner %1 gibt es nicht.").arg(folder));
        return;
    }
    platform::openFolder(platform::resolvePath(folder));
}

void frmLehrer::cmdStimmen_Click() {
    const int row = lstSammlungen->CurrentRow();
    if (row < 0 || row >= collections_.size()) return;
    if (!platform::FolderExists(collections_[row].folder)) {
        sayWords(QStringLiteral("Den Ordner %1 gibt es nicht.").arg(collections_[row].folder));
        return;
    }
    // One recording window at a time, for the collection chosen last.
    platform::Unload(QStringLiteral("frmAufnahme"));
    frmAufnahme::forFolder(platform::resolvePath(collections_[row].folder)).Show();
}
