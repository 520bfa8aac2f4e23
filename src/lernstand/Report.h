// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QString>
#include <vector>

#include "lernstand/Record.h"

// The teacher's page about the class: one self-contained HTML file in German, printable on
// A4, pictures included.
namespace lernstand {

struct ReportInput {
    std::vector<Child> children;
    QString recordFolder;       // where the record was read, for the page's head
    QString vocabularyFolder;   // where the pictures of the words are looked for
    QString today;              // YYYY-MM-DD
};

QByteArray report(const ReportInput& input);

}  // namespace lernstand
