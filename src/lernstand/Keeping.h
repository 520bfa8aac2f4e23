// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "lernstand/Record.h"

// The keeping of the record's files, done on the record's own thread: the folder made when
// it is missing, this computer's id, writing each result, reading a child's record. A
// result that cannot be written waits in memory and in a small file in the user's data
// folder, and is written first when the folder can be used again.
namespace lernstand {

class Keeper {
public:
    // Hands a result of the child over to be written into the folder.
    void write(const QString& folder, const QString& childKey, const Result& result);
    // Hands the reading of a child's record over; `done` is called on the record's thread.
    void read(const QString& folder, const QString& childKey, std::function<void(std::vector<Result>)> done);
    // Tries again to write the results that wait, also those a run before this one left in
    // the small file; what still cannot be written is one of the problems below.
    void tryWaiting();
    // What could not be kept, one German line each (day and reason); empty when all is well.
    QStringList problems() const;
    // Whether the child's record was deleted while this run had it (then once true).
    bool takeForgotten(const QString& childKey);
    // Forgets everything (tests); the record's thread must be idle.
    void reset();
};

Keeper& keeper();

}  // namespace lernstand
