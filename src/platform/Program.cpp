#include "platform/Program.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

namespace platform {

namespace {
bool intercepted = false;
bool ended = false;
}  // namespace

void interceptProgramEnd(bool on) {
    intercepted = on;
    ended = false;
}

bool programHasEnded() { return ended; }

void End() {
    ended = true;
    if (intercepted) throw ProgramEnded();
    std::fflush(nullptr);
    std::_Exit(1);
}

void quitAfterLastForm() {
    ended = true;
    if (intercepted) return;
    QCoreApplication::quit();
}

}  // namespace platform
