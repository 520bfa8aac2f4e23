// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/Handling.h"

#include <QObject>
#include <QPointer>
#include <vector>

namespace platform {

namespace {

int depth = 0;

struct Kept {
    QPointer<QObject> context;
    std::function<void()> job;
};

std::vector<Kept>& kept() {
    static std::vector<Kept> list;
    return list;
}

void runKept() {
    // A kept job may itself start a handler and keep another; each runs once, in order.
    while (depth == 0 && !kept().empty()) {
        Kept next = std::move(kept().front());
        kept().erase(kept().begin());
        if (next.context) next.job();
    }
}

}  // namespace

Handling::Handling() { ++depth; }

Handling::~Handling() {
    if (--depth == 0) runKept();
}

bool handling() { return depth > 0; }

void whenHandled(QObject* context, std::function<void()> job) {
    if (depth == 0) {
        job();
        return;
    }
    kept().push_back({context, std::move(job)});
}

}  // namespace platform
