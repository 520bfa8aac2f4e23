// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target over the learning record's reader: the input is the bytes of one record
// file (and, cut at its first line end, a file name). Whatever it holds, the reader returns
// only results it can stand behind, and every later step takes them without harm.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "lernstand/Mistakes.h"
#include "lernstand/Progress.h"
#include "lernstand/Record.h"
#include "FuzzSupport.h"

namespace {

using fuzzsupport::check;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    int skipped = 0;
    const std::vector<lernstand::Result> results = lernstand::parse(bytes, &skipped);
    check(skipped >= 0, "skipped count");
    lernstand::Progress progress;
    QByteArray again;
    for (const lernstand::Result& result : results) {
        check(!result.word.isEmpty(), "empty word");
        check(result.level >= 1 && result.level <= 3, "level");
        if (result.outcome != lernstand::Outcome::FirstTry) {
            check(result.box >= 0 && result.box < result.word.size(), "box");
            check(!result.letter.isEmpty(), "letter");
            lernstand::mistakeName(lernstand::classify(result.word, result.box, result.letter));
        }
        progress.add(result);
        again += lernstand::line(result);
    }
    progress.hardWords();
    // What was read, written again, reads back the same (a miss kept at once and a right
    // after it may become one result: never more).
    const std::vector<lernstand::Result> back = lernstand::parse(again);
    check(back.size() <= results.size(), "round trip");
    for (size_t i = 0; i < back.size() && back.size() == results.size(); ++i)
        check(back[i].word == results[i].word && back[i].letter == results[i].letter && back[i].box == results[i].box,
              "round trip content");
    const QString name = QString::fromUtf8(bytes.left(bytes.indexOf('\n')));
    const QString child = lernstand::childOfFile(name);
    if (!child.isEmpty()) check(lernstand::isRecordFile(name), "name");
    check(lernstand::isRecordFile(lernstand::fileName(lernstand::childKey(name), QStringLiteral("ab12"), bytes)),
          "hashed name");
    lernstand::childKey(name);
    lernstand::shownName(name);
    return 0;
}
