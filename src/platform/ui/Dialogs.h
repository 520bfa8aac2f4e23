// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <optional>

class QWidget;

// The system's small dialogs and folders for the teacher's tasks: choosing a folder, a
// secret typed without being shown, a folder opened in the desktop's file manager.
namespace platform {

// The desktop's folder dialog; returns the chosen folder, or an empty text when none.
QString chooseFolder(QWidget* parent, const QString& title);

// Asks for a secret (a PIN) in a small modal box that shows dots for what is typed.
// Returns nothing when the box was cancelled.
std::optional<QString> askSecret(QWidget* parent, const QString& question);

// Opens the folder (a real path) in the desktop's file manager, through the link opener.
void openFolder(const QString& realPath);

// Opens the file (a real path) in the program the desktop has for it (a page in the browser).
void openFile(const QString& realPath);

// Makes the folder and every folder above it that is missing. Returns an empty text, or
// why it could not be made (German).
QString makeFolders(const QString& realPath);

// This program's folder in the user's cache, for files it makes and may lose (a picture
// sheet to print).
QString cacheFolder();

}  // namespace platform
