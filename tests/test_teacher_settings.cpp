// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's settings files and the command line: where the vocabulary folder is found,
// and what happens to junk, unknown keys, wrong values and files that cannot be read.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <tuple>

#include "game/Options.h"
#include "game/Pronunciation.h"
#include "game/modGlobalVars.h"
#include "mock/TestMode.h"
#include "platform/system/App.h"
#include "platform/files/Files.h"
#include "platform/system/Program.h"
#include "game/AssetPaths.h"
#include "platform/system/PinHash.h"
#include "raeuber/frmRaeuber.h"
#include "shell/CommandLine.h"
#include "shell/Launch.h"
#include "shell/Settings.h"
#include "support/GameFixture.h"
#include "support/ProgramRun.h"

using namespace testsupport;

namespace {

void write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Runs the program's start with these arguments and settings files; returns the folder the
// game would read and the exit status (-1: the game would have been played).
struct Started {
    int status = 0;
    bool played = false;
    QString dbFolder;
};
Started start(QStringList arguments, const QString& systemFile, const QString& userFile) {
    qputenv("KNORZELBART_EINSTELLUNGEN", systemFile.toUtf8());
    qputenv("KNORZELBART_BENUTZER_EINSTELLUNGEN", userFile.toUtf8());
    arguments.prepend(QStringLiteral("knorzelbart"));
    QList<QByteArray> bytes;
    for (const QString& a : arguments) bytes << a.toLocal8Bit();
    std::vector<char*> argv;
    for (QByteArray& b : bytes) argv.push_back(b.data());
    argv.push_back(nullptr);
    Started started;
    started.status = shell::launch(int(bytes.size()), argv.data(), [&](int, char**) {
        started.played = true;
        started.dbFolder = assetpaths::dbFolder();
        return 0;
    });
    return started;
}

QStringList problemsOf(const QByteArray& systemText, const QByteArray& userText, options::Options& o,
                       const QTemporaryDir& dir) {
    const settings::Files files{dir.filePath("etc/einstellungen.conf"), dir.filePath("home/einstellungen.conf"), {}};
    if (!systemText.isNull()) write(files.system, systemText);
    if (!userText.isNull()) write(files.user, userText);
    return settings::apply(files, o);
}

}  // namespace

class TestTeacherSettings : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { options::current() = options::Options(); }
    void cleanup() {
        options::current() = options::Options();
        qunsetenv("KNORZELBART_EINSTELLUNGEN");
        qunsetenv("KNORZELBART_BENUTZER_EINSTELLUNGEN");
    }

    // --db wins over the setting, the user's setting over the system's, and without either
    // the folder beside the program is read, as always.
    void theVocabularyFolderIsFoundInItsOrder() {
        ProgramFolder folder;
        QTemporaryDir dir;
        const QString system = dir.filePath("etc.conf"), user = dir.filePath("user.conf");
        QCOMPARE(start({}, system, user).dbFolder, platform::App().Path + "\\db");
        options::current() = {};
        write(system, "db = /srv/schule/woerter\n");
        QCOMPARE(start({}, system, user).dbFolder, QStringLiteral("/srv/schule/woerter"));
        options::current() = {};
        write(user, "db = ~/Klasse1a\n");
        QCOMPARE(start({}, system, user).dbFolder, QDir::homePath() + "/Klasse1a");
        options::current() = {};
        QCOMPARE(start({"--db", "/media/stick/tiere"}, system, user).dbFolder, QStringLiteral("/media/stick/tiere"));
        options::current() = {};
        QCOMPARE(start({"--db=/media/stick/obst"}, system, user).dbFolder, QStringLiteral("/media/stick/obst"));
        options::current() = {};
        // A relative --db is taken from the folder the program was started in.
        QCOMPARE(start({"--db", "woerter"}, system, user).dbFolder, QDir::current().absoluteFilePath("woerter"));
        options::current() = {};
        // The system file locks the folder: neither the user's file nor --db changes it.
        write(system, "db = /srv/schule/woerter\ngesperrt = db\n");
        QCOMPARE(start({}, system, user).dbFolder, QStringLiteral("/srv/schule/woerter"));
        options::current() = {};
        QCOMPARE(start({"--db", "/tmp/test"}, system, user).dbFolder, QStringLiteral("/srv/schule/woerter"));
    }

    // On Linux a backslash is part of a name: "Klasse\1a" is one folder, not Klasse/1a.
    void aBackslashInAFolderNameIsKept() {
        QTemporaryDir teacher;
        const auto picture = [&](const QString& folder, const QString& name) {
            QVERIFY(QDir().mkpath(teacher.filePath(folder)));
            QImage image(8, 8, QImage::Format_RGB32);
            image.fill(Qt::blue);
            QVERIFY(image.save(teacher.filePath(folder + "/" + name)));
        };
        picture(QStringLiteral("Klasse\\1a"), QStringLiteral("Zebra.png"));
        picture(QStringLiteral("Klasse/1a"), QStringLiteral("Igel.png"));
        ProgramFolder folder;
        options::current().dbFolder = teacher.filePath(QStringLiteral("Klasse\\1a"));
        openGame();
        QCOMPARE(modGlobalVars::currentWord, QStringLiteral("Zebra"));
        QCOMPARE(platform::resolvePath(assetpaths::dbPicture(QStringLiteral("Zebra.png"))),
                 teacher.filePath(QStringLiteral("Klasse\\1a/Zebra.png")));
    }

    // The game reads the chosen folder, and its message names the folder it looked for.
    void theGameReadsTheChosenFolderAndNamesAMissingOne() {
        QTemporaryDir teacher;
        {
            ProgramFolder folder;
            QDir().mkpath(teacher.filePath("Tiere"));
            QImage image(8, 8, QImage::Format_RGB32);
            image.fill(Qt::red);
            QVERIFY(image.save(teacher.filePath("Tiere/Zebra.png")));
            folder.addPictures({"Ei.png"});
            options::current().dbFolder = teacher.filePath("Tiere");
            openGame();
            QCOMPARE(modGlobalVars::currentWord, QStringLiteral("Zebra"));
        }
        ProgramFolder folder;
        options::current().dbFolder = teacher.filePath("Fehlt/");
        QVERIFY_THROWS_EXCEPTION(platform::ProgramEnded, openGame());
        QCOMPARE(messageTexts().value(0), "Datenbankfehler: Das Datenbankverzeichnis <Fehlt> im Ordner " +
                                              teacher.path() +
                                              " ist nicht vorhanden.\r\rFür genauere Informationen konsultieren "
                                              "Sie das Handbuch.");
    }

    void goodValuesAreTaken() {
        QTemporaryDir dir;
        options::Options o;
        const QStringList problems = problemsOf(
            "\xEF\xBB\xBF# Einstellungen\n; auch ein Kommentar\n\n  VOLLBILD = Ja \nsprache=diktat\r\n"
            "buchstabentasten = \"an\"\n",
            "sprache = automatisch\n", o, dir);
        QCOMPARE(problems, QStringList());
        QCOMPARE(o.fullScreen, true);
        QCOMPARE(o.speech, options::Speech::Automatic);
        QCOMPARE(o.letterKeys, options::LetterKeys::On);
    }

    // Each bad line: one German line naming file, line and value; the option keeps its value.
    void junkUnknownKeysAndWrongValuesAreReportedAndIgnored() {
        QTemporaryDir dir;
        options::Options o;
        const QStringList problems = problemsOf(
            "sprache = knopf\nDas hier ist Unsinn\nfarbe = blau\nvollbild = vielleicht\nsprache = laut\n"
            "buchstabentasten = 3\ndb = relativ/pfad\ndb =\n= ja\ngesperrt = farbe\n",
            "gesperrt = sprache\n\x01\x02\xff\xfe binär\n", o, dir);
        const QString system = dir.filePath("etc/einstellungen.conf");
        const QString user = dir.filePath("home/einstellungen.conf");
        QCOMPARE(problems.size(), 12);
        QCOMPARE(problems[0], "knorzelbart: " + system + ", Zeile 2: „Das hier ist Unsinn“ ist keine Einstellung (erwartet: "
                                       "schlüssel = wert); die Zeile wird nicht beachtet.");
        QVERIFY(problems[1].startsWith("knorzelbart: " + system + ", Zeile 3: unbekannte Einstellung „farbe“"));
        QCOMPARE(problems[2], "knorzelbart: " + system + ", Zeile 4: „vielleicht“ ist kein gültiger Wert für vollbild "
                                       "(erlaubt sind ja und nein); es gilt „nein“.");
        QCOMPARE(problems[3], "knorzelbart: " + system + ", Zeile 5: „laut“ ist kein gültiger Wert für sprache (erlaubt sind "
                                       "aus, knopf, automatisch und diktat); es gilt „knopf“.");
        QVERIFY(problems[4].contains("Zeile 6: „3“ ist kein gültiger Wert für buchstabentasten"));
        QVERIFY(problems[5].contains("Zeile 7: „relativ/pfad“ ist kein gültiger Wert für db"));
        QVERIFY(problems[6].contains("Zeile 8: „“ ist kein gültiger Wert für db (ein leerer Ordnername)"));
        QVERIFY(problems[7].contains("Zeile 9: unbekannte Einstellung „“"));
        QVERIFY(problems[8].contains("Zeile 10: „farbe“ ist keine Einstellung, die gesperrt werden kann"));
        QVERIFY(problems[9].startsWith("knorzelbart: " + user + ": Die Datei ist nicht in UTF-8 geschrieben"));
        QVERIFY(problems[10].startsWith("knorzelbart: " + user + ", Zeile 1: „gesperrt“ gilt nur"));
        QVERIFY(problems[11].startsWith("knorzelbart: " + user + ", Zeile 2: „\uFFFD\uFFFD\uFFFD\uFFFD binär“ ist keine Einstellung"));
        for (const QString& p : problems) QVERIFY2(p.startsWith("knorzelbart: "), qPrintable(p));
        QCOMPARE(o.fullScreen, false);
        QCOMPARE(o.speech, options::Speech::Button);
        QCOMPARE(o.letterKeys, options::LetterKeys::Automatic);
        QCOMPARE(o.dbFolder, QString());
    }

    // The school's file (/etc) holds its locks against everything: another system file named
    // by the environment, the user's file and the command line. A lock without a value holds
    // the default.
    void theSchoolsLocksHoldAgainstTheEnvironmentAndTheCommandLine() {
        QTemporaryDir dir;
        settings::Files files{dir.filePath("anders.conf"), dir.filePath("user.conf"), dir.filePath("etc.conf")};
        write(files.school, "sprache = aus\nlernstandordner = /srv/klasse\ngesperrt = sprache lernstandordner lernstand\n");
        write(files.system, "sprache = diktat\nlernstand = an\nvollbild = ja\n");
        write(files.user, "lernstandordner = ~/privat\n");
        options::Options o;
        settings::apply(files, o);
        o.learningFolder = QStringLiteral("/home/kind/privat");  // as --lernstand ~/privat would
        const QStringList held = settings::holdLocks(files, o);
        QCOMPARE(o.speech, options::Speech::Off);
        QCOMPARE(o.learning, false);
        QCOMPARE(o.learningFolder, QStringLiteral("/srv/klasse"));
        QCOMPARE(o.fullScreen, true);  // not locked: the other file's value holds
        QCOMPARE(held.size(), 3);
        QVERIFY(held[0].contains("„sprache“ ist von der Schule festgelegt"));
        QCOMPARE(settings::lockedKeys(files), (QStringList{"sprache", "lernstand", "lernstandordner"}));
        // Nothing changed: nothing to say.
        QVERIFY(settings::holdLocks(files, o).isEmpty());
    }

    // A folder value with a NUL byte is no folder: refused with the line named, the default holds.
    void aNulByteInAFolderIsRefused() {
        QTemporaryDir dir;
        options::Options o;
        QByteArray text("db = /srv/schule");
        text.append('\0');
        text.append("/woerter\n");
        const QStringList problems = problemsOf(text, QByteArray(), o, dir);
        QCOMPARE(problems.size(), 1);
        QVERIFY(problems[0].contains("Zeile 1"));
        QVERIFY(problems[0].contains("Nullzeichen"));
        QVERIFY(!problems[0].contains(QChar(0)));
        QCOMPARE(o.dbFolder, QString());
    }

    void aLockedKeyIsNotChangedByTheUser() {
        QTemporaryDir dir;
        options::Options o;
        const QStringList problems = problemsOf("sprache = aus\nvollbild = ja\ngesperrt = sprache, VOLLBILD\n",
                                                "sprache = diktat\nvollbild = nein\nbuchstabentasten = aus\n", o, dir);
        QCOMPARE(problems.size(), 2);
        QVERIFY(problems[0].contains("Zeile 1: „sprache“ ist für alle Benutzer festgelegt"));
        QCOMPARE(o.speech, options::Speech::Off);
        QCOMPARE(o.fullScreen, true);
        QCOMPARE(o.letterKeys, options::LetterKeys::Off);
    }

    // Files that cannot be read never stop the game: one line each, the defaults hold.
    void filesThatCannotBeReadGiveOneLineEach_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("why");
        QTest::newRow("path through a file") << "through" << "ein Teil des Pfades ist kein Ordner";
        QTest::newRow("a folder") << "folder" << "das ist keine gewöhnliche Datei";
        QTest::newRow("a device") << "device" << "das ist keine gewöhnliche Datei";
        QTest::newRow("a pipe") << "pipe" << "das ist keine gewöhnliche Datei";
        QTest::newRow("a link loop") << "loop" << "Verknüpfungen im Kreis";
        QTest::newRow("a megabyte") << "large" << "sie ist zu groß für eine Einstellungsdatei";
    }
    void filesThatCannotBeReadGiveOneLineEach() {
        QFETCH(QString, kind);
        QFETCH(QString, why);
        QTemporaryDir dir;
        QString path = dir.filePath("einstellungen.conf");
        if (kind == "through") {
            write(dir.filePath("datei"), "sprache = aus\n");
            path = dir.filePath("datei/einstellungen.conf");
        }
        if (kind == "folder") QDir().mkpath(path);
        if (kind == "device") path = QStringLiteral("/dev/zero");
        if (kind == "pipe") QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
        if (kind == "loop") QVERIFY(QFile::link(path, path));
        if (kind == "large") write(path, QByteArray(1024 * 1024, 'x'));
        options::Options o;
        const QStringList problems = settings::apply({path, dir.filePath("fehlt.conf"), {}}, o);
        QCOMPARE(problems, QStringList{QStringLiteral("knorzelbart: Die Einstellungsdatei %1 kann nicht gelesen "
                                                      "werden (%2); ihre Einstellungen gelten nicht.")
                                           .arg(path, why)});
        QCOMPARE(o.speech, options::Speech::Button);
    }

    void aFileOfJunkIsSummedUpAfterTenLines() {
        QTemporaryDir dir;
        QByteArray junk;
        for (int i = 0; i < 500; ++i) junk += "kaputt\n";
        options::Options o;
        const QStringList problems = problemsOf(junk, QByteArray(), o, dir);
        QCOMPARE(problems.size(), 11);
        QVERIFY(problems.last().endsWith("490 weitere fehlerhafte Zeilen nicht einzeln genannt."));
    }

    void theCommandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("error");
        using A = commandline::Command::Action;
        QTest::newRow("nothing") << QStringList{} << int(A::Play) << "";
        QTest::newRow("toolkit options") << QStringList{"-platform", "offscreen"} << int(A::Play) << "";
        QTest::newRow("help") << QStringList{"--hilfe"} << int(A::Help) << "";
        QTest::newRow("help in English") << QStringList{"--db", "x", "--help"} << int(A::Help) << "";
        QTest::newRow("version") << QStringList{"--version"} << int(A::Version) << "";
        QTest::newRow("check") << QStringList{"--pruefen"} << int(A::Check) << "";
        QTest::newRow("check a folder") << QStringList{"--check", "/x", "--bogen", "b.html"} << int(A::Check) << "";
        QTest::newRow("sheet alone") << QStringList{"--bogen", "b.html"} << int(A::Check) << "";
        QTest::newRow("unknown") << QStringList{"--farbe"} << int(A::Error) << "Unbekannte Option „--farbe“.";
        QTest::newRow("-h") << QStringList{"-h"} << int(A::Help) << "";
        QTest::newRow("-v") << QStringList{"-v"} << int(A::Version) << "";
        QTest::newRow("-x") << QStringList{"-x"} << int(A::Error) << "Unbekannte Option „-x“.";
        QTest::newRow("-help") << QStringList{"-help"} << int(A::Error) << "Unbekannte Option „-help“.";
        QTest::newRow("toolkit flags") << QStringList{"-reverse", "-style=fusion", "-display", ":3"} << int(A::Play) << "";
        QTest::newRow("stray word") << QStringList{"Hund"} << int(A::Error) << "Unerwartetes Argument „Hund“.";
        QTest::newRow("db without folder") << QStringList{"--db"} << int(A::Error)
                                           << "--db braucht einen Ordner: --db ORDNER";
        QTest::newRow("bad speech") << QStringList{"--sprache", "laut"} << int(A::Error)
                                    << "--sprache braucht einen dieser Werte: aus, knopf, automatisch, diktat.";
        QTest::newRow("bad keys") << QStringList{"--letter-keys=nie"} << int(A::Error)
                                  << "--letter-keys braucht einen dieser Werte: aus, an, automatisch.";
        QTest::newRow("bad full screen") << QStringList{"--vollbild=bunt"} << int(A::Error)
                                         << "„bunt“ ist kein gültiger Wert für --vollbild (erlaubt: ja, nein).";
    }
    void theCommandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(int, action);
        QFETCH(QString, error);
        const commandline::Command command = commandline::parse(arguments);
        QCOMPARE(int(command.action), action);
        QCOMPARE(command.error, error);
    }

    // The keys the command line set are named: the teacher's room leaves them for this start.
    void theCommandLineNamesWhatItSetsForThisStart() {
        ProgramFolder folder;
        QTemporaryDir dir;
        const QString system = dir.filePath("etc.conf"), user = dir.filePath("user.conf");
        QVERIFY(start({"--silben", "--db", "/media/stick/tiere"}, system, user).played);
        QCOMPARE(options::current().setForThisStart, (QStringList{"db", "sammlung", "silben"}));
        options::current() = {};
        write(user, "silben = an\n");
        QVERIFY(start({}, system, user).played);
        QVERIFY(options::current().setForThisStart.isEmpty());
    }

    // The PIN is kept hashed, with a salt of its own each time it is written; a PIN written in
    // plain by hand still holds; a damaged value matches nothing.
    void thePinIsKeptHashed() {
        const QString a = platform::hashedPin(QStringLiteral("4711"));
        const QString b = platform::hashedPin(QStringLiteral("4711"));
        QVERIFY(a != b);
        QVERIFY2(a.startsWith(QStringLiteral("pbkdf2-sha256$60000$")), qPrintable(a));
        QVERIFY(!a.contains(QStringLiteral("4711")) || !b.contains(QStringLiteral("4711")));
        QVERIFY(platform::pinMatches(QStringLiteral("4711"), a) && platform::pinMatches(QStringLiteral("4711"), b));
        for (const char* wrong : {"4712", "", "471", "47111", " 4711"})
            QVERIFY2(!platform::pinMatches(QString::fromLatin1(wrong), a), wrong);
        // The known values of PBKDF2 with HMAC-SHA-256 ("password", salt "salt").
        QVERIFY(platform::pinMatches(QStringLiteral("password"),
                                     QStringLiteral("pbkdf2-sha256$1$c2FsdA==$Eg+2z/z4syxD5yJSVsT4N6hlSMkszDVICAWYfLcL4Xs=")));
        QVERIFY(platform::pinMatches(QStringLiteral("password"),
                                     QStringLiteral("pbkdf2-sha256$4096$c2FsdA==$xeR41ZKIyEGqUw22hFxMjZYok6ABzk4RpJY4c6qYE0o=")));
        QVERIFY(!platform::pinMatches(QStringLiteral("password"),
                                      QStringLiteral("pbkdf2-sha256$4095$c2FsdA==$xeR41ZKIyEGqUw22hFxMjZYok6ABzk4RpJY4c6qYE0o=")));
        // Written in plain by an administrator.
        QVERIFY(platform::pinMatches(QStringLiteral("4711"), QStringLiteral("4711")));
        QVERIFY(!platform::pinMatches(QStringLiteral("471"), QStringLiteral("4711")));
        QVERIFY(!platform::isHashedPin(QStringLiteral("4711")));
        // Damaged: cut short, no number of rounds, far too many rounds, not base64.
        QVERIFY(!platform::pinMatches(QStringLiteral("4711"), a.left(a.size() - 4)));
        QVERIFY(!platform::pinMatches(QStringLiteral("4711"), QStringLiteral("pbkdf2-sha256$")));
        QVERIFY(!platform::pinMatches(QStringLiteral("4711"), QStringLiteral("pbkdf2-sha256$viele$c2FsdA==$Eg==")));
        QVERIFY(!platform::pinMatches(QStringLiteral("password"),
                                      QStringLiteral("pbkdf2-sha256$2000000000$c2FsdA==$Eg+2z/z4syxD5yJSVsT4N6hlSMkszDVICAWYfLcL4Xs=")));
        QVERIFY(!platform::pinMatches(QStringLiteral("password"), QStringLiteral("pbkdf2-sha256$1$c2F*dA==$Eg+2z/z4syxD5yJSVsT4N6hlSMkszDVICAWYfLcL4Xs=")));
        // The settings file reads the hashed value back as it was written.
        QTemporaryDir dir;
        options::Options o;
        QVERIFY(problemsOf("lehrerpin = " + a.toUtf8() + "\n", QByteArray(), o, dir).isEmpty());
        QCOMPARE(o.teacherPin, a);
    }

    // An administrator makes the hashed value for the school's file without showing the PIN:
    // the program asks for it (without echo on a terminal) and prints the line for the file.
    void theProgramHashesAPinForTheSchoolsFile() {
        const auto run = [](const QByteArray& input) {
            QProcess program;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(name);
            program.setProcessEnvironment(env);
            program.start(QStringLiteral(KNORZELBART_PROGRAM), {QStringLiteral("--lehrerpin-verschluesseln")});
            program.write(input);
            program.closeWriteChannel();
            program.waitForFinished(30000);
            return std::tuple{program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1,
                              QString::fromUtf8(program.readAllStandardOutput()),
                              QString::fromUtf8(program.readAllStandardError())};
        };
        auto [status, out, err] = run("2468\n");
        QCOMPARE(status, 0);
        QVERIFY2(out.startsWith(QStringLiteral("lehrerpin = pbkdf2-sha256$")), qPrintable(out));
        QVERIFY(!out.contains(QStringLiteral("2468")));
        QVERIFY(platform::pinMatches(QStringLiteral("2468"), out.mid(12).trimmed()));
        std::tie(status, out, err) = run("");
        QCOMPARE(status, 2);
        QCOMPARE(out, QString());
        QVERIFY(err.contains(QStringLiteral("Keine PIN gelesen")));
        QCOMPARE(int(commandline::parse({"--lehrerpin-verschluesseln", "--pruefen"}).action),
                 int(commandline::Command::Action::Error));
    }

    // Without any display: -h and -v answer, an unknown single-dash option gets the usage line
    // and exit 2 before the toolkit would need a screen.
    void singleDashOptionsNeedNoDisplay() {
        const auto run = [](const QStringList& arguments) {
            const ProgramRun done = runProgram(arguments, environmentWithoutDisplay(), 30000);
            return std::tuple{done.status, done.out, done.err};
        };
        auto [status, out, err] = run({"-x"});
        QCOMPARE(status, 2);
        QCOMPARE(out, QString());
        QCOMPARE(err, "knorzelbart: Unbekannte Option „-x“.\nAufruf: knorzelbart [OPTIONEN]   (alle Optionen: "
                      "knorzelbart --hilfe)\n");
        std::tie(status, out, err) = run({"-h"});
        QCOMPARE(status, 0);
        QVERIFY(out.startsWith("Aufruf: knorzelbart [OPTIONEN]\n"));
        QVERIFY(out.contains("-h "));
        std::tie(status, out, err) = run({"-v"});
        QCOMPARE(status, 0);
        QVERIFY(out.startsWith("knorzelbart "));
    }

    // One rule for comments in the settings and in aussprache.txt: a line starting with #, and
    // a # after a blank; a # inside a value stays. The examples the files print work as printed.
    void oneRuleForCommentsInBothTeacherFiles() {
        QTemporaryDir dir;
        options::Options o;
        QStringList problems = problemsOf("vollbild = ja   # im Klassenraum am Whiteboard\n"
                                          "db = /srv/klasse#1\t# die 1a\n"
                                          "  # eingerückt\n"
                                          "sprache = laut # zu laut\n",
                                          QByteArray(), o, dir);
        QCOMPARE(o.fullScreen, true);
        QCOMPARE(o.dbFolder, QStringLiteral("/srv/klasse#1"));
        QCOMPARE(problems, QStringList{"knorzelbart: " + dir.filePath("etc/einstellungen.conf") +
                                       ", Zeile 4: „laut“ ist kein gültiger Wert für sprache (erlaubt sind aus, knopf, "
                                       "automatisch und diktat); es gilt „knopf“."});
        // The shipped example: every example line, its leading "#" taken away, is a good setting.
        QFile example(QStringLiteral(KNORZELBART_SOURCE_DIR "/packaging/einstellungen.conf"));
        QVERIFY(example.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(example.readAll());
        QVERIFY(text.contains("automatisch: wenn der Rechner einen Berührungsbildschirm hat"));
        QVERIFY(!text.contains("keine Tastatur"));
        int examples = 0;
        for (QString line : text.split('\n')) {
            if (!line.startsWith('#') || !line.contains(" = ") || line.contains("gesperrt =")) continue;
            line = line.mid(1).trimmed();
            if (line.contains(' ') && line.indexOf(' ') < line.indexOf('=') - 1) continue;  // prose
            options::Options fresh;
            const QStringList found = problemsOf(line.toUtf8() + "\n", QByteArray(), fresh, dir);
            QVERIFY2(found.isEmpty(), qPrintable(line + ": " + found.join(" ")));
            ++examples;
        }
        QVERIFY2(examples >= 5, qPrintable(QString::number(examples)));
        options::Options fresh;
        QVERIFY(problemsOf("vollbild = ja   # im Klassenraum am Whiteboard\n", QByteArray(), fresh, dir).isEmpty());
        QCOMPARE(fresh.fullScreen, true);
        // The pronunciation table, with the example its own comment prints.
        Pronunciations table;
        const QList<int> skipped = table.parse("# Kommentar\nMond = Mohnd   # langes o\nEcho = [[Eç#o]]\n"
                                               "Hase = Haase# ohne Leerzeichen\n  # eingerückt\nQuatsch\n");
        QCOMPARE(table.spoken("Mond"), QStringLiteral("Mohnd"));
        QCOMPARE(table.spoken("Echo"), QStringLiteral("[[Eç#o]]"));
        QCOMPARE(table.spoken("Hase"), QStringLiteral("Haase# ohne Leerzeichen"));
        QCOMPARE(skipped, QList<int>{6});
        QFile shipped(QStringLiteral(KNORZELBART_SOURCE_DIR "/assets/speech/aussprache.txt"));
        QVERIFY(shipped.open(QIODevice::ReadOnly));
        const QString shippedText = QString::fromUtf8(shipped.readAll());
        QVERIFY(shippedText.contains("#     Mond = Mohnd   # langes o\n"));
        Pronunciations printed;
        QVERIFY(printed.parse("Mond = Mohnd   # langes o\n").isEmpty());
        QCOMPARE(printed.spoken("mond"), QStringLiteral("Mohnd"));
        QVERIFY(Pronunciations().parse(shippedText).isEmpty());
    }

    // The command line sets over the settings, but not over what the school locked; the rest
    // stays as the settings say.
    void theCommandLineOverridesWhatIsNotLocked() {
        QTemporaryDir dir;
        write(dir.filePath("etc.conf"), "sprache = aus\nbuchstabentasten = an\ngesperrt = sprache\n");
        ProgramFolder folder;
        Started started = start({"--sprache", "diktat", "--fullscreen"}, dir.filePath("etc.conf"),
                                dir.filePath("user.conf"));
        QVERIFY(started.played);
        QCOMPARE(options::current().speech, options::Speech::Off);
        QCOMPARE(options::current().fullScreen, true);
        options::current() = {};
        write(dir.filePath("etc.conf"), "buchstabentasten = an\n");
        started = start({"--sprache", "diktat", "--fullscreen"}, dir.filePath("etc.conf"), dir.filePath("user.conf"));
        QCOMPARE(options::current().speech, options::Speech::Dictation);
        QCOMPARE(options::current().fullScreen, true);
        QCOMPARE(options::current().letterKeys, options::LetterKeys::On);
        options::current() = {};
        const Started wrong = start({"--sprache", "laut"}, dir.filePath("etc.conf"), dir.filePath("user.conf"));
        QCOMPARE(wrong.status, 2);
        QVERIFY(!wrong.played);
    }
};

QTEST_MAIN(TestTeacherSettings)
#include "test_teacher_settings.moc"
