// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up screen's layout: a borderless window in the colour of a window border, with
// Frame1 covering all of it but a margin of 120 twips. Controls are created from back to
// front; the links lie over the labels.
#include "platform/ui/Access.h"
#include "platform/system/App.h"
#include "platform/ui/Events.h"
#include "shell/Credits.h"
#include "platform/ui/Look.h"
#include "shell/frmSplash.h"

using namespace platform;

namespace {

// Client area in twips.
const int kWidth = 9840;
const int kHeight = 7125;

Label* splashLabel(QWidget* frame, const char* name, double left, double top, double width,
                   double height, double points, const QString& caption) {
    auto* label = new Label(frame, name);
    label->Move(left, top, width, height);
    label->setTextFormat(Qt::PlainText);
    label->setFont(platform::look::wholePixelFont(points));
    label->setCaption(caption);
    return label;
}

// Centred black text on the frame's background.
Label* headline(QWidget* frame, const char* name, double left, double top, double width,
                double height, double points, const QString& caption) {
    Label* label = splashLabel(frame, name, left, top, width, height, points, caption);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setForeColor(Qt::black);
    return label;
}

}  // namespace

frmSplash::frmSplash() : Form(QStringLiteral("frmSplash")) {
    setTwipUnits();
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowTitle(App().Title);
    platform::fillBackground(this, platform::look::activeBorder());
    setFixedDesignSize(kWidth, kHeight);
    KeyPreview = true;
    buildLayout();
    platform::presentAsWindow(this);
    platform::onClick(this, [this] { Form_Click(); });
    announcer = std::make_unique<platform::Announcer>(this);
    tmr_announceKey = new Timer(this, "tmr_announceKey", 1000, [this] {
        tmr_announceKey->setEnabled(false);
        if (isVisible()) announcer->announce(QStringLiteral("Knorzelbart. Drücke die Leertaste, dann geht es los."));
    });
}

frmSplash& frmSplash::Default() { return platform::Default<frmSplash>(QStringLiteral("frmSplash")); }

frmSplash* frmSplash::Existing() {
    return static_cast<frmSplash*>(platform::existingForm(QStringLiteral("frmSplash")));
}

void frmSplash::buildLayout() {
    Timer1 = new Timer(this, "Timer1", 60000, [this] { Timer1_Timer(); });

    Frame1 = new Frame(this, "Frame1");
    Frame1->Move(120, 120, 9615, 6855);
    Frame1->setFrameShape(QFrame::Box);
    Frame1->setFrameShadow(QFrame::Sunken);
    platform::fillBackground(Frame1, platform::look::controlBackground());

    lblversion = headline(Frame1, "lblversion", 2760, 2400, 3735, 495, 20.25, QStringLiteral("Version"));
    lblTitel = headline(Frame1, "lblTitel", 2160, 240, 6855, 1095, 39.75, QStringLiteral("Titel"));
    lblErklaerung = headline(Frame1, "lblErklaerung", 1440, 1320, 6135, 1095, 9.75,
                             QStringLiteral("Erläuterungen"));
    lblAutoren = splashLabel(Frame1, "lblAutoren", 240, 3000, 8775, 495, 9.75, credits::creditsSentence);
    lblAutoren->setForeColor(Qt::black);
    lblBrolm3 = splashLabel(Frame1, "lblBrolm3", 240, 3480, 9135, 615, 9.75,
                            QStringLiteral("Die Autoren haben nach bestem Wissen und Gewissen "
                                           "programmiert, übernehmen aber keine Gewähr für "
                                           "eventuelle Fehler. Anregungen und "
                                           "Verbesserungsvorschläge bitte an:"));
    lblBrolm3->setBackColor(platform::look::controlBackground());
    lblBrolm2 = splashLabel(Frame1, "lblBrolm2", 2880, 5040, 3135, 855, 9.75, QStringLiteral("Label1"));
    lblBrolm2->setBackColor(platform::look::controlBackground());

    LinkBrolm21 = new shell::LinkBrolm2(Frame1, "LinkBrolm21");
    LinkBrolm21->Move(600, 3240, 2175, 255);
    LinkLindgraben1 = new shell::LinkLindgraben(Frame1, "LinkLindgraben1");
    LinkLindgraben1->Move(4800, 3240, 2535, 255);
    LinkBrolm1 = new shell::LinkBrolm(Frame1, "LinkBrolm1");
    LinkBrolm1->Move(2880, 4080, 3615, 975);
    MailFennick1 = new shell::MailFennick(Frame1, "MailFennick1");
    MailFennick1->Move(2880, 6360, 3135, 255);

    platform::onClick(Frame1, [this] { Frame1_Click(); });
    platform::onClick(lblTitel, [this] { lblTitel_Click(); });
    platform::onClick(lblErklaerung, [this] { lblErklaerung_Click(); });
    platform::onClick(lblversion, [this] { lblversion_Click(); });
    platform::onClick(lblAutoren, [this] { lblAutoren_Click(); });
    platform::onClick(lblBrolm2, [this] { lblBrolm2_Click(); });
    // The disclaimer does nothing when clicked.
    platform::swallowClicks(lblBrolm3);
}
