// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Check.h"

#include <QCollator>
#include <QHash>
#include <QRegularExpression>

#include <algorithm>

#include "game/Options.h"
#include "game/Syllables.h"
#include "game/Words.h"
#include "platform/Files.h"
#include "platform/PictureCheck.h"

namespace check {

namespace {

using Kind = platform::PictureFacts::Kind;

// Why the name alone cannot be a word (the verdict itself is the game's nameCanBeWord).
QString nameReason(const QString& name) {
    static const QStringList foreign = {"thumbs.db", "desktop.ini", "ehthumbs.db"};
    if (name.startsWith(QLatin1Char('.'))) return QStringLiteral("versteckte Datei (der Name beginnt mit einem Punkt)");
    if (foreign.contains(name.toLower())) return QStringLiteral("Hilfsdatei eines anderen Programms");
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || dot == name.size() - 1) return QStringLiteral("keine Dateiendung (wie .png oder .jpg)");
    const QString word = words::fromFileName(name);
    if (word.isEmpty()) return QStringLiteral("kein Wort vor der Endung");
    if (word.size() > 15)
        return QStringLiteral("das Wort hat %1 Zeichen, höchstens 15 passen in die Kästchen").arg(word.size());
    return QStringLiteral("der Name enthält Zeichen, die man nicht tippen oder nicht sehen kann "
                          "(Steuerzeichen, unsichtbare Zeichen oder Leerzeichen am Rand)");
}

QString factsReason(const platform::PictureFacts& facts) {
    switch (facts.kind) {
        case Kind::Missing: return QStringLiteral("Verknüpfung ins Leere");
        case Kind::Folder: return QStringLiteral("ein Ordner");
        case Kind::Special: return QStringLiteral("keine gewöhnliche Datei (Gerät oder Pipe)");
        case Kind::Unreadable: return QStringLiteral("kann nicht gelesen werden (keine Leserechte)");
        case Kind::Empty: return QStringLiteral("leere Datei");
        case Kind::NoPicture: return QStringLiteral("kein Bild (das Format wird nicht erkannt)");
        case Kind::TooLarge:
            return QStringLiteral("zu groß zum Anzeigen (%1 × %2 Bildpunkte; bitte verkleinern)")
                .arg(facts.size.width())
                .arg(facts.size.height());
        case Kind::Damaged: return QStringLiteral("beschädigt, das Bild kann nicht angezeigt werden");
        case Kind::Picture: break;
    }
    return QString();
}

bool easyToType(QChar c) {
    static const QString german = QStringLiteral("äöüÄÖÜß -");
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
           c.isDigit() || german.contains(c);
}

QStringList warningsFor(const QString& name, const QString& word) {
    QStringList warnings;
    static const QRegularExpression camera(
        QStringLiteral("^(IMG|DSC[NF]?|DCIM|PXL|MVIMG|VID|PANO|CIMG|SAM|P|Photo|Foto|Bild|Image|Screenshot|"
                       "WhatsApp Image|Scan)[ _-]?\\d{2,}"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression copyMark(
        QStringLiteral("(\\s*\\(\\d+\\)|\\s*-?\\s*(Kopie|Copy)(\\s*\\(?\\d+\\)?)?)$"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression doubleExtension(
        QStringLiteral("\\.(png|jpe?g|gif|bmp|webp|tiff?|svg|heic)$"), QRegularExpression::CaseInsensitiveOption);
    if (camera.match(word).hasMatch())
        warnings << QStringLiteral("sieht aus wie der Name aus einer Kamera, nicht wie ein Wort");
    const QRegularExpressionMatch copy = copyMark.match(word);
    if (copy.hasMatch())
        warnings << QStringLiteral("Kopiezeichen „%1“ am Ende wird mitgetippt").arg(copy.captured(0).trimmed());
    if (doubleExtension.match(word).hasMatch())
        warnings << QStringLiteral("doppelte Endung: das Wort endet auf „%1“")
                        .arg(word.mid(word.lastIndexOf(QLatin1Char('.'))));
    if (std::any_of(word.begin(), word.end(), [](QChar c) { return c.isDigit(); }))
        warnings << QStringLiteral("enthält Ziffern");
    QString hard;
    for (const QChar c : word)
        if (!easyToType(c) && !hard.contains(c)) hard += c;
    if (!hard.isEmpty()) {
        QStringList shown;
        for (const QChar c : hard) shown << QStringLiteral("„") + printable(QString(c)) + QStringLiteral("“");
        warnings << QStringLiteral("schwer zu tippende Zeichen: %1").arg(shown.join(QStringLiteral(", ")));
    }
    const QString plainName = name.normalized(QString::NormalizationForm_C);
    if (!word.isEmpty() && !word.at(0).isUpper())
        warnings << QStringLiteral("beginnt nicht mit einem Großbuchstaben");
    else if (!plainName.isEmpty() && plainName.at(0) != word.at(0))
        warnings << QStringLiteral("der Dateiname beginnt klein, das Spiel zeigt „%1“ mit großem Anfangsbuchstaben")
                        .arg(word);
    return warnings;
}

}  // namespace

QString printable(const QString& name) {
    QString shown;
    for (const QChar c : name) {
        if (c.isPrint() && c.category() != QChar::Other_Format) shown += c;
        else shown += QStringLiteral("\\u{%1}").arg(QString::number(c.unicode(), 16).toUpper());
    }
    return shown;
}

Report examine(const QString& folder, bool thumbnails) {
    Report report;
    report.folder = folder;
    report.folderFound = platform::FolderExists(folder);
    if (!report.folderFound) return report;
    const QString real = platform::resolvePath(folder);
    QStringList names = platform::folderFiles(folder);
    // In the order of a German dictionary, numbers by their value (Wort2 before Wort10).
    QCollator collator{QLocale(QLocale::German, QLocale::Germany)};
    collator.setNumericMode(true);
    std::sort(names.begin(), names.end(), [&](const QString& a, const QString& b) {
        const int c = collator.compare(a, b);
        return c != 0 ? c < 0 : a < b;
    });
    report.subfolders = platform::subfolderNames(real);
    QHash<QString, QString> firstWithWord;
    const QSize side(kPictureSide, kPictureSide);
    for (const QString& name : names) {
        FileResult file;
        file.name = name;
        if (!words::nameCanBeWord(name)) {
            file.reason = nameReason(name);
        } else {
            const QString path = real + QLatin1Char('/') + name;
            const platform::PictureFacts facts = platform::examinePicture(path, true, side, thumbnails);
            if (facts.kind != Kind::Picture) {
                file.reason = factsReason(facts);
            } else {
                file.usable = true;
                file.word = words::fromFileName(name);
                if (options::current().syllables) file.syllables = syllables::hyphenated(file.word, folder);
                file.thumbnail = facts.thumbnail;
                file.warnings = warningsFor(name, file.word);
                if (firstWithWord.contains(file.word))
                    file.warnings << QStringLiteral("dasselbe Wort wie „%1“: es kommt zweimal vor")
                                         .arg(printable(firstWithWord.value(file.word)));
                else firstWithWord.insert(file.word, name);
                ++report.usable;
                report.warnings += file.warnings.size();
            }
        }
        report.files << file;
    }
    return report;
}

QString text(const Report& report) {
    QString out;
    const QString shownFolder = platform::resolvePath(report.folder);
    if (!report.folderFound) {
        out += QStringLiteral("Der Bilderordner %1 ist nicht vorhanden.\n").arg(shownFolder);
        out += QStringLiteral("Ein Spiel kann nicht gewonnen werden: Es gibt keine Bilder.\n");
        return out;
    }
    out += QStringLiteral("Bilderordner %1\n\n").arg(shownFolder);
    int skipped = 0;
    for (const FileResult& file : report.files) {
        const QString name = printable(file.name);
        if (file.usable) {
            out += QStringLiteral("  %1  →  %2").arg(name, printable(file.word));
            if (!file.syllables.isEmpty()) out += QStringLiteral("  →  %1").arg(printable(file.syllables));
            out += QLatin1Char('\n');
            for (const QString& warning : file.warnings) out += QStringLiteral("      Achtung: %1\n").arg(warning);
        } else {
            ++skipped;
            out += QStringLiteral("  %1  –  wird übersprungen: %2\n").arg(name, file.reason);
        }
    }
    for (const QString& sub : report.subfolders)
        out += QStringLiteral("  %1/  –  Unterordner, wird nicht gelesen\n").arg(printable(sub));
    if (report.files.isEmpty() && report.subfolders.isEmpty()) out += QStringLiteral("  (der Ordner ist leer)\n");
    out += QStringLiteral("\n%1 Dateien: %2 verwendbare Wörter, %3 übersprungen, %4 Warnungen.\n")
               .arg(report.files.size())
               .arg(report.usable)
               .arg(skipped)
               .arg(report.warnings);
    if (report.canBeWon())
        out += QStringLiteral("Ein Spiel kann gewonnen werden (dafür sind mindestens %1 Bilder nötig).\n")
                   .arg(kPicturesForAVictory);
    else
        out += QStringLiteral("Ein Spiel kann NICHT gewonnen werden: Dafür sind mindestens %1 verwendbare Bilder "
                              "nötig, es fehlen %2.\n")
                   .arg(kPicturesForAVictory)
                   .arg(kPicturesForAVictory - report.usable);
    return out;
}

int exitStatus(const Report& report) { return report.canBeWon() ? 0 : 1; }

}  // namespace check
