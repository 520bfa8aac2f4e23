// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/TeacherNotes.h"

#include <QHash>

#include "platform/files/RecordFiles.h"

namespace teachernotes {

namespace {

// A run that fails again and again still keeps a short list.
constexpr std::size_t kMaxNotes = 50;

std::vector<Note>& notes() {
    static std::vector<Note> all;
    return all;
}

QHash<const void*, std::function<void()>>& listeners() {
    static QHash<const void*, std::function<void()>> all;
    return all;
}

void changed() {
    const auto copy = listeners();  // a listener may remove itself
    for (const auto& listener : copy) listener();
}

QString lineOf(const Note& note) { return note.day + QStringLiteral(": ") + note.text; }

}  // namespace

bool add(Kind kind, const QString& text) {
    const QString day = platform::recordToday();
    for (const Note& note : notes())
        if (note.kind == kind && note.text == text && note.day == day) return false;
    if (notes().size() >= kMaxNotes) notes().erase(notes().begin());
    notes().push_back({kind, day, text});
    changed();
    return true;
}

const std::vector<Note>& list() { return notes(); }

QStringList lines() {
    QStringList all;
    for (const Note& note : notes()) all << lineOf(note);
    return all;
}

QStringList lines(Kind kind) {
    QStringList some;
    for (const Note& note : notes())
        if (note.kind == kind) some << lineOf(note);
    return some;
}

bool any() { return !notes().empty(); }

void clear() {
    if (notes().empty()) return;
    notes().clear();
    changed();
}

void setListener(const void* owner, std::function<void()> listener) {
    if (listener) listeners().insert(owner, std::move(listener));
    else listeners().remove(owner);
}

}  // namespace teachernotes
