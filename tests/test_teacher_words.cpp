// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's room, page Wörter: the collections with their check and thumbnails, the one
// the children play, her own folders, the sheet, the folder and the recordings.
#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPointingDevice>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "game/Collections.h"
#include "game/Options.h"
#include "game/AssetPaths.h"
#include "platform/files/Files.h"
#include "platform/ui/Form.h"
#include "mock/TestMode.h"
#include "shell/Settings.h"
#include "shell/TeacherHelp.h"
#include "shell/TeacherSettingsFile.h"
#include "raeuber/frmRaeuber.h"
#include "shell/frmAufnahme.h"
#include "shell/frmAuswahlmenue.h"
#include "shell/frmLehrer.h"
#include "shell/frmSplash.h"
#include "shell/start.h"
#include "support/GameFixture.h"
#include "support/TeacherRoom.h"

using namespace testsupport;

class TestTeacherWords : public QObject {
    Q_OBJECT

    TeacherSettingsHome home_;

private Q_SLOTS:
    void init() { home_.init(); }
    void cleanup() { home_.cleanup(); }

    void theCollectionsAreListedAndCheckedWithThumbnails() {
        ProgramFolder folder;
        addThemes(folder);
        frmLehrer& room = frmLehrer::Default();
        room.Show();
        // A photo as large as a camera's (only smaller): its thumbnail is decoded at the list's size.
        QImage photo(800, 600, QImage::Format_RGB32);
        photo.fill(Qt::darkGreen);
        QVERIFY(photo.save(folder.path() + QStringLiteral("/sammlungen/Tiere/Zebra.jpg"), "JPG"));
        QStringList names;
        for (const auto& c : room.collectionList()) names << c.name;
        QCOMPARE(names, (QStringList{QStringLiteral("Alle Wörter"), QStringLiteral("Essen"), QStringLiteral("Tiere")}));
        QCOMPARE(room.lstSammlungen->RowText(0), QStringLiteral("Alle Wörter – wird gespielt"));
        room.lstSammlungen->setCurrentRow(rowOf(room, QStringLiteral("Tiere")));
        QCOMPARE(room.shownCheck().usable, 17);
        QVERIFY2(room.lblPruefung->Caption().contains(QStringLiteral("Ein Spiel kann gewonnen werden")),
                 qPrintable(room.lblPruefung->Caption()));
        QString camera;
        for (int i = 0; i < room.lstPruefung->Rows(); ++i)
            if (room.lstPruefung->RowText(i).startsWith(QStringLiteral("IMG_"))) camera = room.lstPruefung->RowText(i);
        QVERIFY2(camera.contains(QStringLiteral("Achtung: ein Name aus der Kamera, kein Wort")), qPrintable(camera));
        // The thumbnails come after the list, a few at a time, at the size they are shown.
        QCOMPARE(room.thumbnailsDue(), 17);
        QVERIFY(!room.lstPruefung->RowHasPicture(0));
        runFor(1);
        QVERIFY(room.thumbnailsDue() > 0 && room.thumbnailsDue() < 17);
        runFor(20);
        QCOMPARE(room.thumbnailsDue(), 0);
        for (int i = 0; i < room.lstPruefung->Rows(); ++i)
            QCOMPARE(room.lstPruefung->RowHasPicture(i), !room.lstPruefung->RowText(i).startsWith(QStringLiteral("IMG_")));
        const QList<QListWidgetItem*> found = room.lstPruefung->findItems(QStringLiteral("Zebra.jpg"), Qt::MatchStartsWith);
        QCOMPARE(found.size(), 1);
        const QListWidgetItem* zebra = found.first();
        for (const QSize& size : zebra->icon().availableSizes()) QVERIFY2(size.width() <= 40, qPrintable(QString::number(size.width())));
        // Essen has too few words for a game.
        room.lstSammlungen->setCurrentRow(rowOf(room, QStringLiteral("Essen")));
        QVERIFY(room.lblPruefung->Caption().contains(QStringLiteral("NICHT gewonnen")));
    }

    void aCollectionChosenIsPlayedAndKeptForEveryStart() {
        ProgramFolder folder;
        addThemes(folder);
        writeAll(home_.userFile(), QStringLiteral("# meine Einstellungen\nsprache = automatisch\n"));
        frmLehrer& room = frmLehrer::Default();
        room.Show();
        room.lstSammlungen->setCurrentRow(rowOf(room, QStringLiteral("Tiere")));
        QTest::mouseClick(room.cmdSammlungSpielen, Qt::LeftButton);
        QCOMPARE(options::current().collection, QStringLiteral("Tiere"));
        QCOMPARE(platform::resolvePath(assetpaths::dbFolder()), folder.path() + QStringLiteral("/sammlungen/Tiere"));
        QCOMPARE(room.lblWoerterStatus->Caption(), QStringLiteral("Die Kinder spielen jetzt mit „Tiere“."));
        QCOMPARE(readAll(home_.userFile()),
                 QStringLiteral("# meine Einstellungen\nsprache = automatisch\nsammlung = Tiere\n"));
        QVERIFY(room.lstSammlungen->RowText(rowOf(room, QStringLiteral("Tiere"))).endsWith(QStringLiteral("wird gespielt")));
        // Read back at the next start; a folder named on the command line still wins. (The
        // school's file is the test's own: the computer's settings change nothing here.)
        QVERIFY(!settings::defaultFiles().school.startsWith(QLatin1String("/etc/")));
        options::Options next;
        QVERIFY(settings::apply(settings::defaultFiles(), next).isEmpty());
        QCOMPARE(next.collection, QStringLiteral("Tiere"));
        options::current().dbFolder = QStringLiteral("/srv/woerter");  // --db for this start
        QCOMPARE(assetpaths::dbFolder(), QStringLiteral("/srv/woerter"));
        options::current().dbFolder.clear();
        // Only for this start: the file stays as it is.
        room.chkJedenStart->setValue(false);
        room.lstSammlungen->setCurrentRow(0);
        room.cmdSammlungSpielen_Click();
        QCOMPARE(options::current().collection, QStringLiteral("Alle Wörter"));
        QVERIFY(readAll(home_.userFile()).contains(QStringLiteral("sammlung = Tiere")));
        QCOMPARE(platform::resolvePath(assetpaths::dbFolder()), folder.db());
    }

    void aTeachersOwnFolderIsAddedAndKept() {
        ProgramFolder folder;
        QTemporaryDir own;
        QDir().mkpath(own.path() + QStringLiteral("/Klasse 1b"));
        const QString ownFolder = own.path() + QStringLiteral("/Klasse 1b");
        frmLehrer& room = frmLehrer::Default();
        room.Show();
        platform::folderDialogGives({ownFolder});
        QTest::mouseClick(room.cmdOrdnerHinzufuegen, Qt::LeftButton);
        QCOMPARE(options::current().ownCollections, QStringList{ownFolder});
        QCOMPARE(room.collectionList().last().name, QStringLiteral("Klasse 1b"));
        QCOMPARE(room.lstSammlungen->CurrentRow(), int(room.collectionList().size()) - 1);
        QVERIFY(readAll(home_.userFile()).contains(QStringLiteral("sammlungsordner = ") + ownFolder));
        // A dialog closed without a folder changes nothing.
        QTest::mouseClick(room.cmdOrdnerHinzufuegen, Qt::LeftButton);
        QCOMPARE(options::current().ownCollections.size(), 1);
        QCOMPARE(platform::folderDialogTitles().size(), 2);
        QTest::mouseClick(room.cmdSammlungSpielen, Qt::LeftButton);
        QCOMPARE(options::current().collection, ownFolder);
        options::Options next;
        QVERIFY(settings::apply(settings::defaultFiles(), next).isEmpty());
        QCOMPARE(next.ownCollections, QStringList{ownFolder});
        QCOMPARE(collections::folderOf(next.collection), ownFolder);
    }

    void theButtonsOpenTheSheetTheFolderAndTheRecordings() {
        ProgramFolder folder;
        addThemes(folder);
        frmLehrer& room = frmLehrer::Default();
        room.Show();
        room.lstSammlungen->setCurrentRow(rowOf(room, QStringLiteral("Tiere")));
        QTest::mouseClick(room.cmdOrdnerOeffnen, Qt::LeftButton);
        QCOMPARE(platform::navigatedTargets().last(),
                 QUrl::fromLocalFile(folder.path() + QStringLiteral("/sammlungen/Tiere")).toString());
        QTest::mouseClick(room.cmdBogen, Qt::LeftButton);
        const QString sheet = home_.path() + QStringLiteral("/cache/knorzelbart/bilderbogen.html");
        QCOMPARE(platform::navigatedTargets().last(), QUrl::fromLocalFile(sheet).toString());
        QVERIFY(readAll(sheet).contains(QStringLiteral("Hund")));
        QTest::mouseClick(room.cmdStimmen, Qt::LeftButton);
        QVERIFY(frmAufnahme::Default().isVisible());
        QCOMPARE(frmAufnahme::folder, folder.path() + QStringLiteral("/sammlungen/Tiere"));
        QVERIFY(frmAufnahme::Default().entries().size() >= 16);
    }

    void aValueThatCannotBeReadBackIsNotWritten() {
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/neu/einstellungen.conf");
        QVERIFY(!settings::store(path, QStringLiteral("sammlung"), {QStringLiteral("/a #b")}).isEmpty());
        QVERIFY(!QFile::exists(path));
        QVERIFY(settings::store(path, QStringLiteral("sammlung"), {QStringLiteral("/a#b")}).isEmpty());
        QCOMPARE(readAll(path), QStringLiteral("sammlung = /a#b\n"));
    }

};

QTEST_MAIN(TestTeacherWords)
#include "test_teacher_words.moc"
