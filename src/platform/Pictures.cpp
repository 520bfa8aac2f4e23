#include "platform/Pictures.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>

#include "platform/Files.h"
#include "platform/MessageBox.h"
#include "platform/Program.h"

namespace platform {

namespace {

QHash<QString, QPixmap>& cache() {
    static QHash<QString, QPixmap> pictures;
    return pictures;
}

}  // namespace

QPixmap tryLoadPicture(const QString& composed) {
    const QString path = resolvePath(composed);
    auto it = cache().constFind(path);
    if (it != cache().constEnd()) return *it;

    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const QImage image = reader.read();
    if (image.isNull()) return QPixmap();
    QPixmap pixmap = QPixmap::fromImage(image);
    // The game's own frames are small and shown again and again. A word picture straight
    // from a camera is shown once a round and would keep tens of megabytes for good: such
    // pictures are decoded afresh each time instead.
    constexpr qint64 kLargestKeptPixels = 1024 * 1024;
    if (qint64(image.width()) * image.height() <= kLargestKeptPixels) cache().insert(path, pixmap);
    return pixmap;
}

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

void clearPictureCache() { cache().clear(); }

}  // namespace platform
