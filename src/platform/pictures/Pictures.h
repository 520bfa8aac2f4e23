// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPixmap>
#include <QString>

namespace platform {

// Loads a picture by its composed path (GIF with transparency, BMP, PNG, JPEG, WebP, TIFF).
// Recently decoded pictures are kept (up to 48 MB), so a frame shown again is not decoded again.
// A file that is missing or cannot be decoded gives a null pixmap (a form's own pictures are
// loaded by LoadPicture in ui/FormPictures.h, which ends the program instead). With `within`
// above 0 the picture is decoded no larger than a square of that many pixels, its
// proportions kept (a smaller one at its own size): a photo from a camera is decoded at the
// size it is shown, never whole.
QPixmap tryLoadPicture(const QString& composed, int within = 0);

// The picture scaled to fit a box of the given pixel size with its proportions kept, centred,
// the rest transparent (the form's colour shows there). A picture with the box's proportions
// comes back unchanged.
QPixmap fitInto(const QPixmap& picture, int width, int height);

// The best drawing of a picture for a scene drawn `factor` times its design size: above 1 the
// variant drawn at twice the size beside it (hut1@2x.gif), above 2 the one at four times
// (falling back to @2x), otherwise or when no variant exists the picture itself. The
// pixmap's device pixel ratio is set so that its logical size is the picture's own size;
// a variant whose size is no exact multiple is taken at the ratio of the two sizes.
// Missing and undecodable pictures give a null pixmap, as in tryLoadPicture.
QPixmap tryLoadPictureForScale(const QString& composed, double factor);

// Draws a vector picture (SVG) into a transparent picture of the given pixel size.
QPixmap renderVectorPicture(const QString& path, int width, int height);

// Forgets every decoded picture (tests change files between runs).
void clearPictureCache();

}  // namespace platform
