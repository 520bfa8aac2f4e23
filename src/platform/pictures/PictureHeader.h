// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArrayView>
#include <QString>

namespace platform {

// How many first bytes of a file headerNamesPicture looks at.
constexpr int kPictureHeadBytes = 32;

// Whether the first bytes of a file (`head`, fewer when the file is shorter) name a picture
// format that the picture loader reads here: PNG, JPEG, GIF, BMP, WebP, TIFF, ICO/CUR, ICNS,
// MNG/JNG, PBM/PGM/PPM, XPM, XBM, SVG (also compressed), WBMP and TGA. Checks the signature
// that the format's own reader checks (TGA and ICO have none: the header fields their
// readers accept), and refuses a PNG, BMP, TGA or WBMP whose header declares no pixels.
// Nothing is decoded: a picture that passes may still fail when it is drawn.
bool headerNamesPicture(QByteArrayView head, qint64 fileSize);

// Whether the file is a regular file, not empty, whose first bytes name an image format the
// picture loader reads (see headerNamesPicture). Reads only those bytes, never decodes.
bool looksLikePicture(const QString& realPath);

}  // namespace platform
