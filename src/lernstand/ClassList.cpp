// SPDX-License-Identifier: GPL-3.0-or-later
#include "lernstand/ClassList.h"

#include <atomic>
#include <memory>

#include "lernstand/Learning.h"
#include "lernstand/Record.h"
#include "platform/files/PrivateFiles.h"
#include "platform/system/RecordQueue.h"
#include "platform/files/RecordFiles.h"
#include "platform/files/TextFile.h"

namespace lernstand {

namespace {

// A class is a few dozen names; a file larger than this is no class list.
constexpr qint64 kMaxListBytes = 64 * 1024;
constexpr int kMaxChildren = 200;

QString cleaned(const QString& name) { return name.trimmed().normalized(QString::NormalizationForm_C); }

}  // namespace

QString classListPath(const QString& folder) { return folder + QStringLiteral("/klassenliste.txt"); }

QStringList readClassList(const QString& folder, QString* why) {
    const platform::TextFile file = platform::readTextFile(classListPath(folder), kMaxListBytes);
    using Status = platform::TextFile::Status;
    if (file.status == Status::Missing) return {};
    if (file.status != Status::Ok) {
        if (why)
            *why = file.status == Status::TooLarge   ? QStringLiteral("die Datei ist zu groß für eine Klassenliste")
                   : file.status == Status::NotAFile ? QStringLiteral("das ist keine gewöhnliche Datei")
                   : file.reason.isEmpty()           ? QStringLiteral("sie kann nicht gelesen werden")
                                                     : file.reason;
        return {};
    }
    QStringList names;
    for (const QString& line : file.text.split(QLatin1Char('\n'))) {
        const QString name = cleaned(line);
        if (name.isEmpty() || !nameRefusal(names, name).isEmpty()) continue;
        names << name;
        if (names.size() >= kMaxChildren) break;
    }
    return names;
}

QString writeClassList(const QString& folder, const QStringList& names) {
    const QString made = makeFolder(folder);
    if (!made.isEmpty()) return made;
    QByteArray bytes;
    for (const QString& name : names) bytes += name.toUtf8() + '\n';
    return platform::writePrivateFile(classListPath(folder), bytes);
}

QString nameRefusal(const QStringList& names, const QString& name, int except) {
    const QString shown = cleaned(name);
    if (shown.isEmpty()) return QStringLiteral("Bitte einen Namen eingeben.");
    if (shown.size() > kMaxNameLength)
        return QStringLiteral("Der Name ist zu lang (höchstens %1 Zeichen).").arg(kMaxNameLength);
    for (const QChar c : shown)
        if (!c.isPrint()) return QStringLiteral("Der Name enthält ein Steuerzeichen.");
    const QString key = childKey(shown);
    for (int i = 0; i < names.size(); ++i)
        if (i != except && childKey(names.at(i)) == key)
            return QStringLiteral("„%1“ steht schon in der Klassenliste.").arg(names.at(i));
    if (names.size() >= kMaxChildren && except < 0) return QStringLiteral("Die Klassenliste ist voll.");
    return QString();
}

QString addToClass(const QString& folder, const QString& name) {
    QString why;
    QStringList names = readClassList(folder, &why);
    if (!why.isEmpty()) return QStringLiteral("Die Klassenliste kann nicht gelesen werden (%1).").arg(why);
    const QString refusal = nameRefusal(names, name);
    if (!refusal.isEmpty()) return refusal;
    names << cleaned(name);
    const QString failure = writeClassList(folder, names);
    return failure.isEmpty() ? QString() : QStringLiteral("Die Klassenliste kann nicht gespeichert werden (%1).").arg(failure);
}

QString renameInClass(const QString& folder, int row, const QString& newName) {
    QString why;
    QStringList names = readClassList(folder, &why);
    if (!why.isEmpty()) return QStringLiteral("Die Klassenliste kann nicht gelesen werden (%1).").arg(why);
    if (row < 0 || row >= names.size()) return QStringLiteral("Bitte zuerst ein Kind in der Liste wählen.");
    const QString refusal = nameRefusal(names, newName, row);
    if (!refusal.isEmpty()) return refusal;
    if (!renameChild(folder, names.at(row), cleaned(newName), &why))
        return QStringLiteral("Der Lernstand von „%1“ kann nicht umbenannt werden (%2).").arg(names.at(row), why);
    names[row] = cleaned(newName);
    const QString failure = writeClassList(folder, names);
    return failure.isEmpty() ? QString() : QStringLiteral("Die Klassenliste kann nicht gespeichert werden (%1).").arg(failure);
}

QString removeFromClass(const QString& folder, int row) {
    QString why;
    QStringList names = readClassList(folder, &why);
    if (!why.isEmpty()) return QStringLiteral("Die Klassenliste kann nicht gelesen werden (%1).").arg(why);
    if (row < 0 || row >= names.size()) return QStringLiteral("Bitte zuerst ein Kind in der Liste wählen.");
    names.removeAt(row);
    const QString failure = writeClassList(folder, names);
    return failure.isEmpty() ? QString() : QStringLiteral("Die Klassenliste kann nicht gespeichert werden (%1).").arg(failure);
}

QStringList classListSoon(const QString& folder, int ms) {
    struct Reading {
        std::atomic<bool> done{false};
        QStringList names;
    };
    static QString lastFolder;
    static QStringList lastNames;
    auto reading = std::make_shared<Reading>();
    platform::recordWork([reading, folder] {
        reading->names = readClassList(folder);
        reading->done.store(true, std::memory_order_release);
    });
    if (platform::recordWorkDone(ms) && reading->done.load(std::memory_order_acquire)) {
        lastFolder = folder;
        lastNames = reading->names;
    }
    return lastFolder == folder ? lastNames : QStringList();
}

}  // namespace lernstand
