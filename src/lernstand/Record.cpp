// SPDX-License-Identifier: GPL-3.0-or-later
// A result as one line of a record file and back: the lines, their checks, the names of
// the files.
#include "lernstand/Record.h"

#include <QHash>
#include <QCryptographicHash>
#include <QMessageAuthenticationCode>
#include <QRegularExpression>
#include <algorithm>
#include <string>
#include <string_view>
#include <unordered_map>


namespace lernstand {

namespace {

const QString kSuffix = QStringLiteral(".lernstand");
constexpr int kMaxEncodedKey = 180;
constexpr int kMaxWordLength = 64;
constexpr int kMaxLetterLength = 16;

// FNV-1a over the line's text: a line garbled on its way to the share does not count.
quint32 checksumValue(QByteArrayView text) {
    quint32 hash = 2166136261u;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    return hash;
}

QByteArray checksum(QByteArrayView text) { return QByteArray::number(checksumValue(text), 16).rightJustified(8, '0'); }

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

// A word or a written letter holds only what a child types: no control or format
// characters, no line or paragraph separators.
bool typedText(const QString& text) {
    for (const QChar c : text) {
        switch (c.category()) {
            case QChar::Other_Control:
            case QChar::Other_Format:
            case QChar::Other_NotAssigned:
            case QChar::Separator_Line:
            case QChar::Separator_Paragraph: return false;
            default: break;
        }
    }
    return true;
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

// The texts of one file's lines, each made once: a child writes the same words again and
// again, and reading years of results must stay quick.
struct ViewHash {
    using is_transparent = void;
    size_t operator()(std::string_view v) const { return std::hash<std::string_view>{}(v); }
};
using Made = std::unordered_map<std::string, QString, ViewHash, std::equal_to<>>;

struct Texts {
    Made words;
    Made letters;
    QByteArray lastDay;
    QString lastDayText;
};

// A field's text, unescaped and checked; false when it is no text a child typed.
bool fieldText(QByteArrayView field, Made& made, QString& text) {
    const std::string_view view(field.data(), static_cast<size_t>(field.size()));
    auto it = made.find(view);
    if (it == made.end()) {
        QString value;
        if (!unescaped(field.toByteArray(), value) || value.isEmpty() || !typedText(value)) value = QString();
        it = made.emplace(std::string(view), value).first;
    }
    text = it->second;
    return !text.isNull();
}

bool parseLine(QByteArrayView text, Result& result, Texts& texts) {
    QByteArrayView fields[8];
    qsizetype count = 0, start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != '\t') continue;
        if (count == 8) return false;
        fields[count++] = text.sliced(start, i - start);
        start = i + 1;
    }
    if (count != 8 || fields[0] != "1") return false;
    bool hexOk = false;
    if (fields[7].size() != 8 || fields[7].toUInt(&hexOk, 16) != checksumValue(text.first(text.size() - 9)) || !hexOk)
        return false;
    if (fields[1] != texts.lastDay) {  // a file's lines come by day
        texts.lastDay = fields[1].toByteArray();
        texts.lastDayText = validDay(texts.lastDay) ? QString::fromLatin1(texts.lastDay) : QString();
    }
    if (texts.lastDayText.isNull()) return false;
    result.day = texts.lastDayText;
    if (fields[2].size() != 1 || fields[2][0] < '1' || fields[2][0] > '3') return false;
    result.level = fields[2][0] - '0';
    if (fields[3] == "r") result.outcome = Outcome::FirstTry;
    else if (fields[3] == "a") result.outcome = Outcome::AfterReveal;
    else if (fields[3] == "u") result.outcome = Outcome::Unfinished;
    else return false;
    if (!fieldText(fields[4], texts.words, result.word) || result.word.size() > kMaxWordLength) return false;
    if (result.outcome == Outcome::FirstTry) {
        if (!fields[5].isEmpty() || !fields[6].isEmpty()) return false;
        result.box = -1;
        result.letter.clear();
        return true;
    }
    bool ok = false;
    result.box = fields[5].toInt(&ok);
    if (!ok || fields[5].size() > 2 || result.box < 0 || result.box >= result.word.size()) return false;
    return fieldText(fields[6], texts.letters, result.letter) && result.letter.size() <= kMaxLetterLength;
}

bool parseFolderLine(const QByteArray& text, QString& folder) {
    const QList<QByteArray> fields = text.split('\t');
    if (fields.size() != 3 || fields[0] != "f") return false;
    if (checksum(text.left(text.lastIndexOf('\t'))) != fields[2]) return false;
    QString path;
    if (!unescaped(fields[1], path) || !path.startsWith(QLatin1Char('/')) || !typedText(path)) return false;
    folder = path;
    return true;
}

bool parseNameLine(const QByteArray& text, QString& key) {
    const QList<QByteArray> fields = text.split('\t');
    if (fields.size() != 3 || fields[0] != "n") return false;
    if (checksum(text.left(text.lastIndexOf('\t'))) != fields[2]) return false;
    QString name;
    if (!unescaped(fields[1], name) || name.isEmpty() || !typedText(name) || childKey(name) != name) return false;
    key = name;
    return true;
}

// A miss is kept when it happens, as unfinished; written right afterwards, it is one result
// (another program writing the same file may have put lines between the two).
using Open = QHash<QByteArray, std::vector<size_t>>;

QByteArray missKey(const Result& r) {
    return r.day.toLatin1() + '\t' + QByteArray::number(r.level) + '\t' + r.word.toUtf8() + '\t' +
           QByteArray::number(r.box) + '\t' + r.letter.toUtf8();
}

void addResult(std::vector<Result>& results, Result&& result, Open& open) {
    if (result.outcome == Outcome::AfterReveal) {
        auto it = open.find(missKey(result));
        if (it != open.end() && !it->empty()) {
            results[it->back()].outcome = Outcome::AfterReveal;
            it->pop_back();
            return;
        }
    }
    if (result.outcome == Outcome::Unfinished) open[missKey(result)].push_back(results.size());
    results.push_back(std::move(result));
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

QString legacyFileName(const QString& key, const QString& computerId) {
    return encodedKey(key) + QLatin1Char('~') + computerId + kSuffix;
}

QString fileName(const QString& key, const QString& computerId, const QByteArray& secret) {
    const QByteArray mac = QMessageAuthenticationCode::hash(key.toUtf8(), secret, QCryptographicHash::Sha256);
    return QString::fromLatin1(mac.toHex().left(24)) + QLatin1Char('.') + computerId + kSuffix;
}

bool isRecordFile(const QString& name) {
    static const QRegularExpression hashed(QStringLiteral("^[0-9a-f]{24}\\.[A-Za-z0-9]{1,32}\\.lernstand$"));
    return hashed.match(name).hasMatch() || !childOfFile(name).isEmpty();
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
        legacyFileName(key, QString()) != encoded + QLatin1Char('~') + kSuffix)
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

QByteArray folderLine(const QString& folder) {
    const QByteArray text = "f\t" + escaped(folder);
    return text + '\t' + checksum(text) + '\n';
}

QByteArray nameLine(const QString& key) {
    const QByteArray text = "n\t" + escaped(key);
    return text + '\t' + checksum(text) + '\n';
}

std::vector<Result> parse(const QByteArray& bytes, int* skipped, QString* key) {
    std::vector<Result> results;
    Open open;
    Texts texts;
    QString folder;
    int bad = 0;
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype end = bytes.indexOf('\n', start);
        if (end < 0) {  // torn: the line never got its end
            ++bad;
            break;
        }
        Result result;
        const QByteArrayView text = QByteArrayView(bytes).sliced(start, end - start);
        QString name;
        if (parseLine(text, result, texts)) {
            result.folder = folder;
            addResult(results, std::move(result), open);
        } else if (text.startsWith("f\t") && parseFolderLine(text.toByteArray(), name)) {
            folder = name;
        } else if (text.startsWith("n\t") && parseNameLine(text.toByteArray(), name)) {
            if (key) *key = name;
        } else if (end > start) ++bad;
        start = end + 1;
    }
    if (skipped) *skipped = bad;
    return results;
}

}  // namespace lernstand
