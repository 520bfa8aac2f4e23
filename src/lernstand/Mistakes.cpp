// SPDX-License-Identifier: GPL-3.0-or-later
#include "lernstand/Mistakes.h"

namespace lernstand {

namespace {

const QChar kSharpS(0x00DF);
const QChar kAe(0x00E4);

bool isVowel(QChar c) { return QStringLiteral("aeiouäöüy").contains(c.toLower()); }
bool isConsonant(QChar c) { return c.isLetter() && !isVowel(c); }
bool pairIs(QChar a, QChar b, char x, char y) {
    return (a == QLatin1Char(x) && b == QLatin1Char(y)) || (a == QLatin1Char(y) && b == QLatin1Char(x));
}

// The right letter at the first wrong box, its neighbours and the letter written there,
// all in lower case.
struct Box {
    QString word;  // lower case
    int at = 0;
    QChar before, right, after, typed;
    bool wordHas(const char* pair) const {
        const QString p = QLatin1String(pair);
        return word.mid(at - 1, 2) == p || word.mid(at, 2) == p;
    }
};

// At the word's end: the last letter, or among the consonants that end it ("Hemd").
bool inLastConsonants(const Box& b) {
    for (qsizetype i = b.at + 1; i < b.word.size(); ++i)
        if (!isConsonant(b.word[i])) return false;
    return true;
}

bool umlaut(const Box& b) {
    static const QString umlauts = QStringLiteral("äöü");
    static const QString plain = QStringLiteral("aou");
    const QChar r = b.right, t = b.typed;
    if ((umlauts.indexOf(r) >= 0 && umlauts.indexOf(r) == plain.indexOf(t)) ||
        (umlauts.indexOf(t) >= 0 && umlauts.indexOf(t) == plain.indexOf(r)))
        return true;
    return (r == kAe && t == QLatin1Char('e')) || (r == QLatin1Char('e') && t == kAe);  // ä/e, äu/eu
}

// ie: the word has ie there, or the child wrote ie ("Iegel", "Tieger"); or ei and ie mixed.
bool ie(const Box& b) {
    const bool wroteIe = b.before == QLatin1Char('i') && b.typed == QLatin1Char('e');
    return b.wordHas("ie") || wroteIe || (b.wordHas("ei") && pairIs(b.right, b.typed, 'e', 'i'));
}

bool ckTz(const Box& b) {
    const QChar r = b.right, t = b.typed;
    if (r == QLatin1Char('c') && b.after == QLatin1Char('k') && t == QLatin1Char('k')) return true;  // Zuker
    if (r == QLatin1Char('t') && b.after == QLatin1Char('z') && t == QLatin1Char('z')) return true;  // Kaze
    if (r == QLatin1Char('k') && t == QLatin1Char('c') && b.before != QLatin1Char('c')) return true;  // Kiosck
    if (r == QLatin1Char('z') && t == QLatin1Char('t') && b.before != QLatin1Char('t')) return true;  // Bretzel
    return false;
}

bool hardEnd(const Box& b) {
    const bool pair = pairIs(b.right, b.typed, 'b', 'p') || pairIs(b.right, b.typed, 'd', 't') ||
                      pairIs(b.right, b.typed, 'g', 'k');
    return pair && inLastConsonants(b);
}

bool sharpS(const Box& b) {
    return (b.right == kSharpS && b.typed == QLatin1Char('s')) ||
           (b.typed == kSharpS && b.right == QLatin1Char('s'));
}

// A doubled consonant: its second letter left out ("Sone"), or one doubled where the word
// has it once ("Hunnd").
bool doubled(const Box& b) {
    return (b.right == b.before && isConsonant(b.right)) || (b.typed == b.before && isConsonant(b.typed));
}

// A letter added: a vowel written again ("Maaus"), or a vowel put between two consonants
// ("Bulume").
bool added(const Box& b) {
    if (b.typed == b.before && isVowel(b.typed)) return true;
    return isVowel(b.typed) && isConsonant(b.right) && isConsonant(b.before) && b.typed != b.after;
}

}  // namespace

Mistake classify(const QString& word, int box, const QString& written) {
    if (box < 0 || box >= word.size() || written.isEmpty()) return Mistake::Other;
    const QString lower = word.toLower();
    Box b;
    b.word = lower;
    b.at = box;
    b.right = lower[box];
    b.typed = written[0].toLower();
    b.before = box > 0 ? lower[box - 1] : QChar();
    b.after = box + 1 < lower.size() ? lower[box + 1] : QChar();

    if (b.right == b.typed && word[box] != written[0]) return Mistake::Capital;
    if (umlaut(b)) return Mistake::Umlaut;
    if (ie(b)) return Mistake::IeEi;
    if (ckTz(b)) return Mistake::CkTz;
    if (pairIs(b.right, b.typed, 'v', 'f')) return Mistake::VF;
    if (hardEnd(b)) return Mistake::HardEnd;
    if (sharpS(b)) return Mistake::SharpS;
    if (doubled(b)) return Mistake::Double;
    if (!b.after.isNull() && b.typed == b.after) return Mistake::LeftOut;
    if (added(b)) return Mistake::Added;
    return Mistake::Other;
}

QString mistakeName(Mistake kind) {
    switch (kind) {
        case Mistake::Capital: return QStringLiteral("Groß- und Kleinschreibung");
        case Mistake::Umlaut: return QStringLiteral("ä/e, äu/eu, Umlaut");
        case Mistake::Double: return QStringLiteral("doppelter Mitlaut");
        case Mistake::IeEi: return QStringLiteral("ie oder ei");
        case Mistake::CkTz: return QStringLiteral("ck/k, tz/z");
        case Mistake::HardEnd: return QStringLiteral("b/p, d/t, g/k am Wortende");
        case Mistake::SharpS: return QStringLiteral("ß, s oder ss");
        case Mistake::LeftOut: return QStringLiteral("Buchstabe ausgelassen");
        case Mistake::VF: return QStringLiteral("v oder f");
        case Mistake::Added: return QStringLiteral("Buchstabe zu viel");
        case Mistake::Other: return QStringLiteral("anderer Fehler");
    }
    return QString();
}

}  // namespace lernstand
