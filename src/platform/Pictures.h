#pragma once
#include <QPixmap>
#include <QString>

namespace platform {

// Loads a picture by its composed path (GIF with transparency, BMP, PNG, JPEG, WebP, TIFF).
// Recently decoded pictures are kept (up to 48 MB), so a frame shown again is not decoded again.
// A file that is missing or cannot be decoded is reported in a message box naming the
// file, then the program ends: never a silently empty picture.
QPixmap LoadPicture(const QString& composed);

// Like LoadPicture, but returns a null pixmap instead of ending the program.
QPixmap tryLoadPicture(const QString& composed);

// The picture scaled to fit a box of the given pixel size with its proportions kept, centred,
// the rest transparent (the form's colour shows there). A picture with the box's proportions
// comes back unchanged.
QPixmap fitInto(const QPixmap& picture, int width, int height);

// Draws a vector picture (SVG) into a transparent picture of the given pixel size.
QPixmap renderVectorPicture(const QString& path, int width, int height);

// Forgets every decoded picture (tests change files between runs).
void clearPictureCache();

}  // namespace platform
