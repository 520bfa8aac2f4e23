// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/Files.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <cerrno>
#include <dirent.h>
#include <unistd.h>

#include "platform/files/TextFile.h"

namespace platform {

namespace {

QString findEntry(const QString& dir, const QString& name) {
    QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    const QString wanted = name.normalized(QString::NormalizationForm_C);
    while (it.hasNext()) {
        it.next();
        const QString entry = it.fileName();
        if (entry.normalized(QString::NormalizationForm_C).compare(wanted, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return QString();
}

// Stands for a backslash of a literal path while the composed path's separators are turned
// into slashes (a private-use character that no keyboard types).
constexpr char16_t kLiteralBackslash = 0xF05C;

}  // namespace

QString literalPath(const QString& path) {
    QString literal = path;
    literal.replace(QLatin1Char('\\'), QChar(kLiteralBackslash));
    return literal;
}

QString resolvePath(const QString& composed) {
    QString path = composed;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    path.replace(QChar(kLiteralBackslash), QLatin1Char('\\'));
    if (QFileInfo::exists(path)) return path;

    const bool absolute = path.startsWith(QLatin1Char('/'));
    const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString current = absolute ? QStringLiteral("/") : QStringLiteral(".");
    for (int i = 0; i < parts.size(); ++i) {
        const QString exact = QDir(current).filePath(parts[i]);
        if (QFileInfo::exists(exact)) {
            current = exact;
            continue;
        }
        const QString found = findEntry(current, parts[i]);
        if (found.isEmpty()) {
            // Nothing matches: keep the rest as written.
            QStringList rest = parts.mid(i);
            return QDir(current).filePath(rest.join(QLatin1Char('/')));
        }
        current = QDir(current).filePath(found);
    }
    return current;
}

bool FolderExists(const QString& composed) { return QFileInfo(resolvePath(composed)).isDir(); }

bool PathExists(const QString& composed) { return QFileInfo::exists(resolvePath(composed)); }

bool fileExists(const QString& path) { return QFileInfo::exists(path); }

QString removeFile(const QString& path) {
    if (::unlink(QFile::encodeName(path).constData()) == 0 || errno == ENOENT) return QString();
    return systemErrorText(errno, true);
}

}  // namespace platform
