// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Launch.h"

#include "game/Options.h"
#include "lernstand/Learning.h"
#include "lernstand/Record.h"
#include "lernstand/Report.h"
#include "platform/system/App.h"
#include "platform/system/Console.h"
#include "platform/files/Files.h"
#include "platform/files/RecordFiles.h"
#include "platform/files/TextFile.h"
#include "platform/start/Tool.h"
#include "game/AssetPaths.h"
#include "platform/system/PinHash.h"
#include "shell/Check.h"
#include "shell/CheckSheet.h"
#include "shell/CommandLine.h"
#include "shell/Settings.h"
#include "shell/TeacherSettingsFile.h"

namespace shell {

namespace {

// A file the program writes whole and replaces only when it wrote it before: the picture
// sheet, the learning record's report.
struct OwnFile {
    bool (*isOurs)(const QString& start);  // whether the file's first bytes are one of ours
    const char* kind;                       // "Bilderbogen"
    const char* theKind;                    // "der Bilderbogen"
};
constexpr OwnFile kSheet{check::isSheet, "Bilderbogen", "der Bilderbogen"};
constexpr OwnFile kReport{lernstand::isReport, "Lernstandsbericht", "der Bericht"};

// Why the file may not be written to `path`; empty when it may. Only such a file written
// before is replaced, never a picture or any other file.
QString refusalFor(const QString& path, const OwnFile& own) {
    const platform::TextFile existing = platform::readTextStart(path, 4096);
    using Status = platform::TextFile::Status;
    const QString shown = platform::absolutePath(path);
    switch (existing.status) {
        case Status::Missing: return QString();
        case Status::Ok:
            if (own.isOurs(existing.text)) return QString();
            return QStringLiteral("Die Datei %1 gibt es schon, und sie ist kein %2; sie wird nicht "
                                  "überschrieben. Bitte einen anderen Dateinamen wählen.")
                .arg(shown, QString::fromUtf8(own.kind));
        case Status::NotAFile:
            return QStringLiteral("%1 ist keine gewöhnliche Datei; %2 wird nicht dorthin geschrieben.")
                .arg(shown, QString::fromUtf8(own.theKind));
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
        const QString refusal = refusalFor(command.sheet, kSheet);
        if (!refusal.isEmpty()) {
            platform::writeErr(QStringLiteral("knorzelbart: %1\n").arg(refusal));
            return 2;
        }
    }
    const QString folder =
        command.checkFolder.isEmpty() ? assetpaths::dbFolder() : platform::literalPath(command.checkFolder);
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

// The class's learning record as a page for the teacher.
int runReport(const commandline::Command& command) {
    const QString refusal = refusalFor(command.report, kReport);
    if (!refusal.isEmpty()) {
        platform::writeErr(QStringLiteral("knorzelbart: %1\n").arg(refusal));
        return 2;
    }
    lernstand::ReportInput input;
    input.recordFolder = lernstand::folder();
    input.vocabularyFolder = assetpaths::dbFolder();
    input.today = platform::recordToday();
    bool readable = false;
    platform::recordFolderFiles(input.recordFolder, &readable);
    if (!readable) {
        platform::writeErr(QStringLiteral("knorzelbart: Der Lernstandordner %1 ist nicht vorhanden oder kann nicht "
                                          "gelesen werden; es gibt nichts zu berichten.\n")
                               .arg(input.recordFolder));
        return 1;
    }
    input.children = lernstand::readAll(input.recordFolder);
    if (!command.reportChild.isEmpty()) {
        const QString key = lernstand::childKey(command.reportChild);
        std::erase_if(input.children, [&](const lernstand::Child& child) { return child.key != key; });
        input.oneChild = true;
        if (input.children.empty()) {
            platform::writeErr(QStringLiteral("knorzelbart: Über „%1“ ist im Lernstandordner %2 nichts gespeichert; es "
                                              "gibt nichts zu berichten.\n")
                                   .arg(command.reportChild.trimmed(), input.recordFolder));
            return 1;
        }
    }
    if (input.children.empty()) {
        platform::writeErr(QStringLiteral("knorzelbart: Im Lernstandordner %1 ist über kein Kind etwas gespeichert; "
                                          "es gibt nichts zu berichten.\n")
                               .arg(input.recordFolder));
        return 1;
    }
    const QString failure = platform::writePrivateFile(command.report, lernstand::report(input));
    if (!failure.isEmpty()) {
        platform::writeErr(QStringLiteral("knorzelbart: Der Bericht %1 kann nicht geschrieben werden (%2).\n")
                               .arg(platform::absolutePath(command.report), failure));
        return 2;
    }
    platform::writeOut(QStringLiteral("Bericht über %1 %2: %3\n")
                           .arg(QString::number(input.children.size()),
                                input.children.size() == 1 ? QStringLiteral("Kind") : QStringLiteral("Kinder"),
                                platform::absolutePath(command.report)));
    return 0;
}

// Deletes what is kept about one child or every child, and says what.
int runForget(const commandline::Command& command) {
    const QString folder = lernstand::folder();
    const QString key = command.forgetAll ? QString() : lernstand::childKey(command.forgetChild);
    QStringList failures, keys;
    const QStringList deleted = lernstand::forget(folder, key, &failures, &keys);
    QStringList children;
    for (const QString& child : keys) children << lernstand::shownName(child);
    for (const QString& name : deleted) platform::writeOut(QStringLiteral("gelöscht: %1/%2\n").arg(folder, name));
    if (deleted.isEmpty())
        platform::writeOut(command.forgetAll
                               ? QStringLiteral("Im Lernstandordner %1 ist über kein Kind etwas gespeichert.\n").arg(folder)
                               : QStringLiteral("Über „%1“ ist im Lernstandordner %2 nichts gespeichert.\n")
                                     .arg(command.forgetChild.trimmed(), folder));
    else
        platform::writeOut(QStringLiteral("Der Lernstand von %1 ist gelöscht (%2 %3).\n")
                               .arg(children.join(QStringLiteral(", ")), QString::number(deleted.size()),
                                    deleted.size() == 1 ? QStringLiteral("Datei") : QStringLiteral("Dateien")));
    for (const QString& failure : failures)
        platform::writeErr(QStringLiteral("knorzelbart: nicht gelöscht: %1\n").arg(failure));
    return failures.isEmpty() ? 0 : 1;
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
        case Action::HashPin: {
            const QString pin = platform::readPinQuietly(QStringLiteral("PIN für Lehrkräfte: "));
            if (pin.isEmpty() || !settings::storable(pin) || pin.contains(QLatin1Char(' '))) {
                platform::writeErr(QStringLiteral("knorzelbart: Keine PIN gelesen; eine PIN besteht aus Ziffern oder "
                                                  "Buchstaben ohne Leerzeichen.\n"));
                return 2;
            }
            platform::writeOut(QStringLiteral("lehrerpin = %1\n").arg(platform::hashedPin(pin)));
            return 0;
        }
        case Action::Play:
        case Action::Check:
        case Action::Record:
        case Action::Report:
        case Action::Forget: break;
    }
    options::Options& options = options::current();
    for (const QString& problem : settings::apply(settings::defaultFiles(), options))
        platform::writeErr(problem + QLatin1Char('\n'));
    commandline::applyTo(command, options);
    // A folder named on the command line is taken from where the program was started.
    if (command.db) options.dbFolder = platform::absolutePath(*command.db);
    if (command.learningFolder) options.learningFolder = platform::absolutePath(*command.learningFolder);
    // What the school locked holds against the command line and the environment too.
    for (const QString& problem : settings::holdLocks(settings::defaultFiles(), options))
        platform::writeErr(problem + QLatin1Char('\n'));
    if (command.action == Action::Report) return platform::runTool(argc, argv, [&] { return runReport(command); });
    if (command.action == Action::Forget) return runForget(command);
    if (command.action == Action::Check) return platform::runTool(argc, argv, [&] { return runCheck(command); });
    if (command.action == Action::Record && record)
        return record(argc, argv,
                      command.recordFolder.isEmpty() ? QString() : platform::absolutePath(command.recordFolder));
    return play(argc, argv);
}

}  // namespace shell
