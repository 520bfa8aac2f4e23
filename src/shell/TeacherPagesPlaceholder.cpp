// SPDX-License-Identifier: GPL-3.0-or-later
// The class page and the record page, until they have controls of their own: a line that
// says where the same is done today.
#include "platform/Controls.h"
#include "platform/Look.h"
#include "shell/TeacherPages.h"

namespace shell {

namespace {

QWidget* notePage(QWidget* parent, const char* name, const QString& text) {
    auto* note = new platform::Label(parent, name);
    note->Move(16, 16, 700, 80);
    note->setFont(platform::look::wholePixelFont(12));
    note->setCaption(text);
    return note;
}

}  // namespace

QWidget* makeClassPage(QWidget* parent) {
    return notePage(parent, "lblKlasseHinweis", QStringLiteral("Die Klassenliste wird hier bald angelegt."));
}

QWidget* makeRecordPage(QWidget* parent) {
    return notePage(parent, "lblLernstandHinweis",
                    QStringLiteral("Den Lernstand zeigt bis dahin „knorzelbart --bericht DATEI“."));
}

}  // namespace shell
