// SPDX-License-Identifier: GPL-3.0-or-later
// Sound output through libpulse's simple API, on a thread of its own.
//
// Why libpulse's simple API and not Qt Multimedia: it talks to PulseAudio and to
// pipewire-pulse alike (the sound servers of Debian's desktops), it is one small library
// instead of a multimedia stack, and its blocking writes run on a std::thread of their own.
// That thread keeps feeding the server while the GUI thread is blocked (the robber's walk
// blocks it for 0.6 s), so a word is never cut into pieces; an audio sink fed from the GUI
// thread's event loop would starve exactly then.
//
// libpulse is opened on the first word (SoundLibraries.h). With no sound server, or no
// libpulse, the game must play on as if there were no sound: the thread only
// connects when a server's socket exists (so libpulse never tries to start a server of its
// own), every connection attempt happens on the thread, and a failure drops the sound
// without a message.
#include "platform/sound/Sound.h"

#include <QFileInfo>
#include "platform/system/Hooks.h"
#include "platform/sound/SoundLibraries.h"
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>

namespace platform {

// Judged by its socket, as libpulse looks for it.
bool soundServerPresent() {
    if (qEnvironmentVariableIsSet("PULSE_SERVER")) return true;
    if (QFileInfo::exists(QStringLiteral("/var/run/pulse/native"))) return true;
    QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtime.isEmpty()) runtime = QStringLiteral("/run/user/%1").arg(::getuid());
    return QFileInfo::exists(runtime + QStringLiteral("/pulse/native"));
}

double Sound::seconds() const {
    if (rate <= 0 || channels <= 0) return 0.0;
    return static_cast<double>(samples.size()) / channels / rate;
}

namespace {

using SteadyClock = std::chrono::steady_clock;

struct Request {
    QString label;
    std::function<Sound()> make;  // empty: only stop what is playing
    SteadyClock::time_point requested;
};

class Output {
public:
    ~Output() { shutdown(); }

    void play(Request request) {
        std::lock_guard lock(mutex_);
        startThread();
        pending_ = std::move(request);
        ++generation_;
        wake_.notify_one();
    }

    void prepare(std::function<void()> job) {
        std::lock_guard lock(mutex_);
        startThread();
        jobs_.push_back(std::move(job));
        wake_.notify_one();
    }

    bool idle() {
        std::lock_guard lock(mutex_);
        return !busy_ && !pending_ && jobs_.empty();
    }

    // Asks the thread to end and waits for it at most `waitMs` milliseconds; false when it is
    // still blocked in the sound server then.
    bool end(int waitMs) {
        std::unique_lock lock(mutex_);
        if (!thread_.joinable()) return true;
        quit_ = true;
        wake_.notify_one();
        if (!done_.wait_for(lock, std::chrono::milliseconds(waitMs), [this] { return finished_; })) return false;
        lock.unlock();
        shutdown();
        return true;
    }

    void shutdown() {
        {
            std::lock_guard lock(mutex_);
            quit_ = true;
            wake_.notify_one();
        }
        if (thread_.joinable()) thread_.join();
        std::lock_guard lock(mutex_);
        quit_ = false;
        finished_ = false;
        pending_.reset();
        jobs_.clear();
    }

    std::atomic<bool> reached{false};
    std::atomic<double> latency{-1.0};

private:
    void startThread() {
        if (!thread_.joinable()) thread_ = std::thread([this] { run(); });
    }

    // Whether a newer request (or the end) has replaced the sound of `generation`.
    bool superseded(std::uint64_t generation) {
        std::lock_guard lock(mutex_);
        return quit_ || generation != generation_;
    }

    void run() {
        for (;;) {
            std::function<void()> job;
            std::optional<Request> request;
            std::uint64_t generation = 0;
            {
                std::unique_lock lock(mutex_);
                busy_ = false;
                wake_.wait(lock, [this] { return quit_ || !jobs_.empty() || pending_; });
                if (quit_) break;
                busy_ = true;
                if (!jobs_.empty()) {
                    job = std::move(jobs_.front());
                    jobs_.pop_front();
                } else {
                    request = std::move(pending_);
                    pending_.reset();
                    generation = generation_;
                }
            }
            if (job) {
                job();
                continue;
            }
            if (stream_) pulse_->simple_flush(stream_, nullptr);  // the old word stops here
            if (!request->make) continue;
            const Sound sound = request->make();
            if (!sound.empty() && !superseded(generation)) write(sound, generation, request->requested);
        }
        closeStream();
        std::lock_guard lock(mutex_);
        finished_ = true;
        done_.notify_all();
    }

    bool openStream(int rate, int channels) {
        if (stream_ && rate == rate_ && channels == channels_) return true;
        closeStream();
        if (!pulse_) pulse_ = soundlibs::pulse();
        if (!pulse_ || !soundServerPresent()) {
            reached = false;
            return false;
        }
        soundlibs::SampleFormat format{};
        format.format = PA_SAMPLE_S16NE;
        format.rate = static_cast<std::uint32_t>(rate);
        format.channels = static_cast<std::uint8_t>(channels);
        // A short buffer in the server (150 ms) keeps a stop quick; this thread refills it.
        const auto bytesPerSecond = static_cast<std::uint32_t>(rate * channels * 2);
        pa_buffer_attr attributes{};
        attributes.maxlength = static_cast<std::uint32_t>(-1);
        attributes.tlength = bytesPerSecond * 150 / 1000;
        attributes.prebuf = bytesPerSecond * 20 / 1000;
        attributes.minreq = static_cast<std::uint32_t>(-1);
        attributes.fragsize = static_cast<std::uint32_t>(-1);
        int error = 0;
        stream_ = pulse_->simple_new(nullptr, "Knorzelbart", PA_STREAM_PLAYBACK, nullptr, "Wort", &format,
                                nullptr, &attributes, &error);
        reached = stream_ != nullptr;
        if (!stream_) return false;
        rate_ = rate;
        channels_ = channels;
        return true;
    }

    void closeStream() {
        if (stream_) pulse_->simple_free(stream_);
        stream_ = nullptr;
    }

    // Writes the sound in pieces of 20 ms, so that a newer word takes over at once.
    void write(const Sound& sound, std::uint64_t generation, SteadyClock::time_point requested) {
        if (sound.channels < 1 || sound.channels > 8 || sound.rate < 1000 || sound.rate > 192000) return;
        if (!openStream(sound.rate, sound.channels)) return;
        const std::size_t piece = static_cast<std::size_t>(sound.rate / 50 * sound.channels);
        bool first = true;
        for (std::size_t at = 0; at < sound.samples.size(); at += piece) {
            if (superseded(generation)) {
                pulse_->simple_flush(stream_, nullptr);
                return;
            }
            const std::size_t count = std::min(piece, sound.samples.size() - at);
            int error = 0;
            if (pulse_->simple_write(stream_, sound.samples.data() + at, count * 2, &error) < 0) {
                closeStream();  // the server went away: drop the word, connect again next time
                reached = false;
                return;
            }
            if (first) {
                latency = std::chrono::duration<double>(SteadyClock::now() - requested).count();
                first = false;
            }
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;  // the thread has left its loop
    bool finished_ = false;
    std::optional<Request> pending_;
    std::deque<std::function<void()>> jobs_;
    std::uint64_t generation_ = 0;
    bool quit_ = false;
    bool busy_ = false;
    std::thread thread_;

    // Used on the sound thread only.
    const soundlibs::Pulse* pulse_ = nullptr;
    pa_simple* stream_ = nullptr;
    int rate_ = 0;
    int channels_ = 0;
};

Output& output() {
    static Output instance;
    return instance;
}

}  // namespace

void playSound(const QString& label, std::function<Sound()> make) {
    if (hooks().playSound) return hooks().playSound(label, make ? make() : Sound{});
    output().play({label, std::move(make), SteadyClock::now()});
}

void stopSound() {
    if (hooks().playSound) return;
    output().play({QString(), nullptr, SteadyClock::now()});
}

void prepareSound(std::function<void()> job) {
    if (hooks().playSound) {
        if (job) job();
        return;
    }
    if (job) output().prepare(std::move(job));
}

bool soundServerReached() { return output().reached; }
double lastSoundLatency() { return output().latency; }
bool soundIdle() { return output().idle(); }
void shutdownSound() { output().shutdown(); }
bool endSound(int waitMs) { return output().end(waitMs); }

}  // namespace platform
