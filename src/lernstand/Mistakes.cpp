// SPDX-License-Identifier: GPL-3.0-or-later
#include "lernstand/Mistakes.h"

namespace lernstand {

namespace {

bool isVowel(QChar c) { return QStringLiteral("aeiouäöüy").contains(c.toLower()); }

bool pairIs(QChar a, QChar b, char x, char y) {
    return (a == QLatin1Char(x) && b == QLatin1Char(y)) || (a == QLatin1Char(y) && b == QLatin1Char(x));
}

QChar at(const QString& word, int i) { return i >= 0 && i < word.size() ? word[i].toLower() : QChar(); }

}  // namespace

Mistake classify(const QString& word, int box, const QString& written) {
    if (box < 0 || box >= word.size() || written.isEmpty()) return Mistake::Other;
    const QChar right = word[box];
    const QChar typed = written[0];
    const QChar r = right.toLower();
    const QChar t = typed.toLower();
    const QChar before = at(word, box - 1);
    const QChar after = at(word, box + 1);

    if (r == t && right != typed) return Mistake::Capital;
    static const QString umlauts = QStringLiteral("äöü");
    static const QString plain = QStringLiteral("aou");
    if ((umlauts.indexOf(r) >= 0 && umlauts.indexOf(r) == plain.indexOf(t)) ||
        (umlauts.indexOf(t) >= 0 && umlauts.indexOf(t) == plain.indexOf(r)))
        return Mistake::Umlaut;
    if (pairIs(r, t, 'i', 'e') && (after == QLatin1Char('e') || after == QLatin1Char('i') ||
                                   before == QLatin1Char('e') || before == QLatin1Char('i')))
        return Mistake::IeEi;
    if ((r == QLatin1Char('c') && after == QLatin1Char('k') && t == QLatin1Char('k')) ||
        (r == QLatin1Char('t') && after == QLatin1Char('z') && t == QLatin1Char('z')) ||
        (r == QLatin1Char('k') && before == QLatin1Char('c')) || (r == QLatin1Char('z') && before == QLatin1Char('t')))
        return Mistake::CkTz;
    const bool atEnd = box == word.size() - 1 || (!after.isNull() && !isVowel(after) && after.isLetter());
    if (atEnd && (pairIs(r, t, 'b', 'p') || pairIs(r, t, 'd', 't') || pairIs(r, t, 'g', 'k')))
        return Mistake::HardEnd;
    if ((r == QChar(0x00DF) && t == QLatin1Char('s')) ||
        (t == QChar(0x00DF) && r == QLatin1Char('s')))
        return Mistake::SharpS;
    // A doubled consonant: its second letter left out ("Sone"), or one doubled where the
    // word has it once ("Hunnd").
    if ((r == before && !isVowel(r)) || (t == before && !isVowel(t) && t.isLetter())) return Mistake::Double;
    if (!after.isNull() && t == after) return Mistake::LeftOut;
    return Mistake::Other;
}

QString mistakeName(Mistake kind) {
    switch (kind) {
        case Mistake::Capital: return QStringLiteral("Groß- und Kleinschreibung");
        case Mistake::Umlaut: return QStringLiteral("Umlaut (ä, ö, ü)");
        case Mistake::Double: return QStringLiteral("doppelter Mitlaut");
        case Mistake::IeEi: return QStringLiteral("ie oder ei");
        case Mistake::CkTz: return QStringLiteral("ck oder tz");
        case Mistake::HardEnd: return QStringLiteral("b/p, d/t, g/k am Wortende");
        case Mistake::SharpS: return QStringLiteral("ß oder s");
        case Mistake::LeftOut: return QStringLiteral("Buchstabe ausgelassen");
        case Mistake::Other: return QStringLiteral("anderer Fehler");
    }
    return QString();
}

}  // namespace lernstand
