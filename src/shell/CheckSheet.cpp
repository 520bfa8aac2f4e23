// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/CheckSheet.h"

#include "platform/files/Files.h"

#include <algorithm>

namespace check {

namespace {

QString escaped(const QString& text) { return printable(text).toHtmlEscaped(); }

// The word with an arc under each syllable, when the check split it (a word that holds a
// hyphen of its own is shown plain).
QString caption(const FileResult& file) {
    if (file.syllables.isEmpty() || file.word.contains(QLatin1Char('-'))) return escaped(file.word);
    QString html;
    const QStringList parts = file.syllables.split(QLatin1Char('-'));
    for (int i = 0; i < parts.size(); ++i)
        html += QStringLiteral("<span class=\"silbe s%1\">%2</span>").arg(i % 2).arg(escaped(parts.at(i)));
    return html;
}

const char* kStyle = R"(
body { font-family: "Liberation Sans", Arial, sans-serif; margin: 1.5em; color: #000; background: #fff; }
h1 { font-size: 1.4em; margin: 0 0 .2em 0; }
p.ordner { margin: 0 0 1em 0; color: #333; word-break: break-all; }
p.ergebnis { font-weight: bold; }
p.ergebnis.nein { color: #a00000; }
div.bilder { display: flex; flex-wrap: wrap; gap: 14px; }
figure { margin: 0; width: 120px; text-align: center; break-inside: avoid; page-break-inside: avoid; }
figure img { width: 100px; height: 100px; display: block; margin: 0 auto; border: 1px solid #999; background: #80ffff; }
figcaption { font-size: 15px; margin-top: 4px; word-wrap: break-word; }
figure.warnung figcaption { color: #a05000; }
figcaption small { display: block; font-size: 11px; color: #a05000; }
table { border-collapse: collapse; margin-top: .5em; }
td, th { border: 1px solid #999; padding: 3px 8px; text-align: left; vertical-align: top; font-size: 13px; }
h2 { font-size: 1.15em; margin-top: 1.5em; page-break-after: avoid; }
@media print { body { margin: 0; } }
)";

// Only on a sheet with syllables.
const char* kSyllableStyle = R"(span.silbe { display: inline-block; padding: 0 1px 4px 1px; margin: 0 1px;
  border-bottom: 3px solid; border-radius: 0 0 50% 50% / 0 0 9px 9px; }
span.silbe.s0 { border-color: #2f5fa8; }
span.silbe.s1 { border-color: #b03a3a; }
)";

}  // namespace

QByteArray sheet(const Report& report) {
    QString html;
    html += QStringLiteral("<!DOCTYPE html>\n<html lang=\"de\">\n<head>\n<meta charset=\"utf-8\">\n");
    html += QStringLiteral("<meta name=\"generator\" content=\"knorzelbart --bogen\">\n");
    html += QStringLiteral("<title>Knorzelbart – Bilderbogen</title>\n<style>");
    html += QString::fromUtf8(kStyle);
    if (std::any_of(report.files.begin(), report.files.end(), [](const FileResult& f) { return !f.syllables.isEmpty(); }))
        html += QString::fromUtf8(kSyllableStyle);
    html += QStringLiteral("</style>\n</head>\n<body>\n<h1>Knorzelbart – Bilderbogen</h1>\n");
    html += QStringLiteral("<p class=\"ordner\">Bilderordner: %1</p>\n")
                .arg(escaped(platform::resolvePath(report.folder)));
    if (!report.folderFound) {
        const QString why = report.folderState == Report::Folder::Unreadable ? QStringLiteral("kann nicht gelesen werden")
                            : report.folderState == Report::Folder::NoFolder ? QStringLiteral("ist eine Datei")
                                                                               : QStringLiteral("ist nicht vorhanden");
        html += QStringLiteral("<p class=\"ergebnis nein\">Der Ordner %1.</p>\n</body>\n</html>\n").arg(why);
        return html.toUtf8();
    }
    html += QStringLiteral("<p class=\"ergebnis%1\">%2 verwendbare Wörter. %3</p>\n")
                .arg(report.canBeWon() ? QString() : QStringLiteral(" nein"))
                .arg(report.usable)
                .arg(report.canBeWon()
                         ? QStringLiteral("Ein Spiel kann gewonnen werden.")
                         : QStringLiteral("Ein Spiel kann nicht gewonnen werden: Dafür sind mindestens %1 Bilder nötig.")
                               .arg(kPicturesForAVictory));
    html += QStringLiteral("<div class=\"bilder\">\n");
    for (const FileResult& file : report.files) {
        if (!file.usable) continue;
        const bool warned = !file.warnings.isEmpty();
        html += QStringLiteral("<figure%1><img alt=\"%2\" src=\"data:image/png;base64,%3\">"
                               "<figcaption>%4")
                    .arg(warned ? QStringLiteral(" class=\"warnung\"") : QString(), escaped(file.word),
                         QString::fromLatin1(file.thumbnail.toBase64()), caption(file));
        for (const QString& warning : file.warnings)
            html += QStringLiteral("<small>%1</small>").arg(warning.toHtmlEscaped());
        html += QStringLiteral("</figcaption></figure>\n");
    }
    html += QStringLiteral("</div>\n");
    int skipped = 0;
    for (const FileResult& file : report.files) skipped += file.usable || !file.role.isEmpty() ? 0 : 1;
    if (skipped > 0 || !report.subfolders.isEmpty()) {
        html += QStringLiteral("<h2>Übersprungene Dateien</h2>\n<table>\n<tr><th>Datei</th><th>Grund</th></tr>\n");
        for (const FileResult& file : report.files) {
            if (file.usable || !file.role.isEmpty()) continue;
            html += QStringLiteral("<tr><td>%1</td><td>%2</td></tr>\n").arg(escaped(file.name), file.reason.toHtmlEscaped());
        }
        for (const QString& sub : report.subfolders)
            html += QStringLiteral("<tr><td>%1/</td><td>Unterordner, wird nicht gelesen</td></tr>\n").arg(escaped(sub));
        html += QStringLiteral("</table>\n");
    }
    html += QStringLiteral("</body>\n</html>\n");
    return html.toUtf8();
}

bool isSheet(const QString& start) {
    // The sheets of earlier versions had no generator line, but always this title.
    return start.startsWith(QLatin1String("<!DOCTYPE html>")) &&
           (start.contains(QLatin1String("<meta name=\"generator\" content=\"knorzelbart --bogen\">")) ||
            start.contains(QStringLiteral("<title>Knorzelbart – Bilderbogen</title>")));
}

}  // namespace check
