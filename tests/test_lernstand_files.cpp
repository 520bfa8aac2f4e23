// SPDX-License-Identifier: GPL-3.0-or-later
// The learning record's files: whole lines that survive two computers (and two programs of
// one computer) writing at once, torn lines, files that are no files, the newest results of
// a long file, files for their owner only, names that show no child, the computer's id,
// renaming a child; files written whole for whom their kind says, and the user's folders.
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <sys/stat.h>

#include "lernstand/Record.h"
#include "platform/ui/Dialogs.h"
#include "platform/files/PrivateFiles.h"
#include "platform/files/RecordFiles.h"
#include "platform/system/App.h"
#include "support/Kept.h"
#include "lernstand_support.h"

using namespace lernstand;
using namespace lernstandtest;

class TestLernstandFiles : public QObject {
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

    void aWholeFileIsWrittenForWhomItsKindSays() {
        QTemporaryDir dir;
        const mode_t umaskWas = ::umask(022);
        // Children's data is its owner's only from the first byte; a file it replaces keeps
        // its mode (a class folder shared with the teachers' group).
        const QString list = dir.filePath("klasse.liste");
        const QString privateOne = platform::writePrivateFile(list, "Anna\n");
        const int newMode = platform::fileMode(list);
        (void)::chmod(QFile::encodeName(list).constData(), 0640);
        const QString replaced = platform::writePrivateFile(list, "Anna\nBen\n");
        const int keptMode = platform::fileMode(list);
        // A sheet is read like any other file the user makes.
        const QString sheet = dir.filePath("bogen.html");
        const QString ordinary = platform::writeWholeFile(sheet, "<p>Hund</p>\n");
        ::umask(umaskWas);
        QVERIFY(privateOne.isEmpty() && replaced.isEmpty() && ordinary.isEmpty());
        QCOMPARE(newMode, 0600);
        QCOMPARE(keptMode, 0640);
        QCOMPARE(platform::fileMode(sheet), 0644);
        QCOMPARE(platform::readTextFile(list, 100).text, QStringLiteral("Anna\nBen\n"));

        // A link in the file's place is replaced, never written through.
        const QString link = dir.filePath("verweis.liste");
        QVERIFY(QFile::link(dir.filePath("anderswo"), link));
        QVERIFY(platform::writePrivateFile(link, "Anna\n").isEmpty());
        QVERIFY(!QFileInfo(link).isSymLink());
        QVERIFY(!QFileInfo::exists(dir.filePath("anderswo")));

        // What a killed writer left goes once it is old; a write going on now, and files
        // of other names, stay.
        const auto leave = [&](const QString& name, int minutesAgo) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("halb");
            file.flush();
            QVERIFY(file.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-60 * minutesAgo),
                                     QFileDevice::FileModificationTime));
        };
        leave("klasse.liste.Ab12Cd", 11);
        leave("klasse.liste.Xy34Zw", 1);
        leave("klasse.liste.alt", 11);
        QVERIFY(platform::writePrivateFile(list, "Anna\n").isEmpty());
        QVERIFY(!QFileInfo::exists(dir.filePath("klasse.liste.Ab12Cd")));
        QVERIFY(QFileInfo::exists(dir.filePath("klasse.liste.Xy34Zw")));
        QVERIFY(QFileInfo::exists(dir.filePath("klasse.liste.alt")));

        // Why a write failed, in the program's own words; nothing is left behind.
        QCOMPARE(platform::writeWholeFile(dir.filePath("fehlt/bogen.html"), "x"),
                 QStringLiteral("die Datei oder der Ordner ist nicht vorhanden"));
        QCOMPARE(platform::systemErrorText(EEXIST), QStringLiteral("eine Datei mit diesem Namen gibt es schon"));
    }

    void theUsersFoldersAreTheSystemsAndARelativeOneIsIgnored() {
        const testsupport::EnvironmentKept config("XDG_CONFIG_HOME"), data("XDG_DATA_HOME"), cache("XDG_CACHE_HOME");
        qputenv("XDG_CONFIG_HOME", "/schule/einstellungen");
        qputenv("XDG_DATA_HOME", "/schule/daten");
        qputenv("XDG_CACHE_HOME", "/schule/zwischenablage");
        QCOMPARE(platform::userConfigFolder(), QStringLiteral("/schule/einstellungen"));
        QCOMPARE(platform::userDataFolder(), QStringLiteral("/schule/daten"));
        QCOMPARE(platform::cacheFolder(), QStringLiteral("/schule/zwischenablage/knorzelbart"));
        // The program's folder does not follow the name a test program runs under.
        QCOMPARE(platform::programFolder(platform::userDataFolder()), QStringLiteral("/schule/daten/knorzelbart"));

        qputenv("XDG_CONFIG_HOME", "relativ");
        qunsetenv("XDG_DATA_HOME");
        qputenv("XDG_CACHE_HOME", "");
        QCOMPARE(platform::userConfigFolder(), QDir::homePath() + QStringLiteral("/.config"));
        QCOMPARE(platform::userDataFolder(), QDir::homePath() + QStringLiteral("/.local/share"));
        QCOMPARE(platform::userCacheFolder(), QDir::homePath() + QStringLiteral("/.cache"));
    }
};

QTEST_MAIN(TestLernstandFiles)
#include "test_lernstand_files.moc"
