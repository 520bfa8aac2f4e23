// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/TeacherWindow.h"

#include "game/AssetPaths.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Events.h"
#include "platform/ui/Look.h"

namespace shell {

void dressTeacherWindow(platform::Form& form, const QString& title, double width, double height,
                        const std::function<void()>& buildLayout) {
    form.setWindowTitle(title);
    form.setWindowIcon(assetpaths::windowIcon());
    platform::fillBackground(&form, platform::look::controlBackground());
    form.resize(int(width), int(height));
    buildLayout();
    form.setMarginColours(platform::look::controlBackground(), platform::look::controlBackground(), height);
    form.scaleSceneWithWindow(width, height);
    platform::onKey(&form, Qt::Key_F11, [&form] { form.setFullScreen(!form.FullScreen()); });
}

}  // namespace shell
