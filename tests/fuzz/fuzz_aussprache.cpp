// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target over a teacher's pronunciation table: the input is written as
// aussprache.txt into a vocabulary folder and read as the game reads it before it speaks;
// then the words the table names, and a few shipped ones, are looked up.
#include <QCoreApplication>
#include <QDir>
#include <QStringList>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

#include "FuzzSupport.h"
#include "game/Pronunciation.h"
#include "game/Speech.h"

namespace {

QString folder;

using fuzzsupport::check;

// What the voice is given is the word itself, or a replacement it can read: not empty, not
// overly long, and phonemes only as a whole [[ ]] bracket.
void checkSpoken(const QString& word, const QString& spoken) {
    if (spoken == word) return;
    check(!spoken.isEmpty() && spoken.size() <= 200, "a replacement has 1 to 200 characters");
    check(spoken == spoken.trimmed(), "a replacement has no blanks around it");
    const bool opens = spoken.startsWith(QLatin1String("[["));
    check(opens == spoken.endsWith(QLatin1String("]]")), "phonemes come in a whole bracket");
    if (!opens) check(!spoken.contains(QLatin1String("[[")), "a respelling holds no phoneme bracket");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    folder = fuzzsupport::scratchFolder("aussprache");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzsupport::writeFile(folder + QStringLiteral("/aussprache.txt"), data, size);

    // The words to look up: the left side of every line, as the teacher meant it, and
    // shipped words that the table may or may not override.
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QStringList words = {QStringLiteral("Mond"), QStringLiteral("Fuchs"), QStringLiteral("Hund"), QString()};
    for (const QString& line : text.split(QLatin1Char('\n')).mid(0, 200))
        words << line.section(QLatin1Char('='), 0, 0) << line.section(QLatin1Char('='), 0, 0).trimmed();

    speech::forgetTables();
    QStringList first;
    for (const QString& word : words) {
        const QString spoken = speech::spokenText(word, folder);
        checkSpoken(word, spoken);
        first << spoken;
    }
    // The table of the folder is read once and kept: the same answers again.
    for (int i = 0; i < words.size(); ++i)
        check(speech::spokenText(words[i], folder) == first[i], "the table answers the same twice");

    // The table on its own: parsing is stable, and merging a table into itself changes nothing.
    Pronunciations table;
    table.parse(text);
    Pronunciations twice = table;
    twice.merge(table);
    check(twice.size() == table.size(), "merging a table with itself keeps its size");
    for (const QString& word : words) {
        checkSpoken(word, table.spoken(word));
        check(twice.spoken(word) == table.spoken(word), "merging a table with itself keeps its entries");
    }
    return 0;
}
