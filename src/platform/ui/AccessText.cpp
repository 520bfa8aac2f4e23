// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ui/AccessText.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QLineEdit>
#include <algorithm>

namespace platform {

namespace {

class TextBoxAccess : public QAccessibleWidget, public QAccessibleTextInterface, public OwnAccessible {
public:
    explicit TextBoxAccess(QLineEdit* box) : QAccessibleWidget(box, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = !box()->isReadOnly();
        s.readOnly = box()->isReadOnly();
        s.selectableText = true;
        s.focusable = true;
        return s;
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return box()->text();
        return QAccessibleWidget::text(t);
    }

    // --- text ---------------------------------------------------------------------------

    int characterCount() const override { return int(box()->text().size()); }
    QString text(int startOffset, int endOffset) const override {
        const QString all = box()->text();
        const int from = std::clamp(startOffset, 0, int(all.size()));
        const int to = endOffset < 0 ? int(all.size()) : std::clamp(endOffset, from, int(all.size()));
        return all.mid(from, to - from);
    }
    int cursorPosition() const override { return box()->cursorPosition(); }
    void setCursorPosition(int position) override { box()->setCursorPosition(position); }

    int selectionCount() const override { return box()->hasSelectedText() ? 1 : 0; }
    void selection(int index, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
        if (index != 0 || !box()->hasSelectedText()) return;
        *startOffset = box()->selectionStart();
        *endOffset = box()->selectionEnd();
    }
    void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
    void removeSelection(int) override { box()->deselect(); }
    void setSelection(int, int startOffset, int endOffset) override {
        box()->setSelection(startOffset, endOffset - startOffset);
    }

    // One run of attributes over the whole text: a screen reader reads it in one piece.
    QString attributes(int, int* startOffset, int* endOffset) const override {
        *startOffset = 0;
        *endOffset = characterCount();
        return QString();
    }

    QRect characterRect(int offset) const override {
        const QString all = box()->text();
        if (offset < 0 || offset >= all.size()) return QRect();
        const QFontMetrics metrics(box()->font());
        const QRect inner = box()->contentsRect().marginsRemoved(box()->textMargins());
        int left = inner.left();
        const int whole = metrics.horizontalAdvance(all);
        if (box()->alignment() & Qt::AlignHCenter) left += (inner.width() - whole) / 2;
        else if (box()->alignment() & Qt::AlignRight) left += inner.width() - whole;
        const QRect r(left + metrics.horizontalAdvance(all.left(offset)), inner.top(),
                      metrics.horizontalAdvance(all.at(offset)), inner.height());
        return QRect(box()->mapToGlobal(r.topLeft()), r.size());
    }
    int offsetAtPoint(const QPoint& point) const override {
        for (int i = 0; i < characterCount(); ++i)
            if (characterRect(i).contains(point)) return i;
        return -1;
    }
    void scrollToSubstring(int, int) override {}

    // Boundaries of one line of text, answered without a boundary finder.
    QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override {
        const QString all = box()->text();
        const int n = int(all.size());
        offset = at(offset, n);
        switch (type) {
            case QAccessible::CharBoundary:
                *start = offset;
                *end = std::min(offset + 1, n);
                break;
            case QAccessible::WordBoundary:
                wordAround(all, offset, start, end);
                break;
            default:  // sentence, paragraph, line, the whole text: one line holds them all
                *start = 0;
                *end = n;
                break;
        }
        return all.mid(*start, *end - *start);
    }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override {
        const QString all = box()->text();
        const int n = int(all.size());
        offset = at(offset, n);
        *start = *end = 0;
        if (type == QAccessible::CharBoundary && offset > 0) {
            *start = offset - 1;
            *end = offset;
        } else if (type == QAccessible::WordBoundary) {
            int s = 0, e = 0;
            wordAround(all, offset, &s, &e);
            if (s > 0) wordAround(all, s - 1, start, end);
        }
        return all.mid(*start, *end - *start);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override {
        const QString all = box()->text();
        const int n = int(all.size());
        offset = at(offset, n);
        *start = *end = n;
        if (type == QAccessible::CharBoundary && offset + 1 < n) {
            *start = offset + 1;
            *end = offset + 2;
        } else if (type == QAccessible::WordBoundary) {
            int s = 0, e = 0;
            wordAround(all, offset, &s, &e);
            if (e < n) wordAround(all, e, start, end);
        }
        return all.mid(*start, *end - *start);
    }

private:
    QLineEdit* box() const { return static_cast<QLineEdit*>(widget()); }

    // An offset within 0..n; -2 (and anything negative) is the cursor.
    int at(int offset, int n) const { return std::clamp(offset < 0 ? box()->cursorPosition() : offset, 0, n); }

    // The word (a run of non-blanks, or a run of blanks) that holds `offset`; at the end of
    // the text, the last one.
    static void wordAround(const QString& all, int offset, int* start, int* end) {
        const int n = int(all.size());
        if (n == 0) {
            *start = *end = 0;
            return;
        }
        const int i = std::min(offset, n - 1);
        const bool blank = all.at(i).isSpace();
        int s = i, e = i + 1;
        while (s > 0 && all.at(s - 1).isSpace() == blank) --s;
        while (e < n && all.at(e).isSpace() == blank) ++e;
        *start = s;
        *end = e;
    }
};

}  // namespace

QAccessibleInterface* textBoxInterface(QWidget* widget) {
    auto* box = qobject_cast<QLineEdit*>(widget);
    return box ? new TextBoxAccess(box) : nullptr;
}

}  // namespace platform
