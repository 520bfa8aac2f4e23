// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/CommandLine.h"

#include "shell/Settings.h"

#include <algorithm>

namespace commandline {

namespace {

bool is(const QString& name, std::initializer_list<const char*> names) {
    for (const char* n : names)
        if (name == QLatin1String(n)) return true;
    return false;
}

Command failed(const QString& text) {
    Command command;
    command.action = Command::Action::Error;
    command.error = text;
    return command;
}

}  // namespace

Command parse(const QStringList& arguments) {
    Command command;
    bool check = false;
    bool record = false;
    bool report = false;
    bool forget = false;
    bool help = false;
    bool version = false;
    bool hashPin = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (!argument.startsWith(QLatin1String("--"))) {
            if (argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
                if (argument == QLatin1String("-h")) {
                    help = true;
                    continue;
                }
                if (argument == QLatin1String("-v")) {
                    version = true;
                    continue;
                }
                // The toolkit's own options (-platform xcb, -display :1) keep their value; any
                // other single-dash option is unknown.
                static const QStringList withValue = {"-platform", "-display", "-style", "-stylesheet", "-geometry",
                                                      "-qwindowgeometry", "-qwindowtitle", "-qwindowicon",
                                                      "-platformpluginpath", "-platformtheme", "-plugin", "-session"};
                static const QStringList flags = {"-reverse", "-nograb", "-dograb", "-sync", "-widgetcount"};
                static const QStringList attached = {"-style=", "-stylesheet=", "-qmljsdebugger="};
                if (withValue.contains(argument)) {
                    ++i;
                    continue;
                }
                if (flags.contains(argument)) continue;
                if (std::any_of(attached.begin(), attached.end(), [&](const QString& a) { return argument.startsWith(a); }))
                    continue;
                return failed(QStringLiteral("Unbekannte Option „%1“.").arg(argument));
            }
            return failed(QStringLiteral("Unerwartetes Argument „%1“.").arg(argument));
        }
        QString name = argument;
        std::optional<QString> attached;
        const int equals = argument.indexOf(QLatin1Char('='));
        if (equals > 0) {
            name = argument.left(equals);
            attached = argument.mid(equals + 1);
        }
        // The option's value: after "=" or the next argument.
        const auto value = [&]() -> std::optional<QString> {
            if (attached) return attached;
            if (i + 1 < arguments.size()) return arguments[++i];
            return std::nullopt;
        };
        if (is(name, {"--db"})) {
            const auto folder = value();
            if (!folder || folder->isEmpty()) return failed(QStringLiteral("--db braucht einen Ordner: --db ORDNER"));
            command.db = *folder;
        } else if (is(name, {"--vollbild", "--fullscreen"})) {
            bool on = true;
            if (attached && !settings::parseYesNo(*attached, on))
                return failed(QStringLiteral("„%1“ ist kein gültiger Wert für %2 (erlaubt: ja, nein).").arg(*attached, name));
            command.fullScreen = on;
        } else if (is(name, {"--sprache", "--speech"})) {
            const auto mode = value();
            options::Speech speech{};
            if (!mode || !settings::parseSpeech(*mode, speech))
                return failed(QStringLiteral("%1 braucht einen dieser Werte: aus, knopf, automatisch, diktat.").arg(name));
            command.speech = speech;
        } else if (is(name, {"--buchstabentasten", "--letter-keys"})) {
            const auto mode = value();
            options::LetterKeys keys{};
            if (!mode || !settings::parseLetterKeys(*mode, keys))
                return failed(QStringLiteral("%1 braucht einen dieser Werte: aus, an, automatisch.").arg(name));
            command.letterKeys = keys;
        } else if (is(name, {"--silben", "--syllables"}) || is(name, {"--anlauthilfe", "--sound-help"})) {
            bool on = true;
            if (attached && !settings::parseYesNo(*attached, on))
                return failed(QStringLiteral("„%1“ ist kein gültiger Wert für %2 (erlaubt: an, aus).").arg(*attached, name));
            (is(name, {"--silben", "--syllables"}) ? command.syllables : command.soundHelp) = on;
        } else if (is(name, {"--pruefen", "--prüfen", "--check"})) {
            check = true;
            if (attached) command.checkFolder = *attached;
            else if (i + 1 < arguments.size() && !arguments[i + 1].startsWith(QLatin1Char('-')))
                command.checkFolder = arguments[++i];
        } else if (is(name, {"--aufnehmen", "--record"})) {
            record = true;
            if (attached) command.recordFolder = *attached;
            else if (i + 1 < arguments.size() && !arguments[i + 1].startsWith(QLatin1Char('-')))
                command.recordFolder = arguments[++i];
        } else if (is(name, {"--bogen", "--sheet"})) {
            const auto file = value();
            if (!file || file->isEmpty()) return failed(QStringLiteral("--bogen braucht eine Datei: --bogen DATEI.html"));
            command.sheet = *file;
            check = true;
        } else if (is(name, {"--lernstand", "--learning"})) {
            command.learning = true;
            if (attached) {
                if (attached->isEmpty()) return failed(QStringLiteral("--lernstand= braucht einen Ordner."));
                command.learningFolder = *attached;
            } else if (i + 1 < arguments.size() && !arguments[i + 1].startsWith(QLatin1Char('-'))) {
                command.learningFolder = arguments[++i];
            }
        } else if (is(name, {"--bericht", "--report"})) {
            const auto file = value();
            if (!file || file->isEmpty()) return failed(QStringLiteral("--bericht braucht eine Datei: --bericht DATEI.html"));
            command.report = *file;
            report = true;
        } else if (is(name, {"--kind", "--child"})) {
            const auto child = value();
            if (!child || child->trimmed().isEmpty())
                return failed(QStringLiteral("--kind braucht den Namen eines Kindes: --bericht DATEI.html --kind NAME"));
            command.reportChild = *child;
        } else if (is(name, {"--vergessen", "--forget"})) {
            const auto child = value();
            if (!child || child->trimmed().isEmpty())
                return failed(QStringLiteral("--vergessen braucht den Namen eines Kindes: --vergessen NAME"));
            command.forgetChild = *child;
            forget = true;
        } else if (is(name, {"--vergessen-alle", "--forget-all"})) {
            command.forgetAll = true;
            forget = true;
        } else if (is(name, {"--lehrerpin-verschluesseln", "--lehrerpin-verschlüsseln", "--hash-pin"})) {
            hashPin = true;
        } else if (is(name, {"--hilfe", "--help"})) {
            help = true;
        } else if (is(name, {"--version"})) {
            version = true;
        } else {
            return failed(QStringLiteral("Unbekannte Option „%1“.").arg(name));
        }
    }
    if (help) command.action = Command::Action::Help;
    else if (version) command.action = Command::Action::Version;
    else if (forget && (report || check))
        return failed(QStringLiteral("--vergessen geht nicht zusammen mit --bericht oder --pruefen."));
    else if (report && check)
        return failed(QStringLiteral("--bericht geht nicht zusammen mit --pruefen oder --bogen."));
    else if (forget && !command.forgetChild.isEmpty() && command.forgetAll)
        return failed(QStringLiteral("Entweder --vergessen NAME oder --vergessen-alle."));
    else if (!command.reportChild.isEmpty() && !report)
        return failed(QStringLiteral("--kind gehört zu --bericht: --bericht DATEI.html --kind NAME"));
    else if (hashPin && (forget || report || check || record))
        return failed(QStringLiteral("--lehrerpin-verschluesseln geht nur allein."));
    else if (hashPin) command.action = Command::Action::HashPin;
    else if (forget) command.action = Command::Action::Forget;
    else if (report) command.action = Command::Action::Report;
    else if (check) command.action = Command::Action::Check;
    else if (record) command.action = Command::Action::Record;
    return command;
}

void applyTo(const Command& command, options::Options& into) {
    if (command.db) into.dbFolder = *command.db;
    if (command.fullScreen) into.fullScreen = *command.fullScreen;
    if (command.speech) into.speech = *command.speech;
    if (command.letterKeys) into.letterKeys = *command.letterKeys;
    if (command.syllables) into.syllables = *command.syllables;
    if (command.soundHelp) into.soundHelp = *command.soundHelp;
    if (command.learning) into.learning = *command.learning;
    if (command.learningFolder) into.learningFolder = *command.learningFolder;
    const std::pair<bool, const char*> keys[] = {
        {bool(command.db), "db"},
        {bool(command.db), "sammlung"},
        {bool(command.fullScreen), "vollbild"},
        {bool(command.speech), "sprache"},
        {bool(command.letterKeys), "buchstabentasten"},
        {bool(command.syllables), "silben"},
        {bool(command.soundHelp), "anlauthilfe"},
        {bool(command.learning), "lernstand"},
        {bool(command.learningFolder), "lernstandordner"}};
    for (const auto& [set, key] : keys)
        if (set && !into.setForThisStart.contains(QLatin1String(key))) into.setForThisStart << QString::fromLatin1(key);
}

QString usageLine() { return QStringLiteral("Aufruf: knorzelbart [OPTIONEN]   (alle Optionen: knorzelbart --hilfe)"); }

QString helpText() {
    return QStringLiteral(
        "Aufruf: knorzelbart [OPTIONEN]\n"
        "Knorzelbart, ein Rechtschreibspiel für das erste Schuljahr.\n"
        "\n"
        "  --db ORDNER                 die Wörter aus diesem Bilderordner nehmen\n"
        "  --vollbild, --fullscreen    im Vollbild spielen (F11 schaltet um)\n"
        "  --sprache MODUS             Wort vorsprechen: aus, knopf, automatisch, diktat\n"
        "  --buchstabentasten MODUS    Buchstabentasten am Bildschirm: aus, an, automatisch\n"
        "  --silben, --syllables       Silbenbögen unter dem Wort, F3 spricht in Silben\n"
        "  --anlauthilfe, --sound-help F4 und „?“ zeigen die Anlauttabelle zum nächsten Buchstaben\n"
        "  --pruefen [ORDNER], --check den Bilderordner prüfen und jede Datei auflisten\n"
        "  --bogen DATEI.html          dazu einen Bilderbogen zum Ansehen und Drucken schreiben\n"
        "  --aufnehmen [ORDNER], --record\n"
        "                              die Wörter des Bilderordners mit dem Mikrofon aufnehmen\n"
        "                              (Wort.ogg neben dem Bild; das Spiel spricht dann diese)\n"
        "  --lernstand [ORDNER]        den Lernstand der Kinder führen (im ORDNER, falls angegeben)\n"
        "  --bericht DATEI.html        den Lernstand der Klasse als Seite zum Drucken schreiben\n"
        "  --kind NAME                 mit --bericht: nur über dieses Kind (Elterngespräch, Auskunft)\n"
        "  --vergessen NAME            alles löschen, was über dieses Kind gespeichert ist\n"
        "  --vergessen-alle            alles löschen, was über alle Kinder gespeichert ist\n"
        "  --lehrerpin-verschluesseln  eine PIN verdeckt abfragen und so ausgeben, wie sie als\n"
        "                              lehrerpin in eine Einstellungsdatei gehört (verschlüsselt)\n"
        "  --hilfe, --help, -h         diese Hilfe\n"
        "  --version, -v               die Version\n"
        "\n"
        "Ohne --db gilt die Einstellung „db“ aus /etc/knorzelbart/einstellungen.conf oder\n"
        "~/.config/knorzelbart/einstellungen.conf, sonst der Ordner db neben dem Programm.\n"
        "Das Handbuch: /usr/share/doc/knorzelbart/Handbuch.html\n");
}

}  // namespace commandline
