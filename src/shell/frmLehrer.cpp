// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's room as a whole: what it shows when it opens, and the way back to the menu.
#include "platform/ui/Events.h"
#include "platform/ui/Form.h"
#include "shell/TeacherHelp.h"
#include "shell/frmAuswahlmenue.h"
#include "shell/frmLehrer.h"

// The room is ready at once; the check of the chosen collection follows its first frame,
// and the help text the first time its page is shown.
void frmLehrer::Form_Load() {
    // As large as designed, smaller on a small screen; maximised the pages grow with it.
    const double factor = platform::fittingScale(kWidth, kHeight, false);
    resize(int(kWidth * factor), int(kHeight * factor));
    centerOnScreen();
    showSettings();
    fillCollections();
    platform::afterFirstPaint(this, [this] { showCheck(); });
    tabSeiten->setCurrentPage(Woerter);
    lstSammlungen->setFocus();
}

void frmLehrer::Form_Unload(int& Cancel) {
    (void)Cancel;
    tmrVorschau->setEnabled(false);
    // Back in the menu, the next child types its name.
    auto* menu = dynamic_cast<frmAuswahlmenü*>(platform::existingForm(QStringLiteral("frmAuswahlmenü")));
    if (menu && menu->Visible()) menu->backFromTeacherRoom();
}

// A page turned to is named for a screen reader, and the keyboard goes to its first control
// (to the tabs when it has none), so that the next key acts on what is shown.
void frmLehrer::pageShown(int page) {
    if (page == Hilfe && txtHilfe->document()->isEmpty()) shell::showHandbook(txtHilfe);
    announcer_->announce(QStringLiteral("Seite %1").arg(tabSeiten->PageTitle(page)));
    QWidget* shown = tabSeiten->widget(page);
    if (shown->isAncestorOf(focusWidget())) return;
    for (QWidget* control : shown->findChildren<QWidget*>())
        if ((control->focusPolicy() & Qt::TabFocus) && control->isVisibleTo(shown) && control->isEnabled()) {
            control->setFocus(Qt::TabFocusReason);
            return;
        }
    tabSeiten->tabBar()->setFocus(Qt::TabFocusReason);
}
