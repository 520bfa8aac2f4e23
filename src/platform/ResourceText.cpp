// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ResourceText.h"

#include <QFile>

namespace platform {

QString compiledInText(const QString& resourcePath) {
    QFile file(resourcePath);
    if (!file.open(QIODevice::ReadOnly)) return QString();
    return QString::fromUtf8(file.readAll());
}

}  // namespace platform
