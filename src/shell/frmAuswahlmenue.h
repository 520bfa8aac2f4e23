// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "game/Rules.h"
#include <memory>

#include "platform/ui/Access.h"
#include "platform/ui/ButtonGrid.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Form.h"
#include "platform/ui/LetterKeys.h"

// The selection menu between the start-up screen and the game: the player's name and the
// level. It works in twips. Loaded once by the start-up screen, it is hidden while a game
// runs and shown again after every game; its name box keeps the name.
class frmAuswahlmenü : public platform::Form {
public:
    // The menu as designed, in twips: the names and the on-screen keys go below it.
    static constexpr double kMenuWidth = 5055;
    static constexpr double kMenuHeight = 2175;

    frmAuswahlmenü();
    ~frmAuswahlmenü() override;
    static frmAuswahlmenü& Default();

    // Controls, in tab order.
    platform::TextBox* txtSpielername;
    platform::CommandButton* cmdLevel1;
    platform::CommandButton* cmdLevel2;
    platform::CommandButton* cmdLevel3;
    platform::CommandButton* cmdAbbruch;
    platform::Label* lblName;
    platform::Label* lblSkill;
    platform::Label* lblLeicht;
    platform::Label* lblMittel;
    platform::Label* lblSchwer;
    // On-screen keys for the name when the letter keys are shown (frmAuswahlmenue_keys.cpp).
    platform::LetterKeyboard* nameKeys = nullptr;
    // The children's names when the teacher keeps a class list, and the small sign of notes
    // for the teacher (frmAuswahlmenue_names.cpp).
    platform::ButtonGrid* nameButtons = nullptr;
    platform::Label* lblHinweise = nullptr;
    // The small way into the teacher's room: held for two seconds, or Ctrl+L; no tab stop,
    // so a child never lands on it (frmAuswahlmenue_teacher.cpp). Absent when switched off.
    platform::CommandButton* cmdLehrer = nullptr;
    // What a screen reader is told: why a level does not start (frmAuswahlmenue_access.cpp).
    std::unique_ptr<platform::Announcer> announcer;

    void cmdLevel1_Click();
    void cmdLevel2_Click();
    void cmdLevel3_Click();
    void cmdAbbruch_Click();
    void nameButton_Click(int index);
    bool classListShown() const;
    // The keyboard to the name box, or with a class list to the picked child's button.
    void focusNameEntry();
    // Back from the teacher's room, which the menu stayed behind: as when it appears, with
    // the class list and the sign as the teacher left them.
    void backFromTeacherRoom();

protected:
    void Form_Load() override;
    // Whenever the menu appears, the keyboard is in the name box, its name selected.
    void Form_Activate() override;
    // The window's close box cancels as the "x" button does: a hidden game must not keep
    // the program running without a window.
    void closeBoxClicked() override;

private:
    void buildLayout();
    void buildNameKeys();
    void buildTeacherButton();
    void describeControls();
    void buildClassNames();
    void showClassNames();
    void showTeacherSign();
    // A level was chosen without a name: the keyboard is back in the name box, and why.
    void tellNameFirst();
    // The level procedure: the level and its two settings.
    void chooseLevel(const rules::Level& level);
};
