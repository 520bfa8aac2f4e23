// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PrivateFiles.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
        case EEXIST: return QStringLiteral("eine Datei mit diesem Namen gibt es schon");
        case EDQUOT: return QStringLiteral("das Speicherkontingent ist erschöpft");
        case EIO: return QStringLiteral("ein Ein-/Ausgabefehler");
        default: return QString::fromLocal8Bit(std::strerror(error));
    }
}

bool writeAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += n;
    }
    return true;
}

}  // namespace

QString writePrivateFile(const QString& path, const QByteArray& bytes) {
    const QString temporary = path + QStringLiteral(".neu-") +
                              QString::number(QRandomGenerator::global()->generate(), 16);
    const QByteArray native = QFile::encodeName(temporary);
    const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return reasonFor(errno);
    // The umask may take bits away, never add them. A share that keeps modes of its own
    // refuses fchmod; the file is written all the same.
    (void)::fchmod(fd, 0600);
    bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
    int error = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && std::rename(native.constData(), QFile::encodeName(path).constData()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(native.constData());
        return reasonFor(error);
    }
    return QString();
}

int fileMode(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) return -1;
    return static_cast<int>(info.st_mode & 07777);
}

QString moveFileNoReplace(const QString& from, const QString& to) {
    const QByteArray target = QFile::encodeName(to);
    struct stat info {};
    if (::lstat(target.constData(), &info) == 0) return reasonFor(EEXIST);
    if (std::rename(QFile::encodeName(from).constData(), target.constData()) != 0) return reasonFor(errno);
    return QString();
}

}  // namespace platform
