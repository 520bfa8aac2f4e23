// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/Takes.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "game/Words.h"
#include "platform/files/Files.h"
#include "platform/files/Folders.h"
#include "platform/pictures/PictureHeader.h"
#include "platform/ui/MessageBox.h"
#include "platform/sound/SoundFile.h"
#include "platform/sound/Sound.h"

namespace takes {

namespace {

using platform::Sound;

QString stem(const QString& picture) {
    const int dot = picture.lastIndexOf(QLatin1Char('.'));
    const int slash = picture.lastIndexOf(QLatin1Char('/'));
    return dot > slash ? picture.left(dot) : picture;
}

// The folder of a picture given by its real path: the game's rule, on the path written as
// the game writes paths (a backslash of a name stays part of it).
QString folderOf(const QString& picture) {
    return platform::resolvePath(words::folderOf(platform::literalPath(picture)));
}
QString nameOf(const QString& path) { return QFileInfo(path).fileName(); }

}  // namespace

QList<Entry> wordsOf(const QString& folder, bool* readable) {
    // Listed as the game lists its folder, by the path written the game's way.
    const QStringList names = platform::folderFileNames(platform::literalPath(folder), words::nameCanBeWord, readable);
    QList<Entry> entries;
    QSet<QString> seen;
    for (const QString& name : names) {
        const QString path = folder + QLatin1Char('/') + name;
        const QString word = words::fromFileName(name);
        if (seen.contains(word) || !platform::looksLikePicture(path)) continue;
        seen.insert(word);
        entries.append({word, path});
    }
    QCollator collator(QLocale(QLocale::German, QLocale::Germany));
    std::sort(entries.begin(), entries.end(),
              [&](const Entry& a, const Entry& b) { return collator.compare(a.word, b.word) < 0; });
    return entries;
}

QString fileFor(const QString& picture, Kind kind) {
    return stem(picture) + (kind == Kind::Word ? QStringLiteral(".ogg") : QStringLiteral(".silben.ogg"));
}

QString recordingStem(const QString& name, Kind* kind) {
    static const QRegularExpression recording(QStringLiteral("^(.+?)(\\.silben)?\\.(wav|ogg)$"),
                                              QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = recording.match(name);
    if (!match.hasMatch() || name.startsWith(QLatin1Char('.'))) return QString();
    if (kind) *kind = match.captured(2).isEmpty() ? Kind::Word : Kind::Syllables;
    return match.captured(1);
}

QString stemKey(const QString& stem) { return stem.normalized(QString::NormalizationForm_C).toLower(); }

QStringList recordingNamesIn(const QString& folder) {
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::NoDotAndDotDot);
    names.removeIf([](const QString& name) { return recordingStem(name).isEmpty(); });
    return names;
}

QStringList existing(const QString& picture, Kind kind, const QStringList* recordingNames) {
    const QString folder = folderOf(picture);
    const QStringList names = recordingNames ? *recordingNames : recordingNamesIn(folder);
    const QString exact = nameOf(stem(picture));
    const QString key = stemKey(exact);
    QStringList there;
    for (const QString& extension : {QStringLiteral("wav"), QStringLiteral("ogg")}) {
        QStringList others;
        for (const QString& name : names) {
            Kind found = Kind::Word;
            const QString recordingOf = recordingStem(name, &found);
            if (found != kind || stemKey(recordingOf) != key ||
                !name.endsWith(QLatin1Char('.') + extension, Qt::CaseInsensitive))
                continue;
            const QString path = folder + QLatin1Char('/') + name;
            if (recordingOf == exact) there.append(path);
            else others.append(path);
        }
        there += others;
    }
    return there;
}

double seconds(const QString& picture, Kind kind, const QStringList* recordingNames) {
    for (const QString& file : existing(picture, kind, recordingNames)) {
        const double length = platform::recordingSeconds(file);
        if (length > 0) return length;
    }
    return 0.0;
}

QString doubts(const Hearing& hearing) {
    QStringList found;
    if (hearing.clipped) found << QStringLiteral("übersteuert (zu laut; bitte weiter weg vom Mikrofon sprechen)");
    if (hearing.peakDecibels < kQuietSpeechDecibels)
        found << QStringLiteral("sehr leise (bitte näher am Mikrofon oder lauter sprechen)");
    if (hearing.speechSeconds() < kShortSpeechSeconds) found << QStringLiteral("sehr kurz");
    return found.join(QStringLiteral(", "));
}

Result keep(const Entry& entry, Kind kind, const Sound& take) {
    Result result;
    const QString what = kind == Kind::Word ? QStringLiteral("„%1“").arg(entry.word)
                                            : QStringLiteral("„%1“ in Silben").arg(entry.word);
    const Hearing hearing = hear(take);
    if (!hearing.speech) {
        result.failed = true;
        result.text = QStringLiteral("In der Aufnahme von %1 ist kein gesprochenes Wort zu hören. Ist das "
                                     "Mikrofon stumm geschaltet oder ganz leise gestellt? Es wurde nichts "
                                     "gespeichert.")
                          .arg(what);
        return result;
    }
    const QString target = fileFor(entry.picture, kind);
    const QStringList before = existing(entry.picture, kind);
    const Sound ready = normalised(trimmed(take));
    if (!before.isEmpty()) {
        QStringList names;
        for (const QString& file : before) names.append(nameOf(file));
        // The new take is heard before the teacher decides.
        platform::playSound(QStringLiteral("Neue Aufnahme"), [ready] { return ready; });
        const bool replace = platform::AskYesNo(
            QStringLiteral("%1 hat schon eine Aufnahme (%2). Die neue ist eben zu hören. Durch die neue ersetzen?")
                .arg(what, names.join(QStringLiteral(", "))));
        platform::stopSound();
        if (!replace) {
            result.text = QStringLiteral("Die alte Aufnahme von %1 bleibt.").arg(what);
            return result;
        }
    }
    const QString failure = platform::writeOggVorbis(target, ready);
    if (!failure.isEmpty()) {
        result.failed = true;
        result.text = QStringLiteral("Die Aufnahme von %1 kann nicht im Ordner „%2“ gespeichert werden: %3. "
                                     "Die neue Aufnahme ist verworfen%4; bitte einen Ordner wählen, in den "
                                     "Sie schreiben dürfen, und noch einmal aufnehmen.")
                          .arg(what, folderOf(entry.picture), failure,
                               before.isEmpty() ? QString() : QStringLiteral(", die alte bleibt"));
        return result;
    }
    // The game plays a .wav before an .ogg: the old one goes, now that the new one is there.
    for (const QString& file : before) {
        if (file == target) continue;
        const QString left = platform::removeFile(file);
        if (!left.isEmpty()) {
            result.failed = true;
            result.text = QStringLiteral("Die neue Aufnahme ist gespeichert, aber die alte Datei „%1“ kann "
                                         "nicht gelöscht werden (%2); das Spiel spielt weiter die alte.")
                              .arg(file, left);
        }
    }
    result.done = true;
    if (result.failed) return result;
    const QString doubt = doubts(hearing);
    result.doubtful = !doubt.isEmpty();
    result.text = doubt.isEmpty() ? QStringLiteral("Aufnahme von %1 gespeichert.").arg(what)
                                  : QStringLiteral("Aufnahme von %1 gespeichert, aber %2. Mit der Leertaste "
                                                   "noch einmal aufnehmen.")
                                        .arg(what, doubt);
    return result;
}

Result remove(const Entry& entry) {
    Result result;
    const QStringList files = existing(entry.picture, Kind::Word) + existing(entry.picture, Kind::Syllables);
    if (files.isEmpty()) {
        result.text = QStringLiteral("„%1“ hat keine Aufnahme.").arg(entry.word);
        return result;
    }
    QStringList names;
    for (const QString& file : files) names.append(nameOf(file));
    if (!platform::AskYesNo(QStringLiteral("Die Aufnahme von „%1“ löschen (%2)?")
                                .arg(entry.word, names.join(QStringLiteral(", "))))) {
        result.text = QStringLiteral("Die Aufnahme von „%1“ bleibt.").arg(entry.word);
        return result;
    }
    for (const QString& file : files) {
        QFile kept(file);
        if (kept.open(QIODevice::ReadOnly)) result.removed.append({file, kept.readAll()});
        const QString failure = platform::removeFile(file);
        if (!failure.isEmpty()) {
            result.failed = true;
            result.text = QStringLiteral("Die Datei „%1“ im Ordner „%2“ kann nicht gelöscht werden: %3.")
                              .arg(nameOf(file), folderOf(file), failure);
            return result;
        }
    }
    result.done = true;
    result.text = QStringLiteral("Die Aufnahme von „%1“ ist gelöscht.").arg(entry.word);
    return result;
}

Result restore(const QString& word, const QList<Removed>& removed) {
    Result result;
    for (const Removed& file : removed) {
        if (platform::fileExists(file.path)) continue;
        QSaveFile back(file.path);
        if (!back.open(QIODevice::WriteOnly) || back.write(file.bytes) != file.bytes.size() || !back.commit()) {
            result.failed = true;
            result.text = QStringLiteral("Die Datei „%1“ kann nicht zurückgeholt werden: %2.")
                              .arg(file.path, back.errorString());
            return result;
        }
        result.done = true;
    }
    result.text = result.done ? QStringLiteral("Die Aufnahme von „%1“ ist wieder da.").arg(word)
                              : QStringLiteral("„%1“ hat inzwischen eine neue Aufnahme; die alte bleibt gelöscht.")
                                    .arg(word);
    return result;
}

}  // namespace takes
