// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/TeacherPage.h"

#include "platform/ui/Look.h"

namespace teacherpage {

using namespace platform;

void place(ControlBase* control, double left, double top, double width, double height) {
    const double k = 1.0 / control->unit();  // design pixels in the room's unit
    control->Move(left * k, top * k, width * k, height * k);
    control->rescale();  // the font at the room's present scale
}

QFont font(double points, bool bold) {
    QFont f = look::wholePixelFont(points);
    f.setBold(bold);
    return f;
}

Label* label(QWidget* page, const char* name, double left, double top, double width, double height,
             const QString& caption, double points, bool bold) {
    auto* l = new Label(page, name);
    l->setTextFormat(Qt::PlainText);
    l->setWordWrap(true);
    l->setFont(font(points, bold));
    l->setForeColor(Qt::black);
    l->setCaption(caption);
    place(l, left, top, width, height);
    return l;
}

CommandButton* button(QWidget* page, const char* name, double left, double top, double width,
                      const QString& caption) {
    auto* b = new CommandButton(page, name);
    b->setFont(font(11));
    b->setCaption(caption);
    place(b, left, top, width, 40);
    return b;
}

TextBox* textBox(QWidget* page, const char* name, double left, double top, double width) {
    auto* box = new TextBox(page, name);
    box->setFont(font(12));
    place(box, left, top, width, 34);
    return box;
}

}  // namespace teacherpage
