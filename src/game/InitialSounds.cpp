// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/InitialSounds.h"

#include <QHash>
#include <algorithm>

#include "game/Words.h"

namespace initialsounds {

namespace {

const QString kVowels = QStringLiteral("aeiouyäöü");
// Two letters that first grades write as one sound, wherever they stand.
const QStringList kPairs = {QStringLiteral("ch"), QStringLiteral("ck"), QStringLiteral("ei"), QStringLiteral("ai"),
                            QStringLiteral("eu"), QStringLiteral("äu"), QStringLiteral("au"), QStringLiteral("ie"),
                            QStringLiteral("pf"), QStringLiteral("qu"), QStringLiteral("ng"), QStringLiteral("aa"),
                            QStringLiteral("ee"), QStringLiteral("oo")};
// Sounds that never begin a word as first grades learn it.
const QStringList kNeverFirst = {QStringLiteral("ch"), QStringLiteral("chs"), QStringLiteral("ck"),
                                 QStringLiteral("ie"), QStringLiteral("ng"),  QStringLiteral("ß")};

bool isVowel(QChar c) { return kVowels.contains(c); }
QChar charAt(const QString& text, qsizetype i) { return i >= 0 && i < text.size() ? text.at(i) : QChar(); }
bool separator(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('-'); }
bool partStart(const QString& lower, int i) { return i == 0 || separator(lower.at(i - 1)); }

bool doubled(const QString& sound) {
    return sound.size() == 2 && sound.at(0) == sound.at(1) && !isVowel(sound.at(0));
}

// How many letters from `i` make one sound (`lower` in lower case).
int unitLength(const QString& lower, int i) {
    if (lower.mid(i, 3) == QLatin1String("sch")) return 3;
    if (lower.mid(i, 3) == QLatin1String("chs")) return 3;  // said "ks": "Fuchs", "Dachs"
    const QString two = lower.mid(i, 2);
    if (partStart(lower, i) && (two == QLatin1String("st") || two == QLatin1String("sp"))) return 2;
    if (kPairs.contains(two)) return 2;
    if (two.size() == 2 && two.at(0).isLetter() && doubled(two)) return 2;
    return 1;
}

QString capitalised(const QString& sound) { return sound.left(1).toUpper() + sound.mid(1); }

bool canBeFirst(const QString& sound) { return !kNeverFirst.contains(sound) && !doubled(sound); }

// Whether the v at `at` is said as an f ("Vogel", "vier", "Vater"), not as a w ("Vase").
bool vSaidAsF(const QString& lower, int at) {
    static const QStringList beginnings = {"vo", "vie", "vater", "ver", "vet"};
    // At the end of a word it is an f ("Detektiv"); before a vowel inside one a w ("Avocado", "Klavier").
    if (!charAt(lower, at + 1).isLetter()) return true;
    if (!partStart(lower, at)) return !isVowel(lower.at(at + 1));
    return std::any_of(beginnings.begin(), beginnings.end(), [&](const QString& b) { return lower.mid(at, b.size()) == b; });
}

// Whether a word whose first sound is `sound` begins with that sound as it is said ("Clown"
// for C, but not "Cent"; no word for Y, whose "Yak" begins with a J).
bool saidAtStart(const QString& sound, const QString& lower) {
    if (!canBeFirst(sound) || sound == QLatin1String("y")) return false;
    if (sound == QLatin1String("c")) return QStringLiteral("aoulr").contains(charAt(lower, 1));
    // The s of "Sonne" before a vowel only: "Ski" begins with "sch".
    if (sound == QLatin1String("s")) return isVowel(charAt(lower, 1));
    return true;
}

// An "e" said as the weak e of an ending ("Hase", "Igel", "Garten") or of "ge-".
bool weakE(const QString& lower, int at) {
    static const QStringList endings = {QString(),         QStringLiteral("l"),  QStringLiteral("n"),
                                        QStringLiteral("r"), QStringLiteral("s"),  QStringLiteral("m"),
                                        QStringLiteral("rn"), QStringLiteral("ln"), QStringLiteral("ns"),
                                        QStringLiteral("rs"), QStringLiteral("ls"), QStringLiteral("nd")};
    qsizetype end = at + 1;
    while (end < lower.size() && !separator(lower.at(end))) ++end;
    const QString rest = lower.mid(at + 1, end - at - 1);
    const bool firstVowel =
        std::none_of(lower.begin(), lower.begin() + at, [](QChar c) { return isVowel(c); });
    if (endings.contains(rest) && !firstVowel) return true;
    // "Geschenk", "Besuch": a prefix before a syllable of its own.
    const bool vowelLater = std::any_of(lower.begin() + at + 1, lower.end(), [](QChar c) { return isVowel(c); });
    return at == 1 && vowelLater && (lower.startsWith(QLatin1String("ge")) || lower.startsWith(QLatin1String("be")));
}

// Whether `sound`, found inside a word at `at`, is said there as it is on its own. Where
// the letters may stand for another sound, the word is not taken: the silent h of "Kuh",
// the r of "Uhr", the d of "Hund" said as t, the v of "Vase" or "Vogel", the s of "Bleistift".
bool saidInside(const QString& sound, const QString& lower, int at) {
    const QChar next = charAt(lower, at + sound.size());
    const bool vowelNext = isVowel(next);
    if (sound == QLatin1String("h") || sound == QLatin1String("v") || sound == QLatin1String("c")) return false;
    if (sound == QLatin1String("y")) return next.isLetter();
    if (sound == QLatin1String("r")) return vowelNext;
    // The s of "Bleistift" or "Wespe" may be said "sch" where a word part begins.
    if (sound == QLatin1String("s")) return next != QLatin1Char('t') && next != QLatin1Char('p');
    if (sound == QLatin1String("b") || sound == QLatin1String("d") || sound == QLatin1String("g"))
        return vowelNext || next == QLatin1Char('l') || next == QLatin1Char('r');
    if (sound == QLatin1String("e")) return !weakE(lower, at);
    return true;
}

bool shorterOrEarlier(const QString& a, const QString& b) {
    if (a.size() != b.size()) return a.size() < b.size();
    return a.localeAwareCompare(b) < 0 || (a.localeAwareCompare(b) == 0 && a < b);
}

}  // namespace

QList<Unit> units(const QString& word) {
    const QString lower = word.toLower();
    QList<Unit> found;
    for (int i = 0; i < lower.size();) {
        if (separator(lower.at(i))) {
            ++i;
            continue;
        }
        const int length = unitLength(lower, i);
        found.append({i, length});
        i += length;
    }
    return found;
}

Unit unitAt(const QString& word, int at) {
    for (const Unit& unit : units(word))
        if (at >= unit.start && at < unit.start + unit.length) return unit;
    return {at, 0};
}

QString phonemes(const QString& sound) {
    static const QHash<QString, QString> said = {
        {"a", "a:"},    {"e", "e:"},   {"i", "i:"},   {"o", "o:"},   {"u", "u:"},   {"ä", "E:"},   {"ö", "Y:"},
        {"ü", "y:"},    {"y", "y:"},   {"ei", "aI"},  {"ai", "aI"},  {"au", "aU"},  {"eu", "OY"},  {"äu", "OY"},
        {"ie", "i:"},   {"aa", "a:"},  {"ee", "e:"},  {"oo", "o:"},  {"b", "b@"},   {"c", "k@"},   {"d", "d@"},
        {"f", "fff"},   {"g", "g@"},   {"h", "h@"},   {"j", "j@"},   {"k", "k@"},   {"l", "llll"}, {"m", "mmm"},
        {"n", "n@"},    {"p", "p@"},   {"q", "kv@"},  {"r", "r@"},   {"s", "sss"},  {"ß", "sss"},  {"t", "t@"},
        {"v", "fff"},   {"w", "v@"},   {"x", "ks@"},  {"z", "ts@"},  {"sch", "SSS"}, {"ch", "CCC"}, {"ck", "k@"},
        {"pf", "pF@"},  {"qu", "kv@"}, {"ng", "NNN"}, {"st", "St@"}, {"sp", "Sp@"}, {"chs", "ks@"}};
    const auto found = said.constFind(sound);
    if (found != said.cend()) return *found;
    if (doubled(sound)) return phonemes(sound.left(1));
    return QString();
}

QString Help::phrase() const {
    const QString shown = letters.section(QLatin1Char(' '), 0, 0);
    if (word.isEmpty()) return shown;
    return inside ? QStringLiteral("%1 wie in %2").arg(shown, word) : QStringLiteral("%1 wie %2").arg(shown, word);
}

QString Help::spoken() const {
    const QString voiced = said.isEmpty() ? letters.section(QLatin1Char(' '), 0, 0)
                                          : QStringLiteral("[[%1]]").arg(said);
    if (word.isEmpty()) return voiced;
    return inside ? QStringLiteral("%1 wie in %2").arg(voiced, word) : QStringLiteral("%1 wie %2").arg(voiced, word);
}

Help find(const QString& written, int at, const QStringList& fileNames, const QString& excluded) {
    Help help;
    const Unit unit = unitAt(written, at);
    if (unit.length == 0 || !written.at(unit.start).isLetter()) return help;
    const QString sound = written.mid(unit.start, unit.length).toLower();
    help.sound = sound;
    const QString writtenLower = written.toLower();
    // A v is said as an f or as a w; only words where it is said alike.
    const bool vAsF = sound == QLatin1String("v") && vSaidAsF(writtenLower, unit.start);
    help.said = sound == QLatin1String("v") && !vAsF ? QStringLiteral("v@") : phonemes(sound);
    const QString first = canBeFirst(sound) ? capitalised(sound) : sound;
    help.letters = first == sound ? sound : first + QLatin1Char(' ') + sound;
    const QString skip = excluded.toLower();
    QString begins, beginsFile, holds, holdsFile;
    int holdsAt = 0;
    for (const QString& fileName : fileNames) {
        const QString word = words::fromFileName(fileName);
        const QString w = word.toLower();
        if (w.isEmpty() || w == skip) continue;
        const QList<Unit> parts = units(word);
        if (parts.isEmpty()) continue;
        const bool sameV = sound != QLatin1String("v") || vSaidAsF(w, 0) == vAsF;
        if (w.mid(0, parts.first().length) == sound && saidAtStart(sound, w) && sameV) {
            if (begins.isEmpty() || shorterOrEarlier(word, begins)) begins = word, beginsFile = fileName;
            continue;
        }
        for (const Unit& part : parts.mid(1)) {
            if (w.mid(part.start, part.length) != sound || !saidInside(sound, w, part.start)) continue;
            if (holds.isEmpty() || shorterOrEarlier(word, holds)) holds = word, holdsFile = fileName, holdsAt = part.start;
            break;
        }
    }
    if (!begins.isEmpty()) {
        help.word = begins;
        help.fileName = beginsFile;
        help.markLength = int(sound.size());
    } else if (!holds.isEmpty()) {
        help.word = holds;
        help.fileName = holdsFile;
        help.inside = true;
        help.markStart = holdsAt;
        help.markLength = int(sound.size());
    }
    return help;
}

Help find(QChar letter, const QStringList& fileNames, const QString& excluded) {
    return find(QString(letter), 0, fileNames, excluded);
}

}  // namespace initialsounds
