// SPDX-License-Identifier: GPL-3.0-or-later
// Hearing the word: the voice, the pronunciation tables, the teacher's recordings, and a
// machine without a sound server.
#include <QDir>
#include <QElapsedTimer>
#include <QTest>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "game/Options.h"
#include "game/Speech.h"
#include "platform/files/Files.h"
#include "platform/pictures/PictureHeader.h"
#include "platform/sound/Sound.h"
#include "platform/system/Hooks.h"
#include "support/Kept.h"
#include "platform/files/TextFile.h"
#include "mock/TestMode.h"
#include "platform/sound/Voice.h"
#include "support/GameFixture.h"
#include "support/Wav.h"

using testsupport::ProgramFolder;
using testsupport::toneWav;

namespace {

double rms(const platform::Sound& sound) {
    if (sound.samples.empty()) return 0.0;
    double sum = 0.0;
    for (const auto s : sound.samples) sum += double(s) * s;
    return std::sqrt(sum / double(sound.samples.size())) / 32768.0;
}

// The one sound said for a picture of the test folder.
platform::Sound said(const ProgramFolder& folder, const QString& picture) {
    platform::playedSounds().clear();
    speech::sayWord(folder.db() + QLatin1Char('/') + picture);
    if (platform::playedSounds().size() != 1) return {};
    return platform::playedSounds().first().sound;
}

}  // namespace

class TestSpeech : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() {
        options::current() = options::Options{};
        speech::forgetTables();
    }
    void cleanup() { options::current() = options::Options{}; }

    void everyShippedWordIsAudibleSpeechOfPlausibleLength() {
        ProgramFolder folder;
        const QStringList pictures = QDir(QStringLiteral(KNORZELBART_ASSETS_DIR "/db")).entryList(QDir::Files);
        QVERIFY(!pictures.isEmpty());
        folder.addPictures(pictures);
        for (const QString& picture : pictures) {
            const platform::Sound sound = said(folder, picture);
            QVERIFY2(sound.seconds() >= 0.3 && sound.seconds() <= 3.0,
                     qPrintable(picture + QStringLiteral(": %1 s").arg(sound.seconds())));
            QVERIFY2(rms(sound) > 0.02, qPrintable(picture));
            QCOMPARE(platform::playedSounds().first().label, picture.section(QLatin1Char('.'), 0, 0));
        }
    }

    void shippedPhonemeEntriesAreReadWhole() {
        // espeak stops reading phonemes at the first one it does not know: the word would
        // be cut short. Every shipped entry must come back as written.
        const QString table = platform::compiledInText(QStringLiteral(":/speech/aussprache.txt"));
        QVERIFY(table.contains(QStringLiteral("Fuchs")));
        int checked = 0;
        for (QString line : table.split(QLatin1Char('\n'))) {
            line = line.section(QLatin1Char('#'), 0, 0).trimmed();
            const QString replacement = line.section(QLatin1Char('='), 1).trimmed();
            if (!replacement.startsWith(QLatin1String("[["))) continue;
            QCOMPARE(platform::phonemesOf(replacement), replacement.mid(2, replacement.size() - 4));
            ++checked;
        }
        QVERIFY(checked >= 10);
    }

    void theTableChangesWhatTheVoiceSays() {
        ProgramFolder folder;
        const QString db = folder.db();
        QVERIFY(platform::phonemesOf(QStringLiteral("Fuchs")).contains(QLatin1Char('x')));
        QCOMPARE(speech::spokenText(QStringLiteral("Fuchs"), db), QStringLiteral("[[f'Uks]]"));
        QCOMPARE(platform::phonemesOf(speech::spokenText(QStringLiteral("Fuchs"), db)), QStringLiteral("f'Uks"));
        // A respelling: long o in Mond.
        QCOMPARE(platform::phonemesOf(QStringLiteral("Mond")), QStringLiteral("m'Ont"));
        QCOMPARE(platform::phonemesOf(speech::spokenText(QStringLiteral("MOND"), db)), QStringLiteral("m'o:nt"));
        // A word without an entry is said as written.
        QCOMPARE(speech::spokenText(QStringLiteral("Hund"), db), QStringLiteral("Hund"));
        folder.addPictures({QStringLiteral("Fuchs.png")});
        QCOMPARE(said(folder, QStringLiteral("Fuchs.png")).source, QStringLiteral("[[f'Uks]]"));
    }

    void aTeachersTableOverridesTheShippedOne() {
        ProgramFolder folder;
        folder.addPictures({QStringLiteral("Fuchs.png"), QStringLiteral("Tasse.png"), QStringLiteral("Öl.png")});
        folder.writeFile(QStringLiteral("db/Aussprache.TXT"),
                         "\xEF\xBB\xBF# Unsere W\xC3\xB6rter\r\n"
                         "fuchs = Fux   # wie Box\r\n"
                         "Tasse = [[t'as@\r\n"             // half a bracket: skipped
                         "ohne Gleichheitszeichen\r\n"
                         " = leer\r\n"
                         "\xC3\x96l = [[_!'\xC3\xB8:l]]\r\n");  // not a German phoneme, but kept
        QCOMPARE(said(folder, QStringLiteral("Fuchs.png")).source, QStringLiteral("Fux"));
        QCOMPARE(said(folder, QStringLiteral("Tasse.png")).source, QStringLiteral("Tasse"));
        QCOMPARE(speech::spokenText(QStringLiteral("öl"), folder.db()), QStringLiteral("[[_!'\u00f8:l]]"));
        // The shipped entries the teacher did not change still hold.
        QCOMPARE(speech::spokenText(QStringLiteral("Zebra"), folder.db()), QStringLiteral("[[ts'e:bRa]]"));
        // Another folder does not see this teacher's table.
        QTemporaryDir other;
        QCOMPARE(speech::spokenText(QStringLiteral("Fuchs"), other.path()), QStringLiteral("[[f'Uks]]"));
    }

    void aRecordingBesideThePictureWinsOverTheVoice() {
        ProgramFolder folder;
        folder.addPictures({QStringLiteral("Hund.png"), QStringLiteral("Katze.png")});
        folder.writeFile(QStringLiteral("db/Hund.wav"), toneWav(0.8));
        folder.writeFile(QStringLiteral("db/KATZE.OGG"), toneWav(1.2));  // read by content, found by name
        const platform::Sound dog = said(folder, QStringLiteral("Hund.png"));
        QVERIFY(dog.source.endsWith(QStringLiteral("/Hund.wav")));
        QCOMPARE(dog.rate, 16000);
        QVERIFY(std::abs(dog.seconds() - 0.8) < 0.01);
        QVERIFY(said(folder, QStringLiteral("Katze.png")).source.endsWith(QStringLiteral("/KATZE.OGG")));
        // A recording is no picture and so never becomes a word.
        QVERIFY(!platform::looksLikePicture(folder.db() + QStringLiteral("/Hund.wav")));
    }

    void aDamagedOrEmptyRecordingFallsBackToTheVoice() {
        ProgramFolder folder;
        const QStringList words = {QStringLiteral("Affe"), QStringLiteral("Bär"), QStringLiteral("Ei"),
                                   QStringLiteral("Eis"), QStringLiteral("Hut")};
        for (const QString& w : words) folder.addPictures({w + QStringLiteral(".png")});
        folder.writeFile(QStringLiteral("db/Affe.wav"), QByteArray());                        // empty
        folder.writeFile(QStringLiteral("db/Bär.wav"), toneWav(1.0).left(44));                   // no samples
        folder.writeFile(QStringLiteral("db/Ei.ogg"), QByteArray("OggS\0\0garbage", 13));     // damaged
        folder.writeFile(QStringLiteral("db/Eis.wav"), toneWav(1.0, 0.0));                       // silence
        folder.writeFile(QStringLiteral("db/Hut.wav"), toneWav(1.0).replace(0, 4, "JUNK"));       // no header
        for (const QString& w : words) {
            const platform::Sound sound = said(folder, w + QStringLiteral(".png"));
            QCOMPARE(sound.source, w);
            QVERIFY2(rms(sound) > 0.02, qPrintable(w));
        }
        QVERIFY(speech::speechAvailable(folder.db() + QStringLiteral("/Affe.png")));
    }

    void speechOffSaysNothingAndHidesTheButton() {
        ProgramFolder folder;
        folder.addPictures({QStringLiteral("Hund.png")});
        folder.writeFile(QStringLiteral("db/Hund.wav"), toneWav(0.8));
        options::current().speech = options::Speech::Off;
        speech::sayWord(folder.db() + QStringLiteral("/Hund.png"));
        speech::prepare();
        QVERIFY(platform::playedSounds().isEmpty());
        QVERIFY(!speech::speechAvailable(folder.db() + QStringLiteral("/Hund.png")));
        options::current().speech = options::Speech::Dictation;
        QVERIFY(speech::speechAvailable(folder.db() + QStringLiteral("/Hund.png")));
    }

    // The real sound thread on a machine without a sound server: the word returns at once,
    // the thread gives up without a message, and nothing waits for it.
    void withoutASoundServerTheGameGoesOnAtOnce() {
        ProgramFolder folder;
        folder.addPictures({QStringLiteral("Hund.png")});
        QTemporaryDir runtime;
        const testsupport::EnvironmentKept keptRuntime("XDG_RUNTIME_DIR"), keptServer("PULSE_SERVER");
        const testsupport::ValueKept keptHook(platform::hooks().playSound);
        qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
        for (const QByteArray& server : {QByteArray(), QByteArray("unix:") + runtime.path().toUtf8() + "/none"}) {
            if (server.isEmpty()) qunsetenv("PULSE_SERVER");
            else qputenv("PULSE_SERVER", server);
            platform::hooks().playSound = nullptr;  // the real sound thread
            QElapsedTimer clock;
            clock.start();
            speech::prepare();
            speech::sayWord(folder.db() + QStringLiteral("/Hund.png"));
            speech::sayWord(folder.db() + QStringLiteral("/Hund.png"));
            speech::stop();
            speech::sayWord(folder.db() + QStringLiteral("/Hund.png"));
            QVERIFY2(clock.elapsed() < 50, qPrintable(QString::number(clock.elapsed())));
            // The sound thread is real here: wait (boundedly) for it to finish the word.
            while (!platform::soundIdle() && clock.elapsed() < 5000) std::this_thread::yield();
            QVERIFY(platform::soundIdle());
            QVERIFY(clock.elapsed() < 1000);
            QVERIFY(!platform::soundServerReached());
            QVERIFY(platform::lastSoundLatency() < 0);
            platform::shutdownSound();
            QVERIFY(testsupport::messageTexts().isEmpty());
        }
    }

    // The end never waits on the sound: with the sound thread blocked (here in a job that
    // waits until the test lets it go, as it would in a sound server that hangs) the end
    // gives up after its bound, and the program may end without the thread.
    void theEndDoesNotWaitForABlockedSoundThread() {
        const testsupport::ValueKept keptHook(platform::hooks().playSound);
        platform::hooks().playSound = nullptr;  // the real sound thread
        std::mutex mutex;
        std::condition_variable changed;
        bool entered = false, released = false;
        platform::prepareSound([&] {
            std::unique_lock lock(mutex);
            entered = true;
            changed.notify_all();
            changed.wait(lock, [&] { return released; });
        });
        {
            std::unique_lock lock(mutex);
            QVERIFY(changed.wait_for(lock, std::chrono::seconds(10), [&] { return entered; }));
        }
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!platform::endSound(100));
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
        {
            std::lock_guard lock(mutex);
            released = true;
        }
        changed.notify_all();
        QVERIFY(platform::endSound(10000));
    }
};

QTEST_MAIN(TestSpeech)
#include "test_speech.moc"
