// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/BadPictures.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QtEndian>

namespace badpictures {

namespace {

quint32 crc32(const QByteArray& bytes) {
    quint32 crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= static_cast<quint8>(c);
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray be32(quint32 v) {
    QByteArray b(4, '\0');
    qToBigEndian(v, b.data());
    return b;
}

QByteArray le32(quint32 v) {
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray le16(quint16 v) {
    QByteArray b(2, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray chunk(const char* type, const QByteArray& data) {
    const QByteArray body = QByteArray(type, 4) + data;
    return be32(static_cast<quint32>(data.size())) + body + be32(crc32(body));
}

QByteArray ihdr(int width, int height, int bitDepth, int colourType) {
    QByteArray data = be32(static_cast<quint32>(width)) + be32(static_cast<quint32>(height));
    data += static_cast<char>(bitDepth);
    data += static_cast<char>(colourType);
    data += QByteArray(3, '\0');  // compression, filter, interlace
    return chunk("IHDR", data);
}

const QByteArray kPngSignature("\x89PNG\r\n\x1a\n", 8);

}  // namespace

QByteArray whole(const char* format) {
    if (qstrcmp(format, "GIF") == 0) {
        QFile gif(QStringLiteral(KNORZELBART_ASSETS_DIR "/bilder/hut1.gif"));
        return gif.open(QIODevice::ReadOnly) ? gif.readAll() : QByteArray();
    }
    QImage image(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) image.setPixel(x, y, qRgb(x * 4, y * 4, (x * y) & 0xFF));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QByteArray truncated(const char* format, int keep) { return whole(format).left(keep); }

QByteArray corruptBody(const char* format, int headerBytes) {
    QByteArray bytes = whole(format);
    quint32 noise = 0x9E3779B9u;
    for (int i = headerBytes; i < bytes.size(); ++i) {
        noise = noise * 1664525u + 1013904223u;
        bytes[i] = static_cast<char>(noise >> 24);
    }
    return bytes;
}

QByteArray hugePngHeader(int width, int height) {
    return kPngSignature + ihdr(width, height, 8, 6) + chunk("IEND", QByteArray());
}

QByteArray hugeBmpHeader(int width, int height) {
    const quint32 rowBytes = static_cast<quint32>(width) * 3u;
    QByteArray bytes = "BM" + le32(54 + rowBytes * static_cast<quint32>(height)) + le32(0) + le32(54);
    bytes += le32(40) + le32(static_cast<quint32>(width)) + le32(static_cast<quint32>(height));
    bytes += le16(1) + le16(24) + le32(0) + le32(0) + le32(2835) + le32(2835) + le32(0) + le32(0);
    return bytes + QByteArray(64, '\x7f');
}

QByteArray hugeGifHeader(int width, int height) {
    QByteArray bytes = "GIF89a" + le16(static_cast<quint16>(width)) + le16(static_cast<quint16>(height));
    bytes += QByteArray("\x80\x00\x00", 3) + QByteArray(6, '\0');           // two-colour table
    bytes += ',' + le16(0) + le16(0) + le16(static_cast<quint16>(width)) +  // image descriptor
             le16(static_cast<quint16>(height)) + '\0';
    bytes += QByteArray("\x02\x02\x44\x01\x00;", 6);                          // a scrap of data
    return bytes;
}

QByteArray pngBomb(int width, int height) {
    const int rowBytes = (width + 7) / 8 + 1;  // filter byte, then one bit per pixel
    const QByteArray raw(static_cast<qsizetype>(rowBytes) * height, '\0');
    const QByteArray zlib = qCompress(raw, 9).mid(4);  // qCompress puts the length first
    return kPngSignature + ihdr(width, height, 1, 0) + chunk("IDAT", zlib) + chunk("IEND", QByteArray());
}

}  // namespace badpictures
