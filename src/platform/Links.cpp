#include "platform/Links.h"

#include <QDesktopServices>
#include <QUrl>

namespace platform {

namespace {
bool intercepted = false;
}

void interceptNavigation(bool on) {
    intercepted = on;
    navigatedTargets().clear();
}

QStringList& navigatedTargets() {
    static QStringList targets;
    return targets;
}

void NavigateTo(const QString& target) {
    if (intercepted) {
        navigatedTargets().append(target);
        return;
    }
    QUrl url(target);
    if (url.scheme().isEmpty()) url = QUrl(QStringLiteral("http://") + target);
    QDesktopServices::openUrl(url);
}

}  // namespace platform
