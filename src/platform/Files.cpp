#include "platform/Files.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <cerrno>
#include <dirent.h>

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

}  // namespace

QString resolvePath(const QString& composed) {
    QString path = composed;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
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

QStringList folderFiles(const QString& composed, bool* readable) {
    QStringList names;
    const QString folder = resolvePath(composed);
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir) {
        if (readable) *readable = false;
        return names;
    }
    bool failed = false;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(dir);
        if (!entry) {
            failed = errno != 0;  // a read error, not the end of the listing
            break;
        }
        const QString name = QFile::decodeName(entry->d_name);
        if (name == QLatin1String(".") || name == QLatin1String("..")) continue;
        // Links to folders count as folders; everything else is a file entry.
        if (QFileInfo(folder + QLatin1Char('/') + name).isDir()) continue;
        names.append(name);
    }
    ::closedir(dir);
    if (readable) *readable = !failed;
    return failed ? QStringList() : names;
}

}  // namespace platform
