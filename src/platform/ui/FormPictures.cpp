// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ui/FormPictures.h"

#include <QDir>
#include <QFileInfo>

#include "platform/files/Files.h"
#include "platform/pictures/Pictures.h"
#include "platform/system/Program.h"
#include "platform/ui/MessageBox.h"

namespace platform {

QPixmap LoadPicture(const QString& composed) {
    QPixmap pixmap = tryLoadPicture(composed);
    if (!pixmap.isNull()) return pixmap;
    const QString path = resolvePath(composed);
    const QString reason = QFileInfo::exists(path)
                               ? QStringLiteral("kann nicht gelesen werden")
                               : QStringLiteral("wurde nicht gefunden");
    MsgBox(QStringLiteral("Bildfehler: Die Bilddatei %1 %2.\n\nDas Programm wird beendet.")
               .arg(QDir::toNativeSeparators(path), reason),
           MsgIcon::Critical);
    End();
}

QPixmap loadPictureForScale(const QString& composed, double factor) {
    const QPixmap drawn = tryLoadPictureForScale(composed, factor);
    return drawn.isNull() ? LoadPicture(composed) : drawn;
}

}  // namespace platform
