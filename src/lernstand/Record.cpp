// SPDX-License-Identifier: GPL-3.0-or-later
#include "lernstand/Record.h"

#include <algorithm>
#include <map>

#include "platform/RecordFiles.h"

namespace lernstand {

namespace {

const QString kSuffix = QStringLiteral(".lernstand");
constexpr int kMaxEncodedKey = 180;
constexpr int kMaxWordLength = 64;
constexpr int kMaxLetterLength = 16;

// FNV-1a over the line's text: a line garbled on its way to the share does not count.
QByteArray checksum(const QByteArray& text) {
    quint32 hash = 2166136261u;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    return QByteArray::number(hash, 16).rightJustified(8, '0');
}

// Tabs, line ends, '%' and other control characters written as %XX; the rest as UTF-8.
QByteArray escaped(const QString& text) {
    QByteArray out;
    for (const char c : text.toUtf8()) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7f || c == '%') {
            out += '%';
            out += QByteArray::number(u, 16).rightJustified(2, '0').toUpper();
        } else {
            out += c;
        }
    }
    return out;
}

bool unescaped(const QByteArray& field, QString& text) {
    QByteArray bytes;
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] != '%') {
            bytes += field[i];
            continue;
        }
        if (i + 2 >= field.size()) return false;
        bool ok = false;
        const int value = field.mid(i + 1, 2).toInt(&ok, 16);
        if (!ok) return false;
        bytes += static_cast<char>(value);
        i += 2;
    }
    text = QString::fromUtf8(bytes);
    return !text.contains(QChar::ReplacementCharacter);
}

bool validDay(const QByteArray& day) {
    if (day.size() != 10 || day[4] != '-' || day[7] != '-') return false;
    for (int i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (day[i] < '0' || day[i] > '9') return false;
    const int month = day.mid(5, 2).toInt();
    const int date = day.mid(8, 2).toInt();
    return month >= 1 && month <= 12 && date >= 1 && date <= 31;
}

char outcomeLetter(Outcome outcome) {
    switch (outcome) {
        case Outcome::FirstTry: return 'r';
        case Outcome::AfterReveal: return 'a';
        case Outcome::Unfinished: return 'u';
    }
    return 'r';
}

bool parseLine(const QByteArray& text, Result& result) {
    const QList<QByteArray> fields = text.split('\t');
    if (fields.size() != 8 || fields[0] != "1") return false;
    const qsizetype lastTab = text.lastIndexOf('\t');
    if (checksum(text.left(lastTab)) != fields[7]) return false;
    if (!validDay(fields[1])) return false;
    result.day = QString::fromLatin1(fields[1]);
    if (fields[2].size() != 1 || fields[2][0] < '1' || fields[2][0] > '3') return false;
    result.level = fields[2][0] - '0';
    if (fields[3] == "r") result.outcome = Outcome::FirstTry;
    else if (fields[3] == "a") result.outcome = Outcome::AfterReveal;
    else if (fields[3] == "u") result.outcome = Outcome::Unfinished;
    else return false;
    if (!unescaped(fields[4], result.word) || result.word.isEmpty() || result.word.size() > kMaxWordLength)
        return false;
    if (result.outcome == Outcome::FirstTry) {
        if (!fields[5].isEmpty() || !fields[6].isEmpty()) return false;
        result.box = -1;
        result.letter.clear();
        return true;
    }
    bool ok = false;
    result.box = fields[5].toInt(&ok);
    if (!ok || fields[5].size() > 2 || result.box < 0 || result.box >= result.word.size()) return false;
    return unescaped(fields[6], result.letter) && !result.letter.isEmpty() && result.letter.size() <= kMaxLetterLength;
}

void mergeByDay(std::vector<Result>& results) {
    std::stable_sort(results.begin(), results.end(),
                     [](const Result& a, const Result& b) { return a.day < b.day; });
}

}  // namespace

// A child's key in a file name: ASCII letters and digits as they are, every other byte of
// its UTF-8 as _xx, so that any share takes the name.
QString encodedKey(const QString& key) {
    QString encoded;
    for (const char b : key.toUtf8()) {
        const auto u = static_cast<unsigned char>(b);
        if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9'))
            encoded += QLatin1Char(b);
        else
            encoded += QLatin1Char('_') + QString::number(u, 16).rightJustified(2, QLatin1Char('0'));
    }
    return encoded;
}

QString childKey(const QString& name) {
    QString key = name.trimmed().normalized(QString::NormalizationForm_C).toCaseFolded();
    // Long names are cut, a whole character at a time, so that the file name stays short.
    while (encodedKey(key).size() > kMaxEncodedKey) {
        key.chop(key.size() >= 2 && key.back().isLowSurrogate() ? 2 : 1);
        key = key.trimmed();
    }
    return key;
}

QString fileName(const QString& key, const QString& computerId) {
    return encodedKey(key) + QLatin1Char('~') + computerId + kSuffix;
}

QString childOfFile(const QString& name) {
    if (!name.endsWith(kSuffix)) return QString();
    const qsizetype tilde = name.lastIndexOf(QLatin1Char('~'));
    if (tilde <= 0) return QString();
    const QString encoded = name.left(tilde);
    QByteArray bytes;
    for (qsizetype i = 0; i < encoded.size(); ++i) {
        const QChar c = encoded[i];
        if (c == QLatin1Char('_')) {
            if (i + 2 >= encoded.size()) return QString();
            bool ok = false;
            const int value = encoded.mid(i + 1, 2).toInt(&ok, 16);
            if (!ok) return QString();
            bytes += static_cast<char>(value);
            i += 2;
        } else if (c.unicode() < 128 && c.isLetterOrNumber()) {
            bytes += static_cast<char>(c.unicode());
        } else {
            return QString();
        }
    }
    const QString key = QString::fromUtf8(bytes);
    if (key.isEmpty() || key.contains(QChar::ReplacementCharacter) || key != childKey(key) ||
        fileName(key, QString()) != encoded + QLatin1Char('~') + kSuffix)
        return QString();
    return key;
}

QString shownName(const QString& key) {
    QString shown = key;
    bool start = true;
    for (QChar& c : shown) {
        if (start && c.isLetter()) c = c.toUpper();
        start = c.isSpace() || c == QLatin1Char('-');
    }
    return shown;
}

QByteArray line(const Result& result) {
    QByteArray text = "1\t" + result.day.toLatin1() + '\t' + QByteArray::number(result.level) + '\t' +
                      outcomeLetter(result.outcome) + '\t' + escaped(result.word) + '\t';
    if (result.outcome != Outcome::FirstTry)
        text += QByteArray::number(result.box) + '\t' + escaped(result.letter);
    else
        text += '\t';
    return text + '\t' + checksum(text) + '\n';
}

std::vector<Result> parse(const QByteArray& bytes, int* skipped) {
    std::vector<Result> results;
    int bad = 0;
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype end = bytes.indexOf('\n', start);
        if (end < 0) {  // torn: the line never got its end
            ++bad;
            break;
        }
        Result result;
        if (parseLine(bytes.mid(start, end - start), result)) results.push_back(std::move(result));
        else if (end > start) ++bad;
        start = end + 1;
    }
    if (skipped) *skipped = bad;
    return results;
}

std::vector<Result> readChild(const QString& folder, const QString& key) {
    std::vector<Result> results;
    for (const QString& name : platform::recordFolderFiles(folder)) {
        if (childOfFile(name) != key) continue;
        const std::vector<Result> some =
            parse(platform::readRecordFile(folder + QLatin1Char('/') + name, kMaxFileBytes));
        results.insert(results.end(), some.begin(), some.end());
    }
    mergeByDay(results);
    return results;
}

std::vector<Child> readAll(const QString& folder) {
    std::map<QString, std::vector<Result>> byChild;
    for (const QString& name : platform::recordFolderFiles(folder)) {
        const QString key = childOfFile(name);
        if (key.isEmpty()) continue;
        const std::vector<Result> some =
            parse(platform::readRecordFile(folder + QLatin1Char('/') + name, kMaxFileBytes));
        std::vector<Result>& into = byChild[key];
        into.insert(into.end(), some.begin(), some.end());
    }
    std::vector<Child> children;
    for (auto& [key, results] : byChild) {
        mergeByDay(results);
        children.push_back({key, std::move(results)});
    }
    return children;
}

QStringList forget(const QString& folder, const QString& key, QStringList* failures) {
    QStringList deleted;
    for (const QString& name : platform::recordFolderFiles(folder)) {
        const QString child = childOfFile(name);
        if (child.isEmpty() || (!key.isEmpty() && child != key)) continue;
        const QString why = platform::removeRecordFile(folder + QLatin1Char('/') + name);
        if (why.isEmpty()) deleted << name;
        else if (failures) *failures << name + QStringLiteral(": ") + why;
    }
    return deleted;
}

}  // namespace lernstand
