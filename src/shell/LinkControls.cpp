// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/LinkControls.h"

#include <QPixmap>
#include <functional>

#include "platform/ui/Access.h"
#include "platform/ui/Events.h"
#include "platform/system/Links.h"
#include "platform/pictures/Pictures.h"
#include "game/AssetPaths.h"
#include "shell/Credits.h"
#include "platform/ui/Look.h"

namespace shell {

namespace {

const double kLabelHeight = 255;
// The logo's frame, in twips (236 × 55 pixels).
const double kLogoWidth = 3540;
const double kLogoHeight = 825;

// The pointing hand over a link, set once the screen's first frame is on screen: where the
// pointer starts over a link, looking the hand up in the cursor theme (a few dozen files)
// would hold up that first frame.
void handAfterFirstPaint(QWidget* widget, std::function<void()> more = nullptr) {
    platform::afterFirstPaint(widget, [widget, more = std::move(more)] {
        widget->setCursor(Qt::PointingHandCursor);
        if (more) more();
    });
}

}  // namespace

LinkControl::LinkControl(QWidget* parent, const char* name, double width,
                         double height, const QString& target, const QString& toolTip)
    : Control<QWidget>(parent, name), target_(target) {
    Move(0, 0, width, height);
    setToolTip(toolTip);
    platform::fillBackground(this, platform::look::controlBackground());
    // The parts of the surface that the inner control leaves free do nothing.
    platform::swallowClicks(this);
}

void LinkControl::opensOnClick(QWidget* inner) {
    inner->setToolTip(toolTip());
    platform::onClick(inner, [this] { platform::NavigateTo(target_); });
    platform::presentAsLink(inner, [this] { platform::NavigateTo(target_); });
}

platform::Label* LinkControl::textLabel(const QString& caption, double width, bool opaque) {
    auto* label = new platform::Label(this, "Label1");
    label->Move(0, 0, width, kLabelHeight);
    label->setTextFormat(Qt::PlainText);
    label->setFont(platform::look::wholePixelFont(9.75));
    label->setCaption(caption);
    if (opaque) label->setBackColor(platform::look::controlBackground());
    opensOnClick(label);
    return label;
}

LinkBrolm2::LinkBrolm2(QWidget* parent, const char* name)
    : LinkControl(parent, name, 2280, 285, credits::collegeWeb, credits::collegeWeb) {
    Label1 = textLabel(credits::collegeName, 2295, true);
    handAfterFirstPaint(Label1);
}

LinkBrolm::LinkBrolm(QWidget* parent, const char* name)
    : LinkControl(parent, name, 3600, 855, credits::collegeWeb, credits::collegeWeb) {
    imgLogo = new platform::Image(this, "imgLogo");
    imgLogo->Move(0, 0, kLogoWidth, kLogoHeight);
    // Rendering the logo's text costs milliseconds: it is drawn once the window is on screen.
    handAfterFirstPaint(imgLogo, [this] { imgLogo->setVectorPicture(assetpaths::layoutPicture("logo.svg")); });
    opensOnClick(imgLogo);
}

LinkLindgraben::LinkLindgraben(QWidget* parent, const char* name)
    : LinkControl(parent, name, 2655, 300, credits::schoolWeb, credits::schoolWeb) {
    platform::fillBackground(this, platform::look::activeBorder());
    handAfterFirstPaint(this);
    Label1 = textLabel(credits::schoolName, 2655, false);
}

MailFennick::MailFennick(QWidget* parent, const char* name)
    : LinkControl(parent, name, 3030, 315,
                  QStringLiteral("mailto:") + credits::contactMail,
                  QStringLiteral("mailto: ") + credits::contactMail) {
    Label1 = textLabel(credits::contactMail, 3015, true);
    handAfterFirstPaint(Label1);
}

}  // namespace shell
