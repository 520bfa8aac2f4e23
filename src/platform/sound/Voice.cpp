// SPDX-License-Identifier: GPL-3.0-or-later
// The voice is espeak-ng's library in synchronous mode: it hands its samples to a callback,
// which collects them in memory; the sound thread plays them. espeak-ng keeps one global
// state, so every call goes through one lock.
#include "platform/sound/Voice.h"

#include "platform/system/Hooks.h"
#include "platform/sound/SoundLibraries.h"

#include <algorithm>
#include <mutex>

namespace platform {

namespace {

// Words per minute: espeak's default is 175, too quick for children who just learn letters.
constexpr int kRate = 130;

struct Engine {
    std::mutex mutex;
    bool tried = false;
    bool ready = false;
    int sampleRate = 22050;
    std::vector<std::int16_t>* collecting = nullptr;
    const soundlibs::Espeak* lib = nullptr;
};

// Never destroyed: the sound thread may still synthesise while the program ends.
Engine& engine() {
    static Engine* instance = new Engine;
    return *instance;
}

int collect(short* wave, int count, espeak_EVENT*) {
    Engine& e = engine();
    if (wave && count > 0 && e.collecting) e.collecting->insert(e.collecting->end(), wave, wave + count);
    return 0;
}

// Called with the lock held.
bool load(Engine& e) {
    if (e.tried) return e.ready;
    e.tried = true;
    const soundlibs::Espeak* espeak = soundlibs::espeak();
    if (!espeak) return false;
    e.lib = espeak;
    // DONT_EXIT: without it, espeak ends the whole program when its data is missing.
    const int rate = espeak->Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT);
    if (rate <= 0) return false;
    if (espeak->SetVoiceByName("de") != EE_OK) return false;
    espeak->SetSynthCallback(collect);
    espeak->SetParameter(espeakRATE, kRate, 0);
    e.sampleRate = rate;
    e.ready = true;
    return true;
}

}  // namespace

bool voiceAvailable() {
    if (hooks().voiceAvailable) return hooks().voiceAvailable();
    Engine& e = engine();
    std::lock_guard lock(e.mutex);
    return load(e);
}

Sound synthesize(const QString& text) {
    Engine& e = engine();
    std::lock_guard lock(e.mutex);
    Sound sound;
    if (!load(e) || text.trimmed().isEmpty()) return sound;
    sound.rate = e.sampleRate;
    sound.source = text;
    const QByteArray utf8 = text.toUtf8();
    e.collecting = &sound.samples;
    e.lib->Synth(utf8.constData(), static_cast<size_t>(utf8.size()) + 1, 0, POS_CHARACTER, 0,
                 espeakCHARS_UTF8 | espeakPHONEMES, nullptr, nullptr);
    e.collecting = nullptr;
    return sound;
}

Sound synthesizeWithPauses(const QStringList& texts, int pauseMs) {
    Sound joined;
    for (const QString& text : texts) {
        const Sound part = synthesize(text);
        if (part.empty()) continue;
        const auto loud = [](std::int16_t s) { return s >= kSilence || s <= -kSilence; };
        const auto first = std::find_if(part.samples.begin(), part.samples.end(), loud);
        if (first == part.samples.end()) continue;
        const auto last = std::find_if(part.samples.rbegin(), part.samples.rend(), loud).base();
        if (!joined.empty()) joined.samples.insert(joined.samples.end(), std::size_t(part.rate) * pauseMs / 1000, 0);
        joined.rate = part.rate;
        joined.samples.insert(joined.samples.end(), first, last);
    }
    joined.source = texts.join(QStringLiteral(" – "));
    return joined;
}

QString phonemesOf(const QString& text) {
    Engine& e = engine();
    std::lock_guard lock(e.mutex);
    if (!load(e)) return QString();
    const QByteArray utf8 = text.toUtf8();
    const void* at = utf8.constData();
    QString phonemes;
    // espeak hands back one clause at a time until the text is used up.
    while (at) {
        const char* clause = e.lib->TextToPhonemes(&at, espeakCHARS_UTF8 | espeakPHONEMES, 0);
        if (!clause) break;
        if (!phonemes.isEmpty() && *clause) phonemes += QLatin1Char(' ');
        phonemes += QString::fromUtf8(clause);
    }
    return phonemes;
}

}  // namespace platform
