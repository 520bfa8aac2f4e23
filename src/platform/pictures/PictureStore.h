// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QImage>
#include <QString>

#include "platform/files/FileTimes.h"

namespace platform {

// Pictures decoded at the size they are shown, kept in the user's cache folder between runs,
// so that a photo from a camera is decoded once, not at every game. Each is kept under its
// path and the size asked for, together with the file's stamp (size, times, inode); a kept
// picture is taken only when all of these match and its check sum is right: a damaged,
// foreign or outdated file of the cache is passed over, and written anew.

// The kept picture of the file for a box of `within` pixels, or a null image.
QImage storedPicture(const QString& realPath, int within, const FileStamp& stamp);

// Keeps the picture decoded for a box of `within` pixels (written to a temporary file that
// is renamed, so that a reader never sees half of it). Nothing happens when there is no
// cache folder or it cannot be written.
void storePicture(const QString& realPath, int within, const FileStamp& stamp, const QImage& image);

// The folder the pictures are kept in; empty when none is to be used.
QString pictureStoreFolder();

}  // namespace platform
