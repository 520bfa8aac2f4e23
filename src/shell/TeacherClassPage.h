// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>

#include "platform/ui/Controls.h"
#include "platform/ui/ListControls.h"

// The teacher's class list: the children's names typed once, then picked in the menu. A name
// chosen in the list stands in the box, where it is changed; Return in the box adds it.
class TeacherClassPage : public QWidget {
public:
    explicit TeacherClassPage(QWidget* parent);

    platform::Label* lblTitel;
    platform::Label* lblErklaerung;
    platform::WordList* lstKlasse;
    platform::Label* lblName;
    platform::TextBox* txtKindName;
    platform::CommandButton* cmdHinzufuegen;
    platform::CommandButton* cmdUmbenennen;
    platform::CommandButton* cmdEntfernen;
    platform::Label* lblMeldung;

    void cmdHinzufuegen_Click();
    void cmdUmbenennen_Click();
    void cmdEntfernen_Click();
    void lstKlasse_Change();
    // Reads the list again from the record's folder.
    void refresh();

private:
    void say(const QString& message);
};
