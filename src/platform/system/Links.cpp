// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/Links.h"

#include <QDesktopServices>
#include <QUrl>

#include "platform/system/Hooks.h"

namespace platform {

void NavigateTo(const QString& target) {
    if (hooks().navigate) return hooks().navigate(target);
    QUrl url(target);
    if (url.scheme().isEmpty()) url = QUrl(QStringLiteral("http://") + target);
    QDesktopServices::openUrl(url);
}

}  // namespace platform
