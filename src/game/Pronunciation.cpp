// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/Pronunciation.h"

#include <QStringList>

#include "game/Comments.h"

QString Pronunciations::key(const QString& word) {
    return word.trimmed().normalized(QString::NormalizationForm_C).toLower();
}

QList<int> Pronunciations::parse(const QString& text) {
    QList<int> skipped;
    QString body = text;
    if (body.startsWith(QChar(0xFEFF))) body.remove(0, 1);  // a byte-order mark from an editor
    const QStringList lines = body.split(QLatin1Char('\n'));
    for (int number = 1; number <= lines.size(); ++number) {
        const QString line = comments::withoutComment(lines.at(number - 1));
        if (line.isEmpty()) continue;
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        const QString word = equals < 0 ? QString() : key(line.left(equals));
        const QString replacement = line.mid(equals + 1).trimmed().normalized(QString::NormalizationForm_C);
        // Half a phoneme bracket would make the voice read the brackets aloud.
        const bool opens = replacement.startsWith(QLatin1String("[["));
        const bool closes = replacement.endsWith(QLatin1String("]]"));
        if (equals < 0 || word.isEmpty() || replacement.isEmpty() || replacement.size() > 200 || opens != closes ||
            (!opens && replacement.contains(QLatin1String("[[")))) {
            skipped << number;
            continue;
        }
        entries_.insert(word, replacement);
    }
    return skipped;
}

void Pronunciations::merge(const Pronunciations& other) {
    for (auto it = other.entries_.cbegin(); it != other.entries_.cend(); ++it) entries_.insert(it.key(), it.value());
}

QString Pronunciations::spoken(const QString& word) const {
    return entries_.value(key(word), word);
}
