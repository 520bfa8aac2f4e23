// SPDX-License-Identifier: GPL-3.0-or-later
// Writes results of one child into a learning-record folder, as the game does, from a
// computer whose id is given: lernstand_writer FOLDER COMPUTER-ID COUNT. Two of these
// running at once stand for two computers of a school writing to one share (or, with one
// id, two accounts of one computer writing to one file).
#include <QCoreApplication>
#include <cstdio>

#include "game/Options.h"
#include "lernstand/Learning.h"
#include "platform/files/RecordFiles.h"

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: lernstand_writer FOLDER COMPUTER-ID COUNT\n");
        return 2;
    }
    qputenv("KNORZELBART_RECHNER_ID", argv[2]);
    options::current().learning = true;
    options::current().learningFolder = QString::fromLocal8Bit(argv[1]);
    platform::setRecordToday(QStringLiteral("2026-03-02"));
    lernstand::beginChild(QStringLiteral("Mia"));
    const int count = std::atoi(argv[3]);
    for (int i = 0; i < count; ++i) {
        lernstand::wordShown(i % 2 ? QStringLiteral("Hund") : QStringLiteral("Katze"), 1 + i % 3);
        if (i % 3 == 0) lernstand::wordMissed(1, QStringLiteral("a"));
        lernstand::wordRight();
    }
    return lernstand::settle(60000) && lernstand::keepingProblems().isEmpty() ? 0 : 1;
}
