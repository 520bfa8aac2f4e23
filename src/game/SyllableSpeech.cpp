// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/SyllableSpeech.h"

#include <QHash>
#include <algorithm>

namespace syllablespeech {

namespace {

// The voice's vowels, longest first, so that "aI" is found before "a".
const QStringList kVowels = {"aI", "aU", "OY", "a:", "A:", "e:", "E:", "E2", "i:", "o:", "u:", "y:", "Y:", "2:", "W:", "W",
                             "a",  "A",  "e",  "E",  "i",  "I",  "o",  "O",  "u",  "U",  "y",  "Y",  "@",
                             "3",  "6",  "9",  "2"};
// The vowels of a word the voice says as English ("(en)b'eIbi(de)" for "Baby"), longest first.
const QStringList kForeignVowels = {"aI@", "aU@", "i@3", "eI", "aI", "aU", "OI", "oU", "@U", "e@", "i@", "U@", "o@",
                                    "A@", "O@", "3:", "A:", "i:", "u:", "O:", "@L", "I2", "a#", "0", "V", "a", "A",
                                    "e", "E", "i", "I", "o", "O", "u", "U", "@", "3"};
// Those the German voice cannot say, and the German vowel closest to each.
const QHash<QString, QString> kForeignToGerman = {{"0", "O"}, {"V", "a"}, {"I2", "I"}, {"a#", "a"}};
// Consonants of two characters; "_" begins a pause or a glottal stop ("_!", "_|").
const QStringList kPairs = {"pF", "ts", "tS", "dZ"};

struct Token {
    QString text;       // with the stress mark before it, if any
    bool vowel = false;
};

QList<Token> tokens(const QString& phonemes) {
    QList<Token> found;
    QString stress;
    bool foreign = false;
    for (int i = 0; i < phonemes.size();) {
        const QChar c = phonemes.at(i);
        // "(en)" … "(de)": where the voice changes language. The marks are no sounds.
        const qsizetype close = c == QLatin1Char('(') ? phonemes.indexOf(QLatin1Char(')'), i) : -1;
        if (close > i) {
            foreign = phonemes.mid(i + 1, close - i - 1) != QLatin1String("de");
            i = int(close) + 1;
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char(',')) {
            stress += c;
            ++i;
            continue;
        }
        Token token;
        const QStringList& vowels = foreign ? kForeignVowels : kVowels;
        const auto vowel = std::find_if(vowels.begin(), vowels.end(),
                                        [&](const QString& v) { return phonemes.mid(i, v.size()) == v; });
        if (vowel != vowels.end()) {
            token.text = foreign ? kForeignToGerman.value(*vowel, *vowel) : *vowel;
            // A vowel marked ";" is no syllable's core ("I;" in "Kastanie").
            token.vowel = phonemes.mid(i + vowel->size(), 1) != QLatin1String(";");
            if (!token.vowel) token.text += QLatin1Char(';');
        } else if (kPairs.contains(phonemes.mid(i, 2)) || c == QLatin1Char('_')) {
            token.text = phonemes.mid(i, 2);
        } else {
            token.text = c;
        }
        i += int(vowel != vowels.end() ? vowel->size() + (token.vowel ? 0 : 1) : token.text.size());
        token.text.prepend(stress);
        stress.clear();
        found.append(token);
    }
    return found;
}

bool writtenVowel(const QString& lower, int i) {
    static const QString vowels = QStringLiteral("aeiouyäöü");
    if (!vowels.contains(lower.at(i))) return false;
    return !(lower.at(i) == QLatin1Char('u') && i > 0 && lower.at(i - 1) == QLatin1Char('q'));
}

// The consonant sounds written between `from` and `to` ("sch", "ch", "ck" and "ph" each one).
int writtenConsonants(const QString& lower, int from, int to) {
    int count = 0;
    for (int i = from; i < to; ++count) {
        int length = 1;
        for (const QString& unit : {QStringLiteral("sch"), QStringLiteral("ch"), QStringLiteral("ck"), QStringLiteral("ph")})
            if (lower.mid(i, unit.size()) == unit && i + unit.size() <= to) {
                length = int(unit.size());
                break;
            }
        i += length;
    }
    return count;
}

}  // namespace

QStringList cut(const QString& word, const QList<syllables::Piece>& pieces, const QString& phonemes) {
    if (pieces.isEmpty() || phonemes.contains(QLatin1Char(' '))) return {};
    for (int i = 1; i < pieces.size(); ++i)
        if (pieces.at(i - 1).start + pieces.at(i - 1).length != pieces.at(i).start) return {};  // several parts
    const QList<Token> said = tokens(phonemes.trimmed());
    QList<int> vowels;
    for (int i = 0; i < said.size(); ++i)
        if (said.at(i).vowel) vowels << i;
    if (vowels.size() != pieces.size()) return {};
    const QString lower = word.toLower();
    // Where each syllable's phonemes begin and end, as token positions [begin, end).
    QList<int> begin{0}, end;
    for (int k = 0; k + 1 < pieces.size(); ++k) {
        const syllables::Piece& left = pieces.at(k);
        const syllables::Piece& right = pieces.at(k + 1);
        int lastVowel = left.start + left.length - 1;
        while (lastVowel > left.start && !writtenVowel(lower, lastVowel)) --lastVowel;
        int firstVowel = right.start;
        while (firstVowel < right.start + right.length - 1 && !writtenVowel(lower, firstVowel)) ++firstVowel;
        const int before = writtenConsonants(lower, lastVowel + 1, right.start);
        const int after = writtenConsonants(lower, right.start, firstVowel);
        const int n = vowels.at(k + 1) - vowels.at(k) - 1;  // consonants said between the two vowels
        const int start = vowels.at(k) + 1;
        if (n == 1 && before > 0 && after > 0) {  // said once, written on both sides: in both
            end << start + 1;
            begin << start;
            continue;
        }
        // The later consonants go with the later syllable, as many as it has written (at least
        // one when it has any), the rest stay with the earlier one.
        const int toRight = after == 0 || n == 0 ? 0 : std::clamp(n - before, 1, n);
        end << start + n - std::min(toRight, n);
        begin << start + n - std::min(toRight, n);
    }
    end << int(said.size());
    QStringList parts;
    for (int k = 0; k < pieces.size(); ++k) {
        QString part;
        for (int i = begin.at(k); i < end.at(k); ++i) part += said.at(i).text;
        // An affricate said once for both ("ts" in "Kat-ze") ends the earlier syllable with its
        // first sound only.
        if (k + 1 < pieces.size() && end.at(k) > begin.at(k + 1)) {
            const QString shared = said.at(end.at(k) - 1).text;
            if (kPairs.contains(shared)) part.chop(1);
        }
        parts << part;
    }
    return parts;
}

QString plain(const QString& phonemes) {
    QString result;
    for (const Token& token : tokens(phonemes)) {
        QString text = token.text;
        text.remove(QLatin1Char('\'')).remove(QLatin1Char(','));
        if (!text.startsWith(QLatin1Char('_'))) result += text;
    }
    return result;
}

}  // namespace syllablespeech
