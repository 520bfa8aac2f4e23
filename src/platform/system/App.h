// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

namespace platform {

// The application object: the program's folder, title and version.
struct Application {
    QString Path;  // folder of the executable (tests point it at a temporary folder)
    QString Title = QStringLiteral("Knorzelbart");
    // The version the build gives the program.
    int Major = KNORZELBART_VERSION_MAJOR;
    int Minor = KNORZELBART_VERSION_MINOR;
    int Revision = KNORZELBART_VERSION_PATCH;
};

Application& App();

}  // namespace platform
