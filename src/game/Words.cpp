// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/Words.h"

#include "game/Rules.h"

#include <QStringList>
#include <QStringView>

#include <algorithm>

namespace words {

QString fromFileName(const QString& fileName) {
    QString word = fileName.normalized(QString::NormalizationForm_C);
    const int dot = word.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0) word.truncate(dot);
    if (!word.isEmpty() && !word.at(0).isSurrogate()) word[0] = word.at(0).toUpper();
    return word;
}

bool nameCanBeWord(const QString& fileName) { return nameFault(fileName) == NameFault::None; }

NameFault nameFault(const QString& fileName) {
    // A folder of tens of thousands of names is listed for every game: nothing here
    // allocates for a name in plain ASCII.
    static const QLatin1String foreign[] = {QLatin1String("thumbs.db"), QLatin1String("desktop.ini"),
                                            QLatin1String("ehthumbs.db")};
    if (fileName.startsWith(QLatin1Char('.'))) return NameFault::Hidden;
    for (const QLatin1String& name : foreign)
        if (fileName.compare(name, Qt::CaseInsensitive) == 0) return NameFault::Foreign;
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0 || dot == fileName.size() - 1) return NameFault::NoExtension;
    // The word as fromFileName makes it; upper-casing its first character changes none of
    // the tests below, and a name in ASCII is composed already.
    const QStringView stem = QStringView(fileName).left(dot);
    const bool ascii = std::all_of(stem.begin(), stem.end(), [](QChar c) { return c.unicode() < 0x80; });
    const QString composed = ascii ? QString() : stem.toString().normalized(QString::NormalizationForm_C);
    const QStringView word = ascii ? stem : QStringView(composed);
    if (word.isEmpty()) return NameFault::NoWord;
    if (word.size() > rules::kLetterBoxes) return NameFault::TooLong;
    // Blanks count only inside the word, and only the ordinary one a keyboard types.
    if (word.front().isSpace() || word.back().isSpace()) return NameFault::Untypeable;
    for (const QChar c : word) {
        if (c.isSurrogate() || !c.isPrint()) return NameFault::Untypeable;
        if (c.isSpace() && c != QLatin1Char(' ')) return NameFault::Untypeable;
        switch (c.category()) {
            case QChar::Other_Control:
            case QChar::Other_Format:  // soft hyphen, zero-width joiner and the like
            case QChar::Mark_NonSpacing:  // a mark that found no letter to join
            case QChar::Mark_SpacingCombining:
            case QChar::Mark_Enclosing:
            case QChar::Separator_Line:
            case QChar::Separator_Paragraph:
                return NameFault::Untypeable;
            default:
                break;
        }
    }
    return NameFault::None;
}

namespace {

qsizetype lastSeparator(const QString& path) {
    return std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
}

}  // namespace

QString folderOf(const QString& picture) { return picture.left(std::max<qsizetype>(lastSeparator(picture), 0)); }

QString fileNameOf(const QString& picture) { return picture.mid(lastSeparator(picture) + 1); }

}  // namespace words
