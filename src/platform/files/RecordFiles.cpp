// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/RecordFiles.h"

#include <QCryptographicHash>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/files/TextFile.h"

namespace platform {

namespace {

QString reasonFor(int error, bool writing = true) { return systemErrorText(error, writing); }

QString& fixedToday() {
    static QString day;
    return day;
}

QString& machineIdFile() {
    static QString path = QStringLiteral("/etc/machine-id");
    return path;
}

// Owner only; owner and group where the folder belongs to a group other than the user's
// own (a class folder on the school's share).
mode_t privateMode(const QString& folder) {
    struct stat info {};
    if (::stat(QFile::encodeName(folder).constData(), &info) == 0 && info.st_gid != ::getegid() &&
        (info.st_mode & S_IRWXG) != 0)
        return 0660;
    return 0600;
}

int openNew(const QByteArray& native, mode_t mode) {
    const int fd = ::open(native.constData(), O_RDWR | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, mode);
    if (fd >= 0) (void)::fchmod(fd, mode);  // the umask may take the group's bits
    return fd;
}

}  // namespace

QString makeRecordFolder(const QString& folder) {
    if (folder.isEmpty()) return QStringLiteral("kein Ordner angegeben");
    const QFileInfo info(folder);
    if (info.exists() && !info.isDir()) return QStringLiteral("das ist kein Ordner");
    if (info.isDir()) return QString();
    const QString parent = QFileInfo(info.absoluteFilePath()).absolutePath();
    if (!QFileInfo(parent).isDir())
        return QStringLiteral("der Ordner %1 fehlt (ist die Freigabe eingebunden?)").arg(parent);
    const mode_t mode = privateMode(parent) == 0660 ? 0770 : 0700;
    if (::mkdir(QFile::encodeName(info.absoluteFilePath()).constData(), mode) != 0 && errno != EEXIST)
        return reasonFor(errno);
    (void)::chmod(QFile::encodeName(info.absoluteFilePath()).constData(), mode);
    return QString();
}

QString appendRecordLine(const QString& path, const QByteArray& line, bool* made) {
    if (made) *made = false;
    const QByteArray native = QFile::encodeName(path);
    int fd = -1;
    for (int attempt = 0; attempt < 3 && fd < 0; ++attempt) {
        fd = ::open(native.constData(), O_RDWR | O_APPEND | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
        if (fd >= 0 || errno != ENOENT) break;
        fd = openNew(native, privateMode(QFileInfo(path).absolutePath()));
        if (fd >= 0 && made) *made = true;
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) return errno == ENXIO ? QStringLiteral("keine gewöhnliche Datei") : reasonFor(errno);
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return QStringLiteral("keine gewöhnliche Datei");
    }
    // A line torn by a full disk or a killed writer must not swallow this one.
    QByteArray bytes = line;
    char last = '\n';
    if (info.st_size > 0 && ::pread(fd, &last, 1, info.st_size - 1) == 1 && last != '\n') bytes.prepend('\n');
    ssize_t written;
    do {
        written = ::write(fd, bytes.constData(), static_cast<size_t>(bytes.size()));
    } while (written < 0 && errno == EINTR);
    const int error = errno;
    ::close(fd);
    if (written < 0) return reasonFor(error);
    if (written != bytes.size()) return QStringLiteral("die Zeile wurde nur zum Teil geschrieben");
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
    // A file over the limit: its newest results are kept.
    const bool cut = info.st_size > maxBytes;
    if (cut && ::lseek(fd, info.st_size - maxBytes, SEEK_SET) < 0) {
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
    if (cut) bytes.remove(0, bytes.indexOf('\n') + 1);
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

QString renameRecordFile(const QString& from, const QString& to) {
    // link() never replaces an existing file; the old name goes once the new one is there.
    const QByteArray source = QFile::encodeName(from), target = QFile::encodeName(to);
    if (::link(source.constData(), target.constData()) != 0) {
        if (errno == EEXIST) return reasonFor(EEXIST);
        if (::access(target.constData(), F_OK) == 0) return reasonFor(EEXIST);
        // A share without hard links: rename, after the check above.
        if (::rename(source.constData(), target.constData()) != 0) return reasonFor(errno);
        return QString();
    }
    (void)::unlink(source.constData());
    return QString();
}

QString writePrivateFile(const QString& path, const QByteArray& bytes) {
    return writeWholeFile(path, bytes, FileMode::Private);
}

bool makeDataFolder(const QString& folder) {
    if (QFileInfo(folder).isDir()) return true;
    if (!QDir().mkpath(folder)) return false;
    (void)::chmod(QFile::encodeName(folder).constData(), 0700);
    return true;
}

void setMachineIdFile(const QString& path) { machineIdFile() = path; }

QString recordComputerId(const QString& idFile, QString* why) {
    static const QRegularExpression valid(QStringLiteral("^[A-Za-z0-9]{1,32}$"));
    const QString fromEnvironment = QString::fromLocal8Bit(qgetenv("KNORZELBART_RECHNER_ID"));
    if (valid.match(fromEnvironment).hasMatch()) return fromEnvironment;
    const TextFile machine = readTextFile(machineIdFile(), 1024);
    if (machine.status == TextFile::Status::Ok && machine.text.trimmed().size() >= 16) {
        const QByteArray salted = "knorzelbart-lernstand\n" + machine.text.trimmed().toLatin1();
        return QString::fromLatin1(QCryptographicHash::hash(salted, QCryptographicHash::Sha256).toHex().left(16));
    }
    const TextFile kept = readTextFile(idFile, 1024);
    if (kept.status == TextFile::Status::Ok) {
        const QString id = kept.text.trimmed();
        if (valid.match(id).hasMatch()) return id;
    }
    const QString id = QString::number(QRandomGenerator::system()->generate64(), 16).rightJustified(16, QLatin1Char('0'));
    const QString parent = QFileInfo(idFile).absolutePath();
    const QString failure = makeDataFolder(parent) ? writeWholeFile(idFile, (id + QLatin1Char('\n')).toLatin1())
                                                  : QStringLiteral("der Ordner %1 kann nicht angelegt werden").arg(parent);
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
