// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Check.h"

#include <QCollator>
#include <QHash>
#include <QRegularExpression>

#include <algorithm>

#include "game/OnScreenKeys.h"
#include "game/Options.h"
#include "game/Pronunciation.h"
#include "game/Rules.h"
#include "game/Speech.h"
#include "game/Syllables.h"
#include "game/Takes.h"
#include "game/Words.h"
#include "platform/files/Files.h"
#include "platform/files/Folders.h"
#include "platform/pictures/PictureCheck.h"
#include "platform/sound/SoundFile.h"
#include "platform/files/TextFile.h"

namespace check {

namespace {

using Kind = platform::PictureFacts::Kind;

// Why the name alone cannot be a word, in words: the verdict is the game's.
QString nameReason(const QString& name) {
    switch (words::nameFault(name)) {
        case words::NameFault::Hidden: return QStringLiteral("versteckte Datei (der Name beginnt mit einem Punkt)");
        case words::NameFault::Foreign: return QStringLiteral("Hilfsdatei eines anderen Programms");
        case words::NameFault::NoExtension: return QStringLiteral("keine Dateiendung (wie .png oder .jpg)");
        case words::NameFault::NoWord: return QStringLiteral("kein Wort vor der Endung");
        case words::NameFault::TooLong:
            return QStringLiteral("das Wort hat %1 Zeichen, höchstens %2 passen in die Kästchen")
                .arg(QString::number(words::fromFileName(name).size()), QString::number(rules::kLetterBoxes));
        case words::NameFault::Untypeable:
        case words::NameFault::None: break;
    }
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
    static const QRegularExpression copyMark(
        QStringLiteral("(\\s*\\(\\d+\\)|\\s*-?\\s*(Kopie|Copy)(\\s*\\(?\\d+\\)?)?)$"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression doubleExtension(
        QStringLiteral("\\.(png|jpe?g|gif|bmp|webp|tiff?|svg|heic)$"), QRegularExpression::CaseInsensitiveOption);
    if (check::looksLikeCameraName(word))
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
    const QString extra = onscreen::charactersOffTheKeys(word);
    if (!extra.isEmpty()) {
        QStringList shown;
        for (const QChar c : extra) shown << QStringLiteral("„") + printable(QString(c)) + QStringLiteral("“");
        warnings << QStringLiteral("die Buchstabentasten am Bildschirm zeigen dafür eigene Tasten: %1")
                        .arg(shown.join(QStringLiteral(", ")));
    }
    int capitals = 0;
    int small = 0;
    for (const QChar c : word) {
        if (c.isUpper()) ++capitals;
        else if (c.isLower()) ++small;
    }
    if (capitals >= 2 && small == 0)
        warnings << QStringLiteral("in Großbuchstaben: das Kind muss „%1“ in großen Buchstaben tippen")
                        .arg(printable(word));
    const QString plainName = name.normalized(QString::NormalizationForm_C);
    if (!word.isEmpty() && !word.at(0).isUpper())
        warnings << QStringLiteral("beginnt nicht mit einem Großbuchstaben");
    else if (!plainName.isEmpty() && plainName.at(0) != word.at(0))
        warnings << QStringLiteral("der Dateiname beginnt klein, das Spiel zeigt „%1“ mit großem Anfangsbuchstaben")
                        .arg(word);
    return warnings;
}

// Which file is a recording of which word: the rule the game and the recording window
// follow (game/Takes.h).
QString recordingStem(const QString& name, bool* syllables) {
    takes::Kind kind = takes::Kind::Word;
    const QString stem = takes::recordingStem(name, &kind);
    *syllables = kind == takes::Kind::Syllables;
    return stem;
}

using takes::stemKey;

QString pictureStem(const QString& name) { return name.left(name.lastIndexOf(QLatin1Char('.'))); }

// The pronunciation table and the syllables table beside the pictures.
QString tableRole(const QString& name) {
    const QString lower = name.toLower();
    if (lower == speech::teacherTableName())
        return QStringLiteral("die Aussprachetabelle (wie die Stimme Wörter sagt)");
    if (lower == syllables::teacherTableName()) return QStringLiteral("die Silbentabelle (wie Wörter getrennt werden)");
    return QString();
}

// The lines of a pronunciation table that the voice passes over, each by its number.
QStringList tableWarnings(const QString& path) {
    const platform::TextFile file = platform::readTextFile(path, 1 << 20);
    if (file.status != platform::TextFile::Status::Ok)
        return {QStringLiteral("kann nicht gelesen werden (%1); die Stimme spricht ohne sie")
                    .arg(file.reason.isEmpty() ? QStringLiteral("zu groß oder keine gewöhnliche Datei") : file.reason)};
    QStringList warnings;
    Pronunciations table;
    for (const int line : table.parse(file.text))
        warnings << QStringLiteral("Zeile %1 hat nicht die Form „Wort = Ersatz“ (oder eine halbe [[Lautschrift]]) "
                                   "und wird übergangen")
                        .arg(line);
    return warnings;
}

// The lines of a syllables table that the game passes over, each by its number.
QStringList syllableTableWarnings(const QString& path) {
    const platform::TextFile file = platform::readTextFile(path, 1 << 20);
    if (file.status != platform::TextFile::Status::Ok)
        return {QStringLiteral("kann nicht gelesen werden (%1); die Wörter werden nach den Trennmustern geteilt")
                    .arg(file.reason.isEmpty() ? QStringLiteral("zu groß oder keine gewöhnliche Datei") : file.reason)};
    QStringList warnings;
    if (!file.validUtf8)
        warnings << QStringLiteral("ist nicht in UTF-8 geschrieben: Zeilen mit Umlauten oder ß werden übergangen "
                                   "(speichern Sie die Datei als UTF-8)");
    syllables::Table table;
    for (const int line : table.parse(file.text))
        warnings << QStringLiteral("Zeile %1 hat nicht die Form „Ba-na-ne“ und wird übergangen").arg(line);
    return warnings;
}

}  // namespace

bool looksLikeCameraName(const QString& stem) {
    static const QRegularExpression camera(
        QStringLiteral("^(IMG|DSC[NF]?|DCIM|PXL|MVIMG|VID|PANO|CIMG|SAM|P|Photo|Foto|Bild|Image|Screenshot|"
                       "WhatsApp Image|Scan)[ _-]?\\d{2,}"),
        QRegularExpression::CaseInsensitiveOption);
    return camera.match(stem).hasMatch();
}

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
    if (!report.folderFound) {
        report.folderState = platform::PathExists(folder) ? Report::Folder::NoFolder : Report::Folder::Missing;
        return report;
    }
    const QString real = platform::resolvePath(folder);
    bool readable = true;
    QStringList names = platform::folderFiles(folder, &readable);
    if (!readable) {
        report.folderFound = false;
        report.folderState = Report::Folder::Unreadable;
        return report;
    }
    report.folderState = Report::Folder::Found;
    // In the order of a German dictionary, numbers by their value (Wort2 before Wort10).
    QCollator collator{QLocale(QLocale::German, QLocale::Germany)};
    collator.setNumericMode(true);
    std::sort(names.begin(), names.end(), [&](const QString& a, const QString& b) {
        const int c = collator.compare(a, b);
        return c != 0 ? c < 0 : a < b;
    });
    report.subfolders = platform::subfolderNames(real);
    // Every picture is decoded at once on every core; the results are taken in name order.
    QStringList pictures;
    bool syllables = false;
    for (const QString& name : names)
        if (tableRole(name).isEmpty() && recordingStem(name, &syllables).isEmpty() && words::nameCanBeWord(name))
            pictures << real + QLatin1Char('/') + name;
    const QList<platform::PictureFacts> decoded =
        platform::examinePictures(pictures, QSize(kPictureSide, kPictureSide), thumbnails);
    qsizetype next = 0;
    QHash<QString, QString> firstWithWord;
    QHash<QString, QString> pictureOfStem;
    QList<qsizetype> recordings;
    for (const QString& name : names) {
        FileResult file;
        file.name = name;
        if (!tableRole(name).isEmpty()) {
            file.role = tableRole(name);
            if (name.toLower() == speech::teacherTableName()) file.warnings = tableWarnings(real + QLatin1Char('/') + name);
            if (name.toLower() == syllables::teacherTableName())
                file.warnings = syllableTableWarnings(real + QLatin1Char('/') + name);
            report.warnings += file.warnings.size();
        } else if (!recordingStem(name, &syllables).isEmpty()) {
            recordings << report.files.size();  // looked at once every picture is known
        } else if (!words::nameCanBeWord(name)) {
            file.reason = nameReason(name);
        } else {
            const platform::PictureFacts& facts = decoded.at(next++);
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
                pictureOfStem.insert(stemKey(pictureStem(name)), file.word);
                ++report.usable;
                report.warnings += file.warnings.size();
            }
        }
        report.files << file;
    }
    for (const qsizetype index : recordings) {
        FileResult& file = report.files[index];
        const QString stem = recordingStem(file.name, &syllables);
        const QString word = pictureOfStem.value(stemKey(stem), words::fromFileName(stem + QStringLiteral(".x")));
        file.role = (syllables ? QStringLiteral("die Silbenaufnahme von „%1“") : QStringLiteral("die Aufnahme von „%1“"))
                        .arg(printable(word));
        if (platform::readRecording(real + QLatin1Char('/') + file.name).empty())
            file.warnings << QStringLiteral("die Aufnahme lässt sich nicht abspielen (leer, stumm oder beschädigt); "
                                            "das Spiel nimmt dann die Computerstimme");
        if (!pictureOfStem.contains(stemKey(stem)))
            file.warnings << QStringLiteral("kein Bild zu dieser Aufnahme (erwartet: %1.png, %1.jpg oder ähnlich)")
                                 .arg(printable(stem));
        report.warnings += file.warnings.size();
    }
    return report;
}

QString text(const Report& report) {
    QString out;
    const QString shownFolder = printable(platform::resolvePath(report.folder));
    if (!report.folderFound) {
        if (report.folderState == Report::Folder::Unreadable)
            out += QStringLiteral("Der Bilderordner %1 kann nicht gelesen werden (keine Leserechte oder ein "
                                  "Lesefehler).\n")
                       .arg(shownFolder);
        else if (report.folderState == Report::Folder::NoFolder)
            out += QStringLiteral("Der Bilderordner %1 ist kein Ordner, sondern eine Datei.\n").arg(shownFolder);
        else out += QStringLiteral("Der Bilderordner %1 ist nicht vorhanden.\n").arg(shownFolder);
        out += QStringLiteral("Ein Spiel kann nicht gewonnen werden: Es gibt keine Bilder.\n");
        return out;
    }
    out += QStringLiteral("Bilderordner %1\n\n").arg(shownFolder);
    int skipped = 0;
    for (const FileResult& file : report.files) {
        const QString name = printable(file.name);
        if (file.usable || !file.role.isEmpty()) {
            if (file.usable) {
                out += QStringLiteral("  %1  →  %2").arg(name, printable(file.word));
                if (!file.syllables.isEmpty()) out += QStringLiteral("  →  %1").arg(printable(file.syllables));
                out += QLatin1Char('\n');
            } else {
                out += QStringLiteral("  %1  –  %2\n").arg(name, file.role);
            }
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

int exitStatus(const Report& report) {
    if (report.folderState == Report::Folder::Unreadable) return 2;
    return report.canBeWon() ? 0 : 1;
}

}  // namespace check
