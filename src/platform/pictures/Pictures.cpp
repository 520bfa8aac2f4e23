// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/pictures/Pictures.h"

#include <QFileInfo>
#include <QCache>
#include <QHash>
#include <QImageReader>
#include <QPainter>

#include "platform/files/Files.h"
#include "platform/pictures/PictureCheck.h"
#include "platform/pictures/PictureStore.h"

namespace platform {

namespace {

// Decoded pictures by path, the least recently used dropped first. The game's own frames are
// small and shown again and again, so they stay; word pictures come and go, and one straight
// from a camera (larger than the whole cache) is decoded afresh each time it is shown.
constexpr int kCacheKilobytes = 48 * 1024;
// Pictures of at least this many pixels, decoded smaller, are kept in the cache folder.
constexpr qint64 kKeptFromPixels = 1'000'000;
QCache<QString, QPixmap>& cache() {
    static QCache<QString, QPixmap> pictures(kCacheKilobytes);
    return pictures;
}

void keep(const QString& path, const QPixmap& pixmap) {
    const qint64 kilobytes = qint64(pixmap.width()) * pixmap.height() * 4 / 1024 + 1;
    if (kilobytes < kCacheKilobytes) cache().insert(path, new QPixmap(pixmap), int(kilobytes));
}

// bilder/hut1.gif with factor 2 is bilder/hut1@2x.gif (the same with backslashes).
QString variantPath(const QString& composed, int factor) {
    const qsizetype slash = qMax(composed.lastIndexOf(QLatin1Char('/')), composed.lastIndexOf(QLatin1Char('\\')));
    qsizetype dot = composed.lastIndexOf(QLatin1Char('.'));
    if (dot <= slash + 1) dot = composed.size();  // no extension (or a hidden file's dot)
    return composed.left(dot) + QStringLiteral("@%1x").arg(factor) + composed.mid(dot);
}

// Where a picture's variant lies and its device pixel ratio, found once per picture and
// factor (finding a missing file means reading its folder). An empty path: no variant.
struct Variant {
    QString path;
    qreal ratio = 1;
};
QHash<QString, Variant>& variants() {
    static QHash<QString, Variant> found;
    return found;
}

Variant findVariant(const QString& composed, int factor) {
    const QString key = composed + QLatin1Char('|') + QString::number(factor);
    if (const auto kept = variants().constFind(key); kept != variants().cend()) return *kept;
    Variant variant;
    const QString path = resolvePath(variantPath(composed, factor));
    if (QFileInfo(path).isFile()) {
        variant.path = path;
        // The ratio of the two sizes, read from the original's header; the nominal factor
        // when the original tells none.
        const QSize own = QImageReader(resolvePath(composed)).size();
        const QSize drawn = QImageReader(path).size();
        variant.ratio = own.width() > 0 && drawn.width() > 0 ? qreal(drawn.width()) / own.width() : qreal(factor);
    }
    variants().insert(key, variant);
    return variant;
}

// The variant of the picture for the factor, with its device pixel ratio set; null when
// there is none that decodes.
QPixmap variantFor(const QString& composed, double factor) {
    for (const int size : {4, 2}) {
        if (factor <= size / 2.0) continue;
        const Variant variant = findVariant(composed, size);
        if (variant.path.isEmpty()) continue;
        QPixmap pixmap = tryLoadPicture(variant.path);
        if (pixmap.isNull()) continue;
        if (pixmap.devicePixelRatio() != variant.ratio) {
            // Setting the ratio copies the pixels once; the cache keeps the copy.
            pixmap.setDevicePixelRatio(variant.ratio);
            keep(variant.path, pixmap);
        }
        return pixmap;
    }
    return QPixmap();
}

}  // namespace

QPixmap tryLoadPicture(const QString& composed, int within) {
    const QString path = resolvePath(composed);
    const QString key = within > 0 ? path + QStringLiteral("|%1").arg(within) : path;
    if (const QPixmap* kept = cache().object(key)) return *kept;

    // A picture decoded at this size before, in an earlier game or run, is taken from the
    // user's cache folder while the file is unchanged.
    const FileStamp stamp = within > 0 ? fileStamp(path) : FileStamp();
    if (within > 0) {
        const QImage stored = storedPicture(path, within, stamp);
        if (!stored.isNull()) {
            const QPixmap pixmap = QPixmap::fromImage(stored);
            keep(key, pixmap);
            return pixmap;
        }
    }

    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    // Photos from phones and cameras say in their EXIF data which way up they were taken.
    reader.setAutoTransform(true);
    bool reduced = false;
    if (within > 0) {
        // Decoded straight to the size it is shown at (JPEG scales while it decodes), so that
        // a photo straight from a camera is never held whole. The square is the same either
        // way up, so the size before turning is fitted. A picture too large to decode whole
        // stays refused, as the teacher's check reports it.
        const QSize size = reader.size();
        if (size.isValid() && qint64(size.width()) * size.height() * 4 >
                                  qint64(kPictureMemoryLimitMegabytes) * 1024 * 1024)
            return QPixmap();
        if (size.width() > within || size.height() > within) {
            reader.setScaledSize(size.scaled(within, within, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
            reduced = qint64(size.width()) * size.height() >= kKeptFromPixels;
        }
    }
    // A picture cut short counts as one that cannot be decoded (see PictureCheck.h).
    const QImage image = readCompletePicture(reader);
    if (image.isNull()) return QPixmap();
    // Only a large picture made smaller is kept on disk (a small one decodes about as fast as
    // it is read back), and only a file that has not changed just now: a change in the same
    // tick of the file system's clock would not show in its stamp.
    if (reduced && settledBefore(stamp, fileSystemNow())) storePicture(path, within, stamp, image);
    const QPixmap pixmap = QPixmap::fromImage(image);
    keep(key, pixmap);
    return pixmap;
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

QPixmap tryLoadPictureForScale(const QString& composed, double factor) {
    if (factor > 1.0) {
        const QPixmap variant = variantFor(composed, factor);
        if (!variant.isNull()) return variant;
    }
    return tryLoadPicture(composed);
}

QPixmap renderVectorPicture(const QString& path, int width, int height) {
    // Drawn by the toolkit's SVG picture plugin, which loads the SVG library when the first
    // vector picture is drawn, not when the program starts.
    QImageReader reader(path, "svg");
    reader.setScaledSize(QSize(width, height));
    const QImage image = reader.read();
    if (!image.isNull() && image.size() == QSize(width, height)) return QPixmap::fromImage(image);
    QPixmap empty(width, height);
    empty.fill(Qt::transparent);
    return empty;
}

void clearPictureCache() {
    cache().clear();
    variants().clear();
}

}  // namespace platform
