// SPDX-License-Identifier: GPL-3.0-or-later
// The learning record: whole lines that survive two computers writing at once, the words a
// child missed coming back as the child plays, the kinds of mistake, the teacher's report
// and the deleting, the settings and options that switch it on.
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "game/Options.h"
#include "game/modGlobalVars.h"
#include "lernstand/Choice.h"
#include "lernstand/Learning.h"
#include "lernstand/Mistakes.h"
#include "lernstand/Record.h"
#include "lernstand/Report.h"
#include "platform/RecordFiles.h"
#include "platform/RecordQueue.h"
#include "raeuber/frmRaeuber.h"
#include "shell/CommandLine.h"
#include "shell/Settings.h"
#include "shell/frmAuswahlmenue.h"
#include "shell/frmSplash.h"
#include "shell/start.h"
#include "support/GameFixture.h"

using namespace testsupport;
using namespace lernstand;

namespace {

const QStringList kAnimals = {"Hund.png", "Katze.png", "Maus.png",  "Pferd.png", "Kuh.png",   "Schaf.png",
                              "Ziege.png", "Hase.png", "Igel.png",  "Fuchs.png", "Bär.png",   "Wolf.png",
                              "Ente.png",  "Gans.png", "Huhn.png",  "Hahn.png",  "Esel.png",  "Affe.png",
                              "Löwe.png",  "Tiger.png", "Zebra.png", "Robbe.png", "Biene.png", "Käfer.png"};

frmAuswahlmenü& startToMenu() {
    shell::startupForm().Show();
    QTest::keyClick(&frmSplash::Default(), Qt::Key_Space);
    return frmAuswahlmenü::Default();
}

frmRaeuber& clickLevel(const QString& name) {
    frmAuswahlmenü& menu = frmAuswahlmenü::Default();
    menu.txtSpielername->setText(name);
    menu.cmdLevel1_Click();
    return frmRaeuber::Default();
}

// One program start with the record on: the menu, a name, level 1.
struct Run {
    ProgramFolder folder;
    explicit Run(const QString& record) {
        folder.addPictures(kAnimals);
        lernstand::resetRun();
        options::current() = options::Options();
        options::current().learning = true;
        options::current().learningFolder = record;
        qputenv("KNORZELBART_RECHNER_ID", "schulpc1");
        platform::setRecordToday(QStringLiteral("2026-03-02"));
        lernstand::setReadWait(30000);
    }
    ~Run() {
        lernstand::settle(30000);
        options::current() = options::Options();
        lernstand::resetRun();
    }
};

// Standard error of this process, caught in a file while a piece of code runs.
QString stderrOf(const std::function<void()>& code) {
    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(dir.filePath("err"));
    std::fflush(stderr);
    const int saved = ::dup(2);
    const int file = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ::dup2(file, 2);
    ::close(file);
    code();
    std::fflush(stderr);
    ::dup2(saved, 2);
    ::close(saved);
    QFile caught(dir.filePath("err"));
    caught.open(QIODevice::ReadOnly);
    return QString::fromUtf8(caught.readAll());
}

struct ProgramRun {
    int status;
    QString out;
    QString err;
};

ProgramRun runProgram(const QStringList& arguments, const QString& home) {
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("HOME", home);
    env.insert("XDG_DATA_HOME", home + "/data");
    env.insert("KNORZELBART_EINSTELLUNGEN", home + "/keine.conf");
    env.insert("KNORZELBART_BENUTZER_EINSTELLUNGEN", home + "/keine-benutzer.conf");
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(KNORZELBART_PROGRAM), arguments);
    program.waitForFinished(60000);
    return {program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1,
            QString::fromUtf8(program.readAllStandardOutput()), QString::fromUtf8(program.readAllStandardError())};
}

Result result(const QString& word, Outcome outcome, int box = -1, const QString& letter = {},
              const QString& day = QStringLiteral("2026-03-02")) {
    Result r;
    r.day = day;
    r.level = 1;
    r.outcome = outcome;
    r.word = word;
    r.box = box;
    r.letter = letter;
    return r;
}

void writeResults(const QString& folder, const QString& child, const QString& computer,
                  const std::vector<Result>& results) {
    const QString path = folder + "/" + fileName(childKey(child), computer, folderSecret(folder));
    QVERIFY(platform::appendRecordLine(path, nameLine(childKey(child))).isEmpty());
    for (const Result& r : results) QVERIFY(platform::appendRecordLine(path, line(r)).isEmpty());
}

}  // namespace

class TestLernstand : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theRecordKeepsWholeLinesAndSkipsTornOnes() {
        const Result wrong = result("Eis am Stiel", Outcome::AfterReveal, 4, "%");
        const QByteArray text = line(wrong);
        QCOMPARE(text.count('\n'), 1);
        QVERIFY(text.endsWith('\n'));
        int skipped = -1;
        std::vector<Result> back = parse(text, &skipped);
        QCOMPARE(skipped, 0);
        QCOMPARE(back.size(), size_t(1));
        QCOMPARE(back[0].word, QStringLiteral("Eis am Stiel"));
        QCOMPARE(back[0].letter, QStringLiteral("%"));
        QCOMPARE(back[0].box, 4);
        QCOMPARE(back[0].outcome, Outcome::AfterReveal);

        // A line cut off, a line garbled on the share, a line of another kind: skipped.
        QByteArray garbled = line(result("Hund", Outcome::FirstTry));
        garbled[garbled.indexOf("Hund")] = 'B';
        const QByteArray bytes = line(result("Maus", Outcome::FirstTry)) + garbled + "Unsinn\n\n" +
                                 line(result("Kuh", Outcome::Unfinished, 0, "k")) +
                                 line(result("Igel", Outcome::FirstTry)).left(12);
        back = parse(bytes, &skipped);
        QCOMPARE(back.size(), size_t(2));
        QCOMPARE(back[0].word, QStringLiteral("Maus"));
        QCOMPARE(back[1].word, QStringLiteral("Kuh"));
        QCOMPARE(skipped, 3);

        // Control characters never pass, however well the line is made.
        for (const QString& word : {QStringLiteral("Hu\nnd"), QStringLiteral("Hu") + QChar(0) + "nd",
                                    QStringLiteral("Hu\u200Bnd")}) {
            QCOMPARE(parse(line(result(word, Outcome::FirstTry))).size(), size_t(0));
            QCOMPARE(parse(line(result("Hund", Outcome::AfterReveal, 1, word.mid(2, 1)))).size(), size_t(0));
        }

        // A child is the name trimmed and without case; its files name neither the child
        // nor the computer's host, but say which child they are about.
        QCOMPARE(childKey("  Mia "), childKey("mIA"));
        const QByteArray secret(40, 'k');
        for (const QString& name : {QStringLiteral("ömer ali"), QStringLiteral("mia"), QStringLiteral("a_b~c/d")}) {
            const QString file = fileName(name, "0123abcd", secret);
            QVERIFY2(!file.contains('/') && !file.contains(' ') && !file.contains("mia"), qPrintable(file));
            QVERIFY(isRecordFile(file));
            QVERIFY(fileName(name, "0123abcd", QByteArray(40, 'x')) != file);
            QString key;
            parse(nameLine(name) + line(result("Hund", Outcome::FirstTry)), nullptr, &key);
            QCOMPARE(key, name);
        }
        QCOMPARE(childOfFile("mia~a1.lernstand"), QStringLiteral("mia"));  // an earlier version's file
        QVERIFY(!isRecordFile("notizen.txt"));
        QCOMPARE(shownName("ömer ali"), QStringLiteral("Ömer Ali"));

        // A miss kept at once and the right after it are one result.
        std::vector<Result> one = parse(line(result("Kuh", Outcome::Unfinished, 0, "k")) +
                                        line(result("Kuh", Outcome::AfterReveal, 0, "k")));
        QCOMPARE(one.size(), size_t(1));
        QCOMPARE(one[0].outcome, Outcome::AfterReveal);
    }

    void theFilesAreSafeFromOthersAndFromTornLines() {
        QTemporaryDir dir;
        const QString path = dir.filePath("f.lernstand");
        QVERIFY(platform::appendRecordLine(path, line(result("Maus", Outcome::FirstTry)).left(9)).isEmpty());
        QVERIFY(platform::appendRecordLine(path, line(result("Hund", Outcome::FirstTry))).isEmpty());
        int skipped = 0;
        std::vector<Result> back = parse(platform::readRecordFile(path, kMaxFileBytes), &skipped);
        QCOMPARE(back.size(), size_t(1));  // the torn line does not swallow the next
        QCOMPARE(back[0].word, QStringLiteral("Hund"));
        QCOMPARE(QFileInfo(path).permissions() & (QFile::ReadOther | QFile::ReadGroup | QFile::WriteOther),
                 QFileDevice::Permissions());

        // A FIFO named like a record file: refused at once, never waited on.
        const QString fifo = dir.filePath("g.lernstand");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QVERIFY(!platform::appendRecordLine(fifo, line(result("Hund", Outcome::FirstTry))).isEmpty());
        bool ok = true;
        QVERIFY(platform::readRecordFile(fifo, 100, &ok).isEmpty());
        QVERIFY(!ok);

        // Over the limit, the newest results are read.
        QByteArray many;
        for (int i = 0; i < 200; ++i) many += line(result(i < 100 ? "Alt" : "Neu", Outcome::FirstTry));
        QFile big(dir.filePath("h.lernstand"));
        QVERIFY(big.open(QIODevice::WriteOnly));
        big.write(many);
        big.close();
        back = parse(platform::readRecordFile(big.fileName(), many.size() / 2 + 7), &skipped);
        QCOMPARE(skipped, 0);
        QCOMPARE(back.size(), size_t(100));
        QCOMPARE(back.front().word, QStringLiteral("Neu"));

        // A missing share is not made on the local disk: only the last folder, under one
        // that exists.
        QVERIFY(!platform::makeRecordFolder(dir.filePath("nicht-da/klasse")).isEmpty());
        QVERIFY(!QFileInfo::exists(dir.filePath("nicht-da")));
        QVERIFY(platform::makeRecordFolder(dir.filePath("klasse")).isEmpty());
        QCOMPARE(QFileInfo(dir.filePath("klasse")).permissions() & (QFile::ReadOther | QFile::ExeOther),
                 QFileDevice::Permissions());

        // The computer's id comes from the machine, never the machine id itself.
        qunsetenv("KNORZELBART_RECHNER_ID");
        QFile machine(dir.filePath("machine-id"));
        QVERIFY(machine.open(QIODevice::WriteOnly));
        machine.write("0123456789abcdef0123456789abcdef\n");
        machine.close();
        platform::setMachineIdFile(machine.fileName());
        const QString id = platform::recordComputerId(dir.filePath("home/rechner-id"));
        QCOMPARE(id.size(), 16);
        QVERIFY(!QStringLiteral("0123456789abcdef0123456789abcdef").contains(id));
        QCOMPARE(platform::recordComputerId(dir.filePath("anderes-home/rechner-id")), id);
        QVERIFY(!QFileInfo::exists(dir.filePath("home/rechner-id")));
        platform::setMachineIdFile(dir.filePath("keine-machine-id"));
        const QString random = platform::recordComputerId(dir.filePath("home/rechner-id"));
        QCOMPARE(platform::recordComputerId(dir.filePath("home/rechner-id")), random);
        QVERIFY(random != id);
        platform::setMachineIdFile("/etc/machine-id");
    }

    void twoComputersWritingAtOnceLoseNothing() {
        QTemporaryDir record;
        QProcess first, second;
        first.start(QStringLiteral(LERNSTAND_WRITER), {record.path(), "rechnerA", "1000"});
        second.start(QStringLiteral(LERNSTAND_WRITER), {record.path(), "rechnerB", "1000"});
        QVERIFY(first.waitForFinished(60000));
        QVERIFY(second.waitForFinished(60000));
        QCOMPARE(first.exitCode(), 0);
        QCOMPARE(second.exitCode(), 0);
        const std::vector<Result> all = readChild(record.path(), childKey("mia"));
        QCOMPARE(all.size(), size_t(2000));
        int missed = 0;
        for (const Result& r : all) missed += r.outcome == Outcome::AfterReveal ? 1 : 0;
        QCOMPARE(missed, 2 * 334);
        QCOMPARE(QDir(record.path()).entryList(QDir::Files).size(), 2);
    }

    void twoWritersOfOneFileKeepEveryLineWhole() {
        QTemporaryDir record;
        QProcess first, second;
        first.start(QStringLiteral(LERNSTAND_WRITER), {record.path(), "einrechner", "1000"});
        second.start(QStringLiteral(LERNSTAND_WRITER), {record.path(), "einrechner", "1000"});
        QVERIFY(first.waitForFinished(60000));
        QVERIFY(second.waitForFinished(60000));
        QCOMPARE(first.exitCode(), 0);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(QDir(record.path()).entryList(QDir::Files).size(), 1);
        int skipped = -1;
        const QString file = QDir(record.path()).entryList(QDir::Files).first();
        const std::vector<Result> all = parse(platform::readRecordFile(record.filePath(file), kMaxFileBytes), &skipped);
        QCOMPARE(skipped, 0);
        QCOMPARE(all.size(), size_t(2000));
    }

    void mistakesAreToldByTheLetterWritten() {
        struct Case {
            const char* word;
            const char* written;  // what the child wrote, up to the first wrong letter
            Mistake kind;
        };
        const Case cases[] = {
            {"Hund", "h", Mistake::Capital},        {"Bär", "Ba", Mistake::Umlaut},
            {"Bäcker", "Be", Mistake::Umlaut},      {"Kerze", "Kä", Mistake::Umlaut},
            {"Häuser", "He", Mistake::Umlaut},      {"Leute", "Lä", Mistake::Umlaut},
            {"Sonne", "Sone", Mistake::Double},     {"Hund", "Hunn", Mistake::Double},
            {"Biene", "Bin", Mistake::IeEi},        {"Igel", "Ie", Mistake::IeEi},
            {"Tiger", "Tie", Mistake::IeEi},        {"Eis", "I", Mistake::IeEi},
            {"Zucker", "Zuk", Mistake::CkTz},       {"Katze", "Kaz", Mistake::CkTz},
            {"Brezel", "Bret", Mistake::CkTz},      {"Hund", "Hunt", Mistake::HardEnd},
            {"Korb", "Korp", Mistake::HardEnd},     {"Berg", "Berk", Mistake::HardEnd},
            {"Herbst", "Herp", Mistake::HardEnd},   {"Blume", "P", Mistake::Other},
            {"Dach", "T", Mistake::Other},          {"Fuß", "Fus", Mistake::SharpS},
            {"Wasser", "Waß", Mistake::SharpS},     {"Vogel", "F", Mistake::VF},
            {"Fisch", "V", Mistake::VF},            {"Apfel", "Af", Mistake::LeftOut},
            {"Maus", "Maa", Mistake::Added},        {"Pferd", "Pfera", Mistake::Added},
            {"Maus", "Max", Mistake::Other},
        };
        for (const Case& c : cases) {
            const QString written = QString::fromUtf8(c.written);
            const int box = static_cast<int>(written.size()) - 1;
            QVERIFY2(classify(QString::fromUtf8(c.word), box, written.right(1)) == c.kind,
                     qPrintable(QStringLiteral("%1 als %2…: %3").arg(QString::fromUtf8(c.word), written,
                                                                     mistakeName(classify(QString::fromUtf8(c.word), box, written.right(1))))));
        }
        QCOMPARE(classify("Maus", 9, "x"), Mistake::Other);
        for (int k = 0; k < kMistakeKinds; ++k) QVERIFY(!mistakeName(Mistake(k)).isEmpty());
    }

    void aMissedWordClimbsTheBoxesOverSchoolDays() {
        // Monday 2026-03-02 missed; Tuesday right twice at level 2: box 2, due on Friday.
        const auto day = [](int date) { return QStringLiteral("2026-03-%1").arg(date, 2, 10, QLatin1Char('0')); };
        const auto at = [&](const QString& word, Outcome outcome, int date, int level = 2) {
            Result r = result(word, outcome, outcome == Outcome::FirstTry ? -1 : 0,
                              outcome == Outcome::FirstTry ? QString() : QStringLiteral("x"), day(date));
            r.level = level;
            return r;
        };
        Progress p;
        p.add(at("Hund", Outcome::AfterReveal, 2));
        p.setToday(day(2));
        QVERIFY(p.state("Hund").hard);
        QCOMPARE(p.state("Hund").box, 1);
        p.setToday(day(3));
        QVERIFY(p.state("Hund").hard);  // due on Tuesday
        p.add(at("Hund", Outcome::FirstTry, 3));
        QVERIFY(!p.state("Hund").hard);  // done for today
        p.add(at("Hund", Outcome::FirstTry, 3));
        p.setToday(day(4));
        QCOMPARE(p.state("Hund").box, 2);
        QVERIFY(!p.state("Hund").hard);
        p.setToday(day(5));
        QVERIFY(!p.state("Hund").hard);
        p.setToday(day(6));  // Friday: three school days after Tuesday
        QVERIFY(p.state("Hund").hard);
        p.add(at("Hund", Outcome::FirstTry, 6));
        p.setToday(day(9));
        QCOMPARE(p.state("Hund").box, 3);
        QVERIFY(!p.state("Hund").hard);
        p.setToday(day(16));  // Monday: six school days after Friday
        QVERIFY(!p.state("Hund").hard);
        p.setToday(day(17));  // seven
        QVERIFY(p.state("Hund").hard);
        p.add(at("Hund", Outcome::FirstTry, 17));
        p.setToday(day(18));
        QVERIFY(p.state("Hund").learnt);
        QCOMPARE(p.state("Hund").box, 0);
        QVERIFY(!p.state("Hund").hard);
        QVERIFY(p.hardWords().isEmpty());

        // Level 1 (copying) moves nothing up; a miss at any point sends the word back.
        Progress copy;
        copy.add(at("Maus", Outcome::AfterReveal, 2, 1));
        copy.add(at("Maus", Outcome::FirstTry, 3, 1));
        copy.setToday(day(4));
        QCOMPARE(copy.state("Maus").box, 1);
        Progress back;
        for (int d : {2, 3, 6}) back.add(at("Igel", d == 2 ? Outcome::AfterReveal : Outcome::FirstTry, d));
        back.add(at("Igel", Outcome::Unfinished, 9));
        back.setToday(day(10));
        QCOMPARE(back.state("Igel").box, 1);
        QVERIFY(back.state("Igel").hard);

        // Two computers, the same day, in any order: the same state.
        std::vector<Result> dayOne = {at("Kuh", Outcome::FirstTry, 3), at("Kuh", Outcome::AfterReveal, 3),
                                      at("Kuh", Outcome::FirstTry, 3)};
        for (int order = 0; order < 3; ++order) {
            Progress merged;
            merged.add(at("Kuh", Outcome::AfterReveal, 2));
            std::rotate(dayOne.begin(), dayOne.begin() + 1, dayOne.end());
            merged.addAll(dayOne);
            merged.setToday(day(4));
            QCOMPARE(merged.state("Kuh").box, 1);
            QVERIFY(merged.state("Kuh").hard);
        }
    }

    void hardWordsComeEveryThirdTimeNeverTwiceInARowAndNoWordIsLost() {
        Progress progress;
        std::vector<Candidate> candidates;
        for (int i = 0; i < 20; ++i) candidates.push_back({QStringLiteral("Wort%1").arg(i), i + 1});
        for (int i = 0; i < 3; ++i) progress.add(result(candidates[i].word, Outcome::AfterReveal, 0, "x"));
        Chooser chooser;
        chooser.restart();
        QStringList picked;
        std::srand(7);
        for (int n = 0; n < 300; ++n) {
            const float r = static_cast<float>(std::rand() % 1000) / 1000.0f;
            const QString word = candidates[chooser.choose(candidates, progress, r)].word;
            chooser.shown(word);
            progress.seen(word);
            picked << word;
        }
        QVERIFY(progress.state("Wort0").hard);
        QCOMPARE(picked.first().left(4), QStringLiteral("Wort"));
        QVERIFY(QStringList({"Wort0", "Wort1", "Wort2"}).contains(picked.first()));
        for (int n = 1; n < picked.size(); ++n) QVERIFY(picked[n] != picked[n - 1]);
        for (int n = 2; n < picked.size(); ++n) {
            bool hard = false;
            for (int k = n - 2; k <= n; ++k) hard = hard || progress.state(picked[k]).hard;
            QVERIFY2(hard, qPrintable(QStringLiteral("no hard word at %1").arg(n)));
        }
        for (const Candidate& c : candidates) QVERIFY2(picked.contains(c.word), qPrintable(c.word));

        // A new game: a hard word first, but never the word the game before ended with.
        Progress oneHard;
        oneHard.add(result("Wort0", Outcome::AfterReveal, 0, "x"));
        Chooser next;
        next.shown("Wort0");
        next.restart();
        QVERIFY(candidates[next.choose(candidates, oneHard, 0.0f)].word != "Wort0");
        next.shown("Wort5");
        next.restart();
        QCOMPARE(candidates[next.choose(candidates, oneHard, 0.0f)].word, QStringLiteral("Wort0"));

        // Written right at the first try today more often than missed: done for today.
        progress.add(result("Wort0", Outcome::FirstTry));
        QVERIFY(progress.state("Wort0").hard);
        progress.add(result("Wort0", Outcome::FirstTry));
        QVERIFY(!progress.state("Wort0").hard);
    }

    void aChildWhoMissesHundMeetsItEarlyInTheNextRun() {
        QTemporaryDir record;
        // Today: Mia plays until "Hund" comes, and misses it.
        {
            Run run(record.path());
            startToMenu();
            frmRaeuber* game = &clickLevel("Mia");
            bool missed = false;
            for (int word = 0; word < 200 && !missed; ++word) {
                if (modGlobalVars::currentWord == "Hund") {
                    playWordWrong(*game);
                    playWordRight(*game);
                    missed = true;
                } else {
                    playWordRight(*game);
                }
                if (modGlobalVars::correctCount == 10) {  // a new game, and the menu again
                    game->cmdReset_Click();
                    game = &clickLevel("Mia");
                }
            }
            QVERIFY(missed);
        }
        QVERIFY(lernstand::progress().empty());
        // The next run (the name typed differently): "Hund" is among the first three words.
        {
            Run run(record.path());
            startToMenu();
            frmRaeuber& game = clickLevel(" mia ");
            QVERIFY(lernstand::progress().state("Hund").hard);
            QStringList firstThree{modGlobalVars::currentWord};
            playWordRight(game);
            firstThree << modGlobalVars::currentWord;
            playWordRight(game);
            firstThree << modGlobalVars::currentWord;
            QVERIFY2(firstThree.contains("Hund"), qPrintable(firstThree.join(',')));
        }
        // Written right at the first try twice: it comes no more often than any other word.
        QHash<QString, int> seen;
        int hundRights = 0;
        for (int runs = 0; runs < 6; ++runs) {
            Run run(record.path());
            startToMenu();
            frmRaeuber* game = &clickLevel("Mia");
            for (int word = 0; word < 45; ++word) {
                const QString current = modGlobalVars::currentWord;
                if (current == "Hund") ++hundRights;
                if (hundRights > 2 || (hundRights == 2 && current != "Hund")) ++seen[current];
                playWordRight(*game);
                if (modGlobalVars::correctCount == 10) {
                    game->cmdReset_Click();
                    game = &clickLevel("Mia");
                }
            }
        }
        QVERIFY(hundRights >= 2);
        int total = 0;
        for (int count : seen) total += count;
        const double mean = double(total) / kAnimals.size();
        QVERIFY2(seen.value("Hund") <= mean + 2,
                 qPrintable(QStringLiteral("Hund %1 times, mean %2").arg(seen.value("Hund")).arg(mean)));
        // Every picture came.
        for (const QString& name : kAnimals) QVERIFY2(seen.contains(name.left(name.size() - 4)), qPrintable(name));
    }

    void anUnusableFolderNeverStopsAChildAndLosesNothing() {
        QTemporaryDir home;
        qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath("daten")));
        const QString share = home.filePath("freigabe/klasse");
        QStringList problems;
        const QString err = stderrOf([&] {
            Run run(share);
            startToMenu();
            frmRaeuber& game = clickLevel("Mia");
            for (int i = 0; i < 5; ++i) playWordRight(game);
            playWordWrong(game);
            playWordRight(game);
            QCOMPARE(modGlobalVars::correctCount, 6);
            QVERIFY(lernstand::settle(30000));
            problems = lernstand::keepingProblems();
            // The share is back (mounted): what waited is written with the next word.
            QVERIFY(QDir().mkpath(home.filePath("freigabe")));
            playWordRight(game);
            QVERIFY(lernstand::settle(30000));
            QVERIFY(lernstand::keepingProblems().isEmpty());
        });
        qunsetenv("XDG_DATA_HOME");
        QCOMPARE(err.count('\n'), 1);
        QVERIFY2(err.contains("Lernstand wird gerade nicht gespeichert"), qPrintable(err));
        QCOMPARE(problems.size(), 1);
        QVERIFY2(problems[0].startsWith("2.3.2026: ") && problems[0].contains("freigabe") &&
                     problems[0].contains("später eingetragen"),
                 qPrintable(problems[0]));
        const std::vector<Result> kept = readChild(share, childKey("Mia"));
        QCOMPARE(kept.size(), size_t(7));
        QVERIFY(!QFileInfo::exists(home.filePath("daten/knorzelbart/lernstand-wartend")));
    }

    void aHangingShareNeverStopsAChild() {
        QTemporaryDir record;
        {
            Run run(record.path());
            lernstand::setReadWait(50);
            platform::holdRecordWork(true);  // every call on the share hangs
            startToMenu();
            frmRaeuber& game = clickLevel("Mia");
            for (int i = 0; i < 4; ++i) playWordRight(game);
            playWordWrong(game);
            playWordRight(game);
            QCOMPARE(modGlobalVars::correctCount, 5);
            QVERIFY(QDir(record.path()).entryList(QDir::Files).isEmpty());
            platform::holdRecordWork(false);
            QVERIFY(lernstand::settle(30000));
        }
        QCOMPARE(readChild(record.path(), childKey("Mia")).size(), size_t(5));
    }

    void forgettingDuringAGameIsForgottenByTheGameToo() {
        QTemporaryDir record;
        Run run(record.path());
        startToMenu();
        frmRaeuber& game = clickLevel("Mia");
        const QString missed = modGlobalVars::currentWord;
        playWordWrong(game);
        playWordRight(game);
        QVERIFY(lernstand::settle(30000));
        QVERIFY(lernstand::progress().state(missed).hard);
        QStringList failures;
        QCOMPARE(forget(record.path(), childKey("Mia"), &failures).size(), 1);
        playWordRight(game);
        QVERIFY(lernstand::settle(30000));
        QVERIFY(!lernstand::progress().state(missed).hard);
        QVERIFY(readChild(record.path(), childKey("Mia")).empty());
    }

    void withTheRecordOffNothingIsWritten() {
        QTemporaryDir record;
        ProgramFolder folder;
        folder.addPictures(kAnimals);
        lernstand::resetRun();
        options::current() = options::Options();
        options::current().learningFolder = record.path();
        startToMenu();
        frmRaeuber& game = clickLevel("Mia");
        playWordWrong(game);
        playWordRight(game);
        playWordRight(game);
        // Whatever is called, directly too.
        lernstand::beginChild("Ben");
        lernstand::picturesAppended({"Hund.png"});
        QCOMPARE(lernstand::chooseIndex({"", "Hund.png", "Maus.png"}, 2, 0.6f), 2);
        lernstand::wordShown("Hund", 2);
        lernstand::wordMissed(0, "h");
        lernstand::wordRight();
        lernstand::wordShown("Maus", 2);
        lernstand::wordRight();
        lernstand::wordLeft();
        QVERIFY(!lernstand::wordPending());
        QVERIFY(lernstand::settle(30000));
        QVERIFY(QDir(record.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
        QVERIFY(lernstand::progress().empty());
        QVERIFY(lernstand::currentChild().isEmpty());
        options::current() = options::Options();
    }

    void settingsAndOptionsSwitchItOn() {
        using commandline::parse;
        QVERIFY(!options::Options().learning);
        commandline::Command c = parse({"--lernstand"});
        QCOMPARE(c.action, commandline::Command::Action::Play);
        QVERIFY(c.learning && *c.learning);
        QVERIFY(!c.learningFolder);
        c = parse({"--lernstand", "/srv/klasse1a"});
        QCOMPARE(*c.learningFolder, QStringLiteral("/srv/klasse1a"));
        c = parse({"--learning=/srv/x", "--vollbild"});
        QCOMPARE(*c.learningFolder, QStringLiteral("/srv/x"));
        QVERIFY(c.fullScreen);
        c = parse({"--lernstand", "/srv/x", "--bericht", "k.html"});
        QCOMPARE(c.action, commandline::Command::Action::Report);
        QCOMPARE(c.report, QStringLiteral("k.html"));
        QCOMPARE(parse({"--bericht"}).action, commandline::Command::Action::Error);
        c = parse({"--vergessen", "Mia"});
        QCOMPARE(c.action, commandline::Command::Action::Forget);
        QCOMPARE(c.forgetChild, QStringLiteral("Mia"));
        QCOMPARE(parse({"--vergessen-alle"}).action, commandline::Command::Action::Forget);
        QCOMPARE(parse({"--vergessen"}).action, commandline::Command::Action::Error);
        QCOMPARE(parse({"--vergessen", "Mia", "--vergessen-alle"}).action, commandline::Command::Action::Error);
        QVERIFY(commandline::helpText().contains("--lernstand"));

        QTemporaryDir dir;
        const auto write = [&](const QString& name, const QByteArray& text) {
            QFile f(dir.filePath(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(text);
        };
        write("system.conf", "lernstand = an\nlernstandordner = /srv/schule/lernstand\ngesperrt = lernstandordner\n");
        write("user.conf", "lernstand = aus\nlernstandordner = ~/eigener\n");
        options::Options o;
        QStringList problems = settings::apply({dir.filePath("system.conf"), dir.filePath("user.conf")}, o);
        QVERIFY(!o.learning);
        QCOMPARE(o.learningFolder, QStringLiteral("/srv/schule/lernstand"));
        QCOMPARE(problems.size(), 1);
        QVERIFY2(problems[0].contains("gesperrt"), qPrintable(problems[0]));
        write("user.conf", "lernstand = vielleicht\nlernstandordner = relativ\n");
        o = options::Options();
        problems = settings::apply({dir.filePath("keine.conf"), dir.filePath("user.conf")}, o);
        QCOMPARE(problems.size(), 2);
        QVERIFY(!o.learning);
        QVERIFY(o.learningFolder.isEmpty());
    }

    void theReportShowsEachChildAndTheClass() {
        QTemporaryDir record;
        writeResults(record.path(), "Mia", "a1", {result("Hund", Outcome::AfterReveal, 3, "t", "2026-03-02"),
                                                  result("Katze", Outcome::FirstTry, -1, {}, "2026-03-02"),
                                                  result("Bär", Outcome::Unfinished, 1, "a", "2026-03-03"),
                                                  result("Maus", Outcome::FirstTry, -1, {}, "2026-03-03")});
        writeResults(record.path(), "mia", "b2", {result("Igel", Outcome::FirstTry, -1, {}, "2026-03-10")});
        writeResults(record.path(), "Ömer", "a1", {result("Hund", Outcome::AfterReveal, 0, "h"),
                                                   result("Hund", Outcome::FirstTry), result("Hund", Outcome::FirstTry)});
        writeResults(record.path(), "Otto", "a1", {result("Hund", Outcome::FirstTry, -1, {}, "2026-03-10")});
        const std::vector<Child> children = readAll(record.path());
        QCOMPARE(children.size(), size_t(3));
        QCOMPARE(children[0].results.size(), size_t(5));

        ProgramFolder folder;
        folder.addPictures({"Hund.png", "Bär.png"});
        ReportInput input{children, record.path(), folder.db(), "2026-03-04"};
        const QString html = QString::fromUtf8(report(input));
        QVERIFY(html.contains("<h2>Mia</h2>"));
        // Names as German sorts them: Ö with O.
        QVERIFY(html.indexOf("<h2>Mia</h2>") < html.indexOf("<h2>Ömer</h2>"));
        QVERIFY(html.indexOf("<h2>Ömer</h2>") < html.indexOf("<h2>Otto</h2>"));
        QVERIFY(html.contains("Geübt an <b>3</b> Tagen (vom 2.3.2026 bis 10.3.2026)"));
        QVERIFY(html.contains("<b>4</b> Wörter geschrieben · <b>1</b> nicht zu Ende geschrieben"));
        QVERIFY(html.contains("<b>1</b> Wort geschrieben"));
        QVERIFY(html.contains("<b>60 %</b> beim Abschreiben (Level 1, 5 Wörter)"));
        QVERIFY(html.contains("Zeitraum: 2.3.2026 bis 10.3.2026"));
        QVERIFY(html.contains("Verlauf nach Wochen: KW&nbsp;10: 50 %&nbsp;auf&nbsp;Anhieb (4 Wörter) · "
                              "KW&nbsp;11: 100 %&nbsp;auf&nbsp;Anhieb (1 Wort)"));
        QVERIFY(html.startsWith("<!-- ") && html.left(html.indexOf('\n')).contains("personenbezogene Daten"));
        QVERIFY(html.contains("b/p, d/t, g/k am Wortende: 1-mal"));
        QVERIFY(html.contains("ä/e, äu/eu, Umlaut: 1-mal"));
        QVERIFY(html.contains("Groß- und Kleinschreibung"));
        // Each picture once, however often it is shown; a word without one has no box.
        QCOMPARE(html.count("data:image/png;base64,"), 2);
        QCOMPARE(html.count("<use href=\"#b0\"/>") + html.count("<use href=\"#b1\"/>"), 3);
        QVERIFY(!html.contains("class=\"ohne\""));
        // The class counts children: two children missed Hund.
        QVERIFY(html.contains("<tr><td>Hund</td><td>2</td></tr>"));
        QVERIFY(!html.contains("http"));

        ReportInput one{{children[2]}, record.path(), folder.db(), "2026-03-04", true};  // by key: mia, otto, ömer
        const QString alone = QString::fromUtf8(report(one));
        QVERIFY(alone.contains("Lernstand von Ömer"));
        QVERIFY(!alone.contains("Mia") && !alone.contains("Die ganze Klasse"));

        ReportInput empty{{}, record.path(), folder.db(), "2026-03-04"};
        QVERIFY(QString::fromUtf8(report(empty)).contains("Es ist noch nichts gespeichert"));
    }

    void theProgramWritesTheReportAndForgets() {
        QTemporaryDir home;
        const QString record = home.filePath("lernstand");
        QDir().mkpath(record);
        writeResults(record, "Mia", "a1", {result("Hund", Outcome::AfterReveal, 3, "t")});
        writeResults(record, "Mia", "b2", {result("Hund", Outcome::FirstTry)});
        writeResults(record, "Ben", "a1", {result("Maus", Outcome::FirstTry)});
        QFile other(record + "/liesmich.txt");
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.close();

        ProgramRun run = runProgram({"--lernstand", record, "--bericht", home.filePath("klasse.html")}, home.path());
        QCOMPARE(run.status, 0);
        QVERIFY2(run.out.contains("Bericht über 2 Kinder"), qPrintable(run.out + run.err));
        QVERIFY(QFile::exists(home.filePath("klasse.html")));

        run = runProgram({"--lernstand", record, "--vergessen", " MIA"}, home.path());
        QCOMPARE(run.status, 0);
        QVERIFY2(run.out.contains("Der Lernstand von Mia ist gelöscht (2 Dateien)"), qPrintable(run.out));
        QCOMPARE(run.out.count("gelöscht: "), 2);
        QCOMPARE(readAll(record).size(), size_t(1));
        run = runProgram({"--lernstand", record, "--vergessen", "Mia"}, home.path());
        QVERIFY2(run.out.contains("nichts gespeichert"), qPrintable(run.out));
        run = runProgram({"--lernstand", record, "--vergessen-alle"}, home.path());
        QVERIFY2(run.out.contains("Der Lernstand von Ben ist gelöscht (1 Datei)"), qPrintable(run.out));
        QCOMPARE(QDir(record).entryList(QDir::Files), QStringList{"liesmich.txt"});
    }

    void theReportReplacesOnlyItsOwnFileAndSaysWhenThereIsNothing() {
        QTemporaryDir home;
        const QString record = home.filePath("lernstand");
        QDir().mkpath(record);
        const QString notes = home.filePath("notizen.html");
        QFile file(notes);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<p>Meine Notizen</p>");
        file.close();
        QFile::setPermissions(notes, QFile::ReadOwner | QFile::WriteOwner);
        // Nothing kept yet: no report, and an earlier one stays.
        ProgramRun run = runProgram({"--lernstand", record, "--bericht", home.filePath("k.html")}, home.path());
        QVERIFY(run.status != 0);
        QVERIFY2(run.err.contains("nichts zu berichten"), qPrintable(run.err));
        QVERIFY(!QFileInfo::exists(home.filePath("k.html")));
        run = runProgram({"--lernstand", home.filePath("fehlt"), "--bericht", home.filePath("k.html")}, home.path());
        QVERIFY(run.status != 0);

        writeResults(record, "Mia%1", "a1", {result("Hund%1%2", Outcome::AfterReveal, 3, "t")});
        run = runProgram({"--lernstand", record, "--bericht", notes}, home.path());
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.contains("kein Lernstandsbericht"), qPrintable(run.err));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("<p>Meine Notizen</p>"));
        file.close();

        // A stale temporary file of the report's own pattern goes; a report keeps its mode.
        QFile stale(home.filePath("k.html.Ab12Cd"));
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.close();
        QVERIFY(stale.open(QIODevice::ReadWrite));
        QVERIFY(stale.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
        stale.close();
        run = runProgram({"--lernstand", record, "--bericht", home.filePath("k.html")}, home.path());
        QCOMPARE(run.status, 0);
        QVERIFY(!stale.exists());
        QCOMPARE(QFileInfo(home.filePath("k.html")).permissions() & (QFile::ReadOther | QFile::ReadGroup),
                 QFileDevice::Permissions());
        QFile report(home.filePath("k.html"));
        QVERIFY(report.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(report.readAll());
        QVERIFY(html.contains("Hund%1%2"));
        QVERIFY(html.contains("<h2>Mia%1</h2>"));
        report.close();
        QFile::setPermissions(home.filePath("k.html"), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        run = runProgram({"--lernstand", record, "--bericht", home.filePath("k.html")}, home.path());
        QCOMPARE(run.status, 0);
        QVERIFY(QFileInfo(home.filePath("k.html")).permissions() & QFile::ReadGroup);

        run = runProgram({"--lernstand", record, "--vergessen", "Mia%1"}, home.path());
        QVERIFY2(run.out.contains("Der Lernstand von Mia%1 ist gelöscht (1 Datei)."), qPrintable(run.out));
    }

    void aLogoutEndsTheProgramCleanly() {
        for (const int signal : {SIGTERM, SIGHUP}) {
            QTemporaryDir home;
            QProcess program;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("QT_QPA_PLATFORM", "offscreen");
            env.insert("HOME", home.path());
            env.insert("XDG_DATA_HOME", home.filePath("data"));
            env.insert("XDG_RUNTIME_DIR", home.path());
            env.insert("KNORZELBART_EINSTELLUNGEN", home.filePath("keine.conf"));
            env.insert("KNORZELBART_BENUTZER_EINSTELLUNGEN", home.filePath("keine-benutzer.conf"));
            program.setProcessEnvironment(env);
            program.start(QStringLiteral(KNORZELBART_PROGRAM), {"--lernstand", home.filePath("lernstand")});
            QVERIFY(program.waitForStarted(30000));
            // Until the program catches the signal (its handler is in place).
            const QString status = QStringLiteral("/proc/%1/status").arg(program.processId());
            const auto catches = [&] {
                QFile file(status);
                if (!file.open(QIODevice::ReadOnly)) return false;
                for (const QByteArray& text : file.readAll().split('\n'))
                    if (text.startsWith("SigCgt:"))
                        return (text.mid(7).trimmed().toULongLong(nullptr, 16) >> (signal - 1) & 1) != 0;
                return false;
            };
            QTRY_VERIFY_WITH_TIMEOUT(catches(), 30000);
            ::kill(static_cast<pid_t>(program.processId()), signal);
            QVERIFY(program.waitForFinished(30000));
            QCOMPARE(program.exitStatus(), QProcess::NormalExit);
            QCOMPARE(program.exitCode(), 0);
        }
    }

    void aChildCanBeRenamedAndTheNamesAreListed() {
        QTemporaryDir record;
        writeResults(record.path(), "Mia", "a1", {result("Hund", Outcome::FirstTry)});
        writeResults(record.path(), "Mia", "b2", {result("Maus", Outcome::FirstTry)});
        writeResults(record.path(), "Ömer", "a1", {result("Igel", Outcome::FirstTry)});
        writeResults(record.path(), "Otto", "a1", {result("Igel", Outcome::FirstTry)});
        QCOMPARE(childNames(record.path()), QStringList({"Mia", "Ömer", "Otto"}));
        QString why;
        QVERIFY(!renameChild(record.path(), "Mia", "otto", &why));
        QVERIFY2(why.contains("schon"), qPrintable(why));
        QVERIFY(!renameChild(record.path(), "Mia", "  ", &why));
        QVERIFY(renameChild(record.path(), "Mia", "Mia Sophie", &why));
        QCOMPARE(childNames(record.path()), QStringList({"Mia Sophie", "Ömer", "Otto"}));
        QCOMPARE(readChild(record.path(), childKey("Mia Sophie")).size(), size_t(2));
        QVERIFY(readChild(record.path(), childKey("Mia")).empty());
        for (const QString& name : QDir(record.path()).entryList(QDir::Files))
            QVERIFY2(!name.contains("mia", Qt::CaseInsensitive), qPrintable(name));
    }
};

QTEST_MAIN(TestLernstand)
#include "test_lernstand.moc"
