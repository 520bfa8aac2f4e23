// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Settings.h"

#include <QRegularExpression>
#include <QSet>

#include "game/Comments.h"
#include "platform/system/App.h"
#include "platform/system/Console.h"
#include "platform/files/TextFile.h"

namespace settings {

namespace {

// A settings file is a few lines; anything larger is not one.
constexpr qint64 kMaxFileBytes = 64 * 1024;
// After this many problems in one file the rest of its problems are summed up.
constexpr int kMaxProblemsPerFile = 10;

const QStringList kKeys = {QStringLiteral("db"), QStringLiteral("vollbild"), QStringLiteral("sprache"),
                           QStringLiteral("buchstabentasten"), QStringLiteral("silben"),
                           QStringLiteral("anlauthilfe"), QStringLiteral("lernstand"),
                           QStringLiteral("lernstandordner"), QStringLiteral("sammlung"),
                           QStringLiteral("sammlungsordner"), QStringLiteral("lehrerbereich"),
                           QStringLiteral("lehrerpin")};

QString quoted(const QString& text) {
    QString shown = text;
    for (QChar& c : shown)
        if (!c.isPrint()) c = QChar(0xFFFD);
    if (shown.size() > 60) shown = shown.left(57) + QStringLiteral("...");
    return QStringLiteral("„") + shown + QStringLiteral("“");
}

QString yesNoName(bool yes) { return yes ? QStringLiteral("ja") : QStringLiteral("nein"); }
QString onOffName(bool on) { return on ? QStringLiteral("an") : QStringLiteral("aus"); }

QString currentValue(const QString& key, const options::Options& o) {
    if (key == QLatin1String("db")) return o.dbFolder.isEmpty() ? QStringLiteral("db neben dem Programm") : o.dbFolder;
    if (key == QLatin1String("vollbild")) return yesNoName(o.fullScreen);
    if (key == QLatin1String("sprache")) return speechName(o.speech);
    if (key == QLatin1String("silben")) return onOffName(o.syllables);
    if (key == QLatin1String("anlauthilfe")) return onOffName(o.soundHelp);
    if (key == QLatin1String("lernstand")) return o.learning ? QStringLiteral("an") : QStringLiteral("aus");
    if (key == QLatin1String("sammlung")) return o.collection.isEmpty() ? QStringLiteral("Alle Wörter") : o.collection;
    if (key == QLatin1String("sammlungsordner")) return o.ownCollections.join(QStringLiteral(", "));
    if (key == QLatin1String("lehrerbereich")) return onOffName(o.teacherRoom);
    if (key == QLatin1String("lehrerpin")) return o.teacherPin.isEmpty() ? QStringLiteral("keine") : QStringLiteral("gesetzt");
    if (key == QLatin1String("lernstandordner"))
        return o.learningFolder.isEmpty() ? QStringLiteral("der Datenordner des Benutzers") : o.learningFolder;
    return letterKeysName(o.letterKeys);
}

// Copies the value of one key.
void copyKey(const QString& key, const options::Options& from, options::Options& to) {
    if (key == QLatin1String("db")) to.dbFolder = from.dbFolder;
    else if (key == QLatin1String("vollbild")) to.fullScreen = from.fullScreen;
    else if (key == QLatin1String("sprache")) to.speech = from.speech;
    else if (key == QLatin1String("buchstabentasten")) to.letterKeys = from.letterKeys;
    else if (key == QLatin1String("silben")) to.syllables = from.syllables;
    else if (key == QLatin1String("anlauthilfe")) to.soundHelp = from.soundHelp;
    else if (key == QLatin1String("lernstand")) to.learning = from.learning;
    else if (key == QLatin1String("lernstandordner")) to.learningFolder = from.learningFolder;
    else if (key == QLatin1String("sammlungsordner")) to.ownCollections = from.ownCollections;
    else if (key == QLatin1String("lehrerbereich")) to.teacherRoom = from.teacherRoom;
    else if (key == QLatin1String("lehrerpin")) to.teacherPin = from.teacherPin;
    else if (key == QLatin1String("sammlung")) {
        // The school chose the words: a folder named otherwise (db, --db) does not get past it.
        to.collection = from.collection;
        to.dbFolder = from.dbFolder;
    }
}

// Sets one key from its text. Returns an empty string, or what is wrong and what is allowed.
// A folder written as a full path or from the home folder (~/...).
QString setFolder(const QString& value, QString& folder) {
    if (value.isEmpty()) return QStringLiteral("ein leerer Ordnername");
    if (value.contains(QChar(0))) return QStringLiteral("ein Ordnername mit einem Nullzeichen");
    if (value == QLatin1String("~")) {
        folder = platform::homeFolder();
    } else if (value.startsWith(QLatin1String("~/"))) {
        folder = platform::homeFolder() + value.mid(1);
    } else if (value.startsWith(QLatin1Char('/'))) {
        folder = value;
    } else {
        return QStringLiteral("kein vollständiger Pfad (er muss mit / oder ~/ beginnen)");
    }
    return QString();
}

QString setValue(const QString& key, const QString& value, options::Options& o) {
    if (key == QLatin1String("db")) {
        o.collection.clear();
        return setFolder(value, o.dbFolder);
    }
    if (key == QLatin1String("sammlung")) {
        if (value.isEmpty()) return QStringLiteral("ein leerer Name");
        o.dbFolder.clear();
        o.collection = value;
        return QString();
    }
    if (key == QLatin1String("sammlungsordner")) {
        QString folder;
        const QString wrong = setFolder(value, folder);
        if (wrong.isEmpty() && !o.ownCollections.contains(folder)) o.ownCollections << folder;
        return wrong;
    }
    if (key == QLatin1String("lehrerbereich"))
        return parseYesNo(value, o.teacherRoom) ? QString() : QStringLiteral("erlaubt sind aus und an");
    if (key == QLatin1String("lehrerpin")) {
        o.teacherPin = value;
        return QString();
    }
    if (key == QLatin1String("lernstandordner")) return setFolder(value, o.learningFolder);
    if (key == QLatin1String("lernstand"))
        return parseYesNo(value, o.learning) ? QString() : QStringLiteral("erlaubt sind aus und an");
    if (key == QLatin1String("vollbild"))
        return parseYesNo(value, o.fullScreen) ? QString() : QStringLiteral("erlaubt sind ja und nein");
    if (key == QLatin1String("sprache"))
        return parseSpeech(value, o.speech) ? QString()
                                            : QStringLiteral("erlaubt sind aus, knopf, automatisch und diktat");
    if (key == QLatin1String("buchstabentasten"))
        return parseLetterKeys(value, o.letterKeys) ? QString()
                                                    : QStringLiteral("erlaubt sind aus, an und automatisch");
    if (key == QLatin1String("silben"))
        return parseYesNo(value, o.syllables) ? QString() : QStringLiteral("erlaubt sind aus und an");
    if (key == QLatin1String("anlauthilfe"))
        return parseYesNo(value, o.soundHelp) ? QString() : QStringLiteral("erlaubt sind aus und an");
    return QStringLiteral("unbekannt");
}

struct Reader {
    QString path;
    bool system;
    QSet<QString>* locked;
    options::Options* into;
    QStringList problems;
    int count = 0;

    void problem(int line, const QString& text) {
        ++count;
        if (count > kMaxProblemsPerFile) return;
        problems << QStringLiteral("knorzelbart: %1, Zeile %2: %3").arg(path, QString::number(line), text);
    }

    void read() {
        const platform::TextFile file = platform::readTextFile(path, kMaxFileBytes);
        using Status = platform::TextFile::Status;
        if (file.status == Status::Missing) return;
        if (file.status != Status::Ok) {
            const QString why = file.status == Status::TooLarge ? QStringLiteral("sie ist zu groß für eine Einstellungsdatei")
                                : file.status == Status::NotAFile ? QStringLiteral("das ist keine gewöhnliche Datei")
                                                                   : file.reason;
            problems << QStringLiteral("knorzelbart: Die Einstellungsdatei %1 kann nicht gelesen werden (%2); "
                                       "ihre Einstellungen gelten nicht.")
                            .arg(path, why);
            return;
        }
        if (!file.validUtf8)
            problems << QStringLiteral("knorzelbart: %1: Die Datei ist nicht in UTF-8 geschrieben; "
                                       "Umlaute darin können falsch gelesen werden.")
                            .arg(path);
        const QStringList lines = file.text.split(QLatin1Char('\n'));
        for (int i = 0; i < lines.size(); ++i) line(i + 1, lines[i]);
        if (count > kMaxProblemsPerFile)
            problems << QStringLiteral("knorzelbart: %1: %2 weitere fehlerhafte Zeilen nicht einzeln genannt.")
                            .arg(path, QString::number(count - kMaxProblemsPerFile));
    }

    void line(int number, QString text) {
        if (number == 1 && text.startsWith(QChar(0xFEFF))) text.remove(0, 1);  // byte order mark
        text = comments::withoutComment(text);
        if (text.isEmpty()) return;
        const int equals = text.indexOf(QLatin1Char('='));
        if (equals < 0) {
            problem(number, QStringLiteral("%1 ist keine Einstellung (erwartet: schlüssel = wert); "
                                           "die Zeile wird nicht beachtet.")
                                .arg(quoted(text)));
            return;
        }
        const QString key = text.left(equals).trimmed().toLower();
        QString value = text.mid(equals + 1).trimmed();
        if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
            value = value.mid(1, value.size() - 2);
        if (key == QLatin1String("gesperrt")) {
            if (!system) {
                problem(number, QStringLiteral("„gesperrt“ gilt nur in der Einstellungsdatei für alle Benutzer; "
                                               "die Zeile wird nicht beachtet."));
                return;
            }
            for (QString k : value.split(QRegularExpression(QStringLiteral("[,;\\s]+")), Qt::SkipEmptyParts)) {
                k = k.toLower();
                if (kKeys.contains(k)) locked->insert(k);
                else problem(number, QStringLiteral("%1 ist keine Einstellung, die gesperrt werden kann "
                                                    "(möglich: %2).")
                                         .arg(quoted(k), kKeys.join(QStringLiteral(", "))));
            }
            return;
        }
        if (!kKeys.contains(key)) {
            problem(number, QStringLiteral("unbekannte Einstellung %1 (möglich: %2); die Zeile wird nicht beachtet.")
                                .arg(quoted(key), kKeys.join(QStringLiteral(", "))));
            return;
        }
        // A folder of pictures would pass a collection the school has chosen.
        if (!system && (locked->contains(key) ||
                        (key == QLatin1String("db") && locked->contains(QStringLiteral("sammlung"))))) {
            problem(number, QStringLiteral("%1 ist für alle Benutzer festgelegt (gesperrt) und wird hier nicht geändert.")
                                .arg(quoted(key)));
            return;
        }
        options::Options changed = *into;
        const QString wrong = setValue(key, value, changed);
        if (!wrong.isEmpty()) {
            problem(number, QStringLiteral("%1 ist kein gültiger Wert für %2 (%3); es gilt %4.")
                                .arg(quoted(value), key, wrong, quoted(currentValue(key, *into))));
            return;
        }
        *into = changed;
    }
};

}  // namespace

Files defaultFiles() {
    Files files;
    files.system = platform::environment("KNORZELBART_EINSTELLUNGEN");
    if (files.system.isEmpty()) files.system = platform::App().SchoolSettings;
    files.school = platform::App().SchoolSettings;
    files.user = platform::environment("KNORZELBART_BENUTZER_EINSTELLUNGEN");
    if (files.user.isEmpty())
        files.user = platform::programFolder(platform::userConfigFolder()) + QStringLiteral("/einstellungen.conf");
    return files;
}

namespace {

// What the files for every user lock, and the values they lock: the school's file first,
// then the system file where that is another one (KNORZELBART_EINSTELLUNGEN), which adds
// locks of its own but cannot undo or change the school's.
struct SchoolLocks {
    QSet<QString> locked;
    options::Options values;
};
SchoolLocks schoolLocks(const Files& files) {
    SchoolLocks school;
    Reader reader{files.school.isEmpty() ? files.system : files.school, true, &school.locked, &school.values, {}};
    reader.read();
    if (files.school.isEmpty() || files.school == files.system) return school;
    SchoolLocks system;
    Reader second{files.system, true, &system.locked, &system.values, {}};
    second.read();
    for (const QString& key : std::as_const(system.locked)) {
        if (school.locked.contains(key)) continue;
        school.locked.insert(key);
        copyKey(key, system.values, school.values);
    }
    return school;
}

}  // namespace

QStringList lockedKeys(const Files& files) {
    const SchoolLocks school = schoolLocks(files);
    QStringList keys;
    for (const QString& key : kKeys)
        if (school.locked.contains(key)) keys << key;
    return keys;
}

QStringList holdLocks(const Files& files, options::Options& into) {
    const SchoolLocks school = schoolLocks(files);
    QStringList problems;
    for (const QString& key : kKeys) {
        if (!school.locked.contains(key)) continue;
        const bool folderToo = key == QLatin1String("sammlung") && into.dbFolder != school.values.dbFolder;
        if (currentValue(key, into) == currentValue(key, school.values) && !folderToo) continue;
        problems << QStringLiteral("knorzelbart: %1 ist von der Schule festgelegt (gesperrt); es gilt %2.")
                        .arg(quoted(key), quoted(currentValue(key, school.values)));
        copyKey(key, school.values, into);
    }
    return problems;
}

QStringList apply(const Files& files, options::Options& into) {
    QSet<QString> locked;
    Reader system{files.system, true, &locked, &into, {}};
    system.read();
    Reader user{files.user, false, &locked, &into, {}};
    user.read();
    return system.problems + user.problems;
}

bool parseSpeech(const QString& value, options::Speech& speech) {
    const QString v = value.trimmed().toLower();
    if (v == QLatin1String("aus") || v == QLatin1String("off")) speech = options::Speech::Off;
    else if (v == QLatin1String("knopf") || v == QLatin1String("button")) speech = options::Speech::Button;
    else if (v == QLatin1String("automatisch") || v == QLatin1String("automatic")) speech = options::Speech::Automatic;
    else if (v == QLatin1String("diktat") || v == QLatin1String("dictation")) speech = options::Speech::Dictation;
    else return false;
    return true;
}

bool parseLetterKeys(const QString& value, options::LetterKeys& keys) {
    const QString v = value.trimmed().toLower();
    if (v == QLatin1String("aus") || v == QLatin1String("off")) keys = options::LetterKeys::Off;
    else if (v == QLatin1String("an") || v == QLatin1String("on")) keys = options::LetterKeys::On;
    else if (v == QLatin1String("automatisch") || v == QLatin1String("automatic")) keys = options::LetterKeys::Automatic;
    else return false;
    return true;
}

bool parseYesNo(const QString& value, bool& yes) {
    static const QStringList on = {"ja", "an", "1", "wahr", "yes", "on", "true"};
    static const QStringList off = {"nein", "aus", "0", "falsch", "no", "off", "false"};
    const QString v = value.trimmed().toLower();
    if (on.contains(v)) yes = true;
    else if (off.contains(v)) yes = false;
    else return false;
    return true;
}

QString speechName(options::Speech speech) {
    switch (speech) {
        case options::Speech::Off: return QStringLiteral("aus");
        case options::Speech::Button: return QStringLiteral("knopf");
        case options::Speech::Automatic: return QStringLiteral("automatisch");
        case options::Speech::Dictation: return QStringLiteral("diktat");
    }
    return QString();
}

QString letterKeysName(options::LetterKeys keys) {
    switch (keys) {
        case options::LetterKeys::Off: return QStringLiteral("aus");
        case options::LetterKeys::On: return QStringLiteral("an");
        case options::LetterKeys::Automatic: return QStringLiteral("automatisch");
    }
    return QString();
}

}  // namespace settings
