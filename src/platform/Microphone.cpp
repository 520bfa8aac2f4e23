// SPDX-License-Identifier: GPL-3.0-or-later
// The microphone through libpulse. The server is first asked whether its default input is
// there and not muted (libpulse's own API, a few milliseconds); then the stream is opened
// with the simple API on the calling thread, so that a missing input is told at once; the blocking reads then run on a
// std::thread of their own, 20 ms at a time, and the GUI thread only asks for the level.
// Tests replace the whole microphone by the hooks microphoneStart and microphoneStop.
#include "platform/Microphone.h"

#include "platform/Hooks.h"
#include "platform/SoundLibraries.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <vector>

namespace platform {

namespace {

// What the server says of its default input.
enum class Input { Usable, Muted, Missing, Unknown };

// Asks the server, within about two seconds, whether it has a default input and whether
// that is muted. Unknown when it cannot be asked; the take then just starts.
Input defaultInput() {
    const soundlibs::PulseControl* pulse = soundlibs::pulseControl();
    if (!pulse) return Input::Unknown;
    pa_mainloop* loop = pulse->mainloop_new();
    if (!loop) return Input::Unknown;
    pa_context* context = pulse->context_new(pulse->mainloop_get_api(loop), "Knorzelbart");
    struct Answer {
        bool done = false;
        Input input = Input::Unknown;
    } answer;
    const auto iterateUntil = [&](const std::function<bool()>& finished) {
        for (int i = 0; i < 400 && !finished(); ++i) {
            if (pulse->mainloop_iterate(loop, 0, nullptr) < 0) return false;
            if (!finished()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return finished();
    };
    if (context && pulse->context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0) {
        const bool ready = iterateUntil([&] {
            const pa_context_state_t state = pulse->context_get_state(context);
            return state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state);
        });
        if (ready && pulse->context_get_state(context) == PA_CONTEXT_READY) {
            pa_operation* operation = pulse->context_get_source_info_by_name(
                context, "@DEFAULT_SOURCE@",
                [](pa_context*, const pa_source_info* info, int eol, void* data) {
                    auto* a = static_cast<Answer*>(data);
                    if (info) a->input = info->mute ? Input::Muted : Input::Usable;
                    else if (eol < 0) a->input = Input::Missing;
                    if (eol != 0) a->done = true;
                },
                &answer);
            if (operation) {
                iterateUntil([&] { return answer.done; });
                pulse->operation_unref(operation);
            }
        }
        pulse->context_disconnect(context);
    }
    if (context) pulse->context_unref(context);
    pulse->mainloop_free(loop);
    return answer.input;
}

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
        switch (defaultInput()) {
            case Input::Muted:
                return QStringLiteral("Das Mikrofon ist stumm geschaltet. Bitte in den Toneinstellungen den "
                                      "Eingang einschalten und lauter stellen.");
            case Input::Missing: return noMicrophone();
            case Input::Usable:
            case Input::Unknown: break;
        }
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
        if (!stream) return noMicrophone();
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
    static QString noMicrophone() {
        return QStringLiteral("Kein Mikrofon gefunden: der Sound-Server hat keinen Eingang, von dem "
                              "aufgenommen werden kann. Bitte ein Mikrofon anschließen und in den "
                              "Toneinstellungen als Eingang wählen.");
    }

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
