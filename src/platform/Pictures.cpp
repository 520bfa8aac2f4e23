#include "platform/Pictures.h"

#include <QDir>
#include <QFileInfo>
#include <QCache>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

#include "platform/Files.h"
#include "platform/MessageBox.h"
#include "platform/Program.h"

namespace platform {

namespace {

// Decoded pictures by path, the least recently used dropped first. The game's own frames are
// small and shown again and again, so they stay; word pictures come and go, and one straight
// from a camera (larger than the whole cache) is decoded afresh each time it is shown.
constexpr int kCacheKilobytes = 48 * 1024;
QCache<QString, QPixmap>& cache() {
    static QCache<QString, QPixmap> pictures(kCacheKilobytes);
    return pictures;
}

}  // namespace

QPixmap tryLoadPicture(const QString& composed) {
    const QString path = resolvePath(composed);
    if (const QPixmap* kept = cache().object(path)) return *kept;

    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    // Photos from phones and cameras say in their EXIF data which way up they were taken.
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull()) return QPixmap();
    const QPixmap pixmap = QPixmap::fromImage(image);
    const qint64 kilobytes = qint64(image.width()) * image.height() * 4 / 1024 + 1;
    if (kilobytes < kCacheKilobytes) cache().insert(path, new QPixmap(pixmap), int(kilobytes));
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

QPixmap fitInto(const QPixmap& picture, int width, int height) {
    if (picture.isNull() || width <= 0 || height <= 0) return picture;
    // Same proportions as the box (to a pixel): the stretch shows it as it always did.
    if (qint64(picture.width()) * height == qint64(picture.height()) * width) return picture;
    const QPixmap scaled =
        picture.scaled(width, height, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPixmap boxed(width, height);
    boxed.fill(Qt::transparent);
    QPainter painter(&boxed);
    painter.drawPixmap((width - scaled.width()) / 2, (height - scaled.height()) / 2, scaled);
    return boxed;
}

QPixmap renderVectorPicture(const QString& path, int width, int height) {
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(path);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

void clearPictureCache() { cache().clear(); }

}  // namespace platform
