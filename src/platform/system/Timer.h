// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <functional>
#include <memory>

class QTimer;

namespace platform {

// A timer control: the first tick comes one interval after enabling, interval 0 never
// fires, and a handler runs to its end before any other tick is delivered.
class Timer : public QObject {
    Q_OBJECT

public:
    Timer(QObject* parent, const char* name, int interval, std::function<void()> handler);
    ~Timer() override;

    bool Enabled() const { return enabled_; }
    void setEnabled(bool on);
    int Interval() const { return interval_; }
    void setInterval(int ms);

    // Delivers one tick now (used by the clocks; tests use advance()).
    void fire();

    // Virtual clock bookkeeping.
    double due = 0;          // virtual milliseconds of the next tick
    unsigned long long order = 0;  // enable order, breaks ties

private:
    void arm();
    void disarm();

    bool enabled_ = false;
    int interval_ = 0;
    std::function<void()> handler_;
    QTimer* real_ = nullptr;
    bool pending_ = false;
};

}  // namespace platform
