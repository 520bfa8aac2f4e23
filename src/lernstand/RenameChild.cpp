// SPDX-License-Identifier: GPL-3.0-or-later
// A child renamed in the class list keeps what the record knows about it: its files, one per
// computer, take the new name; where the new name has a file of that computer already, the
// old file's lines are appended to it.
#include "lernstand/ClassList.h"
#include "lernstand/Record.h"
#include "platform/PrivateFiles.h"
#include "platform/RecordFiles.h"

namespace lernstand {

bool renameChild(const QString& folder, const QString& oldName, const QString& newName, QString* why) {
    const QString oldKey = childKey(oldName);
    const QString newKey = childKey(newName);
    if (oldKey.isEmpty() || newKey.isEmpty()) {
        if (why) *why = QStringLiteral("ein leerer Name");
        return false;
    }
    if (oldKey == newKey) return true;  // the same child as the record compares names
    const QString suffix = fileName(QString(), QString()).mid(1);  // ".lernstand"
    for (const QString& name : platform::recordFolderFiles(folder)) {
        if (childOfFile(name) != oldKey) continue;
        const qsizetype tilde = name.lastIndexOf(QLatin1Char('~'));
        const QString computer = name.mid(tilde + 1, name.size() - tilde - 1 - suffix.size());
        const QString from = folder + QLatin1Char('/') + name;
        const QString to = folder + QLatin1Char('/') + fileName(newKey, computer);
        QString failure = platform::moveFileNoReplace(from, to);
        if (!failure.isEmpty()) {
            bool ok = false;
            const QByteArray lines = platform::readRecordFile(from, kMaxFileBytes, &ok);
            failure = !ok ? QStringLiteral("%1 kann nicht gelesen werden").arg(name)
                          : platform::appendRecordLine(to, lines);
            if (failure.isEmpty()) failure = platform::removeRecordFile(from);
        }
        if (!failure.isEmpty()) {
            if (why) *why = failure;
            return false;
        }
    }
    return true;
}

}  // namespace lernstand
