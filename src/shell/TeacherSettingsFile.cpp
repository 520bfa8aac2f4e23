// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/TeacherSettingsFile.h"

#include <QFileInfo>
#include <QRegularExpression>

#include "game/Comments.h"
#include "platform/PrivateFiles.h"
#include "platform/RecordFiles.h"
#include "platform/TextFile.h"
#include "shell/Settings.h"

namespace teachersettings {

namespace {

constexpr qint64 kMaxFileBytes = 64 * 1024;

QString keyOf(const QString& line) {
    const QString text = comments::withoutComment(line);
    const qsizetype equals = text.indexOf(QLatin1Char('='));
    return equals < 0 ? QString() : text.left(equals).trimmed().toLower();
}

}  // namespace

bool locked(const QString& key) {
    const platform::TextFile file = platform::readTextFile(settings::defaultFiles().system, kMaxFileBytes);
    if (file.status != platform::TextFile::Status::Ok) return false;
    for (const QString& line : file.text.split(QLatin1Char('\n'))) {
        if (keyOf(line) != QLatin1String("gesperrt")) continue;
        const QString text = comments::withoutComment(line);
        const QString value = text.mid(text.indexOf(QLatin1Char('=')) + 1);
        for (const QString& k : value.split(QRegularExpression(QStringLiteral("[,;\\s\"]+")), Qt::SkipEmptyParts))
            if (k.toLower() == key) return true;
    }
    return false;
}

QString save(const QString& key, const QString& value) {
    const QString path = settings::defaultFiles().user;
    const platform::TextFile file = platform::readTextFile(path, kMaxFileBytes);
    using Status = platform::TextFile::Status;
    if (file.status != Status::Ok && file.status != Status::Missing)
        return QStringLiteral("die Einstellungsdatei %1 kann nicht gelesen werden").arg(path);
    QStringList lines = file.status == Status::Ok ? file.text.split(QLatin1Char('\n')) : QStringList();
    while (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    const QString wanted = key + QStringLiteral(" = ") + value;
    bool replaced = false;
    for (QString& line : lines) {
        if (keyOf(line) != key) continue;
        line = replaced ? QString() : wanted;  // a second line of the key would win over the first
        replaced = true;
    }
    if (!replaced) lines << wanted;
    const QString made = platform::makeRecordFolder(QFileInfo(path).absolutePath());
    if (!made.isEmpty()) return made;
    return platform::writePrivateFile(path, (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
}

}  // namespace teachersettings
