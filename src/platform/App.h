#pragma once
#include <QString>

namespace platform {

// The application object: the program's folder, title and version.
struct Application {
    QString Path;  // folder of the executable (tests point it at a temporary folder)
    QString Title = QStringLiteral("Knorzelbart");
    int Major = 1;
    int Minor = 0;
    int Revision = 8;
};

Application& App();

}  // namespace platform
