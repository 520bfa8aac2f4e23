// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/pictures/PictureStore.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cstring>

#include "platform/system/Hooks.h"
#include "platform/files/TextFile.h"
#include "platform/system/App.h"

namespace platform {

namespace {

constexpr char kMagic[] = "KNZ-BILD";  // eight bytes, then the version
constexpr quint32 kVersion = 1;
constexpr int kLargestSide = 2048;
constexpr qsizetype kHashBytes = 20;  // SHA-1

// The file of the cache for a picture and a box size: the same whatever the picture's stamp,
// so that a changed picture replaces its old entry.
QString entryPath(const QString& folder, const QString& realPath, int within) {
    const QByteArray name = QCryptographicHash::hash(QFileInfo(realPath).absoluteFilePath().toUtf8() + '|' + QByteArray::number(within),
                                                     QCryptographicHash::Sha1)
                                .toHex();
    return folder + QLatin1Char('/') + QString::fromLatin1(name) + QStringLiteral(".bild");
}

// What an entry must name to be taken: the path, the box and the file's stamp.
QByteArray keyOf(const QString& realPath, int within, const FileStamp& stamp) {
    QByteArray key = QFileInfo(realPath).absoluteFilePath().toUtf8();
    for (const qint64 n : {qint64(within), stamp.size, stamp.modified, stamp.changed, qint64(stamp.inode),
                           qint64(stamp.device)})
        key += '\n' + QByteArray::number(n);
    return key;
}

}  // namespace

QString pictureStoreFolder() {
    if (hooks().cacheFolder) return hooks().cacheFolder();
    return programFolder(userCacheFolder()) + QStringLiteral("/bilder");
}

QImage storedPicture(const QString& realPath, int within, const FileStamp& stamp) {
    if (!stamp.valid || within <= 0 || within > kLargestSide) return QImage();
    const QString folder = pictureStoreFolder();
    if (folder.isEmpty()) return QImage();
    QFile file(entryPath(folder, realPath, within));
    const QByteArray key = keyOf(realPath, within, stamp);
    const qint64 largest = 64 + key.size() + qint64(kLargestSide) * kLargestSide * 4 + kHashBytes;
    if (!file.open(QIODevice::ReadOnly) || file.size() > largest) return QImage();
    const QByteArray bytes = file.readAll();
    if (bytes.size() <= kHashBytes) return QImage();
    const QByteArrayView body(bytes.constData(), bytes.size() - kHashBytes);
    if (QCryptographicHash::hash(body, QCryptographicHash::Sha1) != bytes.right(kHashBytes)) return QImage();

    QDataStream in(QByteArray::fromRawData(body.data(), body.size()));
    char magic[8];
    quint32 version = 0, width = 0, height = 0, alpha = 0;
    QByteArray storedKey;
    if (in.readRawData(magic, 8) != 8 || memcmp(magic, kMagic, 8) != 0) return QImage();
    in >> version >> storedKey >> width >> height >> alpha;
    if (in.status() != QDataStream::Ok || version != kVersion || storedKey != key) return QImage();
    if (width == 0 || height == 0 || width > quint32(within) || height > quint32(within) || alpha > 1)
        return QImage();
    QImage image(int(width), int(height), alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    const qsizetype line = qsizetype(width) * 4;
    if (image.isNull() || body.size() - in.device()->pos() != line * height) return QImage();
    for (int y = 0; y < image.height(); ++y)
        if (in.readRawData(reinterpret_cast<char*>(image.scanLine(y)), int(line)) != line) return QImage();
    return image;
}

void storePicture(const QString& realPath, int within, const FileStamp& stamp, const QImage& image) {
    if (!stamp.valid || within <= 0 || within > kLargestSide || image.isNull()) return;
    if (image.width() > within || image.height() > within) return;
    const QString folder = pictureStoreFolder();
    if (folder.isEmpty() || !QDir().mkpath(folder)) return;
    const bool alpha = image.hasAlphaChannel();
    const QImage pixels = image.convertToFormat(alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    QByteArray bytes;
    {
        QDataStream out(&bytes, QIODevice::WriteOnly);
        out.writeRawData(kMagic, 8);
        out << kVersion << keyOf(realPath, within, stamp) << quint32(pixels.width()) << quint32(pixels.height())
            << quint32(alpha ? 1 : 0);
        for (int y = 0; y < pixels.height(); ++y)
            out.writeRawData(reinterpret_cast<const char*>(pixels.constScanLine(y)), pixels.width() * 4);
    }
    bytes += QCryptographicHash::hash(bytes, QCryptographicHash::Sha1);
    QSaveFile file(entryPath(folder, realPath, within));
    if (!file.open(QIODevice::WriteOnly)) return;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return;
    }
    file.commit();  // a cache that cannot be written is only slower
}

}  // namespace platform
