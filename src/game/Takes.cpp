// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/Takes.h"

#include <QCollator>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "game/Words.h"
#include "platform/Files.h"
#include "platform/MessageBox.h"
#include "platform/Recording.h"

namespace takes {

namespace {

using platform::Sound;

// Below this a sample is the quiet of a room (-40 dBFS).
constexpr int kAudible = 328;

int peakOf(const Sound& take) {
    int peak = 0;
    for (const std::int16_t sample : take.samples) peak = std::max(peak, std::abs(int(sample)));
    return peak;
}

QString stem(const QString& picture) {
    const int dot = picture.lastIndexOf(QLatin1Char('.'));
    const int slash = picture.lastIndexOf(QLatin1Char('/'));
    return dot > slash ? picture.left(dot) : picture;
}

QString folderOf(const QString& picture) { return QFileInfo(picture).absolutePath(); }
QString nameOf(const QString& path) { return QFileInfo(path).fileName(); }

}  // namespace

QList<Entry> wordsOf(const QString& folder, bool* readable) {
    const QStringList names = platform::folderFileNames(folder, words::nameCanBeWord, readable);
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

QStringList existing(const QString& picture, Kind kind) {
    QStringList candidates;
    if (kind == Kind::Word) candidates = {stem(picture) + QStringLiteral(".wav"), fileFor(picture, kind)};
    else candidates = {fileFor(picture, kind)};
    QStringList there;
    for (const QString& candidate : candidates)
        if (platform::fileExists(candidate)) there.append(candidate);
    return there;
}

double seconds(const QString& picture, Kind kind) {
    for (const QString& file : existing(picture, kind)) {
        const double length = platform::recordingSeconds(file);
        if (length > 0) return length;
    }
    return 0.0;
}

bool audible(const Sound& take) { return peakOf(take) >= kAudible; }

Sound trimmed(const Sound& take) {
    Sound result = take;
    const int channels = std::max(1, take.channels);
    const std::size_t frames = take.samples.size() / static_cast<std::size_t>(channels);
    const int peak = peakOf(take);
    if (frames == 0 || peak < kAudible) return result;
    // Sound is where a sample reaches a twentieth of the loudest one (26 dB below it).
    const int threshold = std::max(peak / 20, kAudible / 2);
    const auto loud = [&](std::size_t frame) {
        for (int c = 0; c < channels; ++c)
            if (std::abs(int(take.samples[frame * channels + c])) >= threshold) return true;
        return false;
    };
    std::size_t first = 0;
    while (first < frames && !loud(first)) ++first;
    std::size_t last = frames - 1;
    while (last > first && !loud(last)) --last;
    const auto kept = static_cast<std::size_t>(std::lround(kKeptSilenceSeconds * take.rate));
    const std::size_t begin = first > kept ? first - kept : 0;
    const std::size_t end = std::min(frames, last + 1 + kept);
    result.samples.assign(take.samples.begin() + static_cast<std::ptrdiff_t>(begin * channels),
                          take.samples.begin() + static_cast<std::ptrdiff_t>(end * channels));
    return result;
}

Sound normalised(const Sound& take) {
    Sound result = take;
    const int peak = peakOf(take);
    if (peak == 0) return result;
    const double target = 32767.0 * std::pow(10.0, kPeakDecibels / 20.0);
    const double gain = target / peak;
    for (std::int16_t& sample : result.samples)
        sample = static_cast<std::int16_t>(std::clamp(std::lround(sample * gain), -32768L, 32767L));
    return result;
}

Result keep(const Entry& entry, Kind kind, const Sound& take) {
    Result result;
    const QString what = kind == Kind::Word ? QStringLiteral("„%1“").arg(entry.word)
                                            : QStringLiteral("„%1“ in Silben").arg(entry.word);
    if (!audible(take)) {
        result.failed = true;
        result.text = QStringLiteral("In der Aufnahme von %1 ist nichts zu hören. Ist das Mikrofon stumm "
                                     "geschaltet oder ganz leise gestellt? Es wurde nichts gespeichert.")
                          .arg(what);
        return result;
    }
    const QString target = fileFor(entry.picture, kind);
    const QStringList before = existing(entry.picture, kind);
    if (!before.isEmpty()) {
        QStringList names;
        for (const QString& file : before) names.append(nameOf(file));
        if (!platform::AskYesNo(QStringLiteral("%1 hat schon eine Aufnahme (%2). Durch die neue ersetzen?")
                                    .arg(what, names.join(QStringLiteral(", "))))) {
            result.text = QStringLiteral("Die alte Aufnahme von %1 bleibt.").arg(what);
            return result;
        }
    }
    const QString failure = platform::writeOggVorbis(target, normalised(trimmed(take)));
    if (!failure.isEmpty()) {
        result.failed = true;
        result.text = QStringLiteral("Die Aufnahme von %1 kann nicht im Ordner „%2“ gespeichert werden: %3. "
                                     "Es ist nichts verloren; bitte einen Ordner wählen, in den Sie "
                                     "schreiben dürfen.")
                          .arg(what, folderOf(entry.picture), failure);
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
    if (!result.failed) result.text = QStringLiteral("Aufnahme von %1 gespeichert.").arg(what);
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

}  // namespace takes
