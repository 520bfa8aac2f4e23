// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The real program started by a test, in an environment of the test's own: never the
// machine's settings files (nor its record, when the run has a home of its own).
// KNORZELBART_PROGRAM names the program (a compile definition of the test).
#include <QProcess>
#include <QString>
#include <QStringList>

namespace testsupport {

struct ProgramRun {
    int status;  // the exit code, -1 when the program crashed or did not end in time
    QString out;
    QString err;
};

inline ProgramRun runProgram(const QStringList& arguments, const QProcessEnvironment& environment,
                             int waitMs = 60000) {
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(KNORZELBART_PROGRAM), arguments);
    program.waitForFinished(waitMs);
    return {program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1,
            QString::fromUtf8(program.readAllStandardOutput()), QString::fromUtf8(program.readAllStandardError())};
}

// Offscreen, with `home` as its home and data folder, and no settings files.
inline QProcessEnvironment environmentWithHome(const QString& home) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    env.insert(QStringLiteral("KNORZELBART_EINSTELLUNGEN"), home + QStringLiteral("/keine.conf"));
    env.insert(QStringLiteral("KNORZELBART_BENUTZER_EINSTELLUNGEN"), home + QStringLiteral("/keine-benutzer.conf"));
    return env;
}

// Without any display (as from a terminal with none), and no settings files.
inline QProcessEnvironment environmentWithoutDisplay() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("KNORZELBART_EINSTELLUNGEN"), QStringLiteral("/nonexistent/a.conf"));
    env.insert(QStringLiteral("KNORZELBART_BENUTZER_EINSTELLUNGEN"), QStringLiteral("/nonexistent/b.conf"));
    return env;
}

// A run with a home of its own.
inline ProgramRun runProgram(const QStringList& arguments, const QString& home) {
    return runProgram(arguments, environmentWithHome(home));
}

}  // namespace testsupport
