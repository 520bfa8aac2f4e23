// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

class QImageReader;

namespace platform {

// The most memory one decoded picture may take; a larger one is refused, not decoded.
constexpr int kPictureMemoryLimitMegabytes = 256;

// What a file of a picture folder holds, looked at the way the game will use it.
struct PictureFacts {
    enum class Kind {
        Picture,     // can be drawn
        Missing,     // a link that leads nowhere or in a circle
        Folder,      // a folder or a link to one
        Special,     // a pipe, a device, a socket
        Unreadable,  // no permission to read it
        Empty,       // zero bytes
        NoPicture,   // no picture format the game reads
        TooLarge,    // its pixels need more memory than a picture may take
        Damaged,     // looks like a picture but cannot be drawn
    };
    Kind kind = Kind::Missing;
    QSize size;            // pixels, when the header gives them
    QByteArray format;     // "png", "jpeg", ... when recognised
    QByteArray thumbnail;  // a PNG of the size asked for, when asked and the picture is drawn
};

// Looks at one file. With `decode` the picture is decoded (at `thumbnailSize`, stretched as
// the game's picture box does) so that damage shows; the thumbnail is kept when
// `keepThumbnail` is set.
PictureFacts examinePicture(const QString& realPath, bool decode, QSize thumbnailSize,
                            bool keepThumbnail);
// The same for many files at once, decoded on every core; the results in the order of the
// paths.
QList<PictureFacts> examinePictures(const QStringList& realPaths, QSize thumbnailSize, bool keepThumbnails);

// Reads the reader's picture whole: null, as for a file that cannot be decoded at all, when
// its data ends early (a JPEG without its end marker, a PNG without its IEND chunk, a GIF
// without its trailer) or the decoder complained while reading it, since the decoder fills
// what is missing with grey.
QImage readCompletePicture(QImageReader& reader);

}  // namespace platform
