// SPDX-License-Identifier: GPL-3.0-or-later
// The microphone through libpulse, all of it on a std::thread of its own: the server is
// first asked whether its default input is there and not muted (libpulse's own API, a few
// milliseconds), then the stream is opened with the simple API and read 20 ms at a time.
// The GUI thread never calls the server and never waits for the thread; it only takes
// what was read and asks for the level.
// Tests replace the whole microphone by the hooks microphoneStart and microphoneStop.
#include "platform/sound/Microphone.h"

#include "platform/system/Hooks.h"
#include "platform/sound/SoundLibraries.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <vector>

namespace platform {

namespace {

// What the server says of its default input.
enum class InputState { Usable, Muted, Missing, Unknown };

// Asks the server, within about two seconds, whether it has a default input and whether
// that is muted. Unknown when it cannot be asked; the take then just starts.
InputState defaultInput() {
    const soundlibs::PulseControl* pulse = soundlibs::pulseControl();
    if (!pulse) return InputState::Unknown;
    pa_mainloop* loop = pulse->mainloop_new();
    if (!loop) return InputState::Unknown;
    pa_context* context = pulse->context_new(pulse->mainloop_get_api(loop), "Knorzelbart");
    struct Answer {
        bool done = false;
        InputState input = InputState::Unknown;
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
                    if (info) a->input = info->mute ? InputState::Muted : InputState::Usable;
                    else if (eol < 0) a->input = InputState::Missing;
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

QString noMicrophone() {
    return QStringLiteral("Kein Mikrofon gefunden: der Sound-Server hat keinen Eingang, von dem "
                          "aufgenommen werden kann. Bitte ein Mikrofon anschließen und in den "
                          "Toneinstellungen als Eingang wählen.");
}

QString inputLost() {
    return QStringLiteral("Das Mikrofon ist mitten in der Aufnahme ausgefallen (der Sound-Server antwortet nicht "
                          "mehr oder der Eingang ist weg). Die abgebrochene Aufnahme wurde nicht gespeichert; "
                          "bitte noch einmal aufnehmen.");
}

// What the reading thread and the window share. The thread owns the stream; it keeps the
// state alive as long as it runs, so that the window never waits for it: a thread blocked
// in a server that hangs is left to end by itself.
struct Input {
    std::mutex mutex;
    std::vector<std::int16_t> preRoll;  // the last kPreRollSeconds before a take, a ring
    std::size_t preRollNext = 0;
    std::vector<std::int16_t> samples;  // the take
    bool taking = false;
    bool full = false;
    QString failure;  // why the input could not be opened or went away
    std::atomic<bool> open{false};
    std::atomic<bool> askServer{false};  // a take began: is the input muted meanwhile?
    std::chrono::steady_clock::time_point lastPiece;  // when the input last gave anything (under the mutex)
    bool flowing = false;  // it has given something since it was opened
    std::chrono::steady_clock::time_point takeStarted;
    std::atomic<bool> quit{false};
    std::atomic<double> level{0};

    void keep(const std::vector<std::int16_t>& piece) {
        const std::size_t most = static_cast<std::size_t>(kMicrophoneRate) * kMicrophoneMaxSeconds;
        std::lock_guard lock(mutex);
        lastPiece = std::chrono::steady_clock::now();
        flowing = true;
        if (taking) {
            const std::size_t room = most - samples.size();
            samples.insert(samples.end(), piece.begin(), piece.begin() + std::ptrdiff_t(std::min(room, piece.size())));
            if (samples.size() >= most) {
                full = true;
                taking = false;
            }
            return;
        }
        for (const std::int16_t sample : piece) {
            preRoll[preRollNext] = sample;
            preRollNext = (preRollNext + 1) % preRoll.size();
        }
    }
};

QString serverHangs() {
    return QStringLiteral("Der Sound-Server antwortet nicht mehr: vom Mikrofon kommt nichts an. Die Aufnahme "
                          "wurde nicht gespeichert; bitte die Toneinstellungen prüfen und noch einmal aufnehmen.");
}

// An input that gives nothing for this long during a take has stopped (a server that hangs);
// one just opened may take longer for its first piece (an idle virtual input hands out its
// first second or two at once).
constexpr auto kSilentServer = std::chrono::milliseconds(3000);
constexpr auto kOpeningServer = std::chrono::milliseconds(6000);

// Under the input's mutex: a take whose input has given nothing for kSilentServer ends with
// a failure (the reading thread may stay blocked; nobody waits for it).
void noticeHang(Input& input) {
    if (!input.taking || !input.failure.isEmpty()) return;
    const auto now = std::chrono::steady_clock::now();
    // Opening the input (asking the server, connecting) may take longer than a read.
    if (!input.flowing ? now - input.takeStarted < kOpeningServer
                    : now - std::max(input.lastPiece, input.takeStarted) < kSilentServer)
        return;
    input.failure = serverHangs();
    input.taking = false;
    input.quit = true;
}

QString mutedMessage() {
    return QStringLiteral("Das Mikrofon ist stumm geschaltet. Bitte in den Toneinstellungen den "
                          "Eingang einschalten und lauter stellen.");
}

QString openStream(const soundlibs::Pulse*& pulse, pa_simple*& stream) {
    pulse = soundlibs::pulse();
    if (!pulse)
        return QStringLiteral("Die Bibliothek des Sound-Servers (libpulse) fehlt: es kann nichts "
                              "aufgenommen werden.");
    if (!soundServerPresent())
        return QStringLiteral("Es läuft kein Sound-Server (PulseAudio oder PipeWire): es kann nichts "
                              "aufgenommen werden.");
    switch (defaultInput()) {
        case InputState::Muted: return mutedMessage();
        case InputState::Missing: return noMicrophone();
        case InputState::Usable:
        case InputState::Unknown: break;
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
    stream = pulse->simple_new(nullptr, "Knorzelbart", PA_STREAM_RECORD, nullptr, "Aufnahme", &format, nullptr,
                               &attributes, &error);
    return stream ? QString() : noMicrophone();
}

// The reading thread: opens the input, then reads it 20 ms at a time until told to quit.
void readInput(std::shared_ptr<Input> input) {
    const soundlibs::Pulse* pulse = nullptr;
    pa_simple* stream = nullptr;
    const QString failure = openStream(pulse, stream);
    if (!failure.isEmpty()) {
        std::lock_guard lock(input->mutex);
        input->failure = failure;
        input->taking = false;
        return;
    }
    input->open = true;
    std::vector<std::int16_t> piece(kMicrophoneRate / 50);
    while (!input->quit) {
        if (input->askServer.exchange(false) && defaultInput() == InputState::Muted) {
            std::lock_guard lock(input->mutex);
            input->failure = mutedMessage();
            input->taking = false;
            break;
        }
        int error = 0;
        if (pulse->simple_read(stream, piece.data(), piece.size() * 2, &error) < 0) {
            std::lock_guard lock(input->mutex);
            input->failure = inputLost();
            input->taking = false;
            break;
        }
        int loudest = 0;
        for (const std::int16_t sample : piece) loudest = std::max(loudest, std::abs(int(sample)));
        input->level = std::min(1.0, loudest / 32768.0);
        input->keep(piece);
    }
    input->open = false;
    input->level = 0;
    pulse->simple_free(stream);
}

std::shared_ptr<Input>& current() {
    static std::shared_ptr<Input> input;
    return input;
}

void openInput() {
    auto input = std::make_shared<Input>();
    input->preRoll.assign(std::size_t(kMicrophoneRate * kPreRollSeconds), 0);
    current() = input;
    std::thread(readInput, input).detach();
}

void closeInput() {
    if (current()) current()->quit = true;
    current().reset();
}

bool hookedTakeRuns = false;
bool hookedTakeFull = false;
QString hookedFailure;

bool hooked() { return bool(hooks().microphoneStart); }

}  // namespace

void openMicrophone() {
    if (!hooked() && !current()) openInput();
}

void closeMicrophone() { closeInput(); }

QString startMicrophone(bool preRoll) {
    if (hooked()) {
        const QString failure = hooks().microphoneStart();
        hookedTakeRuns = failure.isEmpty();
        hookedTakeFull = false;
        hookedFailure.clear();
        return failure;
    }
    // An input known to have failed is said at once, and tried afresh at the next take.
    if (current()) {
        QString failure;
        {
            std::lock_guard lock(current()->mutex);
            failure = current()->failure;
        }
        if (!failure.isEmpty()) {
            closeInput();
            return failure;
        }
    }
    if (!current()) openInput();
    Input& input = *current();
    std::lock_guard lock(input.mutex);
    input.samples.clear();
    // The moment before the key: what the ring holds, oldest first.
    if (input.open && preRoll) {
        input.samples.insert(input.samples.end(), input.preRoll.begin() + std::ptrdiff_t(input.preRollNext),
                             input.preRoll.end());
        input.samples.insert(input.samples.end(), input.preRoll.begin(),
                             input.preRoll.begin() + std::ptrdiff_t(input.preRollNext));
    }
    input.full = false;
    input.taking = true;
    input.askServer = true;
    input.takeStarted = std::chrono::steady_clock::now();
    return QString();
}

Sound stopMicrophone() {
    if (hooked()) {
        hookedTakeRuns = false;
        return hooks().microphoneStop();
    }
    Sound sound;
    sound.rate = kMicrophoneRate;
    sound.channels = 1;
    sound.source = QStringLiteral("Mikrofon");
    if (!current()) return sound;
    bool failed = false;
    {
        std::lock_guard lock(current()->mutex);
        current()->taking = false;
        sound.samples.swap(current()->samples);
        failed = !current()->failure.isEmpty();
    }
    // The failure was the take's (and has been said): the next take tries the input afresh.
    if (failed) closeInput();
    return sound;
}

bool microphoneRunning() {
    if (hooked()) return hookedTakeRuns;
    if (!current()) return false;
    std::lock_guard lock(current()->mutex);
    noticeHang(*current());
    return current()->taking;
}

bool microphoneFull() {
    if (hooked()) return hookedTakeFull;
    if (!current()) return false;
    std::lock_guard lock(current()->mutex);
    return current()->full;
}

QString microphoneFailure() {
    if (hooked()) return hookedFailure;
    if (!current()) return QString();
    std::lock_guard lock(current()->mutex);
    return current()->failure;
}

double microphoneLevel() { return hooked() || !current() ? 0.0 : current()->level.load(); }

double microphoneSeconds() {
    if (hooked() || !current()) return 0.0;
    std::lock_guard lock(current()->mutex);
    return static_cast<double>(current()->samples.size()) / kMicrophoneRate;
}

void endHookedTake(bool full, const QString& failure) {
    hookedTakeRuns = false;
    hookedTakeFull = full;
    hookedFailure = failure;
}

}  // namespace platform
