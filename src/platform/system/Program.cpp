// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/Program.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "platform/system/Hooks.h"
#include "platform/system/RecordQueue.h"

namespace platform {

void End(int status) {
    if (hooks().programEnd) hooks().programEnd(status);
    endRecordWork(1000);
    std::fflush(nullptr);
    std::_Exit(status);
}

void quitAfterLastForm() {
    if (hooks().lastFormUnloaded) return hooks().lastFormUnloaded();
    QCoreApplication::quit();
}

}  // namespace platform
