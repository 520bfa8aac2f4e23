// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Recording.h"

#include <QFile>
#include <QFileInfo>
#include <QCoreApplication>
#include "platform/SoundLibraries.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace platform {

namespace {
constexpr sf_count_t kMaxSeconds = 60;

QString reasonOf(int error) {
    switch (error) {
        case EACCES:
        case EPERM: return QStringLiteral("keine Schreibrechte");
        case EROFS: return QStringLiteral("der Datenträger ist schreibgeschützt");
        case ENOSPC:
        case EDQUOT: return QStringLiteral("kein Platz mehr");
        case ENOENT:
        case ENOTDIR: return QStringLiteral("den Ordner gibt es nicht");
        case EFBIG: return QStringLiteral("die Datei wird zu groß");
        default: return QStringLiteral("Fehler beim Schreiben (%1)").arg(error);
    }
}

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
        if (std::abs(sample) > 64) {
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

bool readsBackWhole(const soundlibs::Sndfile& sndfile, const QByteArray& path, sf_count_t frames, int rate) {
    SF_INFO info{};
    SNDFILE* file = sndfile.open(path.constData(), SFM_READ, &info);
    if (!file) return false;
    sndfile.close(file);
    return std::abs(info.frames - frames) <= rate / 100;
}

}  // namespace

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
    const QString temporary = target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                              QStringLiteral(".%1.tmp").arg(QCoreApplication::applicationPid());
    const QByteArray temporaryName = QFile::encodeName(temporary);
    SF_INFO info{};
    info.samplerate = sound.rate;
    info.channels = sound.channels;
    info.format = SF_FORMAT_OGG | SF_FORMAT_VORBIS;
    errno = 0;
    SNDFILE* file = sndfile->open(temporaryName.constData(), SFM_WRITE, &info);
    if (!file) {
        reason = reasonOf(errno ? errno : EIO);
        ::unlink(temporaryName.constData());
        return reason;
    }
    double quality = 0.6;
    sndfile->command(file, SFC_SET_VBR_ENCODING_QUALITY, &quality, sizeof quality);
    const auto frames = static_cast<sf_count_t>(sound.samples.size() / static_cast<std::size_t>(sound.channels));
    errno = 0;
    const sf_count_t written = sndfile->writef_short(file, sound.samples.data(), frames);
    const int writeError = errno;
    const int closed = sndfile->close(file);
    const int closeError = errno;
    // The encoder buffers: a write that failed on the disk shows only in the file. It must
    // read back whole before it may take the place of a recording.
    if (written != frames || closed != 0 || !readsBackWhole(*sndfile, temporaryName, frames, sound.rate)) {
        ::unlink(temporaryName.constData());
        return reasonOf(writeError ? writeError : closeError ? closeError : EIO);
    }
    if (std::rename(temporaryName.constData(), QFile::encodeName(target.absoluteFilePath()).constData()) != 0) {
        reason = reasonOf(errno);
        ::unlink(temporaryName.constData());
        return reason;
    }
    return QString();
}

bool fileExists(const QString& path) { return QFileInfo::exists(path); }

QString removeFile(const QString& path) {
    if (::unlink(QFile::encodeName(path).constData()) == 0 || errno == ENOENT) return QString();
    return reasonOf(errno);
}

}  // namespace platform
