// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>
#include <functional>

#include "platform/ui/Controls.h"
#include "platform/ui/ListControls.h"

// The learning record page: on or off, its folder, the report for the class or one child
// (opened in the browser, ready to print), forgetting a child or every child, and the notes
// about what the game could not do (what the record could not keep, with day and reason).
class TeacherRecordPage : public QWidget {
public:
    explicit TeacherRecordPage(QWidget* parent);
    ~TeacherRecordPage() override;

    platform::Label* lblTitel;
    platform::CommandButton* cmdAnAus;
    platform::Label* lblOrdner;
    platform::CommandButton* cmdOrdner;
    platform::WordList* lstKinder;
    platform::CommandButton* cmdBerichtKlasse;
    platform::CommandButton* cmdBerichtKind;
    platform::CommandButton* cmdKindVergessen;
    platform::CommandButton* cmdAlleVergessen;
    platform::Label* lblHinweiseTitel;
    platform::WordList* lstHinweise;
    platform::Label* lblMeldung;

    // The folder dialog (tests answer it themselves): the chosen folder, empty when cancelled.
    std::function<QString(const QString& start)> askFolder;

    void cmdAnAus_Click();
    void cmdOrdner_Click();
    void cmdBerichtKlasse_Click();
    void cmdBerichtKind_Click();
    void cmdKindVergessen_Click();
    void cmdAlleVergessen_Click();
    // Reads the record's folder and the notes again.
    void refresh();
    // Where the report is written before the browser opens it.
    static QString reportPath();

private:
    void say(const QString& message);
    void showOnOff();
    void showNotes();
    // The children found, and what is wrong with the folder (" – noch nicht vorhanden"), if anything.
    void showChildren(const QString& folder, const QString& problem, const QStringList& children);
    int readingsAsked_ = 0;
    void showReport(const QString& child);
    void forgetOnRecordThread(const QString& key, const QString& done);
    // Runs the job on the record's thread and then `done`: at once when the job is done within
    // a moment, else saying `waiting` until it is.
    void onRecordThread(std::function<void()> job, std::function<void()> done, const QString& waiting);
};
