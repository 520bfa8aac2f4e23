// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QString>
#include <vector>

#include "lernstand/Record.h"

// The teacher's page about the class: one self-contained HTML file in German, printable on
// A4, each picture included once.
namespace lernstand {

struct ReportInput {
    std::vector<Child> children;
    QString recordFolder;       // where the record was read, for the page's head
    QString vocabularyFolder;   // where the pictures of the words are looked for
    QString today;              // YYYY-MM-DD
    bool oneChild = false;      // a page about one child (a talk with parents): no class part
};

// The page; its first line says that it holds children's personal data.
QByteArray report(const ReportInput& input);
// Whether a file's start is such a page (one that may be replaced by a new one).
bool isReport(const QString& start);

}  // namespace lernstand
