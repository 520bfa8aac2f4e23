// SPDX-License-Identifier: GPL-3.0-or-later
// The selection menu's layout: a small fixed window with the name box, the three level
// buttons that grow with the level, their words below them, and the "x" in the corner.
#include "game/AssetPaths.h"
#include "shell/frmAuswahlmenue.h"

using namespace platform;

namespace {

QFont comic(double points) { return layoutFont(QStringLiteral("Comic Sans MS"), points, true); }

CommandButton* levelButton(QWidget* form, const char* name, double left, double top, double side,
                           const char* caption, unsigned colour, const char* toolTip) {
    auto* button = new CommandButton(form, name);
    button->Move(left, top, side, side);
    button->setCaption(QString::fromUtf8(caption));
    button->setBackColor(bgrColor(colour));
    button->setFont(comic(12));
    button->setToolTip(QString::fromUtf8(toolTip));
    return button;
}

Label* label(QWidget* form, const char* name, double left, double top, double width, double height,
             double points, const char* caption) {
    auto* label = new Label(form, name);
    label->Move(left, top, width, height);
    label->setFont(comic(points));
    label->setCaption(QString::fromUtf8(caption));
    return label;
}

}  // namespace

frmAuswahlmenü::frmAuswahlmenü() : Form(QStringLiteral("frmAuswahlmenü")) {
    setTwipUnits();
    // A fixed single border: a title and a close box, no minimise or maximise box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setWindowTitle(QStringLiteral("Bitte Schwierigkeitsgrad wählen"));
    setWindowIcon(assetpaths::windowIcon());
    setFixedDesignSize(kMenuWidth, kMenuHeight);
    buildLayout();
    buildNameKeys();
    buildClassNames();
    buildTeacherButton();
    describeControls();
}

frmAuswahlmenü& frmAuswahlmenü::Default() {
    return platform::Default<frmAuswahlmenü>(QStringLiteral("frmAuswahlmenü"));
}

void frmAuswahlmenü::buildLayout() {
    txtSpielername = new TextBox(this, "txtSpielername");
    txtSpielername->Move(1200, 120, 3255, 375);
    txtSpielername->setFont(comic(12));
    txtSpielername->setMaxLength(25);
    txtSpielername->setToolTip(QStringLiteral("Name eingeben"));

    cmdLevel1 = levelButton(this, "cmdLevel1", 2040, 960, 375, "1", 0x0000FF00, "Level 1");
    cmdLevel2 = levelButton(this, "cmdLevel2", 2880, 840, 615, "2", 0x0000FFFF, "Level 2");
    cmdLevel3 = levelButton(this, "cmdLevel3", 3960, 720, 855, "3", 0x000000FF, "Level 3");

    cmdAbbruch = new CommandButton(this, "cmdAbbruch");
    cmdAbbruch->Move(4560, 120, 375, 345);
    cmdAbbruch->setCaption(QStringLiteral("x"));
    cmdAbbruch->setFont(layoutFont(QStringLiteral("System"), 9.75, true));
    cmdAbbruch->setToolTip(QStringLiteral("Abbrechen"));

    lblName = label(this, "lblName", 120, 120, 855, 375, 12, "Name:");
    lblSkill = label(this, "lblSkill", 120, 960, 1695, 375, 12, "Schwierigkeit:");
    lblLeicht = label(this, "lblLeicht", 1920, 1560, 615, 375, 9.75, "leicht");
    lblMittel = label(this, "lblMittel", 2880, 1680, 615, 255, 9.75, "mittel");
    lblSchwer = label(this, "lblSchwer", 4080, 1800, 735, 255, 9.75, "schwer");

    setTabOrder(txtSpielername, cmdLevel1);
    setTabOrder(cmdLevel1, cmdLevel2);
    setTabOrder(cmdLevel2, cmdLevel3);
    setTabOrder(cmdLevel3, cmdAbbruch);
    // The first in the tab order has the focus when the window appears.
    txtSpielername->setFocus();

    connect(cmdLevel1, &QPushButton::clicked, this, [this] { cmdLevel1_Click(); });
    connect(cmdLevel2, &QPushButton::clicked, this, [this] { cmdLevel2_Click(); });
    connect(cmdLevel3, &QPushButton::clicked, this, [this] { cmdLevel3_Click(); });
    connect(cmdAbbruch, &QPushButton::clicked, this, [this] { cmdAbbruch_Click(); });
}
