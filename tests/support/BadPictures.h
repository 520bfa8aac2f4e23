// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QString>

// Picture files as a school's folder may hold them: whole, cut short, damaged, or far
// larger inside than their file size suggests. Everything is made in memory.
namespace badpictures {

// A whole picture of the given format ("PNG", "JPG", "BMP"; "GIF" is taken from the
// shipped pictures, since Qt writes no GIF).
QByteArray whole(const char* format);
// The first `keep` bytes of a whole picture: a header that promises more than follows.
QByteArray truncated(const char* format, int keep);
// The whole picture with its header kept and everything after `headerBytes` scrambled.
QByteArray corruptBody(const char* format, int headerBytes);
// A PNG or BMP whose header claims width × height pixels, with no pixel data behind it.
QByteArray hugePngHeader(int width, int height);
QByteArray hugeBmpHeader(int width, int height);
QByteArray hugeGifHeader(int width, int height);
// A complete, valid one-bit PNG of width × height pixels: a few hundred kilobytes on disk,
// gigabytes once decoded.
QByteArray pngBomb(int width, int height);

}  // namespace badpictures
