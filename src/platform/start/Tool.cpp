// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/start/Tool.h"

#include <QCoreApplication>
#include <QImageReader>
#include <cstdio>

#include "platform/system/App.h"
#include "platform/pictures/PictureCheck.h"

namespace platform {

int runTool(int argc, char* argv[], const std::function<int()>& task) {
    // The picture decoders' own complaints ("libpng error: ...") would only confuse; the
    // task reports what it finds in its own words.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(message));
    });
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("knorzelbart"));
    QImageReader::setAllocationLimit(kPictureMemoryLimitMegabytes);
    App().Path = QCoreApplication::applicationDirPath();
    return task();
}

}  // namespace platform
