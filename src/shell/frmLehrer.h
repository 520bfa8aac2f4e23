// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QList>

#include "game/Collections.h"
#include "platform/ui/Access.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Form.h"
#include "platform/ui/ListControls.h"
#include "platform/ui/PageControls.h"
#include "platform/system/Timer.h"
#include "shell/Check.h"

// The teacher's room: every teacher's task of the program on five pages, in the order she
// needs them: Wörter (the word collections and their check), Klasse, Lernstand,
// Einstellungen, Hilfe. The menu opens it (shell/TeacherWayIn.h). Everything works by
// keyboard, by touch and with a screen reader; the scene grows with the window.
class frmLehrer : public platform::Form {
public:
    frmLehrer();
    static frmLehrer& Default();

    static constexpr double kWidth = 760;
    static constexpr double kHeight = 540;
    // The pages, in their order.
    enum Page { Woerter, Klasse, Lernstand, Einstellungen, Hilfe };

    platform::PageTabs* tabSeiten;
    platform::CommandButton* cmdSchliessen;

    // Wörter (TeacherWords.cpp).
    platform::WordList* lstSammlungen;
    platform::CommandButton* cmdOrdnerHinzufuegen;
    platform::CommandButton* cmdSammlungSpielen;
    platform::CheckBox* chkJedenStart;
    platform::Label* lblGespielt;
    platform::Label* lblPruefung;
    platform::WordList* lstPruefung;
    platform::CommandButton* cmdBogen;
    platform::CommandButton* cmdOrdnerOeffnen;
    platform::CommandButton* cmdStimmen;
    platform::Label* lblWoerterStatus;
    platform::Timer* tmrVorschau;

    // Einstellungen (TeacherSettingsPage.cpp).
    platform::ChoiceBox* cboSprache;
    platform::CheckBox* chkSilben;
    platform::CheckBox* chkAnlauthilfe;
    platform::ChoiceBox* cboBuchstabentasten;
    platform::CheckBox* chkVollbild;
    platform::CommandButton* cmdPin;
    platform::Label* lblEinstellungenStatus;

    // Hilfe (TeacherHelp.cpp).
    platform::TextView* txtHilfe;

    void lstSammlungen_Change();
    void cmdOrdnerHinzufuegen_Click();
    void cmdSammlungSpielen_Click();
    void cmdBogen_Click();
    void cmdOrdnerOeffnen_Click();
    void cmdStimmen_Click();
    void tmrVorschau_Timer();
    void cmdPin_Click();

    // The collections listed, in the list's order, and the check of the one chosen there.
    const QList<collections::Collection>& collectionList() const { return collections_; }
    const check::Report& shownCheck() const { return report_; }
    // How many thumbnails are still to be decoded.
    int thumbnailsDue() const { return int(thumbnailRows_.size()); }

protected:
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;

private:
    void buildLayout();
    void buildWordsPage(QWidget* page);
    void buildSettingsPage(QWidget* page);
    void buildHelpPage(QWidget* page);
    void pageShown(int page);

    void fillCollections();
    void showCheck();
    void listCheck(const QString& folder, const check::Report& report);
    QString activeSetting() const;
    void sayWords(const QString& text);

    void showSettings();
    void changeSetting(const QString& key, const QString& value);
    void sayOnSettings(const QString& text);

    QList<collections::Collection> collections_;
    check::Report report_;
    int checksAsked_ = 0;
    QList<int> thumbnailRows_;
    QStringList thumbnailFiles_;
    QStringList locked_;
    platform::Announcer* announcer_ = nullptr;
};
