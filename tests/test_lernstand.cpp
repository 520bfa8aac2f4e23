// SPDX-License-Identifier: GPL-3.0-or-later
// The learning record as a child plays: the boxes over school days, the words a child
// missed coming back, a folder that is gone or hangs, a record deleted during a game,
// nothing at all with the record off, and the settings and options that switch it on.
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "game/Options.h"
#include "game/WordList.h"
#include "game/modGlobalVars.h"
#include "lernstand/Choice.h"
#include "lernstand/Learning.h"
#include "lernstand/Mistakes.h"
#include "lernstand/Record.h"
#include "lernstand/Report.h"
#include "platform/files/RecordFiles.h"
#include "platform/system/RecordQueue.h"
#include "raeuber/frmRaeuber.h"
#include "shell/CommandLine.h"
#include "shell/Settings.h"
#include "shell/frmAuswahlmenue.h"
#include "shell/frmSplash.h"
#include "shell/start.h"
#include "support/GameFixture.h"
#include "support/Kept.h"
#include "support/Menu.h"
#include "lernstand_support.h"

using namespace testsupport;
using namespace lernstand;
using namespace lernstandtest;

namespace {

const QStringList kAnimals = {"Hund.png", "Katze.png", "Maus.png",  "Pferd.png", "Kuh.png",   "Schaf.png",
                              "Ziege.png", "Hase.png", "Igel.png",  "Fuchs.png", "Bär.png",   "Wolf.png",
                              "Ente.png",  "Gans.png", "Huhn.png",  "Hahn.png",  "Esel.png",  "Affe.png",
                              "Löwe.png",  "Tiger.png", "Zebra.png", "Robbe.png", "Biene.png", "Käfer.png"};

frmRaeuber& clickLevel(const QString& name) {
    frmAuswahlmenü& menu = frmAuswahlmenü::Default();
    menu.txtSpielername->setText(name);
    menu.cmdLevel1_Click();
    return frmRaeuber::Default();
}

// From the menu, a child's game with a missed word and then a right one.
frmRaeuber& missThenRight(const QString& name) {
    startToMenu();
    frmRaeuber& game = clickLevel(name);
    playWordWrong(game);
    playWordRight(game);
    return game;
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

}  // namespace

class TestLernstand : public QObject {
    Q_OBJECT

private Q_SLOTS:
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
        const EnvironmentKept data("XDG_DATA_HOME");
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
            QVERIFY(QFileInfo::exists(home.filePath("daten/knorzelbart/lernstand-wartend")));
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

    void aShareWhoseEveryCallHangsNeverStopsAChild() {
        const QString share = qEnvironmentVariable("KNORZELBART_HAENGT");
        if (!share.isEmpty()) {  // this program again, under the hanging folder
            {
                Run run(share + "/klasse");
                lernstand::setReadWait(200);
                startToMenu();
                frmRaeuber& game = clickLevel("Mia");
                for (int i = 0; i < 4; ++i) playWordRight(game);
                playWordWrong(game);
                playWordRight(game);
                QCOMPARE(modGlobalVars::correctCount, 5);
                game.cmdReset_Click();
                clickLevel("Mia");  // a new game while the share still hangs
                QVERIFY(QFileInfo::exists(qEnvironmentVariable("KNORZELBART_HAENGT_WARTET")));
                QFile free(qEnvironmentVariable("KNORZELBART_HAENGT_FREI"));
                QVERIFY(free.open(QIODevice::WriteOnly));
                free.close();
                QVERIFY(lernstand::settle(60000));
            }
            QCOMPARE(readChild(share + "/klasse", childKey("Mia")).size(), size_t(5));
            return;
        }
        QTemporaryDir dir;
        QVERIFY(QDir().mkpath(dir.filePath("freigabe")));
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("LD_PRELOAD", QStringLiteral(HANGING_FOLDER));
        env.insert("KNORZELBART_HAENGT", dir.filePath("freigabe"));
        env.insert("KNORZELBART_HAENGT_WARTET", dir.filePath("wartet"));
        env.insert("KNORZELBART_HAENGT_FREI", dir.filePath("frei"));
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {"aShareWhoseEveryCallHangsNeverStopsAChild"});
        QVERIFY(child.waitForFinished(120000));
        QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0,
                 qPrintable(QString::fromUtf8(child.readAllStandardOutput() + child.readAllStandardError())));
        QVERIFY(QFileInfo::exists(dir.filePath("wartet")));
    }

    void aPlantedFifoHoldsBackNoOtherChild() {
        QTemporaryDir record;
        const QString fifo = record.filePath(fileName(childKey("Mia"), "schulpc1", folderSecret(record.path())));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QTemporaryDir home;
        const EnvironmentKept data("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(home.path()));
        QStringList problems;
        stderrOf([&] {
            Run run(record.path());
            startToMenu();
            frmRaeuber* game = &clickLevel("Mia");
            playWordRight(*game);
            playWordRight(*game);
            game->cmdReset_Click();
            game = &clickLevel("Ben");
            playWordRight(*game);
            QVERIFY(lernstand::settle(30000));
            problems = lernstand::keepingProblems();
        });
        qunsetenv("XDG_DATA_HOME");
        QCOMPARE(problems.size(), 1);
        QVERIFY2(problems[0].contains("keine gewöhnliche Datei"), qPrintable(problems[0]));
        QCOMPARE(readChild(record.path(), childKey("Ben")).size(), size_t(1));
        QVERIFY(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile());
    }

    // A word one child left failed comes back in the next game (a reset keeps it); when the
    // next game is another child's, it is that child's word, and its miss is kept for it.
    void aWordCarriedToTheNextChildIsThatChildsWord() {
        QTemporaryDir record;
        {
            Run run(record.path());
            startToMenu();
            frmRaeuber* game = &clickLevel("Ayla");
            const QString word = modGlobalVars::currentWord;
            typeInto(game->LetterInput[0], QStringLiteral("x"));  // a wrong first letter, then "Ende"
            finishReaction(*game);
            game->cmdReset_Click();
            game = &clickLevel("Ben");
            QVERIFY(!word.isEmpty());
            typeInto(game->LetterInput[0], QStringLiteral("x"));
            finishReaction(*game);
            QVERIFY(lernstand::settle(30000));
        }
        const std::vector<Result> ben = readChild(record.path(), childKey("Ben"));
        QCOMPARE(ben.size(), size_t(1));
        QCOMPARE(ben[0].outcome, Outcome::Unfinished);
        QCOMPARE(readChild(record.path(), childKey("Ayla")).size(), size_t(1));
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

    void aChildPlaysOverSchoolDays() {
        QTemporaryDir record;
        QString missed;
        // One program start on a day, at level 2: the words of the day, the missed one
        // written right (at the first try) whenever it comes.
        const auto playDay = [&](const QString& day, bool miss) {
            Run run(record.path());
            platform::setRecordToday(day);
            startToMenu();
            frmAuswahlmenü& menu = frmAuswahlmenü::Default();
            menu.txtSpielername->setText("Mia");
            menu.cmdLevel2_Click();
            frmRaeuber& game = frmRaeuber::Default();
            QStringList firstThree;
            for (int word = 0; word < 6; ++word) {
                if (word < 3) firstThree << modGlobalVars::currentWord;
                if (miss && word == 0) {
                    missed = modGlobalVars::currentWord;
                    playWordWrong(game);
                }
                playWordRight(game);
            }
            return firstThree;
        };
        playDay("2026-03-02", true);  // Monday: missed
        QVERIFY(!missed.isEmpty());
        QVERIFY(playDay("2026-03-03", false).contains(missed));  // Tuesday: due, comes early
        {
            Run run(record.path());
            platform::setRecordToday("2026-03-04");
            lernstand::beginChild("Mia");
            QCOMPARE(lernstand::progress().state(missed).box, 2);
            QVERIFY(!lernstand::progress().state(missed).hard);  // due on Friday
            platform::setRecordToday("2026-03-06");
            lernstand::resetRun();
            lernstand::beginChild("Mia");
            QVERIFY(lernstand::progress().state(missed).hard);
        }
        // Each result knows the picture folder it was played from.
        for (const Result& r : readChild(record.path(), childKey("Mia")))
            QVERIFY2(r.folder.startsWith('/') && r.folder.endsWith("/db"), qPrintable(r.folder));
        platform::setRecordToday("2026-03-02");
    }

    void renamingDuringAGameLosesNothing() {
        QTemporaryDir record;
        Run run(record.path());
        frmRaeuber& game = missThenRight("Mia");
        QVERIFY(lernstand::settle(30000));
        QString why;
        QVERIFY2(renameChild(record.path(), "Mia", "Lea", &why), qPrintable(why));
        playWordRight(game);  // still the child of this game: a new record of Mia begins
        QVERIFY(lernstand::settle(30000));
        QCOMPARE(readChild(record.path(), childKey("Lea")).size(), size_t(1));
        QCOMPARE(readChild(record.path(), childKey("Mia")).size(), size_t(1));
    }

    void withTheRecordOffNothingIsWritten() {
        QTemporaryDir record;
        ProgramFolder folder;
        folder.addPictures(kAnimals);
        lernstand::resetRun();
        options::current() = options::Options();
        options::current().learningFolder = record.path();
        frmRaeuber& game = missThenRight("Mia");
        playWordRight(game);
        // Whatever is called, directly too.
        lernstand::beginChild("Ben");
        wordlist::append({"Hund.png"});
        QCOMPARE(lernstand::chooseIndex(2, 0.6f), 2);
        lernstand::wordShown("Hund", 2);
        lernstand::wordMissed(0, "h");
        lernstand::wordRight();
        lernstand::wordShown("Maus", 2);
        lernstand::wordRight();
        lernstand::wordLeft();
        QVERIFY(!lernstand::wordPending());
        QVERIFY(lernstand::currentChild().isEmpty());
        QVERIFY(lernstand::keepingProblems().isEmpty());
        QVERIFY(lernstand::settle(30000));
        QVERIFY(QDir(record.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
        QVERIFY(lernstand::progress().empty());
        options::current() = options::Options();
    }

    // Switched off while a child plays (the teacher's settings, read again): from then on
    // nothing more is written for that child, whatever is called.
    void switchedOffDuringAGameNothingMoreIsWritten() {
        QTemporaryDir record;
        const auto files = [&] {
            QStringList contents;
            QDirIterator it(record.path(), QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                QFile file(it.next());
                file.open(QIODevice::ReadOnly);
                contents << it.filePath() + QLatin1Char('=') + QString::fromUtf8(file.readAll());
            }
            contents.sort();
            return contents;
        };
        Run run(record.path());
        frmRaeuber& game = missThenRight("Mia");
        QVERIFY(lernstand::settle(30000));
        const QStringList before = files();
        QVERIFY(!before.isEmpty());
        options::current().learning = false;
        playWordWrong(game);
        playWordRight(game);
        lernstand::wordShown("Hund", 2);
        lernstand::wordMissed(0, "h");
        lernstand::wordRight();
        lernstand::wordLeft();
        lernstand::beginChild("Ben");
        QVERIFY(lernstand::settle(30000));
        QCOMPARE(files(), before);
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
        c = parse({"--bericht", "mia.html", "--kind", "Mia"});
        QCOMPARE(c.action, commandline::Command::Action::Report);
        QCOMPARE(c.reportChild, QStringLiteral("Mia"));
        QCOMPARE(parse({"--kind", "Mia"}).action, commandline::Command::Action::Error);
        QCOMPARE(parse({"--bericht", "k.html", "--kind"}).action, commandline::Command::Action::Error);
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
        QStringList problems = settings::apply({dir.filePath("system.conf"), dir.filePath("user.conf"), {}}, o);
        QVERIFY(!o.learning);
        QCOMPARE(o.learningFolder, QStringLiteral("/srv/schule/lernstand"));
        QCOMPARE(problems.size(), 1);
        QVERIFY2(problems[0].contains("gesperrt"), qPrintable(problems[0]));
        write("user.conf", "lernstand = vielleicht\nlernstandordner = relativ\n");
        o = options::Options();
        problems = settings::apply({dir.filePath("keine.conf"), dir.filePath("user.conf"), {}}, o);
        QCOMPARE(problems.size(), 2);
        QVERIFY(!o.learning);
        QVERIFY(o.learningFolder.isEmpty());
    }
};

QTEST_MAIN(TestLernstand)
#include "test_lernstand.moc"