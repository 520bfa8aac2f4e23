// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PictureCheck.h"

#include <QBuffer>
#include <QPainter>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

#include "platform/Files.h"

#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {

// The picture decoders print their complaints straight to standard error ("libpng error:
// ..."); while a file is examined they go nowhere, the caller reports in its own words.
class QuietDecoders {
public:
    QuietDecoders() : saved_(::dup(2)) {
        const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (null >= 0) {
            ::dup2(null, 2);
            ::close(null);
        }
    }
    ~QuietDecoders() {
        if (saved_ >= 0) {
            ::dup2(saved_, 2);
            ::close(saved_);
        }
    }
    QuietDecoders(const QuietDecoders&) = delete;
    QuietDecoders& operator=(const QuietDecoders&) = delete;

private:
    int saved_;
};

}  // namespace

PictureFacts examinePicture(const QString& realPath, bool decode, QSize thumbnailSize,
                            bool keepThumbnail) {
    PictureFacts facts;
    const QuietDecoders quiet;
    const QFileInfo info(realPath);
    if (!info.exists()) return facts;
    if (info.isDir()) {
        facts.kind = PictureFacts::Kind::Folder;
        return facts;
    }
    if (!info.isFile()) {
        facts.kind = PictureFacts::Kind::Special;
        return facts;
    }
    QFile file(realPath);
    if (!file.open(QIODevice::ReadOnly)) {
        facts.kind = PictureFacts::Kind::Unreadable;
        return facts;
    }
    file.close();
    if (info.size() == 0) {
        facts.kind = PictureFacts::Kind::Empty;
        return facts;
    }
    // The same test the game makes when it builds its list.
    if (!looksLikePicture(realPath)) {
        facts.kind = PictureFacts::Kind::NoPicture;
        return facts;
    }
    QImageReader reader(realPath);
    reader.setDecideFormatFromContent(true);
    facts.format = reader.format();
    facts.size = reader.size();
    if (facts.size.isValid()) {
        const qint64 bytes = qint64(facts.size.width()) * facts.size.height() * 4;
        if (bytes > qint64(kPictureMemoryLimitMegabytes) * 1024 * 1024) {
            facts.kind = PictureFacts::Kind::TooLarge;
            return facts;
        }
    }
    facts.kind = PictureFacts::Kind::Picture;
    if (!decode) return facts;
    // Decoding straight to the small size is much faster for camera photos (JPEG scales
    // while it decodes); damage shows either way.
    // As the game shows it: turned by the orientation a photo carries, and fitted into the
    // square with its proportions kept.
    reader.setAutoTransform(true);
    if (thumbnailSize.isValid() && facts.size.isValid())
        reader.setScaledSize(facts.size.scaled(thumbnailSize, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    QImage image = reader.read();
    if (image.isNull()) {
        facts.kind = PictureFacts::Kind::Damaged;
        return facts;
    }
    if (keepThumbnail) {
        if (thumbnailSize.isValid() && image.size() != thumbnailSize) {
            const QImage scaled = image.scaled(thumbnailSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
            QImage square(thumbnailSize, QImage::Format_ARGB32_Premultiplied);
            square.fill(Qt::transparent);
            QPainter painter(&square);
            painter.drawImage((square.width() - scaled.width()) / 2, (square.height() - scaled.height()) / 2, scaled);
            painter.end();
            image = square;
        }
        QBuffer buffer(&facts.thumbnail);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
    }
    return facts;
}

QStringList subfolderNames(const QString& realPath) {
    QStringList names;
    QDirIterator it(realPath, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        if (it.fileInfo().isDir()) names << it.fileName();
    }
    names.sort();
    return names;
}

}  // namespace platform
