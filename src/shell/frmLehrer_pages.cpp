// SPDX-License-Identifier: GPL-3.0-or-later
// The layout of the teacher's room's own pages, in design pixels inside a page (about
// 740 × 440): Wörter, Einstellungen and Hilfe.
#include "platform/ui/Look.h"
#include "shell/frmLehrer.h"

using namespace platform;

namespace {

CommandButton* button(QWidget* page, const char* name, double left, double top, double width,
                      const QString& caption, const QString& description) {
    auto* b = new CommandButton(page, name);
    b->Move(left, top, width, 36);
    b->setFont(look::wholePixelFont(11));
    b->setCaption(caption);
    describe(b, caption, description);
    return b;
}

Label* label(QWidget* page, const char* name, double left, double top, double width, double height,
             double points = 11) {
    auto* l = new Label(page, name);
    l->Move(left, top, width, height);
    l->setFont(look::wholePixelFont(points));
    l->setForeColor(Qt::black);
    return l;
}

// One setting: its control, its name and the sentence that says what it does.
template <class C>
C* setting(QWidget* page, C* control, double top, const QString& name, const QString& sentence) {
    control->Move(16, top, 330, 30);
    control->setFont(look::wholePixelFont(11));
    const QString base = QString::fromLatin1(control->objectName().toLatin1());
    auto* what = new Label(page, ("lbl" + base.mid(3)).toLatin1().constData());
    what->Move(360, top, 370, 52);
    what->setFont(look::wholePixelFont(10));
    what->setForeColor(Qt::black);
    what->setCaption(sentence);
    describe(control, name, sentence);
    return control;
}

}  // namespace

void frmLehrer::buildWordsPage(QWidget* page) {
    label(page, "lblSammlungen", 10, 8, 230, 24)->setCaption(QStringLiteral("Sammlungen:"));
    lstSammlungen = new WordList(page, "lstSammlungen");
    lstSammlungen->Move(10, 34, 230, 262);
    lstSammlungen->setFont(look::wholePixelFont(12));
    lstSammlungen->setPictureSize(0);
    describe(lstSammlungen, QStringLiteral("Sammlungen"),
             QStringLiteral("Pfeiltasten: Sammlung wählen, Eingabetaste: diese Sammlung spielen"));
    cmdOrdnerHinzufuegen = button(page, "cmdOrdnerHinzufuegen", 10, 302, 230, QStringLiteral("Eigenen Ordner hinzufügen …"),
                                  QStringLiteral("Wählt einen Ordner mit Bildern als eigene Sammlung"));
    cmdSammlungSpielen = button(page, "cmdSammlungSpielen", 10, 344, 230, QStringLiteral("Diese Sammlung spielen"),
                                QStringLiteral("Die Kinder spielen mit den Wörtern der gewählten Sammlung"));
    chkJedenStart = new CheckBox(page, "chkJedenStart", QStringLiteral("Für jeden Start merken"));
    chkJedenStart->Move(10, 386, 230, 28);
    chkJedenStart->setFont(look::wholePixelFont(11));
    chkJedenStart->setValue(true);
    describe(chkJedenStart, QStringLiteral("Für jeden Start merken"),
             QStringLiteral("An: die Sammlung gilt auch nach dem nächsten Start. Aus: nur bis das Spiel beendet wird"));

    lblGespielt = label(page, "lblGespielt", 252, 8, 480, 24, 11);
    lblPruefung = label(page, "lblPruefung", 252, 34, 480, 44, 10);
    lstPruefung = new WordList(page, "lstPruefung");
    lstPruefung->Move(252, 80, 480, 258);
    lstPruefung->setFont(look::wholePixelFont(10));
    lstPruefung->setPictureSize(40);
    lstPruefung->setUniformItemSizes(false);
    lstPruefung->setWordWrap(true);
    describe(lstPruefung, QStringLiteral("Prüfung der Sammlung"),
             QStringLiteral("Jede Datei mit dem Wort, das das Kind tippt, und was auffällt"));
    cmdBogen = button(page, "cmdBogen", 252, 344, 156, QStringLiteral("Bilderbogen drucken"),
                      QStringLiteral("Öffnet alle Bilder mit ihren Wörtern im Browser, zum Drucken"));
    cmdOrdnerOeffnen = button(page, "cmdOrdnerOeffnen", 414, 344, 156, QStringLiteral("Ordner öffnen"),
                              QStringLiteral("Zeigt den Ordner der Sammlung in der Dateiverwaltung"));
    cmdStimmen = button(page, "cmdStimmen", 576, 344, 156, QStringLiteral("Stimmen aufnehmen"),
                        QStringLiteral("Öffnet das Fenster, in dem Sie die Wörter selbst sprechen"));
    lblWoerterStatus = label(page, "lblWoerterStatus", 10, 420, 722, 40, 10);
    tmrVorschau = new Timer(this, "tmrVorschau", 1, [this] { tmrVorschau_Timer(); });

    QObject::connect(cmdOrdnerHinzufuegen, &QPushButton::clicked, this, [this] { cmdOrdnerHinzufuegen_Click(); });
    QObject::connect(cmdSammlungSpielen, &QPushButton::clicked, this, [this] { cmdSammlungSpielen_Click(); });
    QObject::connect(cmdBogen, &QPushButton::clicked, this, [this] { cmdBogen_Click(); });
    QObject::connect(cmdOrdnerOeffnen, &QPushButton::clicked, this, [this] { cmdOrdnerOeffnen_Click(); });
    QObject::connect(cmdStimmen, &QPushButton::clicked, this, [this] { cmdStimmen_Click(); });
    lstSammlungen->onCurrentChanged = [this] { lstSammlungen_Change(); };
    lstSammlungen->onReturn = [this] { cmdSammlungSpielen_Click(); };
}

void frmLehrer::buildSettingsPage(QWidget* page) {
    cboSprache = setting(page,
                         new ChoiceBox(page, "cboSprache",
                                       {QStringLiteral("Sprache: aus"), QStringLiteral("Sprache: auf Knopfdruck"),
                                        QStringLiteral("Sprache: bei jedem Bild"), QStringLiteral("Sprache: Diktat")}),
                         12, QStringLiteral("Sprache"),
                         QStringLiteral("Ob und wann das Spiel das Wort vorspricht; beim Diktat sieht das Kind "
                                        "das Wort nicht, es hört es nur."));
    chkSilben = setting(page, new CheckBox(page, "chkSilben", QStringLiteral("Silben")), 66, QStringLiteral("Silben"),
                        QStringLiteral("Zeigt Bögen unter den Silben; F3 spricht das Wort in Silben."));
    chkAnlauthilfe = setting(page, new CheckBox(page, "chkAnlauthilfe", QStringLiteral("Anlauthilfe")), 120,
                             QStringLiteral("Anlauthilfe"),
                             QStringLiteral("F4 und „?“ zeigen die Anlauttabelle für den nächsten Buchstaben."));
    cboBuchstabentasten = setting(page,
                                  new ChoiceBox(page, "cboBuchstabentasten",
                                                {QStringLiteral("Buchstabentasten: aus"),
                                                 QStringLiteral("Buchstabentasten: an"),
                                                 QStringLiteral("Buchstabentasten: automatisch")}),
                                  174, QStringLiteral("Buchstabentasten"),
                                  QStringLiteral("Buchstaben zum Antippen auf dem Bildschirm; automatisch: nur "
                                                 "auf einem Gerät mit Touchscreen und ohne Tastatur."));
    chkVollbild = setting(page, new CheckBox(page, "chkVollbild", QStringLiteral("Vollbild")), 228,
                          QStringLiteral("Vollbild"),
                          QStringLiteral("Das Spiel füllt den ganzen Bildschirm (F11 schaltet um)."));
    cmdPin = setting(page, new CommandButton(page, "cmdPin"), 282, QStringLiteral("PIN für Lehrkräfte"),
                     QStringLiteral("Eine Zahl oder ein Wort, das vor diesen Seiten gefragt wird; leer lassen: keine PIN."));
    cmdPin->setCaption(QStringLiteral("PIN festlegen …"));
    lblEinstellungenStatus = label(page, "lblEinstellungenStatus", 16, 350, 714, 60, 10);

    cboSprache->onChanged = [this] {
        static const char* values[] = {"aus", "knopf", "automatisch", "diktat"};
        changeSetting(QStringLiteral("sprache"), QString::fromLatin1(values[cboSprache->Choice()]));
    };
    cboBuchstabentasten->onChanged = [this] {
        static const char* values[] = {"aus", "an", "automatisch"};
        changeSetting(QStringLiteral("buchstabentasten"), QString::fromLatin1(values[cboBuchstabentasten->Choice()]));
    };
    const auto onOff = [](bool on) { return on ? QStringLiteral("an") : QStringLiteral("aus"); };
    chkSilben->onChanged = [this, onOff] { changeSetting(QStringLiteral("silben"), onOff(chkSilben->Value())); };
    chkAnlauthilfe->onChanged = [this, onOff] {
        changeSetting(QStringLiteral("anlauthilfe"), onOff(chkAnlauthilfe->Value()));
    };
    chkVollbild->onChanged = [this] {
        changeSetting(QStringLiteral("vollbild"), chkVollbild->Value() ? QStringLiteral("ja") : QStringLiteral("nein"));
    };
    QObject::connect(cmdPin, &QPushButton::clicked, this, [this] { cmdPin_Click(); });
}

void frmLehrer::buildHelpPage(QWidget* page) {
    txtHilfe = new TextView(page, "txtHilfe");
    txtHilfe->Move(8, 8, 726, 424);
    txtHilfe->setFont(look::wholePixelFont(11));
    describe(txtHilfe, QStringLiteral("Hilfe: das Handbuch"), QStringLiteral("Das Handbuch für Lehrkräfte"));
}
