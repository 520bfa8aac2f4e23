// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/TeacherSettingsFile.h"

#include <QRegularExpression>

#include "game/Comments.h"
#include "platform/ui/Dialogs.h"
#include "platform/files/TextFile.h"
#include "shell/Settings.h"

namespace settings {

namespace {

constexpr qint64 kMaxFileBytes = 64 * 1024;

// The key a line sets, lower case; empty for a comment, a blank line or no setting.
QString keyOf(const QString& line) {
    const QString text = comments::withoutComment(line);
    const int equals = text.indexOf(QLatin1Char('='));
    return equals < 0 ? QString() : text.left(equals).trimmed().toLower();
}

QString folderOf(const QString& path) {
    const int cut = path.lastIndexOf(QLatin1Char('/'));
    return cut <= 0 ? QStringLiteral("/") : path.left(cut);
}

}  // namespace

bool storable(const QString& value) {
    static const QRegularExpression comment(QStringLiteral("[ \\t]#"));
    return !value.contains(QLatin1Char('\n')) && !value.contains(QLatin1Char('\r')) &&
           !value.contains(comment) && !value.startsWith(QLatin1Char('#')) && value == value.trimmed();
}

QString store(const QString& path, const QString& key, const QStringList& values) {
    for (const QString& value : values)
        if (!storable(value))
            return QStringLiteral("„%1“ lässt sich nicht in die Einstellungsdatei schreiben "
                                  "(ein Zeilenumbruch, ein # nach einem Leerzeichen oder Leerzeichen am Rand)")
                .arg(value);
    const platform::TextFile file = platform::readTextFile(path, kMaxFileBytes);
    using Status = platform::TextFile::Status;
    if (file.status != Status::Ok && file.status != Status::Missing)
        return QStringLiteral("die Datei %1 kann nicht gelesen werden (%2)")
            .arg(path, file.reason.isEmpty() ? QStringLiteral("zu groß oder keine gewöhnliche Datei") : file.reason);
    QStringList lines = file.status == Status::Ok ? file.text.split(QLatin1Char('\n')) : QStringList();
    while (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    QStringList ours;
    for (const QString& value : values) ours << key + QStringLiteral(" = ") + value;
    int place = -1;
    for (int i = lines.size() - 1; i >= 0; --i) {
        if (keyOf(lines[i]) != key) continue;
        lines.removeAt(i);
        place = i;
    }
    if (place < 0) place = int(lines.size());
    for (int i = 0; i < ours.size(); ++i) lines.insert(place + i, ours[i]);
    const QString made = platform::makeFolders(folderOf(path));
    if (!made.isEmpty()) return made;
    return platform::writeWholeFile(path, (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
}

}  // namespace settings

namespace teachersettings {

bool locked(const QString& key) { return settings::lockedKeys(settings::defaultFiles()).contains(key); }

QString save(const QString& key, const QString& value) {
    return settings::store(settings::defaultFiles().user, key, {value});
}

}  // namespace teachersettings
