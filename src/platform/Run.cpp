#include "platform/Run.h"

#include <QApplication>
#include <QImageReader>

#include "platform/App.h"
#include "platform/Form.h"
#include "platform/PictureCheck.h"
#include "platform/SingleInstance.h"

namespace platform {

int run(int argc, char* argv[], const std::function<Form&()>& startupForm) {
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setApplicationName(QStringLiteral("knorzelbart"));
    QApplication::setApplicationDisplayName(App().Title);
    QApplication::setApplicationVersion(QStringLiteral(KNORZELBART_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("knorzelbart"));
    // A picture that would need more memory than this is refused, not decoded.
    QImageReader::setAllocationLimit(kPictureMemoryLimitMegabytes);
    App().Path = QCoreApplication::applicationDirPath();
    // A second start brings this copy to the front and ends.
    if (!claimInstance(instanceName(), bringWindowsToFront)) return 0;
    startupForm().Show();
    return application.exec();
}

}  // namespace platform
