// SPDX-License-Identifier: GPL-3.0-or-later
#include "lernstand/Report.h"

#include <QCollator>
#include <QDate>
#include <QHash>
#include <QSet>
#include <algorithm>
#include <array>
#include <map>

#include "game/Words.h"
#include "lernstand/Mistakes.h"
#include "lernstand/Progress.h"
#include "platform/files/Files.h"
#include "platform/files/Folders.h"
#include "platform/pictures/PictureCheck.h"

namespace lernstand {

namespace {

constexpr int kClassTop = 10;   // the class's most frequent words and kinds shown
constexpr int kExamples = 3;    // examples per kind of mistake and child
constexpr size_t kTrendWeeks = 8;  // the weeks shown in a child's trend

const char* kStyle = R"(
@page { size: A4; margin: 14mm; }
body { font-family: "Liberation Sans", Arial, sans-serif; margin: 1.5em; color: #000; background: #fff; font-size: 14px; }
h1 { font-size: 1.5em; margin: 0 0 .2em 0; }
h2 { font-size: 1.2em; margin: 0 0 .3em 0; }
h3 { font-size: 1em; margin: .6em 0 .2em 0; }
p.kopf { margin: 0 0 1em 0; color: #333; word-break: break-all; }
section { border: 1px solid #999; border-radius: 6px; padding: .6em .9em; margin: 0 0 1em 0;
  break-inside: avoid; page-break-inside: avoid; }
section.klasse { background: #f2f7ff; }
p.zahlen { margin: 0; }
p.zahlen b { font-size: 1.1em; }
div.bilder { display: flex; flex-wrap: wrap; gap: 8px; }
figure { margin: 0; min-width: 76px; max-width: 200px; text-align: center; }
figure svg.bild { width: 64px; height: 64px; display: block; margin: 0 auto; border: 1px solid #999; background: #80ffff; }
svg.vorrat { position: absolute; width: 0; height: 0; overflow: hidden; }
figcaption { font-size: 13px; margin-top: 2px; overflow-wrap: normal; word-break: keep-all; hyphens: none; }
p.vertraulich { font-weight: bold; margin: 0 0 .5em 0; }
.fach { color: #555; font-size: 12px; }
p.fach { margin: 0 0 .3em 0; }
ul { margin: .2em 0; padding-left: 1.4em; }
li { margin: .1em 0; }
span.beispiel { color: #555; }
p.gut { color: #006000; margin: .2em 0; }
table { border-collapse: collapse; }
td, th { border: 1px solid #999; padding: 2px 8px; text-align: left; vertical-align: top; }
div.spalten { display: flex; gap: 2em; flex-wrap: wrap; }
@media print { body { margin: 0; } section.klasse { background: none; } }
)";

QString esc(const QString& text) { return text.toHtmlEscaped(); }

// The pictures of the words, decoded only when a word is asked for and put into the page
// once: every use of a picture refers to it. A word's picture comes from the folder it was
// played from (the vocabulary's folder when that is not known); a folder that no longer
// has it gives no picture, never another folder's picture of the same name.
class Pictures {
public:
    explicit Pictures(const QString& vocabulary) : vocabulary_(vocabulary) {}
    // The picture of a word (empty when there is none: the word stands alone).
    QString html(const QString& word, const QString& playedFrom) {
        const QString folder = playedFrom.isEmpty() ? vocabulary_ : playedFrom;
        const QString key = folder + QLatin1Char('\n') + word;
        auto it = made_.find(key);
        if (it != made_.end()) return *it;
        QString use;
        const QHash<QString, QString>& names = namesIn(folder);
        if (names.contains(word)) {
            const platform::PictureFacts facts = platform::examinePicture(
                platform::resolvePath(folder) + QLatin1Char('/') + names.value(word), true, QSize(64, 64), true);
            if (facts.kind == platform::PictureFacts::Kind::Picture && !facts.thumbnail.isEmpty()) {
                const QString id = QStringLiteral("b%1").arg(QString::number(made_.size()));
                symbols_ += QStringLiteral("<symbol id=\"%1\" viewBox=\"0 0 64 64\"><image width=\"64\" height=\"64\" "
                                           "href=\"data:image/png;base64,%2\"/></symbol>\n")
                                .arg(id, QString::fromLatin1(facts.thumbnail.toBase64()));
                use = QStringLiteral("<svg class=\"bild\" role=\"img\" aria-label=\"%1\"><use href=\"#%2\"/></svg>")
                          .arg(esc(word), id);
            }
        }
        return *made_.insert(key, use);
    }
    // Every picture used, for the page's start.
    QString store() const {
        if (symbols_.isEmpty()) return QString();
        return QStringLiteral("<svg class=\"vorrat\" aria-hidden=\"true\"><defs>\n%1</defs></svg>\n").arg(symbols_);
    }

private:
    const QHash<QString, QString>& namesIn(const QString& folder) {
        auto it = names_.find(folder);
        if (it != names_.end()) return *it;
        QHash<QString, QString> names;
        for (const QString& name : platform::folderFileNames(folder, words::nameCanBeWord))
            if (!names.contains(words::fromFileName(name))) names.insert(words::fromFileName(name), name);
        return *names_.insert(folder, names);
    }
    QString vocabulary_;
    QHash<QString, QHash<QString, QString>> names_;
    QHash<QString, QString> made_;
    QString symbols_;
};

struct Tally {
    QHash<QString, int> wrongWords;
    std::array<int, kMistakeKinds> kinds{};
};

QString percent(int part, int whole) {
    if (whole == 0) return QStringLiteral("–");
    return QString::number(qRound(100.0 * part / whole)) + QStringLiteral(" %");
}

QString germanDate(const QString& day) {
    const QDate date = QDate::fromString(day, Qt::ISODate);
    return date.isValid() ? date.toString(QStringLiteral("d.M.yyyy")) : day;
}

QString plural(int n, const char* one, const char* many) {
    return QString::number(n) + QLatin1Char(' ') + QString::fromUtf8(n == 1 ? one : many);
}

// Week by week (the last weeks): how many words and how many of them right at the first try.
QString trend(const std::vector<Result>& results) {
    std::map<int, std::pair<int, int>> weeks;  // year * 100 + week → words, first try
    for (const Result& r : results) {
        int year = 0;
        const int week = QDate::fromString(r.day, Qt::ISODate).weekNumber(&year);
        auto& [words, first] = weeks[year * 100 + week];
        ++words;
        if (r.outcome == Outcome::FirstTry) ++first;
    }
    if (weeks.size() < 2) return QString();
    QStringList parts;
    auto it = weeks.size() > kTrendWeeks ? std::prev(weeks.end(), kTrendWeeks) : weeks.begin();
    for (; it != weeks.end(); ++it)
        parts << QStringLiteral("KW&nbsp;%1: %2&nbsp;auf&nbsp;Anhieb (%3)")
                     .arg(QString::number(it->first % 100), percent(it->second.second, it->second.first),
                          plural(it->second.first, "Wort", "Wörter"));
    return QStringLiteral("<p class=\"zahlen\">Verlauf nach Wochen: %1</p>\n").arg(parts.join(QStringLiteral(" · ")));
}

QString childSection(const Child& child, Pictures& pictures, Tally& classTally) {
    Progress progress;
    progress.addAll(child.results);
    QSet<QString> days, wrongWords;
    QSet<int> wrongKinds;
    int written = 0, unfinished = 0, memory = 0, memoryFirst = 0, copying = 0, copyingFirst = 0;
    std::array<int, kMistakeKinds> kinds{};
    std::array<QStringList, kMistakeKinds> examples;
    for (const Result& result : child.results) {
        days.insert(result.day);
        const bool first = result.outcome == Outcome::FirstTry;
        if (result.outcome == Outcome::Unfinished) ++unfinished;
        else ++written;
        // Level 1 shows the word to copy; levels 2 and 3 ask it from memory.
        if (result.level >= 2) {
            ++memory;
            memoryFirst += first ? 1 : 0;
        } else {
            ++copying;
            copyingFirst += first ? 1 : 0;
        }
        if (first) continue;
        wrongWords.insert(result.word);
        const int kind = static_cast<int>(classify(result.word, result.box, result.letter));
        ++kinds[kind];
        wrongKinds.insert(kind);
        const QString example = QStringLiteral("%1 → „%2…“").arg(result.word, result.word.left(result.box) + result.letter);
        if (examples[kind].size() < kExamples && !examples[kind].contains(example)) examples[kind] << example;
    }
    for (const QString& word : wrongWords) ++classTally.wrongWords[word];
    QHash<QString, QString> playedFrom;  // each word's folder, as last played
    for (const Result& result : child.results)
        if (!result.folder.isEmpty()) playedFrom.insert(result.word, result.folder);
    for (int kind : wrongKinds) ++classTally.kinds[kind];
    QStringList sorted(days.begin(), days.end());
    std::sort(sorted.begin(), sorted.end());
    const QString range = sorted.isEmpty() ? QString()
                          : sorted.size() == 1
                              ? QStringLiteral(" (am %1)").arg(germanDate(sorted.first()))
                              : QStringLiteral(" (vom %1 bis %2)").arg(germanDate(sorted.first()), germanDate(sorted.last()));
    QString html = QStringLiteral("<section class=\"kind\">\n<h2>%1</h2>\n").arg(esc(shownName(child.key)));
    html += QStringLiteral("<p class=\"zahlen\">Geübt an <b>%1</b> %2%3 · <b>%4</b> %5 geschrieben")
                .arg(QString::number(days.size()), days.size() == 1 ? QStringLiteral("Tag") : QStringLiteral("Tagen"),
                     range, QString::number(written), written == 1 ? QStringLiteral("Wort") : QStringLiteral("Wörter"));
    if (unfinished > 0)
        html += QStringLiteral(" · <b>%1</b> nicht zu Ende geschrieben").arg(QString::number(unfinished));
    html += QStringLiteral("</p>\n<p class=\"zahlen\">Beim ersten Versuch richtig: ");
    QStringList shares;
    if (memory > 0)
        shares << QStringLiteral("<b>%1</b> aus dem Gedächtnis (Level 2 und 3, %2)")
                      .arg(percent(memoryFirst, memory), plural(memory, "Wort", "Wörter"));
    if (copying > 0)
        shares << QStringLiteral("<b>%1</b> beim Abschreiben (Level 1, %2)")
                      .arg(percent(copyingFirst, copying), plural(copying, "Wort", "Wörter"));
    html += shares.join(QStringLiteral(" · ")) + QStringLiteral("</p>\n");
    html += trend(child.results);
    const int firstTry = memoryFirst + copyingFirst;
    const QStringList hard = progress.hardWords();
    html += QStringLiteral("<h3>Wörter zum Üben</h3>\n");
    if (hard.isEmpty()) {
        html += firstTry == static_cast<int>(child.results.size())
                    ? QStringLiteral("<p class=\"gut\">Keine.</p>\n")
                    : QStringLiteral("<p class=\"gut\">Keine: Jedes falsch geschriebene Wort wurde seitdem an "
                                     "mehreren Schultagen auf Anhieb richtig geschrieben.</p>\n");
    } else {
        html += QStringLiteral("<p class=\"fach\">Fach 1: jeden Schultag · Fach 2: nach 3 Schultagen · Fach 3: nach "
                               "7 Schultagen wieder dran</p>\n<div class=\"bilder\">\n");
        for (const QString& word : hard)
            html += QStringLiteral("<figure>%1<figcaption>%2<br><span class=\"fach\">Fach %3</span></figcaption></figure>\n")
                        .arg(pictures.html(word, playedFrom.value(word)), esc(word),
                             QString::number(progress.state(word).box));
        html += QStringLiteral("</div>\n");
    }
    html += QStringLiteral("<h3>Fehlerarten</h3>\n");
    std::vector<int> order;
    for (int k = 0; k < kMistakeKinds; ++k)
        if (kinds[k] > 0) order.push_back(k);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return kinds[a] > kinds[b]; });
    if (order.empty()) {
        html += QStringLiteral("<p class=\"gut\">Keine Fehler.</p>\n");
    } else {
        html += QStringLiteral("<ul>\n");
        for (int k : order)
            html += QStringLiteral("<li>%1: %2-mal <span class=\"beispiel\">(%3)</span></li>\n")
                        .arg(esc(mistakeName(static_cast<Mistake>(k))), QString::number(kinds[k]),
                             esc(examples[k].join(QStringLiteral(", "))));
        html += QStringLiteral("</ul>\n");
    }
    return html + QStringLiteral("</section>\n");
}

QString classSection(const Tally& tally, int children, int results) {
    QString html = QStringLiteral("<section class=\"klasse\">\n<h2>Die ganze Klasse</h2>\n");
    html += QStringLiteral("<p class=\"zahlen\"><b>%1</b> %2 · <b>%3</b> %4 geschrieben</p>\n")
                .arg(QString::number(children), children == 1 ? QStringLiteral("Kind") : QStringLiteral("Kinder"),
                     QString::number(results), results == 1 ? QStringLiteral("Wort") : QStringLiteral("Wörter"));
    std::vector<std::pair<QString, int>> wordsByCount;
    for (auto it = tally.wrongWords.begin(); it != tally.wrongWords.end(); ++it)
        wordsByCount.emplace_back(it.key(), it.value());
    std::sort(wordsByCount.begin(), wordsByCount.end(), [](const auto& a, const auto& b) {
        return a.second != b.second ? a.second > b.second : QString::localeAwareCompare(a.first, b.first) < 0;
    });
    html += QStringLiteral("<div class=\"spalten\">\n<div>\n<h3>Am häufigsten falsch geschrieben</h3>\n");
    if (wordsByCount.empty()) {
        html += QStringLiteral("<p class=\"gut\">Noch kein Wort.</p>\n");
    } else {
        html += QStringLiteral("<table>\n<tr><th>Wort</th><th>Kinder</th></tr>\n");
        for (size_t i = 0; i < wordsByCount.size() && i < kClassTop; ++i)
            html += QStringLiteral("<tr><td>%1</td><td>%2</td></tr>\n").arg(esc(wordsByCount[i].first), QString::number(wordsByCount[i].second));
        html += QStringLiteral("</table>\n");
    }
    html += QStringLiteral("</div>\n<div>\n<h3>Häufigste Fehlerarten</h3>\n");
    std::vector<int> order;
    for (int k = 0; k < kMistakeKinds; ++k)
        if (tally.kinds[k] > 0) order.push_back(k);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return tally.kinds[a] > tally.kinds[b]; });
    if (order.empty()) {
        html += QStringLiteral("<p class=\"gut\">Noch keine.</p>\n");
    } else {
        html += QStringLiteral("<table>\n<tr><th>Fehlerart</th><th>Kinder</th></tr>\n");
        for (int k : order)
            html += QStringLiteral("<tr><td>%1</td><td>%2</td></tr>\n")
                        .arg(esc(mistakeName(static_cast<Mistake>(k))), QString::number(tally.kinds[k]));
        html += QStringLiteral("</table>\n");
    }
    return html + QStringLiteral("</div>\n</div>\n</section>\n");
}

}  // namespace

const QString kFirstLine = QStringLiteral(
    "<!-- Knorzelbart-Lernstandsbericht: enthält personenbezogene Daten von Kindern. Vertraulich behandeln. -->");

QByteArray report(const ReportInput& input) {
    Pictures pictures(input.vocabularyFolder);
    Tally tally;
    QString children;
    int results = 0;
    std::vector<const Child*> byName;
    for (const Child& child : input.children) byName.push_back(&child);
    QCollator german{QLocale(QLocale::German, QLocale::Germany)};
    std::stable_sort(byName.begin(), byName.end(), [&](const Child* a, const Child* b) {
        return german.compare(shownName(a->key), shownName(b->key)) < 0;
    });
    QString first, last;
    for (const Child* child : byName) {
        children += childSection(*child, pictures, tally);
        for (const Result& r : child->results) {
            if (r.outcome != Outcome::Unfinished) ++results;
            if (first.isEmpty() || r.day < first) first = r.day;
            if (r.day > last) last = r.day;
        }
    }
    const QString title = input.oneChild && !byName.empty()
                              ? QStringLiteral("Knorzelbart – Lernstand von %1").arg(esc(shownName(byName.front()->key)))
                              : QStringLiteral("Knorzelbart – Lernstand der Klasse");
    QString html = kFirstLine + QStringLiteral("\n<!DOCTYPE html>\n<html lang=\"de\">\n<head>\n<meta charset=\"utf-8\">\n"
                                               "<title>%1</title>\n<style>").arg(title);
    html += QString::fromUtf8(kStyle);
    html += QStringLiteral("</style>\n</head>\n<body>\n");
    html += pictures.store();
    html += QStringLiteral("<p class=\"vertraulich\">Vertraulich: Dieser Bericht enthält personenbezogene Daten von "
                           "Kindern.</p>\n<h1>%1</h1>\n").arg(title);
    const QString range = first.isEmpty() ? QString()
                          : QStringLiteral(" · Zeitraum: %1 bis %2").arg(germanDate(first), germanDate(last));
    html += QStringLiteral("<p class=\"kopf\">Stand: %1%2 · Lernstandordner: %3</p>\n")
                .arg(germanDate(input.today), range, esc(input.recordFolder));
    if (input.children.empty()) {
        html += QStringLiteral("<p>Es ist noch nichts gespeichert: Kein Kind hat mit eingeschaltetem "
                               "Lernstand gespielt.</p>\n");
    } else {
        if (!input.oneChild) html += classSection(tally, static_cast<int>(input.children.size()), results);
        html += children;
    }
    html += QStringLiteral("</body>\n</html>\n");
    return html.toUtf8();
}

bool isReport(const QString& start) { return start.startsWith(kFirstLine.left(40)); }

}  // namespace lernstand
