#include "platform/TextFile.h"

#include <QFile>

namespace platform {

QString readTextFile(const QString& path, qint64 maxBytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QString();
    QString text = QString::fromUtf8(file.read(maxBytes));
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    return text;
}

}  // namespace platform
