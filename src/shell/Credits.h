// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

// Who made the program and where to reach them: every name and address the start-up
// screen shows or opens lives here. The institutions, the person and the addresses are
// made up; the addresses lie under the domains reserved for examples.
namespace credits {

// The college that made the program; its logo is layout/logo.svg.
inline const QString collegeName = QStringLiteral("PH Lindental-Brolmbach");
inline const QString collegeWeb = QStringLiteral("www.ph-lindental.example.org");

// The school that tried it out in its classes.
inline const QString schoolName = QStringLiteral("Grundschule Lindgraben-Süd");
inline const QString schoolWeb = QStringLiteral("www.gs-lindgraben.example.com");

// The person to write to, with the college's postal address.
inline const QString contactMail = QStringLiteral("fennick@example.org");
inline const QString contactTitleAndName = QStringLiteral("Dr. Helga Fennick");
inline const QString postalStreet = QStringLiteral("Am Lindenhang 12");
inline const QString postalTown = QStringLiteral("79999 Lindental-Brolmbach");

// The credits sentence. The label wraps it onto two lines; the two runs of blanks on the
// second line are where the college's and the school's names lie over it as links, so
// that it reads "... mit Lehrenden der PH Lindental-Brolmbach geschrieben und in der
// Grundschule Lindgraben-Süd erprobt." The wording is measured for Liberation Sans 9.75 pt
// with whole-pixel advances (a blank is 4 px): the first line is 574 px of the label's 585,
// and the runs span 18..170 px and 301..477 px, around the links at 24..169 px and
// 304..473 px. The names are chosen to fill their links (140 px of 145, 167 px of 169), so
// that the sentence shows no gap around them.
inline const QString creditsSentence =
    QStringLiteral("Das Lernprogramm Knorzelbart haben Studierende im Sommersemester gemeinsam "
                   "mit Lehrenden der") +
    QString(38, QLatin1Char(' ')) + QStringLiteral("geschrieben und in der") +
    QString(44, QLatin1Char(' ')) + QStringLiteral("erprobt.  ");

}  // namespace credits
