// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/pictures/PictureCheck.h"

#include <QBuffer>
#include <QPainter>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

#include "platform/files/Files.h"
#include "platform/pictures/PictureHeader.h"
#include "platform/pictures/PngCheck.h"

#include <algorithm>
#include <atomic>
#include <fcntl.h>
#include <mutex>
#include <thread>
#include <unistd.h>
#include <vector>

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

// The decoders report damage they paper over (a JPEG's "premature end of data segment") as
// warnings of the toolkit. While a picture is read on a thread, its warnings are counted
// there and not printed; every other message goes where it went before.
thread_local int* warningsWhileReading = nullptr;
QtMessageHandler previousHandler = nullptr;

void countDecoderWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (warningsWhileReading && (type == QtWarningMsg || type == QtCriticalMsg)) {
        ++*warningsWhileReading;
        return;
    }
    if (previousHandler) previousHandler(type, context, message);
}

void watchDecoderWarnings() {
    static std::once_flag installed;
    std::call_once(installed, [] { previousHandler = qInstallMessageHandler(countDecoderWarnings); });
}

// The last bytes of a file, at most `count`.
QByteArray tail(QIODevice& device, qint64 count) {
    const qint64 size = device.size();
    if (!device.seek(std::max<qint64>(0, size - count))) return QByteArray();
    return device.read(count);
}

// Whether the file holds its format's end: a JPEG's end marker (after its picture data;
// cameras may put more behind it), a PNG's IEND chunk, a GIF's trailer.
bool endsWhole(const QString& path, const QByteArray& format) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    if (format == "jpeg" || format == "jpg") {
        QByteArray end = tail(file, 2);
        if (end == QByteArray("\xFF\xD9", 2)) return true;
        // Rare: more after the end marker. It must come after the start of the picture data.
        file.seek(0);
        const QByteArray all = file.readAll();
        const qsizetype scan = all.indexOf(QByteArray("\xFF\xDA", 2));
        return scan >= 0 && all.indexOf(QByteArray("\xFF\xD9", 2), scan) >= 0;
    }
    if (format == "png") {
        static const QByteArray iend("\0\0\0\0IEND\xAE\x42\x60\x82", 12);
        if (tail(file, 64 * 1024).contains(iend)) return true;
        file.seek(0);
        return file.readAll().contains(iend);
    }
    if (format == "gif") {
        QByteArray end = tail(file, 16);
        while (end.endsWith('\0')) end.chop(1);  // padding some writers add
        return end.endsWith(';');
    }
    return true;  // BMP, WebP and TIFF: their decoders refuse what is cut short
}

PictureFacts examineQuietly(const QString& realPath, bool decode, QSize thumbnailSize, bool keepThumbnail);

}  // namespace

QImage readCompletePicture(QImageReader& reader) {
    watchDecoderWarnings();
    int warnings = 0;
    int* const outer = warningsWhileReading;
    warningsWhileReading = &warnings;
    const QByteArray format = reader.format();
    QImage image = reader.read();
    warningsWhileReading = outer;
    if (image.isNull() || warnings > 0) return QImage();
    if (!reader.fileName().isEmpty() && !endsWhole(reader.fileName(), format)) return QImage();
    return image;
}

PictureFacts examinePicture(const QString& realPath, bool decode, QSize thumbnailSize,
                            bool keepThumbnail) {
    const QuietDecoders quiet;
    return examineQuietly(realPath, decode, thumbnailSize, keepThumbnail);
}

QList<PictureFacts> examinePictures(const QStringList& realPaths, QSize thumbnailSize, bool keepThumbnails) {
    QList<PictureFacts> results(realPaths.size());
    const QuietDecoders quiet;
    std::atomic<qsizetype> next{0};
    const auto work = [&] {
        for (qsizetype i = next++; i < realPaths.size(); i = next++)
            results[i] = examineQuietly(realPaths[i], true, thumbnailSize, keepThumbnails);
    };
    const int cores = std::max(1, int(std::thread::hardware_concurrency()));
    const int helpers = int(std::min<qsizetype>(cores, realPaths.size())) - 1;
    std::vector<std::thread> threads;
    for (int i = 0; i < helpers; ++i) threads.emplace_back(work);
    work();
    for (std::thread& thread : threads) thread.join();
    return results;
}

namespace {

bool tooLarge(QSize size) {
    return size.isValid() && qint64(size.width()) * size.height() * 4 > qint64(kPictureMemoryLimitMegabytes) * 1024 * 1024;
}

// The facts of a PNG that lookAtPng decides on; kind Missing when it leaves it undecided.
PictureFacts lookQuickly(const QString& realPath) {
    PictureFacts facts;
    QFile file(realPath);
    if (!file.open(QIODevice::ReadOnly) || file.size() > qint64(kPictureMemoryLimitMegabytes) * 1024 * 1024 ||
        file.peek(8) != QByteArrayView("\x89PNG\r\n\x1a\n", 8))
        return facts;
    const QByteArray bytes = file.readAll();
    // One too large to draw is refused by its header below, never unpacked.
    const PngLook look = lookAtPng(bytes, qint64(kPictureMemoryLimitMegabytes) * 1024 * 1024 / 4);
    if (look.verdict == PngLook::Verdict::Undecided) return facts;
    facts.format = "png";
    facts.size = look.size;
    facts.kind = look.verdict == PngLook::Verdict::Whole ? PictureFacts::Kind::Picture : PictureFacts::Kind::Damaged;
    return facts;
}

PictureFacts examineQuietly(const QString& realPath, bool decode, QSize thumbnailSize, bool keepThumbnail) {
    PictureFacts facts;
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
    if (decode && !keepThumbnail) {
        // A plain PNG is checked without drawing it, read once: the bulk of a folder is
        // looked at several times faster.
        if (const PictureFacts quick = lookQuickly(realPath); quick.kind != PictureFacts::Kind::Missing) return quick;
    }
    QImageReader reader(realPath);
    reader.setDecideFormatFromContent(true);
    facts.format = reader.format();
    facts.size = reader.size();
    if (tooLarge(facts.size)) {
        facts.kind = PictureFacts::Kind::TooLarge;
        return facts;
    }
    facts.kind = PictureFacts::Kind::Picture;
    if (!decode) return facts;
    // Decoding straight to the small size is much faster for camera photos (JPEG scales
    // while it decodes, and still reads every byte: damage shows either way). The other
    // formats are decoded whole whatever the size asked, so they are made small only for a
    // thumbnail that is kept.
    // As the game shows it: turned by the orientation a photo carries, and fitted into the
    // square with its proportions kept.
    reader.setAutoTransform(true);
    if (thumbnailSize.isValid() && facts.size.isValid() && (keepThumbnail || facts.format == "jpeg"))
        reader.setScaledSize(facts.size.scaled(thumbnailSize, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    QImage image = readCompletePicture(reader);
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

}  // namespace

}  // namespace platform
