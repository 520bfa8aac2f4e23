// SPDX-License-Identifier: GPL-3.0-or-later
// The learning record of a class over a school year (30 children, about 100,000 results on
// two computers each): the time from the level click to the first picture with the record
// on against off, and the time to write the teacher's report.
#include <QApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QTest>
#include <algorithm>
#include <array>
#include <cstdio>
#include <ctime>
#include <random>

#include "game/Options.h"
#include "lernstand/Learning.h"
#include "lernstand/Record.h"
#include "lernstand/Report.h"
#include "platform/files/RecordFiles.h"
#include "raeuber/frmRaeuber.h"
#include "shell/frmAuswahlmenue.h"
#include "shell/frmSplash.h"
#include "shell/start.h"
#include "support/GameFixture.h"
#include "support/Menu.h"
#include "Measures.h"

namespace {

using measures::median;


constexpr int kChildren = 30;
constexpr int kWords = 110;
constexpr int kResults = 100000;
constexpr int kRuns = 15;

QString childName(int i) { return QStringLiteral("Kind %1").arg(i + 1); }

// A school year: 190 days, each child about 3,300 results, on two computers. With one
// child: 20,000 results, three school years of a child who plays every day.
void makeRecord(const QString& folder, int kChildren = ::kChildren, int kResults = ::kResults) {
    std::mt19937 chance(2026);
    std::uniform_int_distribution<int> word(1, kWords), outcome(0, 9), letter(0, 25);
    std::vector<std::array<QByteArray, 2>> files(kChildren);
    for (int n = 0; n < kResults; ++n) {
        const int child = n % kChildren;
        lernstand::Result r;
        // School days from September to June: five of every seven.
        const int day = static_cast<int>(qint64(n) * (kChildren == 1 ? 570 : 190) / kResults);
        r.day = QDate(2025, 9, 1).addDays(day / 5 * 7 + day % 5).toString(Qt::ISODate);
        r.level = 1 + n % 3;
        r.word = QStringLiteral("Wort%1").arg(word(chance), 2, 10, QLatin1Char('0'));
        const int o = outcome(chance);
        r.outcome = o < 7 ? lernstand::Outcome::FirstTry : o < 9 ? lernstand::Outcome::AfterReveal
                                                                 : lernstand::Outcome::Unfinished;
        if (r.outcome != lernstand::Outcome::FirstTry) {
            r.box = 1;
            r.letter = QString(QChar('a' + letter(chance)));
        }
        files[child][n % 2] += lernstand::line(r);
    }
    const QByteArray secret = lernstand::folderSecret(folder);
    for (int c = 0; c < kChildren; ++c)
        for (int k = 0; k < 2; ++k)
            platform::appendRecordLine(folder + QLatin1Char('/') +
                                           lernstand::fileName(lernstand::childKey(childName(c)),
                                                               QStringLiteral("rechner%1").arg(k), secret),
                                       lernstand::nameLine(lernstand::childKey(childName(c))) + files[c][k]);
}

// The CPU time of the whole process (every thread) in milliseconds: on a busy machine the
// figure to trust beside the clock.
double cpuMs() { return measures::cpuSeconds() * 1e3; }
double lastCpu = 0;

// One program start to the menu, then the level click; returns the click's milliseconds.
double levelClick(bool on, const QString& record, int child) {
    testsupport::ProgramFolder folder;
    folder.addNumberedPictures(kWords);
    lernstand::resetRun();
    options::current() = options::Options();
    options::current().learning = on;
    options::current().learningFolder = record;
    frmAuswahlmenü& menu = testsupport::startToMenu();
    menu.txtSpielername->setText(childName(child));
    QElapsedTimer clock;
    clock.start();
    const double cpu = cpuMs();
    menu.cmdLevel1_Click();
    const double ms = clock.nsecsElapsed() / 1e6;
    lastCpu = cpuMs() - cpu;
    if (frmRaeuber::Default().imgTerm == nullptr) std::abort();
    return ms;
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("KNORZELBART_RECHNER_ID", "bench");
    QApplication app(argc, argv);
    const QString record = QDir::tempPath() + QStringLiteral("/knorzelbart-bench-lernstand");
    QDir(record).removeRecursively();
    QDir().mkpath(record);
    makeRecord(record);

    const QString single = record + QStringLiteral("-ein-kind");
    QDir(single).removeRecursively();
    QDir().mkpath(single);
    makeRecord(single, 1, 20000);

    levelClick(false, record, 0);  // warm the caches of the toolkit
    std::vector<double> off, on, oneOff, oneOn, cpuOff, cpuOn, cpuOneOff, cpuOneOn;
    for (int i = 0; i < kRuns; ++i) {
        off.push_back(levelClick(false, record, i));
        cpuOff.push_back(lastCpu);
        on.push_back(levelClick(true, record, i));
        cpuOn.push_back(lastCpu);
        oneOff.push_back(levelClick(false, single, 0));
        cpuOneOff.push_back(lastCpu);
        oneOn.push_back(levelClick(true, single, 0));
        cpuOneOn.push_back(lastCpu);
    }
    // The report is timed without the toolkit's start, as the teacher's command runs it.
    std::vector<double> report;
    size_t children = 0, results = 0;
    qsizetype bytes = 0;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer clock;
        clock.start();
        lernstand::ReportInput input;
        input.children = lernstand::readAll(record);
        input.recordFolder = record;
        input.vocabularyFolder = QStringLiteral(KNORZELBART_ASSETS_DIR "/db");
        input.today = QStringLiteral("2026-06-30");
        const QByteArray html = lernstand::report(input);
        report.push_back(clock.nsecsElapsed() / 1e6);
        children = input.children.size();
        results = 0;
        for (const auto& c : input.children) results += c.results.size();
        if (html.isEmpty()) return 1;
        bytes = html.size();
    }
    const double extra = median(on) - median(off);
    std::printf("learning record: %zu children, %zu results\n", children, results);
    std::printf("first picture after the level click, record off: %.1f ms (median of %d)\n", median(off), kRuns);
    std::printf("first picture after the level click, record on:  %.1f ms, +%.1f ms, limit +20 ms %s\n", median(on),
                extra, extra <= 20 ? "ok" : "EXCEEDED");
    {
        // Where the time of one child's reading goes.
        QElapsedTimer clock;
        clock.start();
        const std::vector<lernstand::Result> all = lernstand::readChild(single, lernstand::childKey(childName(0)));
        const double read = clock.nsecsElapsed() / 1e6;
        clock.restart();
        lernstand::Progress progress;
        progress.addAll(all);
        std::printf("one child: %zu results read in %.1f ms, their progress in %.1f ms\n", all.size(), read,
                    clock.nsecsElapsed() / 1e6);
    }
    const double oneExtra = median(oneOn) - median(oneOff);
    std::printf("one child with 20,000 results, the level click: +%.1f ms, limit +20 ms %s\n", oneExtra,
                oneExtra <= 20 ? "ok" : "EXCEEDED");
    std::printf("CPU time of the level click (all threads), record on minus off: class +%.1f ms, one child +%.1f ms\n",
                median(cpuOn) - median(cpuOff), median(cpuOneOn) - median(cpuOneOff));
    std::printf("class report: %.0f ms (median of 5), limit 1000 ms %s; %.2f MB of HTML with the pictures\n",
                median(report), median(report) < 1000 ? "ok" : "EXCEEDED", bytes / 1e6);
    QDir(record).removeRecursively();
    QDir(single).removeRecursively();
    return 0;
}
