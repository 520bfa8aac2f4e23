// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's recordings without a window: the words of a folder, the file names, the
// silence cut off, one loudness, keeping, replacing, deleting, and folders that cannot be
// written. The takes are made here: tones between stretches of a room's quiet.
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTest>
#include <cmath>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

#include "game/Takes.h"
#include "platform/files/Files.h"
#include "platform/sound/SoundFile.h"
#include "platform/system/Hooks.h"
#include "mock/TestMode.h"
#include "platform/sound/Voice.h"
#include "support/GameFixture.h"

using platform::Sound;
using takes::Kind;
using testsupport::ProgramFolder;

namespace {

constexpr int kRate = 44100;

// `lead` s of quiet (a faint hiss), `tone` s of a sine at `amplitude`, `tail` s of quiet.
Sound take(double lead, double tone, double tail, double amplitude = 0.3, double hertz = 440, int rate = kRate) {
    Sound sound;
    sound.rate = rate;
    sound.channels = 1;
    const int total = int((lead + tone + tail) * rate);
    for (int i = 0; i < total; ++i) {
        const double t = double(i) / rate;
        double v = ((i * 7919) % 41 - 20) / 32768.0;  // about -64 dBFS of hiss
        if (t >= lead && t < lead + tone) v += amplitude * std::sin(2 * M_PI * hertz * (t - lead));
        sound.samples.push_back(std::int16_t(std::lround(std::clamp(v, -1.0, 1.0) * 32767)));
    }
    return sound;
}

int peak(const Sound& sound) {
    int p = 0;
    for (const auto s : sound.samples) p = std::max(p, std::abs(int(s)));
    return p;
}

double decibels(int value) { return 20 * std::log10(value / 32767.0); }

// Seconds before the first sample above a tenth of the peak.
double leadingQuiet(const Sound& sound) {
    const int threshold = peak(sound) / 10;
    for (std::size_t i = 0; i < sound.samples.size(); ++i)
        if (std::abs(int(sound.samples[i])) > threshold) return double(i) / sound.rate / sound.channels;
    return sound.seconds();
}

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList hiddenFiles(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden).filter(QRegularExpression(QStringLiteral("^\\.")));
}

takes::Entry hund(const ProgramFolder& folder) {
    return {QStringLiteral("Hund"), folder.db() + QStringLiteral("/Hund.png")};
}

// Deterministic pink noise (white noise through Kellet's filter) at `decibels` RMS.
std::vector<double> pinkNoise(std::size_t count, double decibels) {
    std::vector<double> noise(count);
    std::uint32_t seed = 12345;
    double b0 = 0, b1 = 0, b2 = 0;
    double sum = 0;
    for (double& value : noise) {
        seed = seed * 1664525u + 1013904223u;
        const double white = (seed >> 8) / double(1 << 24) * 2 - 1;
        b0 = 0.99765 * b0 + white * 0.0990460;
        b1 = 0.96300 * b1 + white * 0.2965164;
        b2 = 0.57000 * b2 + white * 1.0526913;
        value = b0 + b1 + b2 + white * 0.1848;
        sum += value * value;
    }
    const double scale = std::pow(10.0, decibels / 20) / std::sqrt(sum / double(count));
    for (double& value : noise) value *= scale;
    return noise;
}

// A spoken word, its peak at -6 dBFS, between `pad` seconds of nothing.
Sound spoken(const QString& text, double pad) {
    Sound voice = platform::synthesize(text);
    if (voice.empty()) return voice;
    const double gain = 0.5 * 32767 / std::max(1, peak(voice));
    Sound sound;
    sound.rate = voice.rate;
    sound.samples.assign(std::size_t(pad * voice.rate), 0);
    for (const auto sample : voice.samples) sound.samples.push_back(std::int16_t(std::lround(sample * gain)));
    sound.samples.insert(sound.samples.end(), std::size_t(pad * voice.rate), 0);
    return sound;
}

// The first and one past the last sample of the 10 ms windows louder than `decibels` (RMS):
// what can be heard of the word over a room of that loudness.
std::pair<std::size_t, std::size_t> extent(const Sound& sound, double decibels) {
    const std::size_t window = std::size_t(sound.rate / 100);
    std::size_t first = sound.samples.size(), last = 0;
    for (std::size_t start = 0; start < sound.samples.size(); start += window) {
        const std::size_t stop = std::min(sound.samples.size(), start + window);
        double sum = 0;
        for (std::size_t i = start; i < stop; ++i) sum += double(sound.samples[i]) * sound.samples[i];
        if (10 * std::log10(sum / double(stop - start) / (32768.0 * 32768.0) + 1e-12) < decibels) continue;
        first = std::min(first, start);
        last = stop;
    }
    return {first, last};
}

Sound withNoise(const Sound& clean, double decibels) {
    Sound noisy = clean;
    const std::vector<double> noise = pinkNoise(clean.samples.size(), decibels);
    for (std::size_t i = 0; i < noisy.samples.size(); ++i)
        noisy.samples[i] = std::int16_t(std::clamp(std::lround(clean.samples[i] + noise[i] * 32767), -32768L, 32767L));
    return noisy;
}

}  // namespace

class TestTakes : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fileNamesBesideThePicture() {
        QCOMPARE(takes::fileFor(QStringLiteral("/s/k1/Hund.png"), Kind::Word), QStringLiteral("/s/k1/Hund.ogg"));
        QCOMPARE(takes::fileFor(QStringLiteral("/s/k1/Hund.png"), Kind::Syllables),
                 QStringLiteral("/s/k1/Hund.silben.ogg"));
        QCOMPARE(takes::fileFor(QStringLiteral("/s/k.1/Eis am Stiel.jpeg"), Kind::Word),
                 QStringLiteral("/s/k.1/Eis am Stiel.ogg"));
        QCOMPARE(takes::fileFor(QStringLiteral("/s/k1/Bär.gif"), Kind::Syllables), QStringLiteral("/s/k1/Bär.silben.ogg"));
    }

    void theWordsOfAFolder() {
        ProgramFolder folder;
        folder.addPictures({"Hund.png", "Hund.jpg", "Äpfel.png", "Apfel.gif", "Zebra.png", ".versteckt.png"});
        folder.writeFile(QStringLiteral("db/Hund.ogg"), "OggS");
        folder.writeFile(QStringLiteral("db/Zebra.silben.ogg"), "OggS");
        folder.writeFile(QStringLiteral("db/Notizen.txt"), "Hallo");
        bool readable = false;
        const QList<takes::Entry> entries = takes::wordsOf(folder.db(), &readable);
        QVERIFY(readable);
        QStringList words;
        for (const auto& e : entries) words << e.word;
        QCOMPARE(words, (QStringList{"Apfel", "Äpfel", "Hund", "Zebra"}));
        QVERIFY(entries[2].picture.startsWith(folder.db() + QStringLiteral("/Hund.")));
        takes::wordsOf(folder.path() + QStringLiteral("/fehlt"), &readable);
        QVERIFY(!readable);
    }

    void silenceIsCutKeepingATenthOfASecond() {
        const Sound raw = take(1.0, 0.5, 1.2);
        const Sound cut = takes::trimmed(raw);
        QVERIFY2(std::abs(cut.seconds() - 0.7) < 0.02, qPrintable(QString::number(cut.seconds())));
        QVERIFY(std::abs(leadingQuiet(cut) - 0.1) < 0.01);
        QCOMPARE(peak(cut), peak(raw));
        // A take that begins with its sound loses nothing at the front.
        const Sound early = takes::trimmed(take(0.0, 0.5, 0.5));
        QVERIFY(leadingQuiet(early) < takes::kFadeSeconds);  // only its fade
        QVERIFY(std::abs(early.seconds() - 0.6) < 0.02);
        // Quiet consonants around a loud vowel stay (they are above a twentieth of the peak).
        Sound word = take(0.5, 0.3, 0.0, 0.04, 3000);
        const Sound vowel = take(0.0, 0.4, 0.5, 0.6, 300);
        word.samples.insert(word.samples.end(), vowel.samples.begin(), vowel.samples.end());
        const Sound kept = takes::trimmed(word);
        QVERIFY2(std::abs(kept.seconds() - 0.9) < 0.02, qPrintable(QString::number(kept.seconds())));
        // Stereo: frames stay whole.
        Sound stereo = take(0.5, 0.2, 0.5);
        stereo.channels = 2;
        stereo.rate = kRate / 2;
        QCOMPARE(takes::trimmed(stereo).samples.size() % 2, std::size_t(0));
    }

    void oneLoudnessForEveryTake() {
        for (const double amplitude : {0.25, 0.99}) {
            const Sound loud = takes::normalised(take(0.1, 0.3, 0.1, amplitude));
            QVERIFY2(std::abs(decibels(peak(loud)) - takes::kPeakDecibels) < 0.01,
                     qPrintable(QString::number(decibels(peak(loud)))));
        }
        // A quiet voice is raised only so far: its room would come up with it.
        const Sound quiet = takes::normalised(take(0.1, 0.3, 0.1, 0.02));
        QVERIFY2(std::abs(decibels(peak(quiet)) - (decibels(int(0.02 * 32767)) + takes::kMostGainDecibels)) < 0.5,
                 qPrintable(QString::number(decibels(peak(quiet)))));
        QVERIFY(takes::audible(take(0.1, 0.2, 0.1, 0.02)));
        QVERIFY(!takes::audible(take(1.0, 0.0, 0.0)));           // hiss only
        QVERIFY(!takes::audible(take(0.1, 0.5, 0.1, 0.005)));    // -46 dBFS
        QVERIFY(!takes::audible(Sound{}));
        QVERIFY(takes::normalised(Sound{}).empty());
    }

    void aTakeIsKeptAsOggVorbisThatDecodes() {
        ProgramFolder folder;
        folder.addPictures({"Hund.png"});
        QVERIFY(takes::existing(hund(folder).picture, Kind::Word).isEmpty());
        const takes::Result result = takes::keep(hund(folder), Kind::Word, take(0.8, 0.6, 0.9, 0.1));
        QVERIFY2(result.done && !result.failed, qPrintable(result.text));
        QVERIFY(platform::askedQuestions().isEmpty());
        const QString file = folder.db() + QStringLiteral("/Hund.ogg");
        QCOMPARE(takes::existing(hund(folder).picture, Kind::Word), QStringList{file});
        QVERIFY(bytesOf(file).startsWith("OggS"));
        const Sound back = platform::readRecording(file);
        QCOMPARE(back.rate, kRate);
        QCOMPARE(back.channels, 1);
        QVERIFY2(std::abs(back.seconds() - 0.8) < 0.05, qPrintable(QString::number(back.seconds())));
        QVERIFY(leadingQuiet(back) <= 0.15);
        QVERIFY2(std::abs(decibels(peak(back)) - takes::kPeakDecibels) < 1.0,
                 qPrintable(QString::number(decibels(peak(back)))));
        QVERIFY(std::abs(takes::seconds(hund(folder).picture, Kind::Word) - back.seconds()) < 0.01);
        QCOMPARE(hiddenFiles(folder.db()), QStringList());
        // The syllables go into a file of their own; the word's stays.
        const QByteArray word = bytesOf(file);
        QVERIFY(takes::keep(hund(folder), Kind::Syllables, take(0.2, 1.0, 0.2)).done);
        QVERIFY(platform::fileExists(folder.db() + QStringLiteral("/Hund.silben.ogg")));
        QCOMPARE(bytesOf(file), word);
        QVERIFY(platform::askedQuestions().isEmpty());
    }

    void aSilentTakeIsRefused() {
        ProgramFolder folder;
        folder.addPictures({"Hund.png"});
        const takes::Result result = takes::keep(hund(folder), Kind::Word, take(2.0, 0.0, 0.0));
        QVERIFY(!result.done && result.failed);
        QVERIFY(result.text.contains(QStringLiteral("kein gesprochenes Wort")));
        QVERIFY(result.text.contains(QStringLiteral("stumm")));
        QVERIFY(!platform::fileExists(folder.db() + QStringLiteral("/Hund.ogg")));
        QVERIFY(takes::keep(hund(folder), Kind::Word, Sound{}).failed);
        QCOMPARE(QDir(folder.db()).entryList(QDir::Files | QDir::Hidden), QStringList{"Hund.png"});
    }

    void replacingAsksFirst() {
        ProgramFolder folder;
        folder.addPictures({"Hund.png"});
        QVERIFY(takes::keep(hund(folder), Kind::Word, take(0.1, 0.5, 0.1)).done);
        const QString file = folder.db() + QStringLiteral("/Hund.ogg");
        const QByteArray first = bytesOf(file);
        platform::answerQuestions(false);
        takes::Result result = takes::keep(hund(folder), Kind::Word, take(0.1, 1.5, 0.1, 0.2, 880));
        QVERIFY(!result.done && !result.failed);
        QCOMPARE(platform::askedQuestions().size(), 1);
        QVERIFY(platform::askedQuestions().first().contains(QStringLiteral("„Hund“ hat schon eine Aufnahme (Hund.ogg)")));
        QCOMPARE(bytesOf(file), first);
        platform::answerQuestions(true);
        result = takes::keep(hund(folder), Kind::Word, take(0.1, 1.5, 0.1, 0.2, 880));
        QVERIFY(result.done);
        QVERIFY(bytesOf(file) != first);
        QVERIFY(std::abs(platform::readRecording(file).seconds() - 1.7) < 0.05);
    }

    void anOlderWavGoesOnlyWhenTheNewRecordingIsThere() {
        ProgramFolder folder;
        folder.addPictures({"Hund.png"});
        const QString wav = folder.db() + QStringLiteral("/Hund.wav");
        const QString ogg = folder.db() + QStringLiteral("/Hund.ogg");
        QVERIFY(platform::writeOggVorbis(ogg, take(0.0, 0.4, 0.0)).isEmpty());
        QVERIFY(QFile::rename(ogg, wav));  // any file the game would play first
        const QByteArray old = bytesOf(wav);
        platform::answerQuestions(false);
        QVERIFY(!takes::keep(hund(folder), Kind::Word, take(0.1, 0.5, 0.1)).done);
        QVERIFY(platform::askedQuestions().first().contains(QStringLiteral("Hund.wav")));
        QCOMPARE(bytesOf(wav), old);
        QVERIFY(!platform::fileExists(ogg));
        platform::answerQuestions(true);
        QVERIFY(takes::keep(hund(folder), Kind::Word, take(0.1, 0.5, 0.1)).done);
        QVERIFY(!platform::fileExists(wav));
        QCOMPARE(takes::existing(hund(folder).picture, Kind::Word), QStringList{ogg});
    }

    void aFolderThatCannotBeWrittenIsNamedAndNothingIsLost() {
        ProgramFolder folder;
        folder.addPictures({"Hund.png"});
        QVERIFY(takes::keep(hund(folder), Kind::Word, take(0.1, 0.5, 0.1)).done);
        const QString file = folder.db() + QStringLiteral("/Hund.ogg");
        const QByteArray before = bytesOf(file);

        // The disk is full half way through the file: the old recording stays whole.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit old{};
        ::getrlimit(RLIMIT_FSIZE, &old);
        rlimit tiny = old;
        tiny.rlim_cur = 2000;
        ::setrlimit(RLIMIT_FSIZE, &tiny);
        const takes::Result full = takes::keep(hund(folder), Kind::Word, take(0.1, 3.0, 0.1));
        ::setrlimit(RLIMIT_FSIZE, &old);
        QVERIFY(full.failed && !full.done);
        QVERIFY2(full.text.contains(QStringLiteral("im Ordner „%1“").arg(folder.db())), qPrintable(full.text));
        QVERIFY(full.text.contains(QStringLiteral("neue Aufnahme ist verworfen, die alte bleibt")));
        QVERIFY(!full.text.contains(QStringLiteral("nichts verloren")));
        QCOMPARE(bytesOf(file), before);
        QCOMPARE(hiddenFiles(folder.db()), QStringList());

        // A folder without write permission (root may write anywhere).
        if (::geteuid() != 0) {
            QFile::setPermissions(folder.db(), QFile::ReadOwner | QFile::ExeOwner);
            const takes::Result locked = takes::keep(hund(folder), Kind::Word, take(0.1, 1.0, 0.1));
            QFile::setPermissions(folder.db(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QVERIFY(locked.failed);
            QVERIFY(locked.text.contains(QStringLiteral("keine Schreibrechte")));
            QCOMPARE(bytesOf(file), before);
        }

        // The folder is gone since the list was made.
        takes::Entry gone{QStringLiteral("Maus"), folder.path() + QStringLiteral("/weg/Maus.png")};
        const takes::Result missing = takes::keep(gone, Kind::Word, take(0.1, 0.5, 0.1));
        QVERIFY(missing.failed);
        QVERIFY(missing.text.contains(folder.path() + QStringLiteral("/weg")));
        QVERIFY(missing.text.contains(QStringLiteral("die Datei oder der Ordner ist nicht vorhanden")));
    }

    void deletingAsksAndTakesWordAndSyllables() {
        ProgramFolder folder;
        folder.addPictures({"Hund.png", "Maus.png"});
        QVERIFY(takes::keep(hund(folder), Kind::Word, take(0.1, 0.5, 0.1)).done);
        QVERIFY(takes::keep(hund(folder), Kind::Syllables, take(0.1, 0.5, 0.1)).done);
        platform::answerQuestions(false);
        QVERIFY(!takes::remove(hund(folder)).done);
        QVERIFY(platform::askedQuestions().last().contains(QStringLiteral("Hund.ogg, Hund.silben.ogg")));
        QCOMPARE(takes::existing(hund(folder).picture, Kind::Word).size(), 1);
        platform::answerQuestions(true);
        QVERIFY(takes::remove(hund(folder)).done);
        QVERIFY(takes::existing(hund(folder).picture, Kind::Word).isEmpty());
        QVERIFY(takes::existing(hund(folder).picture, Kind::Syllables).isEmpty());
        QCOMPARE(takes::seconds(hund(folder).picture, Kind::Word), 0.0);
        // Nothing to delete: nothing asked.
        const int asked = platform::askedQuestions().size();
        const takes::Result none = takes::remove({QStringLiteral("Maus"), folder.db() + QStringLiteral("/Maus.png")});
        QVERIFY(!none.done && !none.failed);
        QCOMPARE(platform::askedQuestions().size(), asked);
    }

    void theWordIsHeardUnderTheNoiseOfARoom() {
        if (!platform::voiceAvailable()) QSKIP("no voice to speak the words");
        // Words that begin or end on the quiet consonants f, s, sch and h.
        for (const QString& text : {QStringLiteral("Schaf"), QStringLiteral("Fisch"), QStringLiteral("Haus"),
                                    QStringLiteral("Saft"), QStringLiteral("Hof")}) {
            const Sound clean = spoken(text, 0.8);
            QVERIFY(!clean.empty());
            for (const double noise : {-50.0, -40.0, -30.0}) {
                // The room alone holds no word.
                QVERIFY(!takes::hear(withNoise(Sound{std::vector<std::int16_t>(clean.samples.size()), clean.rate, 1, {}},
                                               noise)).speech);
                const auto [first, last] = extent(clean, noise);
                const Sound noisy = withNoise(clean, noise);
                const takes::Hearing hearing = takes::hear(noisy);
                const QString what = QStringLiteral("%1 at %2 dBFS: word %3-%4 ms, heard %5-%6 ms")
                                         .arg(text, QString::number(noise), QString::number(first * 1000 / clean.rate),
                                              QString::number(last * 1000 / clean.rate),
                                              QString::number(hearing.begin * 1000 / clean.rate),
                                              QString::number(hearing.end * 1000 / clean.rate));
                QVERIFY2(hearing.speech, qPrintable(what));
                // The quiet edges stay, as far as they are louder than the room.
                const double allowed = 0.02 * clean.rate;
                QVERIFY2(double(hearing.begin) <= first + allowed, qPrintable(what));
                QVERIFY2(double(hearing.end) + allowed >= last, qPrintable(what));
                // And the room around it goes, but for the tenth of a second kept.
                const Sound cut = takes::trimmed(noisy);
                const auto [start, end] = extent(clean, -50);
                const double word = double(end - start) / clean.rate;
                QVERIFY2(cut.seconds() <= word + 2 * takes::kKeptSilenceSeconds + 0.06,
                         qPrintable(what + QStringLiteral(", kept %1 s").arg(cut.seconds())));
                QVERIFY2(cut.seconds() < noisy.seconds() - 1.0, qPrintable(what));
            }
        }
    }

    void aTakeFadesInAndOut() {
        const Sound cut = takes::trimmed(take(0.3, 0.5, 0.3, 0.8));
        QVERIFY(std::abs(int(cut.samples.front())) <= 1);
        QVERIFY(std::abs(int(cut.samples.back())) <= 1);
        // Half way through the fade the sound is about half as loud as it would be.
        const auto fade = std::size_t(takes::kFadeSeconds * kRate);
        int early = 0;
        for (std::size_t i = 0; i < fade / 4; ++i) early = std::max(early, std::abs(int(cut.samples[i])));
        QVERIFY2(early < 0.3 * 0.8 * 32767, qPrintable(QString::number(early)));
    }

    void badTakesAreToldOrRefused() {
        ProgramFolder folder;
        folder.addPictures({"Hund.png"});
        // A lone click is no word.
        Sound click = take(1.0, 0.0, 1.0);
        for (int i = 0; i < 60; ++i) click.samples[kRate + i] = std::int16_t(i % 2 ? 30000 : -30000);
        QVERIFY(!takes::hear(click).speech);
        takes::Result result = takes::keep(hund(folder), Kind::Word, click);
        QVERIFY(result.failed && !result.done);
        QVERIFY(!platform::fileExists(folder.db() + QStringLiteral("/Hund.ogg")));
        // Clipped: kept, and said.
        result = takes::keep(hund(folder), Kind::Word, take(0.3, 0.6, 0.3, 1.4));
        QVERIFY(result.done && result.doubtful && !result.failed);
        QVERIFY2(result.text.contains(QStringLiteral("übersteuert")), qPrintable(result.text));
        QVERIFY(result.text.contains(QStringLiteral("noch einmal aufnehmen")));
        // Very quiet (-40 dBFS) and very short (0.15 s).
        platform::answerQuestions(true);
        result = takes::keep(hund(folder), Kind::Word, take(0.3, 0.6, 0.3, 0.012));
        QVERIFY2(result.done && result.text.contains(QStringLiteral("sehr leise")), qPrintable(result.text));
        result = takes::keep(hund(folder), Kind::Word, take(0.3, 0.15, 0.3, 0.3));
        QVERIFY2(result.done && result.text.contains(QStringLiteral("sehr kurz")), qPrintable(result.text));
        // A good take has nothing to be said about it.
        result = takes::keep(hund(folder), Kind::Word, take(0.3, 0.6, 0.3, 0.3));
        QVERIFY(result.done && !result.doubtful);
        QCOMPARE(result.text, QStringLiteral("Aufnahme von „Hund“ gespeichert."));
    }

    void aReplacedTakeIsHeardBeforeTheQuestion() {
        ProgramFolder folder;
        folder.addPictures({"Hund.png"});
        QVERIFY(takes::keep(hund(folder), Kind::Word, take(0.1, 0.5, 0.1)).done);
        platform::playedSounds().clear();
        int heardBeforeAsked = -1;
        platform::hooks().question = [&](const QString&) {
            heardBeforeAsked = int(platform::playedSounds().size());
            return false;
        };
        QVERIFY(!takes::keep(hund(folder), Kind::Word, take(0.1, 1.0, 0.1)).done);
        platform::hooks().question = nullptr;
        platform::answerQuestions(true);
        QCOMPARE(heardBeforeAsked, 1);
        QVERIFY(std::abs(platform::playedSounds().first().sound.seconds() - 1.2) < 0.05);
    }

    void longTakesAreWrittenWhole() {
        ProgramFolder folder;
        for (const int seconds : {60, 180}) {
            const QString file = folder.db() + QStringLiteral("/Lang%1.ogg").arg(seconds);
            const Sound sound = take(0.5, seconds - 1.0, 0.5, 0.3, 220);
            QVERIFY(platform::writeOggVorbis(file, sound).isEmpty());
            QVERIFY2(std::abs(platform::recordingSeconds(file) - seconds) < 0.05,
                     qPrintable(QString::number(platform::recordingSeconds(file))));
        }
        QCOMPARE(hiddenFiles(folder.db()), QStringList());
    }

    void theTemporaryFileIsNeverALinkOrAnOldName() {
        ProgramFolder folder;
        folder.addPictures({"Hund.png"});
        // A planted link under the name the writer once used leads to a file of the teacher's.
        const QString victim = folder.path() + QStringLiteral("/notes.txt");
        QFile notes(victim);
        QVERIFY(notes.open(QIODevice::WriteOnly));
        notes.write("meine Notizen");
        notes.close();
        const QString planted =
            folder.db() + QStringLiteral("/.Hund.ogg.%1.tmp").arg(QCoreApplication::applicationPid());
        QVERIFY(QFile::link(victim, planted));
        QVERIFY(takes::keep(hund(folder), Kind::Word, take(0.1, 0.5, 0.1)).done);
        QCOMPARE(bytesOf(victim), QByteArray("meine Notizen"));
        QVERIFY(bytesOf(folder.db() + QStringLiteral("/Hund.ogg")).startsWith("OggS"));
        QVERIFY(QFileInfo(folder.db() + QStringLiteral("/Hund.ogg")).permissions() & QFile::ReadOther);
    }

    void staleTemporaryFilesAreCleanedUp() {
        ProgramFolder folder;
        folder.addPictures({"Hund.png"});
        const auto make = [&](const QString& name, qint64 ageSeconds) {
            QFile file(folder.db() + QLatin1Char('/') + name);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("x");
            file.flush();
            file.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds), QFileDevice::FileModificationTime);
        };
        make(QStringLiteral(".Affe.ogg.4711.tmp"), 3600);       // an older version's, left by a kill
        make(QStringLiteral(".Affe.ogg.Ab12Cd.tmp"), 3600);     // this version's
        make(QStringLiteral(".Maus.ogg.Zz99yY.tmp"), 10);       // perhaps being written right now
        make(QStringLiteral(".versteckt.tmp"), 3600);           // not ours
        QVERIFY(QFile::link(QStringLiteral("/etc/hostname"), folder.db() + QStringLiteral("/.Igel.ogg.12.tmp")));
        QVERIFY(takes::keep(hund(folder), Kind::Word, take(0.1, 0.5, 0.1)).done);
        QCOMPARE(hiddenFiles(folder.db()), (QStringList{".Igel.ogg.12.tmp", ".Maus.ogg.Zz99yY.tmp", ".versteckt.tmp"}));
    }

    void oneRuleForWhichRecordingIsAWords() {
        ProgramFolder folder;
        folder.addPictures({"Hund.png", "hund.jpg"});
        const QString picture = folder.db() + QStringLiteral("/hund.jpg");
        const auto write = [&](const char* name) {
            QVERIFY(platform::writeOggVorbis(folder.db() + QLatin1Char('/') + QLatin1String(name), take(0.1, 0.4, 0.1))
                        .isEmpty());
        };
        write("Hund.silben.wav");
        write("Hund.ogg");
        write("hund.ogg");
        // Exactly the picture's name first; the other spelling belongs to the word as well.
        QCOMPARE(takes::existing(picture, Kind::Word),
                 (QStringList{folder.db() + QStringLiteral("/hund.ogg"), folder.db() + QStringLiteral("/Hund.ogg")}));
        QCOMPARE(takes::existing(picture, Kind::Syllables), QStringList{folder.db() + QStringLiteral("/Hund.silben.wav")});
        QVERIFY(takes::seconds(picture, Kind::Syllables) > 0);
        Kind kind = Kind::Word;
        QCOMPARE(takes::recordingStem(QStringLiteral("Hund.silben.WAV"), &kind), QStringLiteral("Hund"));
        QCOMPARE(kind, Kind::Syllables);
        QCOMPARE(takes::recordingStem(QStringLiteral("Hund.ogg"), &kind), QStringLiteral("Hund"));
        QCOMPARE(kind, Kind::Word);
        QVERIFY(takes::recordingStem(QStringLiteral(".Hund.ogg")).isEmpty());
        QVERIFY(takes::recordingStem(QStringLiteral("Hund.png")).isEmpty());
        // Deleting takes every one of them.
        QVERIFY(takes::remove({QStringLiteral("Hund"), picture}).done);
        QCOMPARE(QDir(folder.db()).entryList(QDir::Files, QDir::Name), (QStringList{"Hund.png", "hund.jpg"}));
    }

    // A backslash in a folder's name is part of the name (Linux): the recordings are looked for
    // and written in that folder, not in the one its name begins with.
    void aBackslashInTheFolderNameIsPartOfIt() {
        ProgramFolder folder;
        const QString klasse = folder.path() + QStringLiteral("/Klasse\\1a");
        QVERIFY(QDir().mkpath(klasse));
        QVERIFY(QDir().mkpath(folder.path() + QStringLiteral("/Klasse")));
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::blue);
        QVERIFY(image.save(klasse + QStringLiteral("/Igel.png")));
        const QString picture = klasse + QStringLiteral("/Igel.png");
        QCOMPARE(takes::wordsOf(klasse).value(0).picture, picture);
        QVERIFY(takes::keep({QStringLiteral("Igel"), picture}, Kind::Word, take(0.1, 0.5, 0.1)).done);
        QCOMPARE(takes::existing(picture, Kind::Word), QStringList{klasse + QStringLiteral("/Igel.ogg")});
        QVERIFY(QDir(folder.path() + QStringLiteral("/Klasse")).isEmpty());
    }
};

QTEST_MAIN(TestTakes)
#include "test_takes.moc"
