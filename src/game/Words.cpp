// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/Words.h"

#include "game/Rules.h"

#include <QStringList>

namespace words {

QString fromFileName(const QString& fileName) {
    QString word = fileName.normalized(QString::NormalizationForm_C);
    const int dot = word.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0) word.truncate(dot);
    if (!word.isEmpty() && !word.at(0).isSurrogate()) word[0] = word.at(0).toUpper();
    return word;
}

bool nameCanBeWord(const QString& fileName) {
    static const QStringList foreign = {QStringLiteral("thumbs.db"), QStringLiteral("desktop.ini"),
                                        QStringLiteral("ehthumbs.db")};
    if (fileName.startsWith(QLatin1Char('.'))) return false;
    if (foreign.contains(fileName.toLower())) return false;
    const int dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0 || dot == fileName.size() - 1) return false;
    const QString word = fromFileName(fileName);
    if (word.isEmpty() || word.size() > rules::kLetterBoxes) return false;
    // Blanks count only inside the word, and only the ordinary one a keyboard types.
    if (word.front().isSpace() || word.back().isSpace()) return false;
    for (const QChar c : word) {
        if (c.isSurrogate() || !c.isPrint()) return false;
        if (c.isSpace() && c != QLatin1Char(' ')) return false;
        switch (c.category()) {
            case QChar::Other_Control:
            case QChar::Other_Format:  // soft hyphen, zero-width joiner and the like
            case QChar::Mark_NonSpacing:  // a mark that found no letter to join
            case QChar::Mark_SpacingCombining:
            case QChar::Mark_Enclosing:
            case QChar::Separator_Line:
            case QChar::Separator_Paragraph:
                return false;
            default:
                break;
        }
    }
    return true;
}

}  // namespace words
