// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sound/SoundFile.h"

#include <QFile>
#include <QFileInfo>
#include <QCoreApplication>
#include "platform/sound/SoundLibraries.h"
#include "platform/files/TextFile.h"

#include <QRegularExpression>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {
constexpr sf_count_t kMaxSeconds = 60;
constexpr const char* kTemporarySuffix = ".tmp";

QString reasonOf(int error) { return systemErrorText(error, true); }

// Whether the folder of `path` lets this user create files; says why not in `reason`.
bool folderWritable(const QString& path, QString& reason) {
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    if (::access(folder.constData(), W_OK | X_OK) == 0) return true;
    reason = reasonOf(errno);
    return false;
}

}

Sound readRecording(const QString& path) {
    Sound sound;
    const soundlibs::Sndfile* sndfile = soundlibs::sndfile();
    if (!sndfile) return sound;
    SF_INFO info{};
    SNDFILE* file = sndfile->open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file) return sound;
    if (info.channels >= 1 && info.channels <= 8 && info.samplerate >= 1000 && info.samplerate <= 192000 &&
        info.frames > 0) {
        const sf_count_t frames = std::min<sf_count_t>(info.frames, kMaxSeconds * info.samplerate);
        sound.rate = info.samplerate;
        sound.channels = info.channels;
        sound.samples.resize(static_cast<std::size_t>(frames * info.channels));
        const sf_count_t read = sndfile->readf_short(file, sound.samples.data(), frames);
        sound.samples.resize(static_cast<std::size_t>(std::max<sf_count_t>(read, 0) * info.channels));
    }
    sndfile->close(file);
    // A recording of nothing but silence is as good as none: the voice speaks instead.
    bool audible = false;
    for (const std::int16_t sample : sound.samples) {
        if (std::abs(sample) >= kSilence) {
            audible = true;
            break;
        }
    }
    if (!audible) sound.samples.clear();
    else sound.source = path;
    return sound;
}

}  // namespace platform

namespace platform {

namespace {

bool readsBackWhole(const soundlibs::Sndfile& sndfile, int fd, sf_count_t frames, int rate) {
    if (::lseek(fd, 0, SEEK_SET) != 0) return false;
    SF_INFO info{};
    SNDFILE* file = sndfile.open_fd(fd, SFM_READ, &info, 0);
    if (!file) return false;
    sndfile.close(file);
    return std::abs(info.frames - frames) <= rate / 100;
}

// The encoder is handed the take in blocks of this many frames (it fails on very long
// single writes).
constexpr sf_count_t kBlockFrames = 4096;

// Encodes the sound into the open, empty file; an empty text, or why not.
QString encodeInto(const soundlibs::Sndfile& sndfile, int fd, const Sound& sound) {
    SF_INFO info{};
    info.samplerate = sound.rate;
    info.channels = sound.channels;
    info.format = SF_FORMAT_OGG | SF_FORMAT_VORBIS;
    errno = 0;
    SNDFILE* file = sndfile.open_fd(fd, SFM_WRITE, &info, 0);
    if (!file) return reasonOf(errno ? errno : EIO);
    double quality = 0.6;
    sndfile.command(file, SFC_SET_VBR_ENCODING_QUALITY, &quality, sizeof quality);
    const auto frames = static_cast<sf_count_t>(sound.samples.size() / static_cast<std::size_t>(sound.channels));
    errno = 0;
    sf_count_t written = 0;
    while (written < frames) {
        const sf_count_t block = std::min(kBlockFrames, frames - written);
        const sf_count_t done = sndfile.writef_short(file, sound.samples.data() + written * sound.channels, block);
        if (done != block) break;
        written += done;
    }
    const int writeError = errno;
    const int closed = sndfile.close(file);
    const int closeError = errno;
    // The encoder buffers: a write that failed on the disk shows only in the file. It must
    // read back whole before it may take the place of a recording. The children's accounts
    // read recordings too: the file gets the ordinary mode where mkstemp gave its owner only.
    if (written != frames || closed != 0 || ::fsync(fd) != 0 || ::fchmod(fd, mode_t(ordinaryFileMode())) != 0 ||
        !readsBackWhole(sndfile, fd, frames, sound.rate))
        return reasonOf(writeError ? writeError : closeError ? closeError : EIO);
    return QString();
}

// Whether the name still leads to the file that was written (nobody swapped it meanwhile).
bool sameFile(int fd, const QByteArray& name) {
    struct stat opened {}, named {};
    return ::fstat(fd, &opened) == 0 && ::lstat(name.constData(), &named) == 0 && opened.st_dev == named.st_dev &&
           opened.st_ino == named.st_ino;
}

}  // namespace

void removeStaleTemporaries(const QString& folder) {
    // ".Hund.ogg.Ab12Cd.tmp", and ".Hund.ogg.4711.tmp" of older versions.
    static const QRegularExpression ours(QStringLiteral("^\\..+\\.ogg\\.([A-Za-z0-9]{6}|[0-9]+)\\.tmp$"));
    const QByteArray encoded = QFile::encodeName(folder);
    DIR* dir = ::opendir(encoded.constData());
    if (!dir) return;
    const time_t now = ::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        if (!ours.match(QFile::decodeName(entry->d_name)).hasMatch()) continue;
        struct stat info {};
        // Only this user's own plain files, left long enough ago that no take is still
        // being written into them.
        if (::fstatat(::dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode) ||
            info.st_uid != ::getuid() || now - info.st_mtime < kStaleTemporarySeconds)
            continue;
        ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

double recordingSeconds(const QString& path) {
    const soundlibs::Sndfile* sndfile = soundlibs::sndfile();
    if (!sndfile) return 0.0;
    SF_INFO info{};
    SNDFILE* file = sndfile->open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file) return 0.0;
    sndfile->close(file);
    if (info.samplerate <= 0 || info.frames <= 0) return 0.0;
    return static_cast<double>(info.frames) / info.samplerate;
}

QString writeOggVorbis(const QString& path, const Sound& sound) {
    const soundlibs::Sndfile* sndfile = soundlibs::sndfile();
    if (!sndfile) return QStringLiteral("die Bibliothek libsndfile fehlt");
    if (sound.empty() || sound.channels < 1 || sound.rate < 1000) return QStringLiteral("die Aufnahme ist leer");
    QString reason;
    if (!folderWritable(path, reason)) return reason;
    const QFileInfo target(path);
    removeStaleTemporaries(target.absolutePath());
    // A name nobody can guess, created new (O_EXCL): a file or link planted under it is
    // never opened or followed.
    QByteArray temporaryName = QFile::encodeName(target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                                                 QStringLiteral(".XXXXXX") + QLatin1String(kTemporarySuffix));
    const int fd = ::mkostemps(temporaryName.data(), int(std::strlen(kTemporarySuffix)), O_CLOEXEC);
    if (fd < 0) return reasonOf(errno);
    const QString failure = encodeInto(*sndfile, fd, sound);
    if (failure.isEmpty() && sameFile(fd, temporaryName) &&
        std::rename(temporaryName.constData(), QFile::encodeName(target.absoluteFilePath()).constData()) == 0) {
        ::close(fd);
        return QString();
    }
    reason = failure.isEmpty() ? reasonOf(errno ? errno : EIO) : failure;
    if (sameFile(fd, temporaryName)) ::unlink(temporaryName.constData());
    ::close(fd);
    return reason;
}

}  // namespace platform
