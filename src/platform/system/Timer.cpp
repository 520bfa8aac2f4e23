// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/Timer.h"

#include <QTimer>
#include <algorithm>
#include <vector>

#include "platform/system/Clock.h"
#include "platform/system/Handling.h"

namespace platform {

namespace {

unsigned long long enableCounter = 0;
std::vector<Timer*>& allTimers() {
    static std::vector<Timer*> timers;
    return timers;
}

// Ticks that arrive while another tick's handler runs (a modal box in a handler lets the
// real event loop run) wait until that handler has finished. Only ticks count here, not
// every handler of Handling.h: while a box that a click opened is up, the timers tick on.
int handlerDepth = 0;
std::vector<Timer*>& deferred() {
    static std::vector<Timer*> list;
    return list;
}

}  // namespace

void advance(int ms) {
    const double target = virtualNowMs() + ms;
    for (;;) {
        Timer* next = nullptr;
        for (Timer* t : allTimers()) {
            if (!t->Enabled() || t->Interval() <= 0 || t->due > target) continue;
            if (!next || t->due < next->due || (t->due == next->due && t->order < next->order))
                next = t;
        }
        if (!next) break;
        setVirtualNowMs(std::max(virtualNowMs(), next->due));
        next->due = virtualNowMs() + next->Interval();
        next->fire();
    }
    // A blocking wait inside a handler may have carried "now" past the target.
    setVirtualNowMs(std::max(virtualNowMs(), target));
}

Timer::Timer(QObject* parent, const char* name, int interval, std::function<void()> handler)
    : QObject(parent), interval_(interval), handler_(std::move(handler)) {
    setObjectName(QString::fromUtf8(name));
    allTimers().push_back(this);
}

Timer::~Timer() {
    auto& v = allTimers();
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
    auto& d = deferred();
    d.erase(std::remove(d.begin(), d.end(), this), d.end());
}

void Timer::setEnabled(bool on) {
    if (on == enabled_) return;
    enabled_ = on;
    if (on) {
        order = ++enableCounter;
        arm();
    } else {
        disarm();
    }
}

void Timer::setInterval(int ms) {
    interval_ = ms;
    if (enabled_) arm();  // a new interval starts a new countdown
}

void Timer::arm() {
    if (usesVirtualClock()) {
        due = virtualNowMs() + interval_;
        return;
    }
    if (!real_) {
        real_ = new QTimer(this);
        connect(real_, &QTimer::timeout, this, [this] { fire(); });
    }
    if (interval_ > 0)
        real_->start(interval_);
    else
        real_->stop();
}

void Timer::disarm() {
    pending_ = false;
    if (real_) real_->stop();
}

void Timer::fire() {
    if (!enabled_ || interval_ <= 0) return;
    if (handlerDepth > 0) {
        if (!pending_) {
            pending_ = true;
            deferred().push_back(this);
        }
        return;
    }
    // A close of a window that comes while the handler runs is carried out after it.
    const Handling handling;
    ++handlerDepth;
    struct Leave {
        ~Leave() { --handlerDepth; }
    } leave;
    handler_();
    if (handlerDepth == 1) {
        // Deliver ticks that came in meanwhile, once each, if their timer is still on.
        while (!deferred().empty()) {
            Timer* t = deferred().front();
            deferred().erase(deferred().begin());
            if (!t->pending_) continue;
            t->pending_ = false;
            if (t->enabled_ && t->interval_ > 0) t->handler_();
        }
    }
}

}  // namespace platform
