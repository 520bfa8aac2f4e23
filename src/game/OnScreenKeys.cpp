// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/OnScreenKeys.h"

#include <QHash>
#include <QVarLengthArray>
#include <algorithm>

#include "game/Options.h"
#include "game/WordList.h"
#include "game/Words.h"
#include "platform/ui/LetterKeys.h"

namespace onscreen {

namespace {

const QString kShift{QChar(platform::LetterKeyboard::kShift)};
const QString kErase{QChar(platform::LetterKeyboard::kErase)};

// The characters of the two rows, in lower case, blank and hyphen included.
bool onTheRows(QChar lower) {
    if (lower >= QLatin1Char('a') && lower <= QLatin1Char('z')) return true;
    switch (lower.unicode()) {
        case u'ä': case u'ö': case u'ü': case u'ß': case u' ': case u'-': return true;
        default: return false;
    }
}

// How many names of the list hold each character that is no plain letter a to z; it follows
// the list from the first question on.
class Needs : public wordlist::Follower {
public:
    QHash<QChar, int> names;

    void appended(const QStringList& added) override {
        for (const QString& name : added) count(name, +1);
    }
    void removed(const QString& name) override { count(name, -1); }
    void cleared() override { names.clear(); }

private:
    void count(const QString& fileName, int delta);
};

const Needs& current() {
    static Needs kept;
    static const bool following = (wordlist::follow(&kept), true);
    (void)following;
    return kept;
}

// The characters of a name's word (in lower case, each once) that are no letter a to z.
// Names in plain ASCII are read as they are; others are composed as the game does.
QVarLengthArray<QChar, 8> specialCharacters(const QString& fileName) {
    QVarLengthArray<QChar, 8> found;
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    const qsizetype end = dot < 0 ? fileName.size() : dot;
    const QChar* const begin = fileName.constData();
    const bool ascii = std::all_of(begin, begin + end, [](QChar c) { return c.unicode() < 0x80; });
    const QString composed = ascii ? QString() : words::fromFileName(fileName).toLower();
    const QChar* const from = ascii ? begin : composed.constData();
    const QChar* const to = ascii ? begin + end : from + composed.size();
    for (const QChar* p = from; p != to; ++p) {
        QChar c = *p;
        if (c.unicode() < 0x80) {
            if (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) continue;
            if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) continue;
        } else {
            c = c.toLower();
        }
        if (!found.contains(c)) found.append(c);
    }
    return found;
}

void Needs::count(const QString& fileName, int delta) {
    for (const QChar c : specialCharacters(fileName)) {
        int& n = names[c];
        n = std::max(0, n + delta);
    }
}

}  // namespace

bool keysShown() {
    switch (options::current().letterKeys) {
        case options::LetterKeys::Off: return false;
        case options::LetterKeys::On: return true;
        case options::LetterKeys::Automatic: return platform::touchScreenPresent();
    }
    return false;
}

QStringList gameRows() {
    return {QStringLiteral("aäbcdefghijklmnoö"), kShift + QStringLiteral("pqrsßtuüvwxyz- ")};
}

QStringList nameRows() {
    return {QStringLiteral("aäbcdefgh"), QStringLiteral("ijklmnoöp"), QStringLiteral("qrsßtuüvw"),
            QStringLiteral("xyz- ") + kShift + kErase};
}

bool vocabularyNeeds(QChar character) {
    const QChar lower = character.toLower();
    if (lower >= QLatin1Char('a') && lower <= QLatin1Char('z')) {
        // Plain letters are not counted; the list is walked for them.
        const QStringList& names = wordlist::names();
        for (qsizetype i = 1; i <= wordlist::count(); ++i)
            if (words::fromFileName(names.at(i)).toLower().contains(lower)) return true;
        return false;
    }
    return current().names.value(lower) > 0;
}

QString vocabularyExtras() {
    QString extras;
    const Needs& kept = current();
    for (auto it = kept.names.cbegin(); it != kept.names.cend(); ++it)
        if (it.value() > 0 && !onTheRows(it.key())) extras += it.key();
    std::sort(extras.begin(), extras.end());
    return extras;
}

QString charactersOffTheKeys(const QString& word) {
    QString off;
    for (const QChar c : word) {
        const QChar lower = c.toLower();
        if (!onTheRows(lower) && !off.contains(lower)) off += lower;
    }
    return off;
}

}  // namespace onscreen
