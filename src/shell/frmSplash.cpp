// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up screen's behaviour: its texts and centred places at load, and the ways out.
#include "game/Options.h"
#include "platform/system/App.h"
#include "raeuber/frmRaeuber.h"
#include "shell/Credits.h"
#include "shell/frmAuswahlmenue.h"
#include "shell/frmSplash.h"

using platform::App;

void frmSplash::Form_Load() {
    // Every window is drawn at the factor at which the game fits the screen (or fills it).
    platform::setProgramScale(platform::fittingScale(frmRaeuber::kSceneWidth, frmRaeuber::kSceneHeight,
                                                     options::current().fullScreen));
    centerOnScreen();
    Timer1->setEnabled(true);
    tmr_announceKey->setEnabled(true);
    // The form's inner width centres the controls, although they lie in the frame: the
    // halves are kept, they are rounded only where a control is placed.
    lblTitel->setLeft((ScaleWidth() - lblTitel->Width()) / 2);
    lblErklaerung->setLeft((ScaleWidth() - lblErklaerung->Width()) / 2);
    LinkBrolm1->setLeft((ScaleWidth() - LinkBrolm1->Width()) / 2);
    lblBrolm2->setLeft(LinkBrolm1->Left());
    lblversion->setLeft((ScaleWidth() - lblversion->Width()) / 2);
    MailFennick1->setLeft(LinkBrolm1->Left());
    MailFennick1->setTop(lblBrolm2->Height() + lblBrolm2->Top());
    lblBrolm2->setCaption(credits::postalStreet + QLatin1Char('\r') + credits::postalTown +
                          QLatin1Char('\r') + QStringLiteral("z. Hd. ") +
                          credits::contactTitleAndName);
    lblTitel->setCaption(App().Title);
    lblErklaerung->setCaption(QStringLiteral("Ein Sprachlernprogramm für Grundschulen") +
                              QLatin1Char('\r') + QLatin1Char('\r') +
                              QStringLiteral("1. Schuljahr"));
    lblversion->setCaption(QStringLiteral("Version ") + QString::number(App().Major) +
                           QLatin1Char('.') + QString::number(App().Minor) + QLatin1Char('.') +
                           QString::number(App().Revision));
}

void frmSplash::Timer1_Timer() { leave(); }
void frmSplash::Form_Click() { leave(); }
void frmSplash::Frame1_Click() { leave(); }
void frmSplash::lblTitel_Click() { leave(); }
void frmSplash::lblErklaerung_Click() { leave(); }
void frmSplash::lblversion_Click() { leave(); }
void frmSplash::lblAutoren_Click() { leave(); }
void frmSplash::lblBrolm2_Click() { leave(); }

void frmSplash::Form_KeyPress(int& key) {
    key = 0;
    leave();
}

// The menu comes first, so that a form is loaded throughout. Whatever comes after the
// first way out (a late tick, a key still on its way) finds the screen unloaded.
void frmSplash::leave() {
    if (!isLoaded()) return;
    frmAuswahlmenü::Default().Show();
    Timer1->setEnabled(false);
    tmr_announceKey->setEnabled(false);
    Unload();
}
