// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Tool.h"

#include <QCoreApplication>
#include <QImageReader>

#include "platform/App.h"
#include "platform/PictureCheck.h"

namespace platform {

int runTool(int argc, char* argv[], const std::function<int()>& task) {
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("knorzelbart"));
    QImageReader::setAllocationLimit(kPictureMemoryLimitMegabytes);
    App().Path = QCoreApplication::applicationDirPath();
    return task();
}

}  // namespace platform
