// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QSize>
#include <QString>
#include <QStringList>

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

// The names of the sub-folders of a folder (and links to folders), sorted.
QStringList subfolderNames(const QString& realPath);

}  // namespace platform
