// SPDX-License-Identifier: GPL-3.0-or-later
// What the learning record's tests share: results made by hand, files written as the game
// writes them, and a run of the program with a home of its own.
#pragma once
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTest>
#include <vector>

#include "lernstand/Record.h"
#include "platform/files/RecordFiles.h"

namespace lernstandtest {

using namespace lernstand;

struct ProgramRun {
    int status;
    QString out;
    QString err;
};

inline ProgramRun runProgram(const QStringList& arguments, const QString& home) {
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

inline Result result(const QString& word, Outcome outcome, int box = -1, const QString& letter = {},
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

inline void writeResults(const QString& folder, const QString& child, const QString& computer,
                  const std::vector<Result>& results) {
    const QString path = folder + "/" + fileName(childKey(child), computer, folderSecret(folder));
    QVERIFY(platform::appendRecordLine(path, nameLine(childKey(child))).isEmpty());
    for (const Result& r : results) QVERIFY(platform::appendRecordLine(path, line(r)).isEmpty());
}

}  // namespace lernstandtest
