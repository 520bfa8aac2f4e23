// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/Syllables.h"
#include "game/Comments.h"

#include <QHash>
#include <algorithm>
#include <mutex>

#include "platform/files/Files.h"
#include "platform/system/Hyphenation.h"
#include "platform/files/TextFile.h"

namespace syllables {

namespace {

const QString kTeacherTable = teacherTableName();
constexpr qint64 kMaxTableBytes = 1 << 20;
const QString kVowels = QStringLiteral("aeiouyäöü");

bool isVowel(QChar c) { return kVowels.contains(c.toLower()); }
QChar charAt(const QString& text, qsizetype i) { return i < text.size() ? text.at(i) : QChar(); }
bool hasVowel(const QString& text) { return std::any_of(text.begin(), text.end(), isVowel); }

QString key(const QString& word) { return word.trimmed().normalized(QString::NormalizationForm_C).toLower(); }

// The letters of a word that stand together between blanks and hyphens.
struct Run {
    int start;
    int length;
};

QList<Run> letterRuns(const QString& word) {
    QList<Run> runs;
    int start = -1;
    for (int i = 0; i <= word.size(); ++i) {
        const bool separator = i == word.size() || word.at(i) == QLatin1Char(' ') || word.at(i) == QLatin1Char('-');
        if (!separator && start < 0) start = i;
        if (separator && start >= 0) {
            runs.append({start, i - start});
            start = -1;
        }
    }
    return runs;
}

// A break inside "ck", "ch" or "sch" moves in front of it.
int keepTogether(const QString& lower, int at) {
    static const QStringList clusters = {QStringLiteral("sch"), QStringLiteral("ck"), QStringLiteral("ch")};
    for (const QString& cluster : clusters) {
        // "s-ch" is a real break ("Häus-chen"); only the break after "sc" is one inside "sch".
        const int firstInside = cluster.size() == 3 ? 2 : 1;
        for (int k = firstInside; k < cluster.size(); ++k)
            if (at - k >= 0 && lower.mid(at - k, cluster.size()) == cluster) return at - k;
    }
    return at;
}

// The core of a syllable: a vowel, or two said as one ("ei", "au", "ie", "ee"), as
// positions [start, end) in the run.
struct Core {
    int start;
    int end;
};

QList<Core> cores(const QString& lower, int from, int to) {
    static const QStringList joined = {QStringLiteral("ie"), QStringLiteral("ei"), QStringLiteral("ai"),
                                       QStringLiteral("eu"), QStringLiteral("äu"), QStringLiteral("au"),
                                       QStringLiteral("aa"), QStringLiteral("ee"), QStringLiteral("oo")};
    QList<Core> found;
    for (int i = from; i < to;) {
        bool vowel = isVowel(lower.at(i));
        if (lower.at(i) == QLatin1Char('u') && i > 0 && lower.at(i - 1) == QLatin1Char('q')) vowel = false;
        if (lower.at(i) == QLatin1Char('y') && i == 0 && isVowel(charAt(lower, 1))) vowel = false;  // "Yak"
        if (!vowel) {
            ++i;
            continue;
        }
        const int length = i + 1 < to && joined.contains(lower.mid(i, 2)) ? 2 : 1;
        found.append({i, i + length});
        i += length;
    }
    return found;
}

// The consonants between two cores, each sound whole ("sch", "ch", "ck", "qu"), as starts.
QList<int> consonantsBetween(const QString& lower, int from, int to) {
    QList<int> starts;
    for (int i = from; i < to;) {
        starts << i;
        int length = 1;
        for (const QString& unit : {QStringLiteral("sch"), QStringLiteral("ch"), QStringLiteral("ck"), QStringLiteral("qu")})
            if (lower.mid(i, unit.size()) == unit && i + unit.size() <= to + (unit == QLatin1String("qu") ? 1 : 0)) {
                length = int(unit.size());
                break;
            }
        i += length;
    }
    return starts;
}

// Where the first-grade rule parts two cores: between two vowels said apart ("O-a-se"),
// before a single consonant ("La-ken", "E-sel"), before the last of several ("Man-da"),
// or before two that begin German words together ("A-fri-ka", "Ze-bra").
int partBetween(const QString& lower, const Core& first, const Core& second) {
    static const QStringList onsets = {"bl", "br", "dr", "fl", "fr", "gl", "gr", "kl", "kn", "kr", "pl", "pr", "tr",
                                       "schl", "schm", "schn", "schr", "schw"};
    const QList<int> consonants = consonantsBetween(lower, first.end, second.start);
    if (consonants.isEmpty()) return second.start;
    if (consonants.size() == 1) return first.end;
    const int beforeLast = consonants.at(consonants.size() - 2);
    if (onsets.contains(lower.mid(beforeLast, second.start - beforeLast))) return beforeLast;
    return consonants.last();
}

// Every syllable holds a vowel: one without joins the syllable before it ("Stöck-chen",
// "Rück-weg"); the first syllable joins the one after it.
QList<int> joinVowelless(const QString& letters, const QList<int>& breaks) {
    QList<int> kept;
    int from = 0;
    for (int i = 0; i <= breaks.size(); ++i) {
        const int to = i < breaks.size() ? breaks.at(i) : int(letters.size());
        const bool vowelless = !hasVowel(letters.mid(from, to - from));
        if (vowelless && kept.isEmpty()) continue;  // the first joins the next: its break is dropped
        if (vowelless) kept.removeLast();           // joins the one before
        if (i < breaks.size()) kept << to;
        from = to;
    }
    return kept;
}

// Where the patterns leave two cores in one syllable ("Laken", "Afri-ka", "Vi-deo"), the
// first-grade rule parts them. A vowel left alone after a syllable that ends in one
// consonant takes that consonant ("Vit-a-mi-ne" becomes "Vi-ta-mi-ne"); two vowels said as
// one, left alone, begin a word part and keep the break ("Spie-gel-ei").
QList<int> partCores(const QString& lower, const QList<int>& breaks) {
    static const QStringList kPrefixes = {"ab", "an", "auf", "aus", "ein", "ent", "er", "miss", "ob",
                                          "um", "un", "ur", "ver", "vor", "zer", "über"};
    QList<int> parted = breaks;
    int from = 0;
    for (int i = 0; i <= breaks.size(); ++i) {
        const int to = i < breaks.size() ? breaks.at(i) : int(lower.size());
        const QList<Core> found = cores(lower, from, to);
        for (int k = 0; k + 1 < found.size(); ++k) parted << partBetween(lower, found.at(k), found.at(k + 1));
        from = to;
    }
    std::sort(parted.begin(), parted.end());
    parted.erase(std::unique(parted.begin(), parted.end()), parted.end());
    for (int i = 0; i < parted.size(); ++i) {
        const int start = parted.at(i);
        const int end = i + 1 < parted.size() ? parted.at(i + 1) : int(lower.size());
        const QList<Core> alone = cores(lower, start, end);
        if (alone.size() != 1 || alone.first().start != start || alone.first().end != end) continue;
        if (end - start > 1) continue;  // "ei", "au": a word part of its own
        const int previous = i > 0 ? parted.at(i - 1) : 0;
        const QList<Core> before = cores(lower, previous, start);
        // Not after a prefix of its own: "Ur-o-ma", "Un-art".
        if (before.isEmpty() || kPrefixes.contains(lower.mid(previous, start - previous))) continue;
        const QList<int> consonants = consonantsBetween(lower, before.last().end, start);
        if (consonants.size() == 1) parted[i] = consonants.first();
    }
    return parted;
}

// The breaks of one run of letters, as positions inside it.
QList<int> runBreaks(const QString& letters) {
    const QString lower = letters.toLower();
    // Letters the patterns do not know, digits: the word stays whole.
    if (lower.size() != letters.size() ||
        !std::all_of(lower.begin(), lower.end(), [](QChar c) { return c.isLetter() && c.unicode() <= 0xFF; }))
        return {};
    QList<int> breaks;
    for (const int point : platform::hyphenationPoints(letters)) {
        const int at = keepTogether(lower, point);
        if (at > 0 && at < letters.size() && !breaks.contains(at)) breaks << at;
    }
    std::sort(breaks.begin(), breaks.end());
    QList<int> kept = partCores(lower, joinVowelless(letters, breaks));
    // A break at the very end, or one that leaves a syllable without a vowel, is none.
    kept.removeIf([&](int at) { return at <= 0 || at >= letters.size(); });
    return joinVowelless(letters, kept);
}

QList<Piece> piecesFromBreaks(const QString& word, const QList<int>& breaks) {
    QList<Piece> pieces;
    for (const Run& run : letterRuns(word)) {
        int from = run.start;
        for (const int at : breaks) {
            if (at <= run.start || at >= run.start + run.length) continue;
            pieces.append({from, at - from});
            from = at;
        }
        pieces.append({from, run.start + run.length - from});
    }
    return pieces;
}

std::mutex tablesMutex;
QHash<QString, Table> folderTables;

Table tableFor(const QString& folder) {
    std::lock_guard lock(tablesMutex);
    auto found = folderTables.constFind(folder);
    if (found != folderTables.cend()) return *found;
    Table table;
    const platform::TextFile file =
        platform::readTextFile(platform::resolvePath(folder + QLatin1Char('\\') + kTeacherTable), kMaxTableBytes);
    // A table that cannot be read is as good as none: the patterns split every word.
    if (file.status == platform::TextFile::Status::Ok) table.parse(file.text);
    folderTables.insert(folder, table);
    return table;
}

}  // namespace

QList<Piece> fromPatterns(const QString& word) {
    if (!platform::hyphenationAvailable()) return {};
    QList<int> breaks;
    for (const Run& run : letterRuns(word))
        for (const int at : runBreaks(word.mid(run.start, run.length))) breaks << run.start + at;
    return piecesFromBreaks(word, breaks);
}

void prepare(QObject* context, const QStringList& words, std::function<void()> ready) {
    QStringList runs;
    for (const QString& word : words)
        for (const Run& run : letterRuns(word)) runs << word.mid(run.start, run.length);
    runs.removeDuplicates();
    platform::prepareHyphenation(context, runs, std::move(ready));
}

QList<Piece> split(const QString& word, const QString& folder) {
    if (!folder.isEmpty()) {
        const QList<Piece> teacher = tableFor(folder).lookUp(word);
        if (!teacher.isEmpty()) return teacher;
    }
    return fromPatterns(word);
}

QStringList texts(const QString& word, const QString& folder) {
    QStringList result;
    for (const Piece& piece : split(word, folder)) result << word.mid(piece.start, piece.length);
    if (result.isEmpty() && !word.isEmpty()) result << word;  // no split known: the word whole
    return result;
}

QString teacherTableName() { return QStringLiteral("silben.txt"); }

QString hyphenated(const QString& word, const QString& folder) {
    QString result = word;
    const QList<Piece> pieces = split(word, folder);
    // From the back, so that the positions before stay valid.
    for (qsizetype i = pieces.size() - 1; i > 0; --i)
        if (pieces.at(i - 1).start + pieces.at(i - 1).length == pieces.at(i).start)
            result.insert(pieces.at(i).start, QLatin1Char('-'));
    return result;
}

QList<int> Table::parse(const QString& text) {
    QList<int> skipped;
    QString body = text;
    if (body.startsWith(QChar(0xFEFF))) body.remove(0, 1);  // a byte-order mark from an editor
    const QStringList lines = body.split(QLatin1Char('\n'));
    for (int number = 1; number <= lines.size(); ++number) {
        // The same comment rule as in the settings and in aussprache.txt.
        QString line = comments::withoutComment(lines.at(number - 1)).normalized(QString::NormalizationForm_C);
        if (line.isEmpty()) continue;
        // Word processors turn hyphens into dashes: the en dash, the hyphen and the
        // non-breaking hyphen of Unicode, the minus sign.
        for (const char16_t dash : {u'\u2013', u'\u2010', u'\u2011', u'\u2212'}) line.replace(QChar(dash), QLatin1Char('-'));
        // A word of letters (and blanks between words) with single hyphens between them.
        const bool wellFormed = line.size() <= 100 && !line.startsWith(QLatin1Char('-')) &&
                                !line.endsWith(QLatin1Char('-')) && !line.contains(QLatin1String("--")) &&
                                std::all_of(line.begin(), line.end(), [](QChar c) {
                                    return c.isLetter() || c == QLatin1Char('-') || c == QLatin1Char(' ');
                                });
        if (!wellFormed) {
            skipped << number;
            continue;
        }
        const QString word = key(QString(line).remove(QLatin1Char('-')));
        entries_.removeIf([&](const QString& entry) { return key(QString(entry).remove(QLatin1Char('-'))) == word; });
        entries_.append(line);
    }
    return skipped;
}

QList<Piece> Table::lookUp(const QString& word) const {
    const QString wanted = key(word);
    for (const QString& entry : entries_) {
        if (key(QString(entry).remove(QLatin1Char('-'))) != wanted) continue;
        QList<int> breaks;
        int at = 0;
        for (const QChar c : entry) {
            if (c == QLatin1Char('-')) breaks << at;
            else ++at;
        }
        return piecesFromBreaks(word, breaks);
    }
    return {};
}

void forgetTables() {
    std::lock_guard lock(tablesMutex);
    folderTables.clear();
}

}  // namespace syllables
