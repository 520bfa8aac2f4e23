// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

#include "platform/ui/Controls.h"

namespace shell {

// A link of the start-up screen: a surface that holds one control at its top left corner.
// A click on that inner control opens the link's address and changes nothing else. The
// surface is what the screen places; when it is smaller than the inner control, the inner
// control is cut off at its edges. What marks a link is the pointing hand and the tooltip.
class LinkControl : public platform::Control<QWidget> {
public:
    const QString& Target() const { return target_; }

protected:
    // `width` and `height` are the surface's own size, before the screen places it.
    LinkControl(QWidget* parent, const char* name, double width, double height,
                const QString& target, const QString& toolTip);
    // Clicks on `inner` open the address.
    void opensOnClick(QWidget* inner);
    platform::Label* textLabel(const QString& caption, double width, bool opaque);

private:
    QString target_;
};

// The college's name, opening the college's web address.
class LinkBrolm2 : public LinkControl {
public:
    LinkBrolm2(QWidget* parent, const char* name);
    platform::Label* Label1;
};

// The college's logo, opening the college's web address.
class LinkBrolm : public LinkControl {
public:
    LinkBrolm(QWidget* parent, const char* name);
    platform::Image* imgLogo;
};

// The school's name, opening the school's web address. Its surface has the colour of the
// screen's border and the name lies on it without a background of its own.
class LinkLindgraben : public LinkControl {
public:
    LinkLindgraben(QWidget* parent, const char* name);
    platform::Label* Label1;
};

// The contact person's mail address, opening a new mail to it.
class MailFennick : public LinkControl {
public:
    MailFennick(QWidget* parent, const char* name);
    platform::Label* Label1;
};

}  // namespace shell
