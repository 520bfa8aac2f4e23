// SPDX-License-Identifier: GPL-3.0-or-later
// The recording window with a microphone that the test fills: the list of words, the
// keyboard, the buttons, the messages, the syllables, screen-reader names, scaling and
// touch.
#include <QAccessible>
#include <QPointingDevice>
#include <QTest>
#include <cmath>

#include "game/Options.h"
#include "game/Speech.h"
#include "game/Takes.h"
#include "platform/files/Files.h"
#include "platform/ui/Access.h"
#include "platform/system/Clock.h"
#include "platform/system/Hooks.h"
#include "platform/ui/MessageBox.h"
#include "platform/sound/Microphone.h"
#include "platform/sound/SoundFile.h"
#include "mock/TestMode.h"
#include "shell/CommandLine.h"
#include "shell/Launch.h"
#include "shell/frmAufnahme.h"
#include "support/GameFixture.h"

using platform::Sound;
using testsupport::ProgramFolder;

namespace {

Sound tone(double seconds, double amplitude = 0.2) {
    Sound sound;
    sound.rate = 44100;
    const int quiet = 22050;
    for (int i = 0; i < quiet; ++i) sound.samples.push_back(0);
    for (int i = 0; i < int(seconds * sound.rate); ++i)
        sound.samples.push_back(std::int16_t(amplitude * 32767 * std::sin(2 * M_PI * 440.0 * i / sound.rate)));
    for (int i = 0; i < quiet; ++i) sound.samples.push_back(0);
    return sound;
}

frmAufnahme& open(const ProgramFolder& folder) {
    frmAufnahme::folder = folder.db();
    frmAufnahme& window = frmAufnahme::Default();
    window.Show();
    return window;
}

QString accessibleName(QObject* object) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
    return face ? face->text(QAccessible::Name) : QString();
}

void press(QWidget* widget, Qt::Key key) { QTest::keyClick(widget, key); }
void press(QWidget& widget, Qt::Key key) { QTest::keyClick(&widget, key); }

}  // namespace

class TestRecordingWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { options::current() = options::Options{}; }
    void cleanup() {
        options::current() = options::Options{};
        frmAufnahme::folder.clear();
    }

    void theCommandLine() {
        using Action = commandline::Command::Action;
        commandline::Command command = commandline::parse({"--aufnehmen"});
        QCOMPARE(command.action, Action::Record);
        QVERIFY(command.recordFolder.isEmpty());
        command = commandline::parse({"--aufnehmen", "/srv/klasse1a", "--vollbild"});
        QCOMPARE(command.action, Action::Record);
        QCOMPARE(command.recordFolder, QStringLiteral("/srv/klasse1a"));
        QVERIFY(command.fullScreen.value_or(false));
        QCOMPARE(commandline::parse({"--record=Tiere"}).recordFolder, QStringLiteral("Tiere"));
        QCOMPARE(commandline::parse({"--aufnehmen", "--hilfe"}).action, Action::Help);
        QCOMPARE(commandline::parse({"--db", "x"}).action, Action::Play);
        QVERIFY(commandline::helpText().contains(QStringLiteral("--aufnehmen [ORDNER]")));

        // The recording window, not the game, with the folder made absolute.
        QByteArray program("knorzelbart"), option("--aufnehmen"), folder("Tiere");
        char* argv[] = {program.data(), option.data(), folder.data(), nullptr};
        QString given;
        bool played = false;
        const int status = shell::launch(
            3, argv, [&](int, char**) { played = true; return 0; },
            [&](int, char**, const QString& named) { given = named; return 7; });
        QCOMPARE(status, 7);
        QVERIFY(!played);
        QVERIFY(given.startsWith(QLatin1Char('/')) && given.endsWith(QStringLiteral("/Tiere")));
    }

    void theWordsWithTheirRecordings() {
        ProgramFolder folder;
        folder.addPictures({"Hund.png", "Apfel.png", "Maus.png"});
        QVERIFY(platform::writeOggVorbis(folder.db() + QStringLiteral("/Hund.ogg"), tone(1.0)).isEmpty());
        frmAufnahme& window = open(folder);
        QCOMPARE(window.lstWoerter->Rows(), 3);
        QCOMPARE(window.lstWoerter->RowText(0), QStringLiteral("Apfel – keine Aufnahme"));
        QCOMPARE(window.lstWoerter->RowText(1), QStringLiteral("Hund – aufgenommen, 2,0 s"));
        QCOMPARE(window.lstWoerter->CurrentRow(), 0);
        QCOMPARE(window.lblWort->Caption(), QStringLiteral("Apfel"));
        QCOMPARE(window.lblLaenge->Caption(), QStringLiteral("Noch keine Aufnahme"));
        QVERIFY(window.lblOrdner->Caption().contains(folder.db()));
        QVERIFY(window.windowTitle().contains(QStringLiteral("aufnehmen")));
        // No syllables unless the game plays them.
        QVERIFY(!testsupport::shown(window.cmdSilben));
        QVERIFY(!testsupport::shown(window.cmdSilbenAnhoeren));
        // Screen readers: the words as list items, the buttons by their captions.
        QCOMPARE(accessibleName(window.lstWoerter), QStringLiteral("Wörter"));
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(window.lstWoerter);
        QVERIFY(list && list->childCount() >= 3);
        bool found = false;
        for (int i = 0; i < list->childCount(); ++i) {
            QAccessibleInterface* child = list->child(i);
            if (child && child->text(QAccessible::Name) == window.lstWoerter->RowText(1)) {
                QCOMPARE(child->role(), QAccessible::ListItem);
                found = true;
            }
        }
        QVERIFY(found);
        for (auto* button : {window.cmdAufnehmen, window.cmdAnhoeren, window.cmdLoeschen, window.cmdSchliessen})
            QCOMPARE(accessibleName(button), button->Caption());
        QCOMPARE(accessibleName(window.pgbPegel), QStringLiteral("Pegel"));
        for (QWidget* child : window.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            if (!child->isWindow() && child->isVisible()) QVERIFY(!child->objectName().isEmpty());
    }

    void withoutAFolderTheGamesFolder() {
        ProgramFolder folder;
        folder.addPictures({"Igel.png"});
        frmAufnahme::folder.clear();
        frmAufnahme& window = frmAufnahme::Default();
        window.Show();
        QCOMPARE(frmAufnahme::folder, folder.db());
        QCOMPARE(window.lstWoerter->RowText(0), QStringLiteral("Igel – keine Aufnahme"));
    }

    void arrowsSpaceAndReturn() {
        ProgramFolder folder;
        folder.addPictures({"Apfel.png", "Hund.png"});
        platform::microphoneGives(tone(0.8));
        frmAufnahme& window = open(folder);
        QWidget* list = window.lstWoerter;
        press(list, Qt::Key_Down);
        QCOMPARE(window.lblWort->Caption(), QStringLiteral("Hund"));
        press(list, Qt::Key_Space);
        QVERIFY(window.recording());
        QCOMPARE(window.cmdAufnehmen->Caption(), QStringLiteral("Stopp"));
        QVERIFY(!window.cmdLoeschen->isEnabled());
        QVERIFY(window.status().contains(QStringLiteral("läuft")));
        // Moving on while recording does not change the word being recorded.
        press(list, Qt::Key_Up);
        press(list, Qt::Key_Space);
        QVERIFY(!window.recording());
        QVERIFY(!window.tmrPegel->Enabled());
        QCOMPARE(window.cmdAufnehmen->Caption(), QStringLiteral("Aufnehmen"));
        QVERIFY(platform::fileExists(folder.db() + QStringLiteral("/Hund.ogg")));
        QVERIFY(!platform::fileExists(folder.db() + QStringLiteral("/Apfel.ogg")));
        QCOMPARE(window.lstWoerter->RowText(1), QStringLiteral("Hund – aufgenommen, 1,0 s"));
        QCOMPARE(window.status(), QStringLiteral("Aufnahme von „Hund“ gespeichert."));
        QVERIFY(testsupport::messageTexts().isEmpty());
        // The new take is heard at once.
        QCOMPARE(platform::playedSounds().size(), 1);
        QCOMPARE(platform::playedSounds().first().sound.source, folder.db() + QStringLiteral("/Hund.ogg"));
        platform::playedSounds().clear();
        // Return plays the recording; a word without one says so and plays nothing.
        press(list, Qt::Key_Down);
        press(list, Qt::Key_Return);
        QCOMPARE(platform::playedSounds().size(), 1);
        QCOMPARE(platform::playedSounds().first().sound.source, folder.db() + QStringLiteral("/Hund.ogg"));
        press(list, Qt::Key_Up);
        press(list, Qt::Key_Return);
        QCOMPARE(platform::playedSounds().size(), 1);
        QCOMPARE(window.status(), QStringLiteral("„Apfel“ hat noch keine Aufnahme."));
    }

    void noMicrophoneAndSilenceWriteNothing() {
        ProgramFolder folder;
        folder.addPictures({"Hund.png"});
        frmAufnahme& window = open(folder);
        platform::microphoneFails(QStringLiteral("Kein Mikrofon gefunden."));
        window.cmdAufnehmen->click();
        QVERIFY(!window.recording());
        QCOMPARE(testsupport::messageTexts(), QStringList{"Kein Mikrofon gefunden."});
        platform::microphoneFails(QString());
        platform::microphoneGives(tone(0.0));
        window.cmdAufnehmen->click();
        QVERIFY(window.recording());
        window.cmdAufnehmen->click();
        QCOMPARE(testsupport::messageTexts().size(), 2);
        QVERIFY(testsupport::messageTexts().last().contains(QStringLiteral("kein gesprochenes Wort")));
        QVERIFY(!platform::fileExists(folder.db() + QStringLiteral("/Hund.ogg")));
        QCOMPARE(window.lstWoerter->RowText(0), QStringLiteral("Hund – keine Aufnahme"));
    }

    void replacingAndDeletingAsk() {
        ProgramFolder folder;
        folder.addPictures({"Hund.png"});
        platform::microphoneGives(tone(0.5));
        frmAufnahme& window = open(folder);
        window.cmdAufnehmen->click();
        window.cmdAufnehmen->click();
        QVERIFY(platform::askedQuestions().isEmpty());
        platform::microphoneGives(tone(1.5));
        platform::answerQuestions(false);
        window.cmdAufnehmen->click();
        window.cmdAufnehmen->click();
        QCOMPARE(platform::askedQuestions().size(), 1);
        QCOMPARE(window.lstWoerter->RowText(0), QStringLiteral("Hund – aufgenommen, 0,7 s"));
        platform::answerQuestions(true);
        window.cmdAufnehmen->click();
        window.cmdAufnehmen->click();
        QCOMPARE(window.lstWoerter->RowText(0), QStringLiteral("Hund – aufgenommen, 1,7 s"));
        window.cmdLoeschen->click();
        QCOMPARE(platform::askedQuestions().size(), 3);
        QCOMPARE(window.lstWoerter->RowText(0), QStringLiteral("Hund – keine Aufnahme"));
        QVERIFY(!platform::fileExists(folder.db() + QStringLiteral("/Hund.ogg")));
    }

    void closingWhileRecordingWritesNothing() {
        ProgramFolder folder;
        folder.addPictures({"Hund.png"});
        platform::microphoneGives(tone(0.5));
        frmAufnahme& window = open(folder);
        window.cmdAufnehmen->click();
        QVERIFY(window.recording());
        QVERIFY(window.tmrPegel->Enabled());
        window.Unload();
        QVERIFY(!platform::fileExists(folder.db() + QStringLiteral("/Hund.ogg")));
        QVERIFY(testsupport::messageTexts().isEmpty());
        QVERIFY(platform::askedQuestions().isEmpty());
    }

    void syllablesWhenTheGamePlaysThem() {
        options::current().syllables = true;
        ProgramFolder folder;
        folder.addPictures({"Tomate.png"});
        platform::microphoneGives(tone(1.2));
        frmAufnahme& window = open(folder);
        QVERIFY(testsupport::shown(window.cmdSilben));
        QCOMPARE(window.cmdSilben->Caption(), QStringLiteral("Silben aufnehmen"));
        QCOMPARE(window.lstWoerter->RowText(0), QStringLiteral("Tomate – keine Aufnahme\nSilben fehlen"));
        window.cmdSilben->click();
        QCOMPARE(window.cmdSilben->Caption(), QStringLiteral("Stopp"));
        QVERIFY(!window.cmdAufnehmen->isEnabled());
        window.cmdSilben->click();
        QVERIFY(platform::fileExists(folder.db() + QStringLiteral("/Tomate.silben.ogg")));
        QVERIFY(!platform::fileExists(folder.db() + QStringLiteral("/Tomate.ogg")));
        QCOMPARE(window.lstWoerter->RowText(0), QStringLiteral("Tomate – keine Aufnahme\nSilben 1,4 s"));
        platform::playedSounds().clear();
        window.cmdSilbenAnhoeren->click();
        QCOMPARE(platform::playedSounds().size(), 1);
        QCOMPARE(platform::playedSounds().first().sound.source, folder.db() + QStringLiteral("/Tomate.silben.ogg"));
    }

    void anEmptyOrMissingFolderIsSaid() {
        ProgramFolder folder;
        frmAufnahme& window = open(folder);
        QCOMPARE(window.lstWoerter->Rows(), 0);
        QVERIFY(window.status().contains(QStringLiteral("keine Bilder")));
        QVERIFY(!window.cmdAufnehmen->isEnabled());
        QTest::keyClick(window.lstWoerter, Qt::Key_Space);
        QVERIFY(!window.recording());
        window.Unload();
        frmAufnahme::folder = folder.path() + QStringLiteral("/fehlt");
        frmAufnahme::Default().Show();
        QVERIFY(frmAufnahme::Default().status().contains(QStringLiteral("kann nicht gelesen werden")));
    }

    void growsWithTheWindowAndTakesTouch() {
        ProgramFolder folder;
        folder.addPictures({"Hund.png"});
        platform::microphoneGives(tone(0.5));
        frmAufnahme& window = open(folder);
        const QRect small = window.cmdAufnehmen->geometry();
        window.resize(int(frmAufnahme::kWidth * 2), int(frmAufnahme::kHeight * 2));
        QCOMPARE(window.scaleFactor(), 2.0);
        QCOMPARE(window.cmdAufnehmen->geometry().width(), small.width() * 2);
        QCOMPARE(window.cmdAufnehmen->font().pointSizeF(), 22.0);
        QCOMPARE(window.lstWoerter->iconSize(), QSize(80, 80));

        QPointingDevice* screen = QTest::createTouchDevice();
        const auto touch = [&](QWidget* widget) {
            const QPoint centre = widget->mapTo(&window, widget->rect().center());
            QTest::touchEvent(&window, screen).press(0, centre);
            QTest::touchEvent(&window, screen).release(0, centre);
            QCoreApplication::processEvents();
        };
        touch(window.cmdAufnehmen);
        QVERIFY(window.recording());
        touch(window.cmdAufnehmen);
        QVERIFY(!window.recording());
        QVERIFY(platform::fileExists(folder.db() + QStringLiteral("/Hund.ogg")));
    }

    void keysDoTheirJobsWhereverTheFocusIs() {
        ProgramFolder folder;
        folder.addPictures({"Apfel.png", "Hund.png", "Maus.png"});
        platform::microphoneGives(tone(0.6));
        frmAufnahme& window = open(folder);
        window.cmdAnhoeren->click();
        window.cmdAnhoeren->setFocus();
        press(window.cmdAnhoeren, Qt::Key_Down);
        QCOMPARE(window.lblWort->Caption(), QStringLiteral("Hund"));
        press(window.cmdAnhoeren, Qt::Key_Space);
        QVERIFY(window.recording());
        // The list stays on the word being recorded.
        press(window.cmdAnhoeren, Qt::Key_Down);
        QCOMPARE(window.lstWoerter->CurrentRow(), 1);
        window.lstWoerter->setCurrentRow(2);  // a click
        QCOMPARE(window.lstWoerter->CurrentRow(), 1);
        press(window, Qt::Key_Space);
        QVERIFY(!window.recording());
        QVERIFY(platform::askedQuestions().isEmpty());
        QVERIFY(platform::fileExists(folder.db() + QStringLiteral("/Hund.ogg")));
        // On to the next word without a recording.
        QCOMPARE(window.lblWort->Caption(), QStringLiteral("Maus"));
        // Playing at once can be switched off.
        QCOMPARE(platform::playedSounds().size(), 1);
        platform::playedSounds().clear();
        window.cmdGleichAnhoeren->click();
        QVERIFY(!window.cmdGleichAnhoeren->isChecked());
        press(window, Qt::Key_Space);
        press(window, Qt::Key_Space);
        QVERIFY(platform::fileExists(folder.db() + QStringLiteral("/Maus.ogg")));
        QVERIFY(platform::playedSounds().isEmpty());
        QCOMPARE(window.lblWort->Caption(), QStringLiteral("Apfel"));
        window.cmdLoeschen->setFocus();
        press(window.cmdLoeschen, Qt::Key_End);
        press(window.cmdLoeschen, Qt::Key_Return);
        QCOMPARE(platform::playedSounds().size(), 1);
        QVERIFY(platform::askedQuestions().isEmpty());
        press(window.cmdLoeschen, Qt::Key_Home);
        QCOMPARE(window.lblWort->Caption(), QStringLiteral("Apfel"));
    }

    void aTakeThatEndsByItselfIsSaidAndItsKeyDoesNothingElse() {
        ProgramFolder folder;
        folder.addPictures({"Hund.png"});
        platform::microphoneGives(tone(0.6));
        frmAufnahme& window = open(folder);
        press(window.lstWoerter, Qt::Key_Space);
        QVERIFY(window.recording());
        const QString lost = QStringLiteral("Das Mikrofon ist mitten in der Aufnahme ausgefallen.");
        platform::endHookedTake(false, lost);
        platform::advance(60);
        QVERIFY(!window.recording());
        QCOMPARE(testsupport::messageTexts(), QStringList{lost});
        QCOMPARE(window.status(), lost);
        QVERIFY(!platform::fileExists(folder.db() + QStringLiteral("/Hund.ogg")));
        // The teacher's Space, meant as Stopp, starts nothing.
        press(window.lstWoerter, Qt::Key_Space);
        QVERIFY(!window.recording());
        platform::advance(int(frmAufnahme::kKeyPauseSeconds * 1000));
        press(window.lstWoerter, Qt::Key_Space);
        QVERIFY(window.recording());
        // The longest take ends by itself, is kept, and the window says why it ended.
        platform::endHookedTake(true, QString());
        platform::advance(60);
        QVERIFY(!window.recording());
        QVERIFY(platform::fileExists(folder.db() + QStringLiteral("/Hund.ogg")));
        QVERIFY2(window.status().startsWith(QStringLiteral("Die Aufnahme hat nach 60 Sekunden von selbst aufgehört")),
                 qPrintable(window.status()));
        QVERIFY(window.status().contains(QStringLiteral("gespeichert")));
        press(window.lstWoerter, Qt::Key_Space);
        QVERIFY(!window.recording());
    }

    void theQuestionComesAfterTheTakeAndHearingIt() {
        ProgramFolder folder;
        folder.addPictures({"Hund.png"});
        QVERIFY(platform::writeOggVorbis(folder.db() + QStringLiteral("/Hund.ogg"), tone(1.0)).isEmpty());
        platform::microphoneGives(tone(0.6));
        frmAufnahme& window = open(folder);
        QString statusAsked;
        platform::hooks().question = [&](const QString&) {
            statusAsked = window.status();
            return false;
        };
        window.cmdAufnehmen->click();
        window.cmdAufnehmen->click();
        platform::hooks().question = nullptr;
        platform::answerQuestions(true);
        QVERIFY2(!statusAsked.contains(QStringLiteral("läuft")), qPrintable(statusAsked));
        QCOMPARE(platform::playedSounds().size(), 1);
        QCOMPARE(window.status(), QStringLiteral("Die alte Aufnahme von „Hund“ bleibt."));
    }

    void theSyllablesAsTheGameFindsThem() {
        options::current().syllables = true;
        ProgramFolder folder;
        folder.addPictures({"Hund.png"});
        QVERIFY(platform::writeOggVorbis(folder.db() + QStringLiteral("/Hund.silben.wav"), tone(1.0)).isEmpty());
        frmAufnahme& window = open(folder);
        QCOMPARE(window.lstWoerter->RowText(0), QStringLiteral("Hund – keine Aufnahme\nSilben 2,0 s"));
        window.cmdSilbenAnhoeren->click();
        QCOMPARE(platform::playedSounds().first().sound.source, folder.db() + QStringLiteral("/Hund.silben.wav"));
        // The game plays that very file for the word in syllables ...
        const QString picture = folder.path() + QStringLiteral("\\db\\Hund.png");
        platform::playedSounds().clear();
        speech::saySyllables(picture);
        QCOMPARE(platform::playedSounds().first().sound.source, folder.db() + QStringLiteral("/Hund.silben.wav"));
        window.cmdLoeschen->click();
        QVERIFY(!platform::fileExists(folder.db() + QStringLiteral("/Hund.silben.wav")));
        QCOMPARE(window.lstWoerter->RowText(0), QStringLiteral("Hund – keine Aufnahme\nSilben fehlen"));
        // ... and, once the window has deleted it, no longer.
        platform::playedSounds().clear();
        speech::saySyllables(picture);
        QVERIFY(!platform::playedSounds().isEmpty());
        QVERIFY(!platform::playedSounds().first().sound.source.endsWith(QStringLiteral(".wav")));
    }

    void aScreenReaderHearsTheWindowButNotTheMeter() {
        ProgramFolder folder;
        folder.addPictures({"Apfel.png", "Hund.png"});
        QVERIFY(platform::writeOggVorbis(folder.db() + QStringLiteral("/Hund.ogg"), tone(1.0)).isEmpty());
        frmAufnahme& window = open(folder);
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(&window);
        QCOMPARE(face->role(), QAccessible::Window);
        QCOMPARE(accessibleName(window.imgBild), QStringLiteral("Bild: Apfel"));
        // Said once the screen reader has read the window.
        QCOMPARE(window.status(), QStringLiteral("„Apfel“ ist gewählt; 1 von 2 aufgenommen."));
        QVERIFY(window.announced().isEmpty());
        platform::advance(1500);
        QCOMPARE(window.announced(), QStringList{"„Apfel“ ist gewählt; 1 von 2 aufgenommen."});
        // The meter is a picture in decibels: no value that changes for a screen reader.
        QAccessibleInterface* meter = QAccessible::queryAccessibleInterface(window.pgbPegel);
        QVERIFY(meter && !meter->valueInterface());
        window.pgbPegel->setLevel(std::pow(10.0, -12.0 / 20));
        QVERIFY(std::abs(window.pgbPegel->Level() - 0.8) < 0.001);
        window.pgbPegel->setLevel(std::pow(10.0, -20.0 / 20));
        QVERIFY(std::abs(window.pgbPegel->Level() - 2.0 / 3) < 0.001);
        QVERIFY(!window.pgbPegel->Clipping());
        window.pgbPegel->setLevel(1.0);
        QVERIFY(window.pgbPegel->Clipping());
        window.pgbPegel->setLevel(0);
        QCOMPARE(window.pgbPegel->Level(), 0.0);

        // With a screen reader a tone marks the start instead of a message it would read
        // into the take, and playing is not talked over.
        platform::setScreenReaderActiveForTests(true);
        platform::microphoneGives(tone(0.6));
        const qsizetype said = window.announced().size();
        press(window.lstWoerter, Qt::Key_Space);
        QVERIFY(window.recording());
        QCOMPARE(platform::playedSounds().last().label, QStringLiteral("Aufnahmeton"));
        QVERIFY(platform::playedSounds().last().sound.seconds() < 0.05);
        QCOMPARE(window.announced().size(), said);
        press(window.lstWoerter, Qt::Key_Space);
        press(window.lstWoerter, Qt::Key_Down);
        press(window.lstWoerter, Qt::Key_Return);
        QCOMPARE(platform::playedSounds().last().label, QStringLiteral("Aufnahme"));
        QVERIFY(!window.announced().last().startsWith(QStringLiteral("Spielt")));
        platform::setScreenReaderActiveForTests(std::nullopt);
    }

    void photosAreDecodedSmallAfterTheRows() {
        ProgramFolder folder;
        folder.addPictures({"Hund.png"});
        QImage photo(3000, 2000, QImage::Format_RGB32);
        photo.fill(Qt::darkGreen);
        QVERIFY(photo.save(folder.db() + QStringLiteral("/Wal.jpg"), "JPG", 80));
        frmAufnahme& window = open(folder);
        QCOMPARE(window.lstWoerter->Rows(), 2);
        window.lstWoerter->finishPictures();
        QCOMPARE(window.lstWoerter->picturesPending(), 0);
        for (int row = 0; row < 2; ++row) {
            const QIcon icon = window.lstWoerter->item(row)->icon();
            QVERIFY(!icon.isNull());
            for (const QSize& size : icon.availableSizes()) QVERIFY(size.width() <= 128 && size.height() <= 128);
        }
    }

    void theCountTheNextWordAndUndoingADeletion() {
        ProgramFolder folder;
        folder.addPictures({"Apfel.png", "Hund.png", "Igel.png"});
        QVERIFY(platform::writeOggVorbis(folder.db() + QStringLiteral("/Hund.ogg"), tone(1.0)).isEmpty());
        platform::microphoneGives(tone(0.6));
        frmAufnahme& window = open(folder);
        QCOMPARE(window.lblAnzahl->Caption(), QStringLiteral("1 von 3 aufgenommen"));
        press(window, Qt::Key_Space);
        press(window, Qt::Key_Space);
        QCOMPARE(window.lblAnzahl->Caption(), QStringLiteral("2 von 3 aufgenommen"));
        // Hund has one already: the next without is Igel.
        QCOMPARE(window.lblWort->Caption(), QStringLiteral("Igel"));
        // A doubtful take stays on its word, for another try.
        platform::microphoneGives(tone(0.1));
        press(window, Qt::Key_Space);
        press(window, Qt::Key_Space);
        QVERIFY2(window.status().contains(QStringLiteral("sehr kurz")), qPrintable(window.status()));
        QCOMPARE(window.lblWort->Caption(), QStringLiteral("Igel"));
        QCOMPARE(window.lblAnzahl->Caption(), QStringLiteral("3 von 3 aufgenommen"));

        // "Löschen" can be taken back while the window is open.
        press(window, Qt::Key_Up);
        QCOMPARE(window.lblWort->Caption(), QStringLiteral("Hund"));
        const QString hund = folder.db() + QStringLiteral("/Hund.ogg");
        QFile file(hund);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        file.close();
        QVERIFY(!window.cmdRueckgaengig->isEnabled());
        window.cmdLoeschen->click();
        QVERIFY(!platform::fileExists(hund));
        QCOMPARE(window.lblAnzahl->Caption(), QStringLiteral("2 von 3 aufgenommen"));
        QVERIFY(window.cmdRueckgaengig->isEnabled());
        window.cmdRueckgaengig->click();
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), bytes);
        QCOMPARE(window.status(), QStringLiteral("Die Aufnahme von „Hund“ ist wieder da."));
        QCOMPARE(window.lblAnzahl->Caption(), QStringLiteral("3 von 3 aufgenommen"));
        QVERIFY(!window.cmdRueckgaengig->isEnabled());
        QVERIFY(window.lstWoerter->RowText(1).startsWith(QStringLiteral("Hund – aufgenommen")));
    }

    void onlyTheMissingWords() {
        ProgramFolder folder;
        folder.addPictures({"Apfel.png", "Hund.png", "Igel.png", "Maus.png"});
        for (const char* name : {"/Hund.ogg", "/Igel.ogg"})
            QVERIFY(platform::writeOggVorbis(folder.db() + QLatin1String(name), tone(1.0)).isEmpty());
        frmAufnahme& window = open(folder);
        QVERIFY(!window.cmdNurFehlende->isChecked());
        window.cmdNurFehlende->click();
        QVERIFY(window.cmdNurFehlende->isChecked());
        QVERIFY(window.lstWoerter->isRowHidden(1) && window.lstWoerter->isRowHidden(2));
        QVERIFY(!window.lstWoerter->isRowHidden(0) && !window.lstWoerter->isRowHidden(3));
        // The arrows step over what is hidden.
        press(window, Qt::Key_Down);
        QCOMPARE(window.lblWort->Caption(), QStringLiteral("Maus"));
        press(window, Qt::Key_Up);
        QCOMPARE(window.lblWort->Caption(), QStringLiteral("Apfel"));
        window.cmdNurFehlende->click();
        QVERIFY(!window.lstWoerter->isRowHidden(1));
        press(window, Qt::Key_Down);
        QCOMPARE(window.lblWort->Caption(), QStringLiteral("Hund"));
    }
};

QTEST_MAIN(TestRecordingWindow)
#include "test_recording_window.moc"
