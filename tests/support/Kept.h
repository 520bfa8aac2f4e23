// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QtGlobal>

#include <utility>

// What a test changes for a while and must put back however it ends: a failing QVERIFY
// returns from the test function at once, and the next test must not inherit the change.
namespace testsupport {

// An environment variable, put back (or unset again) when the scope ends.
class EnvironmentKept {
public:
    explicit EnvironmentKept(const char* name) : name_(name), was_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {}
    ~EnvironmentKept() {
        if (was_) qputenv(name_, old_);
        else qunsetenv(name_);
    }
    EnvironmentKept(const EnvironmentKept&) = delete;
    EnvironmentKept& operator=(const EnvironmentKept&) = delete;

private:
    const char* name_;
    bool was_;
    QByteArray old_;
};

// Any value (a hook, an option), put back when the scope ends.
template <class T>
class ValueKept {
public:
    explicit ValueKept(T& place) : place_(place), old_(place) {}
    ~ValueKept() { place_ = std::move(old_); }
    ValueKept(const ValueKept&) = delete;
    ValueKept& operator=(const ValueKept&) = delete;

private:
    T& place_;
    T old_;
};

}  // namespace testsupport
