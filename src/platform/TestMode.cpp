#include "platform/TestMode.h"

#include <QCoreApplication>
#include <QEvent>

#include "platform/App.h"
#include "platform/Clock.h"
#include "platform/Form.h"
#include "platform/Links.h"
#include "platform/MessageBox.h"
#include "platform/Pictures.h"
#include "platform/Program.h"
#include "platform/Random.h"
#include "platform/Sound.h"

namespace platform {

void beginTestMode(const QString& appPath) {
    destroyAllForms();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    useVirtualClock(true);
    interceptMessageBoxes(true);
    interceptProgramEnd(true);
    interceptNavigation(true);
    interceptSound(true);
    clearPictureCache();
    queueRandomNumbers({});
    App().Path = appPath;
}

void endTestMode() {
    destroyAllForms();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    interceptMessageBoxes(false);
    interceptNavigation(false);
    interceptSound(false);
}

}  // namespace platform
