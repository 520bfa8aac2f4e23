#pragma once
#include <QString>
#include <QStringList>

namespace platform {

// Turns a path composed the program's way (App.Path followed by a part written with
// backslashes) into a real path. Every component is matched without regard to letter case
// or Unicode normalisation when no exact match exists. Returns the best guess when nothing
// matches, so that callers can report the file by name.
QString resolvePath(const QString& composed);

// Whether the folder exists (case-insensitive as above).
bool FolderExists(const QString& composed);

// Names (with extension, without folder) of the entries of a folder that are not
// sub-folders, in the order the file system lists them. Dangling links are listed too.
// When the folder cannot be listed (no permission, a read error) the list is empty and
// `readable`, if given, is set to false; otherwise it is set to true.
QStringList folderFiles(const QString& composed, bool* readable = nullptr);

// Whether the file's header names an image format the picture loader reads. Reads only
// the first bytes, never decodes the whole picture.
bool looksLikePicture(const QString& realPath);

}  // namespace platform
