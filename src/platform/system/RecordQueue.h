// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>

class QObject;

// The learning record's file work, done in order on a thread of its own, so that a share
// that hangs or is slow never stops the game: the game hands a job over and goes on.
namespace platform {

// Runs the job on the record's thread, after every job handed over before it.
void recordWork(std::function<void()> job);
// Runs the job on the record's thread, then `done` on the program's main thread, in its
// event loop; `done` does not run when `receiver` is gone by then.
void recordWorkThen(QObject* receiver, std::function<void()> job, std::function<void()> done);
// Waits until every job handed over so far is done, at most `ms` milliseconds of real
// time. True when they are done.
bool recordWorkDone(int ms);
// The end of the program: waits for the jobs still to do, at most `ms` milliseconds, and
// stops the thread (a job that hangs is left to the end of the process).
void endRecordWork(int ms);

// While held, every job waits before it starts, as on a share whose every call hangs
// (tests).
void holdRecordWork(bool hold);

}  // namespace platform
