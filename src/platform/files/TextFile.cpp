// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/TextFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

// The one German wording of system errors, for every message of the program.
QString systemErrorText(int error, bool writing) {
    switch (error) {
        case EACCES:
        case EPERM: return writing ? QStringLiteral("keine Schreibrechte") : QStringLiteral("keine Leserechte");
        case ENOENT: return QStringLiteral("die Datei oder der Ordner ist nicht vorhanden");
        case ENOTDIR: return QStringLiteral("ein Teil des Pfades ist kein Ordner");
        case ELOOP: return QStringLiteral("Verknüpfungen im Kreis");
        case EISDIR: return QStringLiteral("das ist ein Ordner");
        case ENAMETOOLONG: return QStringLiteral("der Pfad ist zu lang");
        case ENOSPC: return QStringLiteral("kein Platz mehr auf dem Datenträger");
        case EDQUOT: return QStringLiteral("der zugeteilte Speicherplatz ist aufgebraucht");
        case EROFS: return QStringLiteral("der Datenträger ist schreibgeschützt");
        case EIO: return QStringLiteral("ein Lese- oder Schreibfehler des Datenträgers");
        case EBUSY:
        case ETXTBSY: return QStringLiteral("die Datei ist in Benutzung");
        case EEXIST: return QStringLiteral("eine Datei mit diesem Namen gibt es schon");
        case EFBIG: return QStringLiteral("die Datei wird zu groß");
        case ENXIO:
        case ENODEV: return QStringLiteral("kein Gerät dahinter");
        case EMFILE:
        case ENFILE: return QStringLiteral("zu viele offene Dateien");
        case ENOMEM: return QStringLiteral("zu wenig Arbeitsspeicher");
        default: return QStringLiteral("Systemfehler Nummer %1").arg(error);
    }
}

namespace {

QString reasonFor(int error) { return systemErrorText(error, false); }

TextFile readText(const QString& path, qint64 maxBytes, bool cut) {
    TextFile file;
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) return file;
        file.status = errno == EISDIR ? TextFile::Status::NotAFile : TextFile::Status::Unreadable;
        file.reason = reasonFor(errno);
        return file;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        file.status = TextFile::Status::NotAFile;
        file.reason = QStringLiteral("keine gewöhnliche Datei");
        return file;
    }
    QByteArray bytes;
    char buffer[8192];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            const int error = errno;
            ::close(fd);
            file.status = TextFile::Status::Unreadable;
            file.reason = reasonFor(error);
            return file;
        }
        if (got == 0) break;
        bytes.append(buffer, got);
        if (cut && bytes.size() >= maxBytes) {
            bytes.truncate(maxBytes);
            break;
        }
        if (bytes.size() > maxBytes) {
            ::close(fd);
            file.status = TextFile::Status::TooLarge;
            file.reason = QStringLiteral("größer als %1 KB").arg(maxBytes / 1024);
            return file;
        }
    }
    ::close(fd);
    QStringDecoder decoder(QStringDecoder::Utf8);
    file.text = decoder(bytes);
    file.validUtf8 = !decoder.hasError();
    file.status = TextFile::Status::Ok;
    return file;
}

}  // namespace

TextFile readTextFile(const QString& path, qint64 maxBytes) { return readText(path, maxBytes, false); }

TextFile readTextStart(const QString& path, qint64 count) { return readText(path, count, true); }

QString compiledInText(const QString& resourcePath) {
    QFile file(resourcePath);
    if (!file.open(QIODevice::ReadOnly)) return QString();
    return QString::fromUtf8(file.readAll());
}

int ordinaryFileMode() {
    // Read from /proc: asking umask() means setting it, which another thread's new file
    // could meet halfway.
    mode_t mask = 022;
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("Umask:")) mask = mode_t(line.mid(6).trimmed().toUInt(nullptr, 8));
    }
    return int(0666 & ~mask);
}

namespace {

// Removes what killed writers left beside `path`: its own files "<name>.XXXXXX" (six letters
// or digits, as mkstemp makes them), regular, this user's own and untouched for minutes.
// Nothing else is touched, and a failure to remove one is no failure of the write.
void removeStaleTemporaries(const QString& path) {
    const QFileInfo target(path);
    const QDir folder = target.absoluteDir();
    const QString prefix = target.fileName() + QLatin1Char('.');
    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-kStaleTemporarySeconds);
    const QStringList names = folder.entryList({prefix + QStringLiteral("??????")},
                                               QDir::Files | QDir::Hidden | QDir::NoSymLinks | QDir::System);
    for (const QString& name : names) {
        bool ours = true;
        for (const QChar c : QStringView(name).mid(prefix.size()))
            ours = ours && c.unicode() < 128 && c.isLetterOrNumber();
        const QFileInfo left(folder.filePath(name));
        if (ours && left.isFile() && !left.isSymLink() && left.ownerId() == ::geteuid() &&
            left.lastModified().toUTC() < before)
            QFile::remove(left.filePath());
    }
}

// The permissions the new file gets before its first byte.
mode_t modeFor(const QByteArray& native, FileMode kind) {
    if (kind == FileMode::Ordinary) return mode_t(ordinaryFileMode());
    struct stat old {};
    return ::stat(native.constData(), &old) == 0 ? (old.st_mode & 07777) : 0600;
}

}  // namespace

QString writeWholeFile(const QString& path, const QByteArray& bytes, FileMode kind) {
    removeStaleTemporaries(path);
    const QByteArray native = QFile::encodeName(path);
    QByteArray temporary = native + ".XXXXXX";
    // mkstemp makes the file new, under a name nobody can guess, for its owner only; it is
    // given its mode before any byte is in it.
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) return systemErrorText(errno, true);
    (void)::fchmod(fd, modeFor(native, kind));  // a share may refuse; the file is still written
    int error = 0;
    qsizetype written = 0;
    while (written < bytes.size() && error == 0) {
        const ssize_t n = ::write(fd, bytes.constData() + written, size_t(bytes.size() - written));
        if (n >= 0) written += n;
        else if (errno != EINTR) error = errno;
    }
    if (error == 0 && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && ::rename(temporary.constData(), native.constData()) != 0) error = errno;
    if (error == 0) return QString();
    ::unlink(temporary.constData());
    return systemErrorText(error, true);
}


QString absolutePath(const QString& path) { return QFileInfo(path).absoluteFilePath(); }

}  // namespace platform
