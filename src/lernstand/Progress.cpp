// SPDX-License-Identifier: GPL-3.0-or-later
#include "lernstand/Progress.h"

#include <QCollator>
#include <QDate>
#include <algorithm>

namespace lernstand {

int schoolDay(const QString& day) {
    static const QDate monday(2000, 1, 3);
    const QDate date = QDate::fromString(day, Qt::ISODate);
    if (!date.isValid()) return 0;
    const qint64 days = monday.daysTo(date);
    const qint64 weeks = days >= 0 ? days / 7 : -((-days + 6) / 7);
    const int weekday = static_cast<int>(days - weeks * 7);  // 0 = Monday
    return static_cast<int>(weeks * 5 + std::min(weekday, 5));
}

void Progress::setToday(const QString& day) { today_ = day.isEmpty() ? -1 : schoolDay(day); }

// The day's results become one step of the schedule.
void Progress::close(Entry& e) {
    if (e.day < 0) return;
    if (e.missesOfDay > 0) {
        e.box = 1;
        e.learnt = false;
        e.due = e.day + kBoxDays[1];
    } else if (e.movesUpOfDay && e.box > 0 && e.day >= e.due) {
        if (++e.box > kBoxes) {
            e.box = 0;
            e.learnt = true;
        } else {
            e.due = e.day + kBoxDays[e.box];
        }
    }
    e.day = -1;
    e.missesOfDay = e.rightsOfDay = 0;
    e.movesUpOfDay = false;
}

void Progress::add(const Result& result) {
    Entry& e = words_[result.word];
    e.lastSeen = ++clock_;
    ++e.written;
    if (result.day != lastDayText_) {  // results come by day: one date read per day
        lastDayText_ = result.day;
        lastDay_ = schoolDay(result.day);
    }
    const int day = lastDay_;
    if (e.day != day) {
        if (day < e.day) return;  // results come by day; an older one is no step any more
        close(e);
        e.day = day;
    }
    if (result.outcome != Outcome::FirstTry) {
        ++e.wrong;
        ++e.missesOfDay;
    } else {
        ++e.rightsOfDay;
        if (result.level >= 2) e.movesUpOfDay = true;
    }
}

void Progress::addAll(const std::vector<Result>& results) {
    for (const Result& result : results) add(result);
}

WordState Progress::state(const QString& word) const {
    WordState s;
    auto it = words_.find(word);
    if (it == words_.end()) return s;
    Entry e = *it;
    const int today = today_ >= 0 ? today_ : e.day;
    int misses = 0, rights = 0;
    if (e.day >= 0 && e.day >= today) {
        misses = e.missesOfDay;
        rights = e.rightsOfDay;
    } else {
        close(e);
    }
    // Today's step is not made before the day is over: what today brought counts apart.
    Entry after = e;
    close(after);
    s.box = after.box;
    s.learnt = after.learnt;
    s.due = after.due;
    s.hard = ((e.box > 0 && e.due <= today) || misses > 0) && rights <= misses;
    s.lastSeen = e.lastSeen;
    s.written = e.written;
    s.wrong = e.wrong;
    return s;
}

void Progress::seen(const QString& word) { words_[word].lastSeen = ++clock_; }

QStringList Progress::hardWords() const {
    QStringList hard;
    for (auto it = words_.begin(); it != words_.end(); ++it)
        if (state(it.key()).box > 0) hard << it.key();
    QCollator german{QLocale(QLocale::German, QLocale::Germany)};
    std::sort(hard.begin(), hard.end(), [&](const QString& a, const QString& b) { return german.compare(a, b) < 0; });
    return hard;
}

}  // namespace lernstand
