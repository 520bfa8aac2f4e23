// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's recordings without a window: the words of a folder, the file names, the
// silence cut off, one loudness, keeping, replacing, deleting, and folders that cannot be
// written. The takes are made here: tones between stretches of a room's quiet.
#include <QDir>
#include <QFile>
#include <QTest>
#include <cmath>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

#include "game/Takes.h"
#include "platform/Recording.h"
#include "platform/TestMode.h"
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
        QVERIFY(leadingQuiet(early) < 0.001);
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
        for (const double amplitude : {0.02, 0.25, 0.99}) {
            const Sound loud = takes::normalised(take(0.1, 0.3, 0.1, amplitude));
            QVERIFY2(std::abs(decibels(peak(loud)) - takes::kPeakDecibels) < 0.01,
                     qPrintable(QString::number(decibels(peak(loud)))));
        }
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
        QVERIFY(result.text.contains(QStringLiteral("nichts zu hören")));
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
        QVERIFY(full.text.contains(QStringLiteral("nichts verloren")));
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
        QVERIFY(missing.text.contains(QStringLiteral("den Ordner gibt es nicht")));
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
};

QTEST_MAIN(TestTakes)
#include "test_takes.moc"
