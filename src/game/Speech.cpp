// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/Speech.h"

#include <QHash>
#include <QStringList>
#include <algorithm>
#include <mutex>

#include "game/Options.h"
#include "game/Pronunciation.h"
#include "game/SyllableSpeech.h"
#include "game/Syllables.h"
#include "game/Takes.h"
#include "game/Words.h"
#include "platform/ui/AccessReader.h"
#include "platform/system/Clock.h"
#include "platform/files/Files.h"
#include "platform/sound/SoundFile.h"
#include "platform/sound/Sound.h"
#include "platform/files/TextFile.h"
#include "platform/system/Timer.h"
#include "platform/sound/Voice.h"

// The shipped table is compiled into the program, because its entries are made for the
// voice the program is built with and must not go missing or get out of step with it; a
// teacher's table lives with the teacher's pictures instead.
static void initSpeechResource() { Q_INIT_RESOURCE(speech); }

namespace speech {

namespace {

const QString kShippedTable = QStringLiteral(":/speech/aussprache.txt");
const QString kTeacherTable = teacherTableName();
constexpr qint64 kMaxTableBytes = 1 << 20;

// The tables are read on the sound thread as well as by tests on the GUI thread.
std::mutex tablesMutex;
QHash<QString, Pronunciations> folderTables;

Pronunciations tableFor(const QString& folder) {
    std::lock_guard lock(tablesMutex);
    auto found = folderTables.constFind(folder);
    if (found != folderTables.cend()) return *found;
    static const bool initialised = (initSpeechResource(), true);
    (void)initialised;
    Pronunciations table;
    table.parse(platform::compiledInText(kShippedTable));
    // A teacher's table that cannot be read is as good as none: the voice speaks regardless.
    const platform::TextFile file =
        platform::readTextFile(platform::resolvePath(folder + QLatin1Char('\\') + kTeacherTable), kMaxTableBytes);
    Pronunciations teacher;
    if (file.status == platform::TextFile::Status::Ok) teacher.parse(file.text);
    table.merge(teacher);
    folderTables.insert(folder, table);
    return table;
}

// The first playable recording of the word beside the picture (the rule in Takes.h);
// empty when there is none.
platform::Sound recordingFor(const QString& picture, takes::Kind kind = takes::Kind::Word) {
    if (!words::fileNameOf(picture).contains(QLatin1Char('.'))) return {};
    for (const QString& file : takes::existing(platform::resolvePath(picture), kind)) {
        platform::Sound sound = platform::readRecording(file);
        if (!sound.empty()) return sound;
    }
    return {};
}

bool speechOn() { return options::current().speech != options::Speech::Off; }

// While a screen reader says what the game gave it at this moment (the key's name, an
// announcement), the voice waits: two voices at once are understood by nobody. The wait
// starts a moment later, so that what the same handler announces after asking for the word
// is waited for too. A newer word replaces one that waits.
struct Held {
    QString label;
    std::function<platform::Sound()> make;
    bool unasked = false;
    double since = 0;
};
Held held;

platform::Timer& holdTimer() {
    static platform::Timer* timer = new platform::Timer(nullptr, "tmr_afterScreenReader", 1, [] {
        const int wait = platform::screenReaderBusyMs();
        if (wait > 0) {
            holdTimer().setEnabled(false);
            holdTimer().setInterval(wait);
            holdTimer().setEnabled(true);
            return;
        }
        holdTimer().setEnabled(false);
        Held sound = std::move(held);
        held = {};
        if (sound.unasked && platform::lastKeySeconds() > sound.since) return;
        if (sound.make) platform::playSound(sound.label, std::move(sound.make));
    });
    return *timer;
}

void play(const QString& label, std::function<platform::Sound()> make, bool unasked = false) {
    if (!platform::screenReaderRunning()) {
        platform::playSound(label, std::move(make));
        return;
    }
    held = {label, std::move(make), unasked, platform::clockSeconds()};
    holdTimer().setEnabled(false);
    holdTimer().setInterval(1);
    holdTimer().setEnabled(true);
}

}  // namespace

QString spokenText(const QString& word, const QString& folder) { return tableFor(folder).spoken(word); }

QStringList syllablesSpoken(const QString& word, const QString& folder) {
    // The whole word's phonemes, cut where the syllables meet: each keeps its sound.
    const QStringList cut = syllablespeech::cut(word, syllables::split(word, folder),
                                                platform::phonemesOf(spokenText(word, folder)));
    QStringList spoken;
    for (const QString& phonemes : cut) spoken << QStringLiteral("[[%1]]").arg(phonemes);
    if (!spoken.isEmpty()) return spoken;
    // A word of several parts, or one whose sounds do not match its syllables: each
    // syllable as the tables would have the voice say it (a one-syllable "Mond").
    for (const QString& syllable : syllables::texts(word, folder)) spoken << spokenText(syllable, folder);
    return spoken;
}

QString teacherTableName() { return QStringLiteral("aussprache.txt"); }

void forgetTables() {
    std::lock_guard lock(tablesMutex);
    folderTables.clear();
}

namespace {

void sayWordOf(const QString& picture, bool unasked) {
    if (!speechOn()) return;
    const QString folder = words::folderOf(picture);
    const QString word = words::fromFileName(words::fileNameOf(picture));
    // Everything that touches files or the voice runs on the sound thread.
    play(
        word,
        [picture, folder, word] {
            platform::Sound sound = recordingFor(picture);
            if (sound.empty()) sound = platform::synthesize(spokenText(word, folder));
            return sound;
        },
        unasked);
}

}  // namespace

void sayWord(const QString& picture) { sayWordOf(picture, false); }
void sayWordUnasked(const QString& picture) { sayWordOf(picture, true); }

void stop() {
    held = {};
    holdTimer().setEnabled(false);
    platform::stopSound();
}

void sayText(const QString& text) {
    if (!speechOn() || text.trimmed().isEmpty()) return;
    play(text, [text] { return platform::synthesize(text); });
}

void saySyllables(const QString& picture) {
    if (!speechOn()) return;
    const QString folder = words::folderOf(picture);
    const QString word = words::fromFileName(words::fileNameOf(picture));
    play(syllables::hyphenated(word, folder), [picture, folder, word] {
        platform::Sound sound = recordingFor(picture, takes::Kind::Syllables);
        if (!sound.empty()) return sound;
        return platform::synthesizeWithPauses(syllablesSpoken(word, folder), kSyllablePauseMs);
    });
}

void sayPhrase(const QString& text, const QStringList& tableWords, const QString& folder, const QString& voiced) {
    if (!speechOn()) return;
    play(text, [text = voiced.isEmpty() ? text : voiced, tableWords, folder] {
        QString spoken = text;
        for (const QString& word : tableWords) {
            const QString replacement = spokenText(word, folder);
            if (replacement != word) spoken.replace(word, replacement);
        }
        return platform::synthesize(spoken);
    });
}

bool syllablesAvailable(const QString& picture) {
    if (!speechOn()) return false;
    return platform::voiceAvailable() || !recordingFor(picture, takes::Kind::Syllables).empty();
}

bool speechAvailable(const QString& picture) {
    if (!speechOn()) return false;
    return platform::voiceAvailable() || !recordingFor(picture).empty();
}

void prepare() {
    if (speechOn()) platform::prepareSound([] { platform::voiceAvailable(); });
}

}  // namespace speech
