// SPDX-License-Identifier: GPL-3.0-or-later
// The learning record: whole lines that survive two computers writing at once, the words a
// child missed coming back as the child plays, the kinds of mistake, the teacher's report
// and the deleting, the settings and options that switch it on.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

#include "game/Options.h"
#include "game/modGlobalVars.h"
#include "lernstand/Choice.h"
#include "lernstand/Learning.h"
#include "lernstand/Mistakes.h"
#include "lernstand/Record.h"
#include "lernstand/Report.h"
#include "platform/RecordFiles.h"
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
    }
    ~Run() {
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
    for (const Result& r : results)
        QVERIFY(platform::appendRecordLine(folder + "/" + fileName(childKey(child), computer), line(r)).isEmpty());
}

}  // namespace

class TestLernstand : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theRecordKeepsWholeLinesAndSkipsTornOnes() {
        const Result wrong = result("Eis am Stiel", Outcome::AfterReveal, 4, "\t%\n");
        const QByteArray text = line(wrong);
        QCOMPARE(text.count('\n'), 1);
        QVERIFY(text.endsWith('\n'));
        int skipped = -1;
        std::vector<Result> back = parse(text, &skipped);
        QCOMPARE(skipped, 0);
        QCOMPARE(back.size(), size_t(1));
        QCOMPARE(back[0].word, QStringLiteral("Eis am Stiel"));
        QCOMPARE(back[0].letter, QStringLiteral("\t%\n"));
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

        // A child is the name trimmed and without case; its files name no computer's host.
        QCOMPARE(childKey("  Mia "), childKey("mIA"));
        for (const QString& name : {QStringLiteral("ömer ali"), QStringLiteral("mia"), QStringLiteral("a_b~c/d")}) {
            const QString file = fileName(name, "0123abcd");
            QVERIFY2(!file.contains('/') && !file.contains(' '), qPrintable(file));
            QCOMPARE(childOfFile(file), name);
        }
        QCOMPARE(childOfFile("notizen.txt"), QString());
        QCOMPARE(shownName("ömer ali"), QStringLiteral("Ömer Ali"));
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

    void mistakesAreToldByTheLetterWritten() {
        QCOMPARE(classify("Hund", 0, "h"), Mistake::Capital);
        QCOMPARE(classify("Bär", 1, "a"), Mistake::Umlaut);
        QCOMPARE(classify("Sonne", 3, "e"), Mistake::Double);
        QCOMPARE(classify("Hund", 3, "n"), Mistake::Double);
        QCOMPARE(classify("Biene", 1, "e"), Mistake::IeEi);
        QCOMPARE(classify("Eis", 0, "I"), Mistake::IeEi);
        QCOMPARE(classify("Zucker", 2, "k"), Mistake::CkTz);
        QCOMPARE(classify("Katze", 2, "z"), Mistake::CkTz);
        QCOMPARE(classify("Hund", 3, "t"), Mistake::HardEnd);
        QCOMPARE(classify("Korb", 3, "p"), Mistake::HardEnd);
        QCOMPARE(classify("Berg", 3, "k"), Mistake::HardEnd);
        QCOMPARE(classify("Fuß", 2, "s"), Mistake::SharpS);
        QCOMPARE(classify("Apfel", 1, "f"), Mistake::LeftOut);
        QCOMPARE(classify("Maus", 1, "x"), Mistake::Other);
        QCOMPARE(classify("Maus", 9, "x"), Mistake::Other);
        for (int k = 0; k < kMistakeKinds; ++k) QVERIFY(!mistakeName(Mistake(k)).isEmpty());
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

        // Two first-try rights since the miss: no longer hard.
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
        QVERIFY(lernstand::progress().words().isEmpty());
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

    void anUnusableFolderNeverStopsAChild() {
        QTemporaryDir home;
        QFile blocker(home.filePath("kein-ordner"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QString err = stderrOf([&] {
            Run run(home.filePath("kein-ordner/lernstand"));
            startToMenu();
            frmRaeuber& game = clickLevel("Mia");
            for (int i = 0; i < 5; ++i) playWordRight(game);
            playWordWrong(game);
            playWordRight(game);
            QCOMPARE(modGlobalVars::correctCount, 6);
        });
        QCOMPARE(err.count('\n'), 1);
        QVERIFY2(err.contains("Lernstand wird nicht gespeichert"), qPrintable(err));
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
        QVERIFY(QDir(record.path()).entryList(QDir::Files).isEmpty());
        QVERIFY(lernstand::progress().words().isEmpty());
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
        writeResults(record.path(), "mia", "b2", {result("Igel", Outcome::FirstTry, -1, {}, "2026-03-04")});
        writeResults(record.path(), "Ömer", "a1", {result("Hund", Outcome::AfterReveal, 0, "h"),
                                                   result("Hund", Outcome::FirstTry), result("Hund", Outcome::FirstTry)});
        const std::vector<Child> children = readAll(record.path());
        QCOMPARE(children.size(), size_t(2));
        QCOMPARE(children[0].results.size(), size_t(5));

        ProgramFolder folder;
        folder.addPictures({"Hund.png", "Bär.png"});
        ReportInput input{children, record.path(), folder.db(), "2026-03-04"};
        const QString html = QString::fromUtf8(report(input));
        QVERIFY(html.contains("<h2>Mia</h2>"));
        QVERIFY(html.contains("<h2>Ömer</h2>"));
        QVERIFY(html.contains("Geübt an <b>3</b> Tagen"));
        QVERIFY(html.contains("<b>5</b> Wörter geschrieben"));
        QVERIFY(html.contains("<b>60 %</b> beim ersten Versuch richtig"));
        QVERIFY(html.contains("b/p, d/t, g/k am Wortende: 1-mal"));
        QVERIFY(html.contains("Umlaut (ä, ö, ü): 1-mal"));
        QVERIFY(html.contains("Groß- und Kleinschreibung"));
        QCOMPARE(html.count("data:image/png;base64,"), 2);  // Hund and Bär for Mia; Ömer has learnt Hund
        QVERIFY(html.contains("<tr><td>Hund</td><td>2-mal</td></tr>"));
        QVERIFY(!html.contains("http"));

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
};

QTEST_MAIN(TestLernstand)
#include "test_lernstand.moc"
