// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <memory>

#include "platform/ui/Access.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Form.h"
#include "platform/system/Timer.h"
#include "shell/LinkControls.h"

// The start-up screen: title, description, version, credits with links, the disclaimer,
// the college's logo and postal address and the mail link. After a minute, on a click or
// on a key it gives way to the selection menu and is unloaded for good. It works in twips;
// every control lies inside Frame1, and the positions below are within the frame.
class frmSplash : public platform::Form {
public:
    frmSplash();
    static frmSplash& Default();
    // The default instance if it exists (it is gone once the screen was left), else nullptr.
    static frmSplash* Existing();

    platform::Timer* Timer1;
    platform::Frame* Frame1;
    platform::Label* lblversion;
    platform::Label* lblTitel;
    platform::Label* lblErklaerung;
    platform::Label* lblAutoren;
    platform::Label* lblBrolm3;
    platform::Label* lblBrolm2;
    shell::LinkBrolm2* LinkBrolm21;
    shell::LinkLindgraben* LinkLindgraben1;
    shell::LinkBrolm* LinkBrolm1;
    shell::MailFennick* MailFennick1;
    // Tells a child who cannot see the screen how to go on, once the window has settled.
    platform::Timer* tmr_announceKey;
    std::unique_ptr<platform::Announcer> announcer;

    // The ways out: they all leave the screen the same way, and only the first one counts.
    void Timer1_Timer();
    void Form_Click();
    void Frame1_Click();
    void lblTitel_Click();
    void lblErklaerung_Click();
    void lblversion_Click();
    void lblAutoren_Click();
    void lblBrolm2_Click();
    // Only keys that produce a character arrive here, whatever has the focus.
    void Form_KeyPress(int& key) override;

protected:
    void Form_Load() override;

private:
    void buildLayout();
    void leave();
};
