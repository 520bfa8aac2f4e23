// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QFont>
#include <QString>
#include <QWidget>

#include "platform/ui/Controls.h"

// What the pages of the teacher's room share: controls placed in pixels of the page as
// designed, whatever unit the room's window uses, and scaled with it.
namespace teacherpage {

void place(platform::ControlBase* control, double left, double top, double width, double height);
platform::Label* label(QWidget* page, const char* name, double left, double top, double width, double height,
                       const QString& caption, double points = 11, bool bold = false);
platform::CommandButton* button(QWidget* page, const char* name, double left, double top, double width,
                                const QString& caption);
platform::TextBox* textBox(QWidget* page, const char* name, double left, double top, double width);
QFont font(double points, bool bold = false);

}  // namespace teacherpage
