// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

// The one rule for comments in the teacher's text files (the settings files and the
// pronunciation table aussprache.txt):
//   # a whole line                  a line whose first character (after blanks) is # or ;
//   sprache = knopf   # the rest    a # after a blank or a tab, to the end of the line
// A # with no blank before it belongs to the text: "db = /srv/klasse#1" names that folder.
namespace comments {

// The line without its comment, blanks at both ends removed; empty for a comment line.
QString withoutComment(const QString& line);

}  // namespace comments
