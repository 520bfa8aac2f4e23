// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPixmap>
#include <QString>

// The pictures a form cannot do without (its scene, its buttons): one that is missing or
// cannot be decoded is reported in a message box naming the file, then the program ends:
// never a silently empty picture.
namespace platform {

// Loads a picture by its composed path as tryLoadPicture does (Pictures.h), or reports it
// and ends the program.
QPixmap LoadPicture(const QString& composed);

// The best drawing of the picture for a scene drawn `factor` times its design size, as
// tryLoadPictureForScale finds it; when there is none, the picture as LoadPicture loads it.
QPixmap loadPictureForScale(const QString& composed, double factor);

}  // namespace platform
