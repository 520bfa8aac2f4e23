// SPDX-License-Identifier: GPL-3.0-or-later
#include "lernstand/Keeping.h"

#include <QDate>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <mutex>

#include "lernstand/Learning.h"
#include "platform/system/Console.h"
#include "platform/files/RecordFiles.h"
#include "platform/system/RecordQueue.h"
#include "platform/system/App.h"

namespace lernstand {

namespace {

struct Waiting {
    QString folder;
    QString child;
    QByteArray line;
    QString pictures;  // the picture folder the word was played from
};

// Everything here but `guarded` belongs to the record's thread.
struct State {
    QString readyFolder;
    QString computerId;
    QByteArray secret;
    QSet<QString> knownFiles;     // files this run read or wrote
    QHash<QString, QString> picturesOf;  // the picture folder last named in each file
    int renames = 0;              // renames() when they were known
    std::vector<Waiting> waiting; // results not yet written, oldest first
    bool spoolRead = false;
    bool spooled = false;         // a file of waiting results is on the disk
    bool said = false;            // the problem was said on standard error
    struct {
        mutable std::mutex mutex;
        QStringList problems;
        QSet<QString> forgotten;
    } guarded;
};

// Never destroyed: a job that hangs on the share at the program's end may still use it.
State& state() {
    static State* s = new State;
    return *s;
}

QString spoolPath() {
    return platform::programFolder(platform::userDataFolder()) + QStringLiteral("/lernstand-wartend");
}

void saveSpool() {
    State& s = state();
    QByteArray bytes;
    for (const Waiting& w : s.waiting)
        bytes += w.folder.toUtf8().toHex() + '\t' + w.child.toUtf8().toHex() + '\t' + w.pictures.toUtf8().toHex() +
                 '\t' + w.line;
    if (bytes.isEmpty()) {
        platform::removeRecordFile(spoolPath());
        s.spooled = false;
        return;
    }
    s.spooled = true;
    // The user's own data folder on this computer: made with its parents when missing.
    if (platform::makeDataFolder(platform::programFolder(platform::userDataFolder())))
        platform::writePrivateFile(spoolPath(), bytes);
}

void readSpool() {
    State& s = state();
    if (s.spoolRead) return;
    s.spoolRead = true;
    bool ok = false;
    const QByteArray bytes = platform::readRecordFile(spoolPath(), 4 * 1024 * 1024, &ok);
    s.spooled = ok;
    for (const QByteArray& text : bytes.split('\n')) {
        const qsizetype first = text.indexOf('\t');
        const qsizetype second = text.indexOf('\t', first + 1);
        const qsizetype third = text.indexOf('\t', second + 1);
        if (first <= 0 || second <= first || third <= second) continue;
        const QByteArray line = text.mid(third + 1) + '\n';
        if (parse(line).size() != 1) continue;
        s.waiting.push_back({QString::fromUtf8(QByteArray::fromHex(text.left(first))),
                             QString::fromUtf8(QByteArray::fromHex(text.mid(first + 1, second - first - 1))), line,
                             QString::fromUtf8(QByteArray::fromHex(text.mid(second + 1, third - second - 1)))});
    }
}

void problem(const QString& folder, const QString& why) {
    State& s = state();
    const QString day = QDate::fromString(platform::recordToday(), Qt::ISODate).toString(QStringLiteral("d.M.yyyy"));
    const QString text = QStringLiteral("%1: Der Lernstand kann im Ordner %2 nicht gespeichert werden (%3). Die "
                                        "Ergebnisse werden hier aufbewahrt und später eingetragen.")
                             .arg(day, folder, why);
    {
        std::lock_guard<std::mutex> lock(s.guarded.mutex);
        if (!s.guarded.problems.contains(text)) s.guarded.problems << text;
    }
    if (s.said) return;
    s.said = true;
    platform::writeErr(QStringLiteral("knorzelbart: Der Lernstand wird gerade nicht gespeichert: %1 (%2). Die "
                                      "Ergebnisse werden aufbewahrt und später eingetragen; das Spiel geht weiter.\n")
                           .arg(folder, why));
}

// The folder and this computer's id; false (and why) when the folder cannot be used now.
bool ready(const QString& folder, QString* why) {
    State& s = state();
    if (s.readyFolder == folder) return true;
    QString failure = makeFolder(folder);
    if (failure.isEmpty() && s.computerId.isEmpty())
        s.computerId = platform::recordComputerId(
            platform::programFolder(platform::userDataFolder()) + QStringLiteral("/rechner-id"), &failure);
    QByteArray secret;
    if (failure.isEmpty()) secret = folderSecret(folder, &failure);
    if (!failure.isEmpty()) {
        *why = failure;
        return false;
    }
    s.secret = secret;
    s.readyFolder = folder;
    return true;
}

QString pathOf(const QString& folder, const QString& child) {
    return folder + QLatin1Char('/') + fileName(child, state().computerId, state().secret);
}

// Writes one result; false when it must wait.
bool writeOne(const Waiting& w, QString* why) {
    State& s = state();
    if (!ready(w.folder, why)) return false;
    const QString path = pathOf(w.folder, w.child);
    if (s.renames != renames()) {  // a child was renamed: its files moved, none was deleted
        s.knownFiles.clear();
        s.renames = renames();
    }
    const bool known = s.knownFiles.contains(path);
    bool made = false;
    QByteArray bytes = known ? QByteArray() : nameLine(w.child);
    const bool newPictures = !w.pictures.isEmpty() && (!known || s.picturesOf.value(path) != w.pictures);
    if (newPictures) bytes += folderLine(w.pictures);
    *why = platform::appendRecordLine(path, bytes + w.line, &made);
    if (!why->isEmpty()) {
        if (!QFileInfo(w.folder).isDir()) s.readyFolder.clear();  // the share is gone: looked for again
        return false;
    }
    if (made && known) {
        // The teacher deleted the record while the child played: it stays deleted.
        platform::removeRecordFile(path);
        s.knownFiles.remove(path);
        std::lock_guard<std::mutex> lock(s.guarded.mutex);
        s.guarded.forgotten.insert(w.child);
        return true;
    }
    s.knownFiles.insert(path);
    if (newPictures) s.picturesOf.insert(path, w.pictures);
    return true;
}

// Writes what waits, oldest first; says why something still waits. A folder that cannot
// be used stops it; a file that cannot be written (not a regular file, say) keeps only its
// own results waiting, and the results of other files are written.
QString writeWaiting() {
    State& s = state();
    readSpool();
    if (s.waiting.empty()) return QString();
    std::vector<Waiting> still;
    QSet<QString> stuck;  // children whose file failed: their later results wait behind
    QString why;
    for (size_t i = 0; i < s.waiting.size(); ++i) {
        const Waiting& w = s.waiting[i];
        {
            std::lock_guard<std::mutex> lock(s.guarded.mutex);
            if (s.guarded.forgotten.contains(w.child)) continue;
        }
        QString failure;
        if (stuck.contains(w.folder + QLatin1Char('\n') + w.child) || !writeOne(w, &failure)) {
            if (!failure.isEmpty()) why = failure;
            stuck.insert(w.folder + QLatin1Char('\n') + w.child);
            still.push_back(w);
            if (s.readyFolder.isEmpty()) {  // the folder is gone: the rest waits as well
                still.insert(still.end(), s.waiting.begin() + static_cast<std::ptrdiff_t>(i) + 1, s.waiting.end());
                break;
            }
        }
    }
    const bool changed = still.size() != s.waiting.size();
    s.waiting = std::move(still);
    if (changed && (s.spooled || !s.waiting.empty())) saveSpool();
    if (s.waiting.empty()) {
        std::lock_guard<std::mutex> lock(s.guarded.mutex);
        s.guarded.problems.clear();
    }
    return why;
}

}  // namespace

void Keeper::write(const QString& folder, const QString& childKey, const Result& result) {
    const QByteArray bytes = line(result);
    const QString pictures = result.folder;
    platform::recordWork([folder, childKey, bytes, pictures] {
        State& s = state();
        s.waiting.push_back({folder, childKey, bytes, pictures});
        const QString why = writeWaiting();
        if (s.waiting.empty()) return;
        problem(folder, why.isEmpty() ? QStringLiteral("die Datei kann nicht geschrieben werden") : why);
        saveSpool();
    });
}

void Keeper::read(const QString& folder, const QString& childKey, std::function<void(std::vector<Result>)> done) {
    platform::recordWork([folder, childKey, done] {
        State& s = state();
        writeWaiting();
        QString why;
        if (ready(folder, &why)) {
            const QString own = pathOf(folder, childKey);
            std::vector<Result> results = readChild(folder, childKey);
            for (const QString& name : platform::recordFolderFiles(folder))
                if (folder + QLatin1Char('/') + name == own) s.knownFiles.insert(own);
            {
                std::lock_guard<std::mutex> lock(s.guarded.mutex);
                s.guarded.forgotten.remove(childKey);
            }
            done(std::move(results));
        } else {
            problem(folder, why);
            done({});
        }
    });
}

void Keeper::tryWaiting() {
    platform::recordWork([] {
        State& s = state();
        const QString why = writeWaiting();
        if (s.waiting.empty()) return;
        problem(s.waiting.front().folder, why.isEmpty() ? QStringLiteral("die Datei kann nicht geschrieben werden") : why);
    });
}

QStringList Keeper::problems() const {
    State& s = state();
    std::lock_guard<std::mutex> lock(s.guarded.mutex);
    return s.guarded.problems;
}

bool Keeper::takeForgotten(const QString& childKey) {
    State& s = state();
    std::lock_guard<std::mutex> lock(s.guarded.mutex);
    return s.guarded.forgotten.remove(childKey);
}

void Keeper::reset() {
    State& s = state();
    s.readyFolder.clear();
    s.computerId.clear();
    s.secret.clear();
    s.knownFiles.clear();
    s.picturesOf.clear();
    s.waiting.clear();
    s.spoolRead = false;
    s.spooled = false;
    s.said = false;
    std::lock_guard<std::mutex> lock(s.guarded.mutex);
    s.guarded.problems.clear();
    s.guarded.forgotten.clear();
}

Keeper& keeper() {
    static Keeper k;
    return k;
}

}  // namespace lernstand
