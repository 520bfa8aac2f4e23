// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QCheckBox>
#include <QComboBox>
#include <QTabWidget>
#include <QTextBrowser>
#include <functional>

#include "platform/ui/Controls.h"

// Controls of the teacher's windows: pages behind tabs, check boxes, choices and a text
// to read. Each is named for screen readers with describe() (Access.h) like every control.
namespace platform {

// Pages behind a row of tabs; Ctrl+Tab and the arrows on the tabs move between them, a
// finger taps a tab. A page is a plain widget whose controls are placed in design units.
class PageTabs : public Control<QTabWidget> {
public:
    PageTabs(QWidget* parent, const char* name);
    // Adds an empty page with its object name and the tab's title; returns it.
    QWidget* addPage(const char* name, const QString& title);
    int CurrentPage() const { return currentIndex(); }
    void setCurrentPage(int page) { setCurrentIndex(page); }
    QString PageTitle(int page) const { return tabText(page); }
    // Whenever a page becomes the one shown.
    std::function<void(int page)> onPageShown;
};

class CheckBox : public Control<QCheckBox> {
public:
    CheckBox(QWidget* parent, const char* name, const QString& caption);
    bool Value() const { return isChecked(); }
    void setValue(bool on);  // without calling onChanged
    std::function<void()> onChanged;
};

// A choice of one of a few texts.
class ChoiceBox : public Control<QComboBox> {
public:
    ChoiceBox(QWidget* parent, const char* name, const QStringList& choices);
    int Choice() const { return currentIndex(); }
    void setChoice(int index);  // without calling onChanged
    std::function<void()> onChanged;
};

// A long text to read: headings, lists and links, rendered from Markdown; a finger drags it.
class TextView : public Control<QTextBrowser> {
public:
    TextView(QWidget* parent, const char* name);
    // Pictures the text names by a relative name are looked up in pictureFolder.
    void setMarkdownText(const QString& markdown, const QString& pictureFolder = {});
};

}  // namespace platform
