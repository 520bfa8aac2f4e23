// SPDX-License-Identifier: GPL-3.0-or-later
// What the record could not keep: the notes it left for the teacher.
#include "game/TeacherNotes.h"
#include "lernstand/Learning.h"

namespace lernstand {

QStringList keepingProblems() { return teachernotes::lines(teachernotes::Kind::Record); }

}  // namespace lernstand
