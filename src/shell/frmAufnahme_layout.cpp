// SPDX-License-Identifier: GPL-3.0-or-later
// The recording window's layout, in pixels of its design size (640 × 480): the list of
// words on the left, the chosen word with its picture and the buttons on the right.
#include "game/Options.h"
#include "game/AssetPaths.h"
#include "platform/ui/Access.h"
#include "platform/ui/Events.h"
#include "platform/ui/Look.h"
#include "shell/TeacherWindow.h"
#include "shell/frmAufnahme.h"

using namespace platform;

namespace {

CommandButton* button(QWidget* form, const char* name, double left, double top, const QString& caption) {
    auto* b = new CommandButton(form, name);
    b->Move(left, top, 145, 44);
    b->setFont(look::wholePixelFont(11));
    b->setCaption(caption);
    return b;
}

Label* label(QWidget* form, const char* name, double left, double top, double width, double height,
             double points, bool bold = false) {
    auto* l = new Label(form, name);
    l->Move(left, top, width, height);
    l->setTextFormat(Qt::PlainText);
    QFont font = look::wholePixelFont(points);
    font.setBold(bold);
    l->setFont(font);
    l->setForeColor(Qt::black);
    return l;
}

}  // namespace

QString frmAufnahme::folder;

frmAufnahme::frmAufnahme() : Form(QStringLiteral("frmAufnahme")) {
    shell::dressTeacherWindow(*this, QStringLiteral("Knorzelbart – Wörter aufnehmen"), kWidth, kHeight,
                              [this] { buildLayout(); });
}

frmAufnahme& frmAufnahme::Default() { return platform::Default<frmAufnahme>(QStringLiteral("frmAufnahme")); }

void frmAufnahme::buildLayout() {
    lblOrdner = label(this, "lblOrdner", 10, 6, 620, 26, 10);
    lstWoerter = new WordList(this, "lstWoerter");
    lstWoerter->Move(10, 36, 300, 382);
    lstWoerter->setFont(look::wholePixelFont(12));
    lstWoerter->setPictureSize(40);
    describe(lstWoerter, QStringLiteral("Wörter"),
             QStringLiteral("Pfeiltasten: Wort wählen, Leertaste: Aufnahme beginnen und beenden, "
                            "Eingabetaste: anhören"));

    imgBild = new Image(this, "imgBild", true);
    imgBild->Move(330, 36, 120, 120);
    lblWort = label(this, "lblWort", 460, 36, 170, 40, 18, true);
    lblLaenge = label(this, "lblLaenge", 460, 80, 170, 76, 10);
    lblLaenge->setWordWrap(true);

    cmdAufnehmen = button(this, "cmdAufnehmen", 330, 170, QStringLiteral("Aufnehmen"));
    cmdSilben = button(this, "cmdSilben", 485, 170, QStringLiteral("Silben aufnehmen"));
    pgbPegel = new LevelMeter(this, "pgbPegel");
    pgbPegel->Move(330, 222, 300, 20);
    describe(pgbPegel, QStringLiteral("Pegel"),
             QStringLiteral("Wie laut das Mikrofon gerade ist, von -60 bis 0 dB; rot am Ende: übersteuert"));
    cmdAnhoeren = button(this, "cmdAnhoeren", 330, 252, QStringLiteral("Anhören"));
    cmdSilbenAnhoeren = button(this, "cmdSilbenAnhoeren", 485, 252, QStringLiteral("Silben anhören"));
    cmdLoeschen = button(this, "cmdLoeschen", 330, 304, QStringLiteral("Löschen"));
    cmdRueckgaengig = button(this, "cmdRueckgaengig", 485, 304, QStringLiteral("Rückgängig"));
    cmdRueckgaengig->setEnabled(false);
    lblStatus = label(this, "lblStatus", 330, 356, 300, 62, 10);
    lblStatus->setWordWrap(true);
    cmdSchliessen = button(this, "cmdSchliessen", 485, 426, QStringLiteral("Schließen"));
    cmdNurFehlende = button(this, "cmdNurFehlende", 10, 426, QStringLiteral("Nur fehlende"));
    cmdNurFehlende->setCheckable(true);
    cmdGleichAnhoeren = button(this, "cmdGleichAnhoeren", 165, 426, QStringLiteral("Gleich anhören"));
    cmdGleichAnhoeren->setCheckable(true);
    cmdGleichAnhoeren->setChecked(true);
    lblAnzahl = label(this, "lblAnzahl", 330, 426, 150, 44, 10);
    lblAnzahl->setWordWrap(true);

    // The syllables are there only when the game plays them.
    const bool syllables = options::current().syllables;
    cmdSilben->setVisible(syllables);
    cmdSilbenAnhoeren->setVisible(syllables);

    tmrPegel = new Timer(this, "tmrPegel", 50, [this] { tmrPegel_Timer(); });
    // A screen reader first reads the window and its list as they appear; the chosen word
    // comes after that.
    tmrAnsage = new Timer(this, "tmrAnsage", 1500, [this] {
        tmrAnsage->setEnabled(false);
        if (const takes::Entry* entry = current())
            setStatus(QStringLiteral("„%1“ ist gewählt; %2.").arg(entry->word, lblAnzahl->Caption()));
    });
    QObject::connect(cmdAufnehmen, &QPushButton::clicked, this, [this] { cmdAufnehmen_Click(); });
    QObject::connect(cmdSilben, &QPushButton::clicked, this, [this] { cmdSilben_Click(); });
    QObject::connect(cmdAnhoeren, &QPushButton::clicked, this, [this] { cmdAnhoeren_Click(); });
    QObject::connect(cmdSilbenAnhoeren, &QPushButton::clicked, this, [this] { cmdSilbenAnhoeren_Click(); });
    QObject::connect(cmdLoeschen, &QPushButton::clicked, this, [this] { cmdLoeschen_Click(); });
    QObject::connect(cmdRueckgaengig, &QPushButton::clicked, this, [this] { cmdRueckgaengig_Click(); });
    QObject::connect(cmdNurFehlende, &QPushButton::clicked, this, [this] { cmdNurFehlende_Click(); });
    QObject::connect(cmdSchliessen, &QPushButton::clicked, this, [this] { Unload(); });
    lstWoerter->onCurrentChanged = [this] { lstWoerter_Change(); };
    // Space, Return and the arrows do the window's jobs wherever the focus is (the question
    // boxes are windows of their own and keep their keys).
    previewKeys(this, [this](QWidget*, QEvent* keyPress) { return windowKey(keyPress); });
    presentAsWindow(this);
    describe(imgBild, QStringLiteral("Bild"));
    announcer_ = std::make_unique<Announcer>(this);
}
