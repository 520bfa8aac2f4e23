// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Recording.h"

#include <QFile>
#include "platform/SoundLibraries.h"

#include <cstdlib>

namespace platform {

namespace {
constexpr sf_count_t kMaxSeconds = 60;
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
