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
    for (const QChar c : word) {
        if (c.isSurrogate() || !c.isPrint()) return false;
    }
    return true;
}

}  // namespace words
