// SPDX-License-Identifier: GPL-3.0-or-later
// The class list page: add, rename and remove children; what cannot be done is said below.
#include "shell/TeacherClassPage.h"

#include "lernstand/ClassList.h"
#include "lernstand/Learning.h"
#include "platform/ui/Access.h"
#include "platform/ui/MessageBox.h"
#include "shell/TeacherPage.h"
#include "shell/TeacherPages.h"

using namespace platform;
using namespace teacherpage;

TeacherClassPage::TeacherClassPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pageKlasse"));
    lblTitel = label(this, "lblKlasseTitel", 10, 8, 600, 32, QStringLiteral("Klasse"), 16, true);
    lblErklaerung = label(this, "lblKlasseErklaerung", 10, 42, 600, 44,
                          QStringLiteral("Die Namen der Kinder, einmal eingetippt. Im Menü wählt dann jedes Kind "
                                         "seinen Namen, statt ihn zu schreiben."));
    lstKlasse = new WordList(this, "lstKlasse");
    lstKlasse->setFont(teacherpage::font(12));
    place(lstKlasse, 10, 92, 280, 300);
    lblName = label(this, "lblKindName", 305, 92, 300, 24, QStringLiteral("Name des Kindes:"));
    txtKindName = textBox(this, "txtKindName", 305, 118, 300);
    txtKindName->setMaxLength(lernstand::kMaxNameLength);
    cmdHinzufuegen = button(this, "cmdKindHinzufuegen", 305, 162, 300, QStringLiteral("Hinzufügen"));
    cmdUmbenennen = button(this, "cmdKindUmbenennen", 305, 208, 300, QStringLiteral("Umbenennen"));
    cmdEntfernen = button(this, "cmdKindEntfernen", 305, 254, 300, QStringLiteral("Aus der Liste nehmen"));
    lblMeldung = label(this, "lblKlasseMeldung", 305, 304, 300, 88, QString());

    setMinimumSize(QSize(620, 400) * lblTitel->scaleFactor());
    presentAsGroup(this);
    describe(this, QStringLiteral("Klasse"));
    describe(lstKlasse, QStringLiteral("Kinder der Klasse"), QStringLiteral("Pfeiltasten: Kind wählen"));
    describe(txtKindName, QStringLiteral("Name des Kindes"),
             QStringLiteral("Eingabetaste: hinzufügen; für ein gewähltes Kind: neuer Name"));
    describe(cmdHinzufuegen, QStringLiteral("Hinzufügen"), QStringLiteral("Nimmt den Namen in die Klassenliste auf"));
    describe(cmdUmbenennen, QStringLiteral("Umbenennen"),
             QStringLiteral("Gibt dem gewählten Kind den neuen Namen, auch in seinem Lernstand"));
    describe(cmdEntfernen, QStringLiteral("Aus der Liste nehmen"),
             QStringLiteral("Nimmt das gewählte Kind aus der Klassenliste; sein Lernstand bleibt"));
    presentAsTextBox(txtKindName);

    setTabOrder(lstKlasse, txtKindName);
    setTabOrder(txtKindName, cmdHinzufuegen);
    setTabOrder(cmdHinzufuegen, cmdUmbenennen);
    setTabOrder(cmdUmbenennen, cmdEntfernen);
    setFocusProxy(lstKlasse);

    connect(cmdHinzufuegen, &QPushButton::clicked, this, [this] { cmdHinzufuegen_Click(); });
    connect(cmdUmbenennen, &QPushButton::clicked, this, [this] { cmdUmbenennen_Click(); });
    connect(cmdEntfernen, &QPushButton::clicked, this, [this] { cmdEntfernen_Click(); });
    connect(txtKindName, &QLineEdit::returnPressed, this, [this] { cmdHinzufuegen_Click(); });
    lstKlasse->onCurrentChanged = [this] { lstKlasse_Change(); };
    lstKlasse->onReturn = [this] { txtKindName->SetFocus(); };
    refresh();
}

void TeacherClassPage::refresh() {
    QString why;
    const QStringList names = lernstand::readClassList(lernstand::folder(), &why);
    const int row = lstKlasse->CurrentRow();
    lstKlasse->setRows(names, {});
    if (row >= 0 && row < names.size()) lstKlasse->setCurrentRow(row);
    if (!why.isEmpty()) say(QStringLiteral("Die Klassenliste kann nicht gelesen werden (%1).").arg(why));
}

void TeacherClassPage::say(const QString& message) {
    lblMeldung->setCaption(message);
    describe(lblMeldung, message);
}

void TeacherClassPage::lstKlasse_Change() {
    const int row = lstKlasse->CurrentRow();
    if (row >= 0) txtKindName->setText(lstKlasse->RowText(row));
}

void TeacherClassPage::cmdHinzufuegen_Click() {
    const QString name = txtKindName->Text().trimmed();
    const QString failure = lernstand::addToClass(lernstand::folder(), name);
    if (!failure.isEmpty()) {
        say(failure);
        return;
    }
    refresh();
    lstKlasse->setCurrentRow(lstKlasse->Rows() - 1);
    txtKindName->setText(QString());
    txtKindName->SetFocus();
    say(QStringLiteral("„%1“ steht jetzt in der Klassenliste.").arg(name));
}

void TeacherClassPage::cmdUmbenennen_Click() {
    const int row = lstKlasse->CurrentRow();
    if (row < 0) {
        say(QStringLiteral("Bitte zuerst ein Kind in der Liste wählen."));
        return;
    }
    const QString old = lstKlasse->RowText(row);
    const QString name = txtKindName->Text().trimmed();
    const QString failure = lernstand::renameInClass(lernstand::folder(), row, name);
    if (!failure.isEmpty()) {
        say(failure);
        return;
    }
    refresh();
    say(QStringLiteral("„%1“ heißt jetzt „%2“.").arg(old, name));
}

void TeacherClassPage::cmdEntfernen_Click() {
    const int row = lstKlasse->CurrentRow();
    if (row < 0) {
        say(QStringLiteral("Bitte zuerst ein Kind in der Liste wählen."));
        return;
    }
    const QString name = lstKlasse->RowText(row);
    if (!AskYesNo(QStringLiteral("Soll „%1“ aus der Klassenliste genommen werden? Was der Lernstand über "
                                 "dieses Kind weiß, bleibt erhalten.")
                      .arg(name)))
        return;
    const QString failure = lernstand::removeFromClass(lernstand::folder(), row);
    if (!failure.isEmpty()) {
        say(failure);
        return;
    }
    refresh();
    txtKindName->setText(QString());
    say(QStringLiteral("„%1“ steht nicht mehr in der Klassenliste.").arg(name));
}

namespace shell {
QWidget* makeClassPage(QWidget* parent) { return new TeacherClassPage(parent); }
}  // namespace shell
