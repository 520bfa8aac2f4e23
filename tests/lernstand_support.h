// SPDX-License-Identifier: GPL-3.0-or-later
// What the learning record's tests share: results made by hand, files written as the game
// writes them, and a run of the program with a home of its own.
#pragma once
#include <QString>
#include <QStringList>
#include <QTest>
#include <vector>

#include "lernstand/Record.h"
#include "platform/files/RecordFiles.h"
#include "support/ProgramRun.h"

namespace lernstandtest {

using namespace lernstand;

using testsupport::ProgramRun;
using testsupport::runProgram;

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
