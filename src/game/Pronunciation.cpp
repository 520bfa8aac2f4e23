// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/Pronunciation.h"

#include <QStringList>

QString Pronunciations::key(const QString& word) {
    return word.trimmed().normalized(QString::NormalizationForm_C).toLower();
}

void Pronunciations::parse(const QString& text) {
    QString body = text;
    if (body.startsWith(QChar(0xFEFF))) body.remove(0, 1);  // a byte-order mark from an editor
    const QStringList lines = body.split(QLatin1Char('\n'));
    for (QString line : lines) {
        const qsizetype comment = line.indexOf(QLatin1Char('#'));
        if (comment >= 0) line.truncate(comment);
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0) continue;
        const QString word = key(line.left(equals));
        const QString replacement = line.mid(equals + 1).trimmed().normalized(QString::NormalizationForm_C);
        if (word.isEmpty() || replacement.isEmpty() || replacement.size() > 200) continue;
        // Half a phoneme bracket would make the voice read the brackets aloud.
        const bool opens = replacement.startsWith(QLatin1String("[["));
        const bool closes = replacement.endsWith(QLatin1String("]]"));
        if (opens != closes || (!opens && replacement.contains(QLatin1String("[[")))) continue;
        entries_.insert(word, replacement);
    }
}

void Pronunciations::merge(const Pronunciations& other) {
    for (auto it = other.entries_.cbegin(); it != other.entries_.cend(); ++it) entries_.insert(it.key(), it.value());
}

QString Pronunciations::spoken(const QString& word) const {
    return entries_.value(key(word), word);
}
