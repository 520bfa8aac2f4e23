// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/TeacherHelp.h"

#include <QApplication>

#include "game/AssetPaths.h"
#include "platform/ui/Access.h"
#include "platform/ui/Events.h"
#include "platform/ui/Look.h"
#include "platform/ui/LongPress.h"
#include "platform/files/TextFile.h"
#include "shell/frmLehrer.h"

static void initHelpResource() { Q_INIT_RESOURCE(hilfe); }

namespace shell {

QString handbookText() {
    initHelpResource();
    const QString text = platform::compiledInText(QStringLiteral(":/hilfe/Handbuch.md"));
    return text.isEmpty() ? QStringLiteral("Das Handbuch fehlt in diesem Programm: "
                                           "/usr/share/doc/knorzelbart/Handbuch.html")
                          : text;
}

void showHandbook(platform::TextView* view) {
    view->setMarkdownText(handbookText(), QStringLiteral(":/hilfe"));
}

void installHelpKey() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    platform::onKeyInEveryWindow(Qt::Key_F1, [] { openHandbook(); });
}

void openHandbook() {
    if (platform::Form* room = platform::existingForm(QStringLiteral("frmLehrer"));
        room && room->Visible() && room->isActiveWindow()) {
        frmLehrer& teacher = frmLehrer::Default();
        teacher.tabSeiten->setCurrentPage(frmLehrer::Hilfe);
        teacher.txtHilfe->setFocus();
        return;
    }
    frmHandbuch::Default().Show();
}

}  // namespace shell

namespace {
constexpr double kWidth = 640;
constexpr double kHeight = 480;
}  // namespace

frmHandbuch::frmHandbuch() : Form(QStringLiteral("frmHandbuch")) {
    setWindowTitle(QStringLiteral("Knorzelbart – Handbuch"));
    setWindowIcon(assetpaths::windowIcon());
    platform::fillBackground(this, platform::look::controlBackground());
    resize(int(kWidth), int(kHeight));
    txtHandbuch = new platform::TextView(this, "txtHandbuch");
    txtHandbuch->Move(0, 0, kWidth, kHeight);
    txtHandbuch->setFont(platform::look::wholePixelFont(11));
    platform::describe(txtHandbuch, QStringLiteral("Handbuch"), QStringLiteral("Esc schließt das Handbuch"));
    setMarginColours(platform::look::controlBackground(), platform::look::controlBackground(), kHeight);
    scaleSceneWithWindow(kWidth, kHeight);
    platform::onKey(this, Qt::Key_Escape, [this] { Unload(); });
}

frmHandbuch& frmHandbuch::Default() { return platform::Default<frmHandbuch>(QStringLiteral("frmHandbuch")); }

void frmHandbuch::Form_Load() {
    const double factor = platform::fittingScale(kWidth, kHeight, false);
    resize(int(kWidth * factor), int(kHeight * factor));
    centerOnScreen();
    shell::showHandbook(txtHandbuch);
    txtHandbuch->setFocus();
}
