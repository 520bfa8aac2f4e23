// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/pictures/PictureHeader.h"

#include <QFile>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

quint32 be32(QByteArrayView b, int at) {
    return quint32(quint8(b[at])) << 24 | quint32(quint8(b[at + 1])) << 16 | quint32(quint8(b[at + 2])) << 8 |
           quint8(b[at + 3]);
}
quint32 le16(QByteArrayView b, int at) { return quint32(quint8(b[at])) | quint32(quint8(b[at + 1])) << 8; }
qint32 le32(QByteArrayView b, int at) { return qint32(le16(b, at) | le16(b, at + 2) << 16); }

bool png(QByteArrayView h) {
    if (!h.startsWith(QByteArrayView("\x89PNG\r\n\x1a\n", 8))) return false;
    // The first chunk is IHDR with the width and the height.
    if (h.size() < 24 || h.sliced(12, 4) != "IHDR") return true;
    return be32(h, 16) > 0 && be32(h, 20) > 0;
}

bool bmp(QByteArrayView h) {
    if (!h.startsWith("BM")) return false;
    if (h.size() < 26) return true;
    if (le32(h, 14) == 12) return le16(h, 18) > 0 && le16(h, 20) > 0;  // the old OS/2 header
    return le32(h, 18) != 0 && le32(h, 22) != 0;  // a negative height: rows from the top
}

// An icon folder: no signature, so the fields of its first entry that the reader checks.
bool ico(QByteArrayView h) {
    if (h.size() < 22 || le16(h, 0) != 0) return false;
    const quint32 type = le16(h, 2);
    if ((type != 1 && type != 2) || le16(h, 4) == 0 || h[9] != 0) return false;
    const bool cursor = type == 2;
    return (le16(h, 10) <= 1 || cursor) && (le16(h, 12) <= 32 || cursor) && le32(h, 14) >= 40;
}

// Wireless bitmap: type 0, header 0, width and height as 7-bit groups, then exactly the
// bytes of the rows.
bool wbmp(QByteArrayView h, qint64 fileSize) {
    if (h.size() < 4 || h[0] != 0 || h[1] != 0) return false;
    int at = 2;
    quint32 sizes[2] = {0, 0};
    for (quint32& value : sizes) {
        for (int n = 0;; ++n) {
            if (at >= h.size() || n == 4) return false;
            const quint8 c = quint8(h[at++]);
            value = value << 7 | (c & 0x7F);
            if (!(c & 0x80)) break;
        }
    }
    return sizes[0] > 0 && sizes[1] > 0 && qint64(sizes[1]) * ((qint64(sizes[0]) + 7) / 8) == fileSize - at;
}

bool svg(QByteArrayView h) {
    const QByteArrayView first = h.first(qMin<qsizetype>(h.size(), 8));
    return first.startsWith("\x1f\x8b") || first.contains("<?xml") || first.contains("<svg") ||
           first.contains("<!--");
}

bool netpbm(QByteArrayView h) { return h.size() >= 2 && h[0] == 'P' && h[1] >= '1' && h[1] <= '6'; }

// Uncompressed true colour of 16, 24 or 32 bits, the only kind the reader takes.
bool tga(QByteArrayView h) {
    return h.size() >= 18 && h[2] == 2 && (h[16] == 16 || h[16] == 24 || h[16] == 32) && le16(h, 12) > 0 &&
           le16(h, 14) > 0;
}

}  // namespace

bool headerNamesPicture(QByteArrayView h, qint64 fileSize) {
    return png(h) || h.startsWith("\xff\xd8") || h.startsWith("GIF87a") || h.startsWith("GIF89a") ||
           bmp(h) || (h.startsWith("RIFF") && h.size() >= 12 && h.sliced(8, 4) == "WEBP") ||
           h.startsWith(QByteArrayView("II*\0", 4)) || h.startsWith(QByteArrayView("MM\0*", 4)) ||
           h.startsWith("icns") || h.startsWith("\x8aMNG\r\n\x1a\n") || h.startsWith("\x8bJNG\r\n\x1a\n") ||
           h.startsWith("/* XPM") || h.startsWith("#define") || netpbm(h) || svg(h) || ico(h) ||
           wbmp(h, fileSize) || tga(h);
}

namespace {

// Reads the first bytes of an entry of the folder `dirFd` (or a path, with AT_FDCWD). Opened
// without waiting, so that a named pipe cannot block. `regular`: the listing already said
// the entry is a regular file; otherwise (a link, an unknown kind) its status is asked.
bool entryLooksLikePicture(int dirFd, const char* name, bool regular) {
    if (!regular) {
        struct stat st {};
        if (::fstatat(dirFd, name, &st, 0) != 0 || !S_ISREG(st.st_mode)) return false;
    }
    const int fd = ::openat(dirFd, name, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return false;
    char head[kPictureHeadBytes];
    const ssize_t read = ::pread(fd, head, sizeof head, 0);  // 0 for an empty file
    bool picture = false;
    if (read > 0) {
        // Only a wireless bitmap (starting with two zero bytes) needs the file's size.
        qint64 size = read;
        struct stat st {};
        if (read >= 2 && head[0] == 0 && head[1] == 0 && ::fstat(fd, &st) == 0) size = st.st_size;
        picture = headerNamesPicture(QByteArrayView(head, read), size);
    }
    ::close(fd);
    return picture;
}

}  // namespace

bool looksLikePicture(const QString& realPath) {
    return entryLooksLikePicture(AT_FDCWD, QFile::encodeName(realPath).constData(), false);
}

}  // namespace platform
