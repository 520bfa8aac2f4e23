// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

#include "platform/ui/Form.h"
#include "platform/ui/PageControls.h"

// The handbook inside the program: its text, and a window that shows it. F1 opens it in
// every window of the program (in the teacher's room: the page Hilfe).
namespace shell {

// The handbook as written (Markdown), compiled into the program.
QString handbookText();

// Shows the handbook with its pictures in a text view.
void showHandbook(platform::TextView* view);

// Makes F1 open the handbook in every window; once per program.
void installHelpKey();

// Opens the handbook: the room's page when the room is the active window, else its window.
void openHandbook();

}  // namespace shell

class frmHandbuch : public platform::Form {
public:
    frmHandbuch();
    static frmHandbuch& Default();
    platform::TextView* txtHandbuch;

protected:
    void Form_Load() override;
};
