// SPDX-License-Identifier: GPL-3.0-or-later
// What the teacher reads of the learning record: the kinds of mistake, the report for the
// class and for one child, the program that writes it, replaces only its own file and
// forgets, and its clean end on a logout.
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QImage>
#include <QTest>

#include <csignal>

#include "lernstand/Mistakes.h"
#include "lernstand/Record.h"
#include "lernstand/Report.h"
#include "platform/files/RecordFiles.h"
#include "support/GameFixture.h"
#include "lernstand_support.h"

using namespace lernstand;
using namespace lernstandtest;
using testsupport::ProgramFolder;

class TestLernstandReport : public QObject {
    Q_OBJECT

private Q_SLOTS:
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
        QVERIFY(html.contains("<figcaption>Bär<br><span class=\"fach\">Fach 1</span></figcaption>"));
        // The class counts children: two children missed Hund.
        QVERIFY(html.contains("<tr><td>Hund</td><td>2</td></tr>"));
        QVERIFY(!html.contains("http"));

        ReportInput one{{children[2]}, record.path(), folder.db(), "2026-03-04", true};  // by key: mia, otto, ömer
        const QString alone = QString::fromUtf8(report(one));
        QVERIFY(alone.contains("Lernstand von Ömer"));
        QVERIFY(!alone.contains("Mia") && !alone.contains("Die ganze Klasse"));

        // A word's picture comes from the folder it was played from, never from another
        // folder's picture of the same name.
        QTemporaryDir played, otherRecord;
        const QString path = otherRecord.filePath(fileName("ben", "a1", folderSecret(otherRecord.path())));
        QVERIFY(platform::appendRecordLine(path, nameLine("ben") + folderLine(played.path()) +
                                                     line(result("Hund", Outcome::AfterReveal, 0, "h"))).isEmpty());
        const std::vector<Child> ben = readAll(otherRecord.path());
        QCOMPARE(ben.size(), size_t(1));
        QCOMPARE(ben[0].results[0].folder, played.path());
        ReportInput fromElsewhere{ben, otherRecord.path(), folder.db(), "2026-03-04"};
        QCOMPARE(QString::fromUtf8(report(fromElsewhere)).count("data:image/png;base64,"), 0);
        QImage picture(32, 32, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QVERIFY(picture.save(played.filePath("Hund.png")));
        QCOMPARE(QString::fromUtf8(report(fromElsewhere)).count("data:image/png;base64,"), 1);

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

        run = runProgram({"--lernstand", record, "--bericht", home.filePath("mia.html"), "--kind", " mia%1"}, home.path());
        QCOMPARE(run.status, 0);
        QVERIFY2(run.out.contains("Bericht über 1 Kind"), qPrintable(run.out + run.err));
        run = runProgram({"--lernstand", record, "--bericht", home.filePath("ben.html"), "--kind", "Ben"}, home.path());
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains("Über „Ben“ ist im Lernstandordner"), qPrintable(run.err));
        QVERIFY(!QFileInfo::exists(home.filePath("ben.html")));

        run = runProgram({"--lernstand", record, "--vergessen", "Mia%1"}, home.path());
        QVERIFY2(run.out.contains("Der Lernstand von Mia%1 ist gelöscht (1 Datei)."), qPrintable(run.out));
    }

    void aLogoutEndsTheProgramCleanly() {
        for (const int signal : {SIGTERM, SIGHUP}) {
            QTemporaryDir home;
            QProcess program;
            QProcessEnvironment env = testsupport::environmentWithHome(home.path());
            env.insert("XDG_RUNTIME_DIR", home.path());
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

};

QTEST_MAIN(TestLernstandReport)
#include "test_lernstand_report.moc"
