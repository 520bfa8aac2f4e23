// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/App.h"

#include <QDir>
#include <QStandardPaths>

namespace platform {

Application& App() {
    static Application app;
    return app;
}

QString homeFolder() { return QDir::homePath(); }

namespace {

QString userFolder(QStandardPaths::StandardLocation kind, QLatin1String inHome) {
    const QString folder = QStandardPaths::writableLocation(kind);
    // Qt takes a relative $XDG_... as it stands: it would lead wherever the program was
    // started.
    return QDir::isAbsolutePath(folder) ? folder : QDir::homePath() + inHome;
}

}  // namespace

QString userConfigFolder() { return userFolder(QStandardPaths::GenericConfigLocation, QLatin1String("/.config")); }

QString userDataFolder() { return userFolder(QStandardPaths::GenericDataLocation, QLatin1String("/.local/share")); }

QString userCacheFolder() { return userFolder(QStandardPaths::GenericCacheLocation, QLatin1String("/.cache")); }

QString programFolder(const QString& userFolder) { return userFolder + QStringLiteral("/knorzelbart"); }

}  // namespace platform
