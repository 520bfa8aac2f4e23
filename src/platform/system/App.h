// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

namespace platform {

// The application object: the program's folder, title and version.
struct Application {
    QString Path;  // folder of the executable (tests point it at a temporary folder)
    QString Title = QStringLiteral("Knorzelbart");
    // The school's settings file, whose locks hold over everything else (tests point it into
    // a folder of their own, so that the settings of the computer they run on change nothing).
    QString SchoolSettings = QStringLiteral("/etc/knorzelbart/einstellungen.conf");
    // The version the build gives the program.
    int Major = KNORZELBART_VERSION_MAJOR;
    int Minor = KNORZELBART_VERSION_MINOR;
    int Revision = KNORZELBART_VERSION_PATCH;
};

Application& App();

// The user's home folder, and the user's folders of desktop programs' settings, data and
// cache as QStandardPaths names them: $XDG_CONFIG_HOME, $XDG_DATA_HOME, $XDG_CACHE_HOME
// (a relative one is ignored, as the XDG rules say), else ~/.config, ~/.local/share, ~/.cache.
QString homeFolder();
QString userConfigFolder();
QString userDataFolder();
QString userCacheFolder();
// This program's own folder in one of those ("~/.cache/knorzelbart").
QString programFolder(const QString& userFolder);

}  // namespace platform
