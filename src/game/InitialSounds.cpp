// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/InitialSounds.h"

#include <QHash>
#include <algorithm>

#include "game/Words.h"

namespace initialsounds {

namespace {

// Beginnings where the first letter does not sound as it does on its own.
bool otherSound(const QString& lower) {
    static const QStringList beginnings = {"au", "ai", "ei", "eu", "äu", "sch", "st", "sp", "ch", "pf", "ph"};
    return std::any_of(beginnings.begin(), beginnings.end(), [&](const QString& b) { return lower.startsWith(b); });
}

bool shorterOrEarlier(const QString& a, const QString& b) {
    if (a.size() != b.size()) return a.size() < b.size();
    return a.localeAwareCompare(b) < 0 || (a.localeAwareCompare(b) == 0 && a < b);
}

}  // namespace

QString Help::phrase() const {
    const QString letter = letters.left(1);
    if (word.isEmpty()) return letter;
    return inside ? QStringLiteral("%1 wie in %2").arg(letter, word) : QStringLiteral("%1 wie %2").arg(letter, word);
}

Help find(QChar letter, const QStringList& fileNames, const QString& excluded) {
    Help help;
    if (!letter.isLetter()) return help;
    const QChar upper = letter.toUpper();
    const QChar lower = letter.toLower();
    help.letters = upper == lower ? QString(lower) : QString(upper) + QLatin1Char(' ') + lower;
    const QString skip = excluded.toLower();
    QString begins, beginsFile, holds, holdsFile;
    for (const QString& fileName : fileNames) {
        const QString word = words::fromFileName(fileName);
        const QString w = word.toLower();
        if (w.isEmpty() || w == skip) continue;
        if (w.at(0) == lower && !otherSound(w)) {
            if (begins.isEmpty() || shorterOrEarlier(word, begins)) begins = word, beginsFile = fileName;
        } else if (w.mid(1).contains(lower)) {
            if (holds.isEmpty() || shorterOrEarlier(word, holds)) holds = word, holdsFile = fileName;
        }
    }
    if (!begins.isEmpty()) {
        help.word = begins;
        help.fileName = beginsFile;
    } else if (!holds.isEmpty()) {
        help.word = holds;
        help.fileName = holdsFile;
        help.inside = true;
    }
    return help;
}

}  // namespace initialsounds
