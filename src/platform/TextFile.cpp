// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

QString reasonFor(int error) {
    switch (error) {
        case EACCES:
        case EPERM: return QStringLiteral("keine Leserechte");
        case ENOTDIR: return QStringLiteral("ein Teil des Pfades ist kein Ordner");
        case ELOOP: return QStringLiteral("Verknüpfungen im Kreis");
        case EISDIR: return QStringLiteral("das ist ein Ordner");
        case ENAMETOOLONG: return QStringLiteral("der Pfad ist zu lang");
        default: return QStringLiteral("Systemfehler %1").arg(error);
    }
}

}  // namespace

TextFile readTextFile(const QString& path, qint64 maxBytes) {
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

QString compiledInText(const QString& resourcePath) {
    QFile file(resourcePath);
    if (!file.open(QIODevice::ReadOnly)) return QString();
    return QString::fromUtf8(file.readAll());
}

QString writeWholeFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return file.errorString();
    file.write(bytes);
    if (!file.commit()) return file.errorString();
    return QString();
}

QString homeFolder() { return QDir::homePath(); }

QString userConfigFolder() {
    const QByteArray xdg = qgetenv("XDG_CONFIG_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(QFile::decodeName(xdg))) return QFile::decodeName(xdg);
    return QDir::homePath() + QStringLiteral("/.config");
}

QString absolutePath(const QString& path) { return QFileInfo(path).absoluteFilePath(); }

}  // namespace platform
