// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/Comments.h"

namespace comments {

QString withoutComment(const QString& line) {
    QString text = line.trimmed();
    if (text.startsWith(QLatin1Char('#')) || text.startsWith(QLatin1Char(';'))) return QString();
    for (qsizetype i = 1; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('#') && (text.at(i - 1) == QLatin1Char(' ') || text.at(i - 1) == QLatin1Char('\t'))) {
            text.truncate(i);
            break;
        }
    }
    return text.trimmed();
}

}  // namespace comments
