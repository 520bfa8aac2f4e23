// SPDX-License-Identifier: GPL-3.0-or-later
// The menu's class list: when the teacher has typed the class once, the children's names are
// large buttons below the levels, and a child picks its name instead of typing it. A small
// sign in the corner tells the teacher that the game left her a note.
#include <algorithm>
#include <cmath>

#include "game/OnScreenKeys.h"
#include "game/TeacherNotes.h"
#include "lernstand/ClassList.h"
#include "lernstand/Learning.h"
#include "platform/ui/Access.h"
#include "shell/frmAuswahlmenue.h"

using namespace platform;

namespace {

// Three names a row (four or five for a large class, so that the menu stays on the screen),
// 600 twips high, 60 twips apart, 60 twips below the levels. A long name gets a smaller font
// so that it fits its button: at 14 points a character takes about 10.4 twips per point.
const double kNameHeight = 600;
const double kGap = 60;
const double kTwipsPerCharacterPoint = 10.4;

int columnsFor(qsizetype children) { return children <= 24 ? 3 : children <= 32 ? 4 : 5; }

double nameWidth(int columns) {
    return (frmAuswahlmenü::kMenuWidth - kGap * (columns + 1)) / columns;
}

double pointsFor(const QString& name, double width) {
    const double fitting = width / (std::max<qsizetype>(1, name.size()) * kTwipsPerCharacterPoint);
    return std::clamp(std::floor(fitting * 2) / 2, 6.0, 14.0);
}

}  // namespace

void frmAuswahlmenü::buildClassNames() {
    nameButtons = new ButtonGrid(this, "nameButtons");
    nameButtons->Move(kGap, kMenuHeight + kGap, 0, 0);
    nameButtons->setVisible(false);
    nameButtons->onPressed = [this](int index) { nameButton_Click(index); };
    presentAsGroup(nameButtons);
    describe(nameButtons, QStringLiteral("Namen der Kinder"),
             QStringLiteral("Pfeiltasten: zum nächsten Namen, Anfangsbuchstabe: springen, Eingabetaste: diesen Namen wählen"));

    lblHinweise = new Label(this, "lblHinweise");
    lblHinweise->Move(1700, 1815, 255, 255);  // beside the way into the teacher's room
    lblHinweise->setFont(layoutFont(QStringLiteral("Arial"), 8, true));
    lblHinweise->setCaption(QStringLiteral("i"));
    lblHinweise->setAlignment(Qt::AlignCenter);
    lblHinweise->setForeColor(QColor(0x60, 0x60, 0x60));
    lblHinweise->setToolTip(QStringLiteral("Hinweise für Lehrkräfte: auf den Seiten für Lehrkräfte unter Lernstand"));
    describe(lblHinweise, QStringLiteral("Hinweise für Lehrkräfte"),
             QStringLiteral("Auf den Seiten für Lehrkräfte unter Lernstand nachlesen"));
    teachernotes::setListener(this, [this] { showTeacherSign(); });
    showTeacherSign();
}

// The sign shows while there is a note for the teacher, or the record could not keep something.
void frmAuswahlmenü::showTeacherSign() {
    lblHinweise->setVisible(teachernotes::any() || !lernstand::keepingProblems().isEmpty());
}

// How long the menu waits for the class list from the record's folder (a share may hang).
constexpr int kClassListWaitMs = 300;

// The class list as it is now (the teacher may have changed it while the menu was away).
void frmAuswahlmenü::showClassNames() {
    const QStringList names = lernstand::classListSoon(lernstand::folder(), kClassListWaitMs);
    buildNameKeys();
    // The name keys when the names are typed and the teacher wants the keys.
    const bool keys = nameKeys && names.isEmpty() && onscreen::keysShown();
    if (names == nameButtons->captions() && nameButtons->Visible() == !names.isEmpty() &&
        (!nameKeys || nameKeys->isHidden() == !keys))
        return;
    const int columns = columnsFor(names.size());
    const double width = nameWidth(columns);
    nameButtons->setCaptions(names, columns, width, kNameHeight, kGap, [width](const QString& name) {
        return layoutFont(QStringLiteral("Comic Sans MS"), pointsFor(name, width), true);
    });
    for (int i = 0; i < names.size(); ++i)
        describe(nameButtons->buttons().at(i), names.at(i), QStringLiteral("Mit diesem Namen spielen"));
    const bool list = !names.isEmpty();
    nameButtons->setVisible(list);
    // With a class list the names are picked, not typed.
    txtSpielername->setLocked(list);
    if (nameKeys) nameKeys->setVisible(keys);
    if (list) {
        if (!names.contains(txtSpielername->Text())) txtSpielername->setText(QString());
        setFixedDesignSize(kMenuWidth, nameButtons->Top() + nameButtons->Height() + kGap);
    } else {
        setFixedDesignSize(kMenuWidth, keys ? nameKeys->Top() + nameKeys->Height() + kGap : kMenuHeight);
    }
    centerOnScreen();
    if (list) QWidget::setTabOrder(cmdAbbruch, nameButtons->buttons().first());
}

bool frmAuswahlmenü::classListShown() const { return nameButtons->Visible(); }

// The keyboard goes where the name is given: the name box, or the picked child's button
// (the first without one).
void frmAuswahlmenü::focusNameEntry() {
    if (!classListShown()) {
        txtSpielername->SetFocus();
        return;
    }
    nameButtons->focusButton(std::max(0, static_cast<int>(nameButtons->captions().indexOf(txtSpielername->Text()))));
}

// A child picked its name: it stands in the name box, and the levels are next.
void frmAuswahlmenü::nameButton_Click(int index) {
    if (index < 0 || index >= nameButtons->captions().size()) return;
    txtSpielername->setText(nameButtons->captions().at(index));
    cmdLevel1->setFocus(Qt::OtherFocusReason);
    announcer->announce(QStringLiteral("%1. Wähle jetzt ein Level.").arg(nameButtons->captions().at(index)));
}

frmAuswahlmenü::~frmAuswahlmenü() { teachernotes::setListener(this, {}); }
