// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/Syllables.h"
#include "game/Comments.h"

#include <QHash>
#include <algorithm>
#include <mutex>

#include "platform/Files.h"
#include "platform/Hyphenation.h"
#include "platform/TextFile.h"

namespace syllables {

namespace {

const QString kTeacherTable = QStringLiteral("silben.txt");
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

// The length of the consonant that follows the first letter, when it is one sound
// ("sch", "ch", "ck", or a single letter) and a vowel follows it; 0 otherwise.
int singleConsonantAfterFirst(const QString& lower) {
    for (const QString& unit : {QStringLiteral("sch"), QStringLiteral("ch"), QStringLiteral("ck")})
        if (lower.mid(1, unit.size()) == unit) return isVowel(charAt(lower, 1 + unit.size())) ? int(unit.size()) : 0;
    if (lower.size() < 3 || isVowel(lower.at(1)) || !lower.at(1).isLetter()) return 0;
    return isVowel(lower.at(2)) ? 1 : 0;
}

// The breaks of one run of letters, as positions inside it.
QList<int> runBreaks(const QString& letters) {
    const QString lower = letters.toLower();
    QList<int> breaks;
    for (const int point : platform::hyphenationPoints(letters)) {
        const int at = keepTogether(lower, point);
        if (at > 0 && at < letters.size() && !breaks.contains(at)) breaks << at;
    }
    // A single vowel at the start is a syllable of its own: "E-sel", "O-fen", "A-mei-se".
    if (isVowel(lower.at(0)) && singleConsonantAfterFirst(lower) > 0 && !breaks.contains(1)) breaks << 1;
    std::sort(breaks.begin(), breaks.end());
    // Every syllable holds a vowel: one without joins the syllable before it (the first
    // syllable joins the one after it).
    QList<int> kept;
    int from = 0;
    for (int i = 0; i <= breaks.size(); ++i) {
        const int to = i < breaks.size() ? breaks.at(i) : letters.size();
        if (!hasVowel(letters.mid(from, to - from))) {
            if (i == breaks.size() && !kept.isEmpty()) kept.removeLast();  // the last joins the one before
            continue;  // the first joins the next: its break is dropped
        }
        if (i < breaks.size()) kept << to;
        from = to;
    }
    // A tail without a vowel has been joined above; a break at the very end is none.
    kept.removeIf([&](int at) { return at >= letters.size(); });
    return kept;
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

QString hyphenated(const QString& word, const QString& folder) {
    QString result = word;
    const QList<Piece> pieces = split(word, folder);
    // From the back, so that the positions before stay valid.
    for (qsizetype i = pieces.size() - 1; i > 0; --i)
        if (pieces.at(i - 1).start + pieces.at(i - 1).length == pieces.at(i).start)
            result.insert(pieces.at(i).start, QLatin1Char('-'));
    return result;
}

void Table::parse(const QString& text) {
    QString body = text;
    if (body.startsWith(QChar(0xFEFF))) body.remove(0, 1);  // a byte-order mark from an editor
    for (const QString& written : body.split(QLatin1Char('\n'))) {
        // The same comment rule as in the settings and in aussprache.txt.
        const QString line = comments::withoutComment(written).normalized(QString::NormalizationForm_C);
        // A word of letters (and blanks between words) with single hyphens between them.
        if (line.isEmpty() || line.size() > 100 || line.startsWith(QLatin1Char('-')) ||
            line.endsWith(QLatin1Char('-')) || line.contains(QLatin1String("--")))
            continue;
        if (!std::all_of(line.begin(), line.end(), [](QChar c) {
                return c.isLetter() || c == QLatin1Char('-') || c == QLatin1Char(' ');
            }))
            continue;
        const QString word = key(QString(line).remove(QLatin1Char('-')));
        entries_.removeIf([&](const QString& entry) { return key(QString(entry).remove(QLatin1Char('-'))) == word; });
        entries_.append(line);
    }
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
