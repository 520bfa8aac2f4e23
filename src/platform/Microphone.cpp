// SPDX-License-Identifier: GPL-3.0-or-later
// The microphone through libpulse's simple API. The connection is made on the calling
// thread, so that a missing input is told at once; the blocking reads then run on a
// std::thread of their own, 20 ms at a time, and the GUI thread only asks for the level.
// Tests replace the whole microphone by the hooks microphoneStart and microphoneStop.
#include "platform/Microphone.h"

#include "platform/Hooks.h"
#include "platform/SoundLibraries.h"

#include <atomic>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <vector>

namespace platform {

namespace {

class Take {
public:
    ~Take() { finish(); }

    QString start() {
        finish();
        const soundlibs::Pulse* pulse = soundlibs::pulse();
        if (!pulse)
            return QStringLiteral("Die Bibliothek des Sound-Servers (libpulse) fehlt: es kann nichts "
                                  "aufgenommen werden.");
        if (!soundServerPresent())
            return QStringLiteral("Es läuft kein Sound-Server (PulseAudio oder PipeWire): es kann nichts "
                                  "aufgenommen werden.");
        soundlibs::SampleFormat format{};
        format.format = PA_SAMPLE_S16NE;
        format.rate = kMicrophoneRate;
        format.channels = 1;
        // Small pieces from the server keep the level meter quick.
        pa_buffer_attr attributes{};
        attributes.maxlength = static_cast<std::uint32_t>(-1);
        attributes.fragsize = kMicrophoneRate * 2 * 20 / 1000;
        int error = 0;
        pa_simple* stream = pulse->simple_new(nullptr, "Knorzelbart", PA_STREAM_RECORD, nullptr, "Aufnahme", &format,
                                              nullptr, &attributes, &error);
        if (!stream)
            return QStringLiteral("Kein Mikrofon gefunden: der Sound-Server hat keinen Eingang, von dem "
                                  "aufgenommen werden kann. Bitte ein Mikrofon anschließen und in den "
                                  "Toneinstellungen als Eingang wählen.");
        pulse_ = pulse;
        stream_ = stream;
        samples_.clear();
        level_ = 0;
        quit_ = false;
        full_ = false;
        running_ = true;
        thread_ = std::thread([this] { run(); });
        return QString();
    }

    Sound stop() {
        finish();
        Sound sound;
        sound.rate = kMicrophoneRate;
        sound.channels = 1;
        std::lock_guard lock(mutex_);
        sound.samples.swap(samples_);
        sound.source = QStringLiteral("Mikrofon");
        return sound;
    }

    bool running() const { return running_; }
    bool full() const { return full_; }
    double level() const { return level_; }
    double seconds() {
        std::lock_guard lock(mutex_);
        return static_cast<double>(samples_.size()) / kMicrophoneRate;
    }

private:
    void run() {
        std::vector<std::int16_t> piece(kMicrophoneRate / 50);
        const std::size_t most = static_cast<std::size_t>(kMicrophoneRate) * kMicrophoneMaxSeconds;
        while (!quit_) {
            int error = 0;
            if (pulse_->simple_read(stream_, piece.data(), piece.size() * 2, &error) < 0) break;
            int loudest = 0;
            for (const std::int16_t sample : piece) loudest = std::max(loudest, std::abs(int(sample)));
            level_ = std::min(1.0, loudest / 32768.0);
            std::lock_guard lock(mutex_);
            const std::size_t room = most - samples_.size();
            samples_.insert(samples_.end(), piece.begin(), piece.begin() + std::min(room, piece.size()));
            if (samples_.size() >= most) {
                full_ = true;
                break;
            }
        }
        running_ = false;
        level_ = 0;
    }

    void finish() {
        quit_ = true;
        if (thread_.joinable()) thread_.join();
        if (stream_) pulse_->simple_free(stream_);
        stream_ = nullptr;
        running_ = false;
    }

    const soundlibs::Pulse* pulse_ = nullptr;
    pa_simple* stream_ = nullptr;
    std::thread thread_;
    std::mutex mutex_;
    std::vector<std::int16_t> samples_;
    std::atomic<bool> quit_{false};
    std::atomic<bool> running_{false};
    std::atomic<bool> full_{false};
    std::atomic<double> level_{0};
};

Take& take() {
    static Take instance;
    return instance;
}

bool hookedTakeRuns = false;

}  // namespace

QString startMicrophone() {
    if (hooks().microphoneStart) {
        const QString failure = hooks().microphoneStart();
        hookedTakeRuns = failure.isEmpty();
        return failure;
    }
    return take().start();
}

Sound stopMicrophone() {
    if (hooks().microphoneStop) {
        hookedTakeRuns = false;
        return hooks().microphoneStop();
    }
    return take().stop();
}

bool microphoneRunning() { return hooks().microphoneStart ? hookedTakeRuns : take().running(); }
bool microphoneFull() { return hooks().microphoneStart ? false : take().full(); }
double microphoneLevel() { return hooks().microphoneStart ? 0.0 : take().level(); }
double microphoneSeconds() { return hooks().microphoneStart ? 0.0 : take().seconds(); }

}  // namespace platform
