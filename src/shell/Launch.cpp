// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Launch.h"

#include "game/Options.h"
#include "platform/App.h"
#include "platform/Console.h"
#include "platform/Files.h"
#include "platform/TextFile.h"
#include "platform/Tool.h"
#include "pictures/AssetPaths.h"
#include "shell/Check.h"
#include "shell/CheckSheet.h"
#include "shell/CommandLine.h"
#include "shell/Settings.h"

namespace shell {

namespace {

// Why the sheet may not be written to this file; empty when it may. Only a sheet written
// before is replaced, never a picture or any other file.
QString sheetRefusal(const QString& path) {
    const platform::TextFile existing = platform::readTextStart(path, 4096);
    using Status = platform::TextFile::Status;
    const QString shown = platform::absolutePath(path);
    switch (existing.status) {
        case Status::Missing: return QString();
        case Status::Ok:
            if (check::isSheet(existing.text)) return QString();
            return QStringLiteral("Die Datei %1 gibt es schon, und sie ist kein Bilderbogen; sie wird nicht "
                                  "überschrieben. Bitte einen anderen Dateinamen wählen.")
                .arg(shown);
        case Status::NotAFile:
            return QStringLiteral("%1 ist keine gewöhnliche Datei; der Bilderbogen wird nicht dorthin geschrieben.")
                .arg(shown);
        case Status::Unreadable:
            // Nothing there to lose (a path through a file): the writing says what is wrong.
            if (!platform::PathExists(path)) return QString();
            break;
        case Status::TooLarge: break;
    }
    return QStringLiteral("Die Datei %1 gibt es schon und sie kann nicht gelesen werden (%2); sie wird nicht "
                          "überschrieben.")
        .arg(shown, existing.reason);
}

int runCheck(const commandline::Command& command) {
    if (!command.sheet.isEmpty()) {
        const QString refusal = sheetRefusal(command.sheet);
        if (!refusal.isEmpty()) {
            platform::writeErr(QStringLiteral("knorzelbart: %1\n").arg(refusal));
            return 2;
        }
    }
    const QString folder = command.checkFolder.isEmpty() ? assetPaths::dbFolder() : command.checkFolder;
    const check::Report report = check::examine(folder, !command.sheet.isEmpty());
    platform::writeOut(check::text(report));
    if (!command.sheet.isEmpty()) {
        const QString failure = platform::writeWholeFile(command.sheet, check::sheet(report));
        if (!failure.isEmpty()) {
            platform::writeErr(QStringLiteral("knorzelbart: Der Bilderbogen %1 kann nicht geschrieben werden (%2).\n")
                                   .arg(platform::absolutePath(command.sheet), failure));
            return 2;
        }
        platform::writeOut(QStringLiteral("Bilderbogen: %1\n").arg(platform::absolutePath(command.sheet)));
    }
    return check::exitStatus(report);
}

}  // namespace

int launch(int argc, char* argv[], const std::function<int(int, char**)>& play,
           const std::function<int(int, char**, const QString&)>& record) {
    const commandline::Command command = commandline::parse(platform::arguments(argc, argv));
    using Action = commandline::Command::Action;
    switch (command.action) {
        case Action::Error:
            platform::writeErr(QStringLiteral("knorzelbart: %1\n%2\n").arg(command.error, commandline::usageLine()));
            return 2;
        case Action::Help: platform::writeOut(commandline::helpText()); return 0;
        case Action::Version: {
            const platform::Application& app = platform::App();
            platform::writeOut(QStringLiteral("knorzelbart %1.%2.%3\n").arg(app.Major).arg(app.Minor).arg(app.Revision));
            return 0;
        }
        case Action::Play:
        case Action::Check:
        case Action::Record: break;
    }
    options::Options& options = options::current();
    for (const QString& problem : settings::apply(settings::defaultFiles(), options))
        platform::writeErr(problem + QLatin1Char('\n'));
    commandline::applyTo(command, options);
    // A folder named on the command line is taken from where the program was started.
    if (command.db) options.dbFolder = platform::absolutePath(*command.db);
    if (command.action == Action::Check) return platform::runTool(argc, argv, [&] { return runCheck(command); });
    if (command.action == Action::Record && record)
        return record(argc, argv,
                      command.recordFolder.isEmpty() ? QString() : platform::absolutePath(command.recordFolder));
    return play(argc, argv);
}

}  // namespace shell
