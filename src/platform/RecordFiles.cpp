// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/RecordFiles.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/TextFile.h"

namespace platform {

namespace {

QString reasonFor(int error) {
    switch (error) {
        case EACCES:
        case EPERM: return QStringLiteral("keine Schreib- oder Leserechte");
        case EROFS: return QStringLiteral("der Ordner ist schreibgeschützt");
        case ENOSPC: return QStringLiteral("kein Platz mehr");
        case ENOENT: return QStringLiteral("der Ordner ist nicht vorhanden");
        case ENOTDIR: return QStringLiteral("ein Teil des Pfades ist kein Ordner");
        case EDQUOT: return QStringLiteral("das Speicherkontingent ist erschöpft");
        case EIO: return QStringLiteral("ein Ein-/Ausgabefehler");
        default: return QString::fromLocal8Bit(std::strerror(error));
    }
}

QString& fixedToday() {
    static QString day;
    return day;
}

}  // namespace

QString makeRecordFolder(const QString& folder) {
    if (folder.isEmpty()) return QStringLiteral("kein Ordner angegeben");
    const QFileInfo info(folder);
    if (info.exists() && !info.isDir()) return QStringLiteral("das ist kein Ordner");
    if (info.isDir()) return QString();
    if (!QDir().mkpath(folder)) return QStringLiteral("der Ordner kann nicht angelegt werden");
    return QString();
}

QString appendRecordLine(const QString& path, const QByteArray& line) {
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0) return reasonFor(errno);
    ssize_t written;
    do {
        written = ::write(fd, line.constData(), static_cast<size_t>(line.size()));
    } while (written < 0 && errno == EINTR);
    const int error = errno;
    ::close(fd);
    if (written < 0) return reasonFor(error);
    if (written != line.size()) return QStringLiteral("die Zeile wurde nur zum Teil geschrieben");
    return QString();
}

QByteArray readRecordFile(const QString& path, qint64 maxBytes, bool* ok) {
    if (ok) *ok = false;
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return {};
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return {};
    }
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(std::min<qint64>(info.st_size, maxBytes)));
    char buffer[65536];
    for (;;) {
        const qint64 want = std::min<qint64>(sizeof buffer, maxBytes - bytes.size());
        if (want <= 0) break;
        const ssize_t got = ::read(fd, buffer, static_cast<size_t>(want));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            ::close(fd);
            return {};
        }
        if (got == 0) break;
        bytes.append(buffer, got);
    }
    ::close(fd);
    if (ok) *ok = true;
    return bytes;
}

QStringList recordFolderFiles(const QString& folder, bool* ok) {
    const QDir dir(folder);
    if (ok) *ok = dir.exists() && dir.isReadable();
    return dir.entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

QString removeRecordFile(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    if (::unlink(native.constData()) != 0) return reasonFor(errno);
    return QString();
}

QString userDataFolder() {
    const QByteArray xdg = qgetenv("XDG_DATA_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(QFile::decodeName(xdg))) return QFile::decodeName(xdg);
    return QDir::homePath() + QStringLiteral("/.local/share");
}

QString recordComputerId(const QString& idFile, QString* why) {
    static const QRegularExpression valid(QStringLiteral("^[A-Za-z0-9]{1,32}$"));
    const QString fromEnvironment = QString::fromLocal8Bit(qgetenv("KNORZELBART_RECHNER_ID"));
    if (valid.match(fromEnvironment).hasMatch()) return fromEnvironment;
    const TextFile kept = readTextFile(idFile, 1024);
    if (kept.status == TextFile::Status::Ok) {
        const QString id = kept.text.trimmed();
        if (valid.match(id).hasMatch()) return id;
    }
    const QString id = QString::number(QRandomGenerator::system()->generate64(), 16).rightJustified(16, QLatin1Char('0'));
    const QString made = makeRecordFolder(QFileInfo(idFile).absolutePath());
    const QString failure = made.isEmpty() ? writeWholeFile(idFile, (id + QLatin1Char('\n')).toLatin1()) : made;
    if (!failure.isEmpty()) {
        if (why) *why = failure;
        return QString();
    }
    return id;
}

QString recordToday() {
    if (!fixedToday().isEmpty()) return fixedToday();
    return QDate::currentDate().toString(Qt::ISODate);
}

void setRecordToday(const QString& day) { fixedToday() = day; }

}  // namespace platform
