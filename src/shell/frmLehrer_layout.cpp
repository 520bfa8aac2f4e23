// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's room's frame, in pixels of its design size (760 × 540): the five pages
// behind their tabs, and "Schließen" below them.
#include "game/AssetPaths.h"
#include "platform/ui/Events.h"
#include "platform/ui/Look.h"
#include "shell/TeacherPages.h"
#include "shell/TeacherWindow.h"
#include "shell/frmLehrer.h"

using namespace platform;

frmLehrer::frmLehrer() : Form(QStringLiteral("frmLehrer")) {
    shell::dressTeacherWindow(*this, QStringLiteral("Knorzelbart – Für Lehrkräfte"), kWidth, kHeight,
                              [this] { buildLayout(); });
    onKey(this, Qt::Key_Escape, [this] { Unload(); });
    // The pages by keyboard, wherever the focus is (a choice box would keep Ctrl+Tab).
    const auto turn = [this](int by) {
        tabSeiten->setCurrentPage((tabSeiten->CurrentPage() + by + tabSeiten->count()) % tabSeiten->count());
    };
    onKey(this, Qt::Key_Tab, [turn] { turn(1); }, Qt::ControlModifier);
    onKey(this, Qt::Key_Backtab, [turn] { turn(-1); }, Qt::ControlModifier | Qt::ShiftModifier);
    onKey(this, Qt::Key_PageDown, [turn] { turn(1); }, Qt::ControlModifier);
    onKey(this, Qt::Key_PageUp, [turn] { turn(-1); }, Qt::ControlModifier);
}

frmLehrer& frmLehrer::Default() { return platform::Default<frmLehrer>(QStringLiteral("frmLehrer")); }

void frmLehrer::buildLayout() {
    tabSeiten = new PageTabs(this, "tabSeiten");
    tabSeiten->Move(8, 8, kWidth - 16, kHeight - 64);
    tabSeiten->setFont(look::wholePixelFont(12));
    describe(tabSeiten, QStringLiteral("Seiten für Lehrkräfte"),
             QStringLiteral("Strg+Tab: nächste Seite, Strg+Umschalt+Tab: vorige Seite"));
    buildWordsPage(tabSeiten->addPage("pageWoerter", QStringLiteral("Wörter")));
    shell::makeClassPage(tabSeiten->addPage("pageKlasse", QStringLiteral("Klasse")));
    shell::makeRecordPage(tabSeiten->addPage("pageLernstand", QStringLiteral("Lernstand")));
    buildSettingsPage(tabSeiten->addPage("pageEinstellungen", QStringLiteral("Einstellungen")));
    buildHelpPage(tabSeiten->addPage("pageHilfe", QStringLiteral("Hilfe")));
    tabSeiten->onPageShown = [this](int page) { pageShown(page); };

    cmdSchliessen = new CommandButton(this, "cmdSchliessen");
    cmdSchliessen->Move(kWidth - 168, kHeight - 50, 160, 40);
    cmdSchliessen->setFont(look::wholePixelFont(11));
    cmdSchliessen->setCaption(QStringLiteral("Schließen"));
    describe(cmdSchliessen, QStringLiteral("Schließen"), QStringLiteral("Zurück zum Spiel (Esc)"));
    QObject::connect(cmdSchliessen, &QPushButton::clicked, this, [this] { Unload(); });
    announcer_ = new Announcer(this);
}
