// SPDX-License-Identifier: GPL-3.0-or-later
// Whatever a school puts into the folder db: every entry that cannot be a word picture is
// skipped when the list is built, a picture that looks right but cannot be drawn leaves the
// list when it is drawn, and the game goes on with the rest to its end.
#include <QDir>
#include <QFile>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

#include "game/WordList.h"
#include "game/modGlobalVars.h"
#include "mock/TestMode.h"
#include "platform/files/Files.h"
#include "platform/files/Folders.h"
#include "platform/ui/MessageBox.h"
#include "platform/system/Program.h"
#include "platform/system/Random.h"
#include "raeuber/frmRaeuber.h"
#include "shell/frmAuswahlmenue.h"
#include "support/BadPictures.h"
#include "support/GameFixture.h"
#include "support/Invariants.h"
#include "support/Playthrough.h"

using namespace testsupport;
using namespace modGlobalVars;

namespace {

const QString kNoPictures =
    QStringLiteral("Datenbankfehler: Nicht genügend Bilddaten vorhanden - Programm wird beendet!");

// What becomes of an entry: left out of the list, listed but dropped when it is drawn, or
// played as a word.
enum class Fate { Skipped, Dropped, Played };

// Makes one hostile entry in db. Returns false where the file system refuses the name.
bool makeEntry(ProgramFolder& folder, const QString& name, const QString& kind) {
    const QString path = folder.db() + QLatin1Char('/') + name;
    const QByteArray native = QFile::encodeName(path);
    if (kind == "fifo") return ::mkfifo(native.constData(), 0644) == 0;
    if (kind == "folder") return QDir().mkpath(path) && QFile::copy(folder.path() + "/bilder/hut1.gif", path + "/Hut.gif");
    if (kind == "link to picture") return QFile::link(folder.path() + "/bilder/hut1.gif", path);
    if (kind == "link to folder") return QFile::link(folder.path() + "/bilder", path);
    if (kind == "link to db itself") return QFile::link(folder.db(), path);
    if (kind == "dangling link") return QFile::link(folder.path() + "/nirgends.png", path);
    if (kind == "link loop") return QFile::link(path + ".b", path) && QFile::link(path, path + ".b");
    if (kind == "device") return QFile::link(QStringLiteral("/dev/zero"), path);
    QByteArray bytes;
    if (kind == "empty") bytes = QByteArray();
    else if (kind == "text") bytes = "Kein Bild, nur Text.\n";
    else if (kind == "picture") bytes = badpictures::whole("PNG");
    else if (kind == "gif") bytes = badpictures::whole("GIF");
    else if (kind == "truncated gif") bytes = badpictures::truncated("GIF", 30);
    else if (kind == "truncated png") bytes = badpictures::truncated("PNG", 60);
    else if (kind == "truncated jpeg") bytes = badpictures::truncated("JPG", 180);
    else if (kind == "truncated bmp") bytes = badpictures::truncated("BMP", 200);
    else if (kind == "corrupt png") bytes = badpictures::corruptBody("PNG", 33);
    else if (kind == "corrupt gif") bytes = badpictures::corruptBody("GIF", 13);
    else if (kind == "huge png") bytes = badpictures::hugePngHeader(30000, 30000);
    else if (kind == "huge bmp") bytes = badpictures::hugeBmpHeader(30000, 30000);
    else if (kind == "huge gif") bytes = badpictures::hugeGifHeader(30000, 30000);
    else if (kind == "bomb") bytes = badpictures::pngBomb(30000, 30000);
    else return false;
    // Raw bytes for the name: a name need not be valid UTF-8.
    FILE* f = ::fopen(native.constData(), "wb");
    if (!f) return false;
    const bool ok = ::fwrite(bytes.constData(), 1, bytes.size(), f) == static_cast<size_t>(bytes.size());
    return ::fclose(f) == 0 && ok;
}

struct Entry {
    const char* row;
    QString name;
    const char* kind;
    Fate fate;
    QString word;  // the word when played
};

QList<Entry> hostileEntries() {
    return {
        {"zero bytes", "Leer.png", "empty", Fate::Dropped, {}},
        {"text named .png", "Text.png", "text", Fate::Dropped, {}},
        {"truncated gif", "Halb.gif", "truncated gif", Fate::Dropped, {}},
        {"truncated png", "Halb.png", "truncated png", Fate::Dropped, {}},
        // Qt draws what there is of a cut BMP and fills the rest.
        {"truncated bmp", "Rest.bmp", "truncated bmp", Fate::Played, "Rest"},
        {"truncated jpeg", "Stumpf.jpg", "truncated jpeg", Fate::Dropped, {}},
        {"corrupt png", "Kaputt.png", "corrupt png", Fate::Dropped, {}},
        {"corrupt gif", "Kaputt.gif", "corrupt gif", Fate::Dropped, {}},
        {"30000 x 30000 png", "Riese.png", "huge png", Fate::Dropped, {}},
        {"30000 x 30000 bmp", "Riese.bmp", "huge bmp", Fate::Dropped, {}},
        {"30000 x 30000 gif", "Riese.gif", "huge gif", Fate::Dropped, {}},
        {"decompression bomb", "Bombe.png", "bomb", Fate::Dropped, {}},
        {"named pipe", "Rohr.png", "fifo", Fate::Skipped, {}},
        {"device", "Null.png", "device", Fate::Skipped, {}},
        {"sub-folder", "Ordner.gif", "folder", Fate::Skipped, {}},
        {"link to a folder", "Ordnerlink.gif", "link to folder", Fate::Skipped, {}},
        {"link to db itself", "Selbst.gif", "link to db itself", Fate::Skipped, {}},
        {"dangling link", "Weg.png", "dangling link", Fate::Skipped, {}},
        {"link loop", "Schleife.png", "link loop", Fate::Skipped, {}},
        {"link to a picture", "Link.gif", "link to picture", Fate::Played, "Link"},
        {"newline in name", "Hu\nnd.png", "picture", Fate::Skipped, {}},
        {"tab in name", "Ka\ttze.png", "picture", Fate::Skipped, {}},
        {"escape in name", "\x1b[31mRot.png", "picture", Fate::Skipped, {}},
        {"decomposed umlaut", QStringLiteral("Ba\u0308r.png"), "picture", Fate::Played, QStringLiteral("B\u00e4r")},
        {"long name", QString(200, QLatin1Char('x')) + ".png", "picture", Fate::Skipped, {}},
        {"longest name", QString(251, QLatin1Char('y')) + ".png", "picture", Fate::Skipped, {}},
        {"sixteen letters", "Sechzehnbuchstab.png", "picture", Fate::Skipped, {}},
        {"one character", "X", "picture", Fate::Skipped, {}},
        {"four characters", "Ball", "picture", Fate::Skipped, {}},
        {"three characters", "a.b", "picture", Fate::Played, "A"},
        {"four with a dot", "Ei.g", "picture", Fate::Played, "Ei"},
        {"only an extension", ".png", "picture", Fate::Skipped, {}},
        {"Thumbs.db", "Thumbs.db", "picture", Fate::Skipped, {}},
        {"desktop.ini", "desktop.ini", "text", Fate::Skipped, {}},
        {".DS_Store", ".DS_Store", "text", Fate::Skipped, {}},
    };
}

int listedIndex(const QString& name) { return imageNames.indexOf(name); }

}  // namespace

class TestHostileDb : public QObject {
    Q_OBJECT

private Q_SLOTS:

    void eachEntryIsSkippedDroppedOrPlayed_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("fate");
        QTest::addColumn<QString>("word");
        for (const Entry& e : hostileEntries())
            QTest::newRow(e.row) << e.name << QString(e.kind) << int(e.fate) << e.word;
    }
    // The entry beside one good picture; the first draw is steered to the entry.
    void eachEntryIsSkippedDroppedOrPlayed() {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(int, fate);
        QFETCH(QString, word);
        ProgramFolder folder;
        folder.addPictures({"Ei.png"});
        QVERIFY2(makeEntry(folder, name, kind), "the file system refused the entry");
        frmRaeuber& game = frmRaeuber::Default();
        game.loadDatabase();
        const int index = listedIndex(name);
        QCOMPARE(index > 0, Fate(fate) != Fate::Skipped);
        QCOMPARE(imageCount, index > 0 ? 2 : 1);
        wordlist::clear();

        platform::queueRandomNumbers({index == 2 ? 0.75f : 0.25f, 0.0f});
        openGame();
        CHECK_INVARIANTS(game, "the first word");
        QCOMPARE(currentWord, Fate(fate) == Fate::Played ? word : QStringLiteral("Ei"));
        QCOMPARE(imageCount, Fate(fate) == Fate::Played ? 2 : 1);
        QVERIFY(messageTexts().isEmpty());
        playWordWrong(game);  // the game goes on: reveal, walk, the same word again
        CHECK_INVARIANTS(game, "a wrong word");
        QVERIFY(messageTexts().isEmpty());
    }

    void aGameAmongEveryHostileEntryPlaysToItsEnd() {
        ProgramFolder folder;
        QStringList hostileWords;
        int listed = 16;
        for (const Entry& e : hostileEntries()) {
            QVERIFY2(makeEntry(folder, e.name, e.kind), e.row);
            if (e.fate == Fate::Dropped) hostileWords << QFileInfo(e.name).completeBaseName();
            listed += e.fate == Fate::Skipped ? 0 : 1;
        }
        folder.addNumberedPictures(16);
        // Every usable entry and every numbered picture is listed once; the dropped ones too.
        frmRaeuber& game = frmRaeuber::Default();
        game.loadDatabase();
        QCOMPARE(imageCount, listed);
        wordlist::clear();
        queueFixedChance();
        openGame(2, QStringLiteral("Ben"));
        QStringList seen;
        const QString end = playToVictory(game, 2, [&](const QString& step) {
            CHECK_INVARIANTS(game, step);
            if (!currentWord.isEmpty()) seen << currentWord;
        });
        QCOMPARE(end, QStringLiteral("Herzlichen Glückwunsch Ben, du hast gewonnen."));
        QCOMPARE(messageTexts(), QStringList{end});
        for (const QString& w : hostileWords) QVERIFY2(!seen.contains(w), qPrintable(w));
        QVERIFY(!game.Visible());
        QVERIFY(frmAuswahlmenü::Default().Visible());
        CHECK_INVARIANTS(game, "the new game");
    }

    // A picture that passes the header check but cannot be drawn leaves the list, another is
    // drawn, and the picture just solved is still removed: exactly those two go.
    void anUndrawablePictureLeavesAndTheSolvedOneStillGoes() {
        ProgramFolder folder;
        folder.addPictures({"Affe.png", "Bus.png", "Dach.png"});
        folder.writeFile("db/Kaputt.png", badpictures::truncated("PNG", 60));
        frmRaeuber& game = frmRaeuber::Default();
        game.loadDatabase();
        const QStringList listed = imageNames;
        wordlist::clear();
        const auto pick = [](int index, int count) { return static_cast<float>((index - 0.5) / count); };
        // First word: the first good name in listing order; after it is solved the undrawable
        // one comes up and is dropped, then the last good one.
        QStringList good = listed.mid(1);
        good.removeAll("Kaputt.png");
        QStringList afterSolve = listed.mid(1);
        afterSolve.removeAll(good[0]);
        QStringList afterDrop = afterSolve;
        afterDrop.removeAll("Kaputt.png");
        platform::queueRandomNumbers({pick(listed.indexOf(good[0]), 4), pick(afterSolve.indexOf("Kaputt.png") + 1, 3),
                                      pick(afterDrop.indexOf(good[2]) + 1, 2)});
        openGame();
        QCOMPARE(imageNames.value(imageIndex), good[0]);
        playWordRight(game);
        CHECK_INVARIANTS(game, "the drop");
        QCOMPARE(imageNames.mid(1), afterDrop);
        QCOMPARE(imageNames.value(imageIndex), good[2]);
        QCOMPARE(imageCount, 2);
        QCOMPARE(lastRemovalCorrectCount, correctCount);
        QVERIFY(messageTexts().isEmpty());
        playWordRight(game);  // the next solve removes again, one name only
        QCOMPARE(imageCount, 1);
        QCOMPARE(imageNames.mid(1), QStringList{good[1]});
    }

    void whenOnlyUndrawablePicturesAreLeftTheDatabaseMessageEnds() {
        ProgramFolder folder;
        folder.writeFile("db/Halb.png", badpictures::truncated("PNG", 60));
        folder.writeFile("db/Riese.png", badpictures::hugePngHeader(30000, 30000));
        QVERIFY_THROWS_EXCEPTION(platform::ProgramEnded, openGame());
        QCOMPARE(messageTexts(), QStringList{kNoPictures});
        QCOMPARE(imageCount, 0);
    }

    // Root reads every file whatever its mode bits, so this only bites for other users; a
    // file that vanishes between listing and drawing is the same case for everyone.
    void aPictureThatCannotBeReadIsLeftOut() {
        ProgramFolder folder;
        folder.addNumberedPictures(17);
        folder.addPictures({"Gesperrt.png", "Verschwunden.png"});
        QFile::setPermissions(folder.db() + "/Gesperrt.png", QFileDevice::Permissions());
        const bool root = ::geteuid() == 0;
        QStringList listing = platform::folderFiles(folder.db());
        if (!root) listing.removeAll("Gesperrt.png");
        queueFixedChance({static_cast<float>((listing.indexOf("Wort01.png") + 0.5) / listing.size())});
        frmRaeuber& game = openGame();
        QCOMPARE(imageNames.contains("Gesperrt.png"), root);
        QCOMPARE(currentWord, QStringLiteral("Wort01"));
        QVERIFY(QFile::remove(folder.db() + "/Verschwunden.png"));
        // The next draw, after Wort01 is solved, finds the vanished file.
        QStringList after = imageNames;
        after.removeAt(imageIndex);
        queueFixedChance({static_cast<float>((after.indexOf("Verschwunden.png") - 0.5) / (imageCount - 1)), 0.0f});
        const int before = imageCount;
        playWordRight(game);
        QCOMPARE(imageCount, before - 2);
        QVERIFY(!imageNames.contains("Verschwunden.png"));
        QStringList seen;
        const QString end = playToVictory(game, 0, [&](const QString& step) {
            CHECK_INVARIANTS(game, step);
            seen << currentWord;
        });
        QCOMPARE(end, QStringLiteral("Herzlichen Glückwunsch Mia, du hast gewonnen."));
        QVERIFY(!seen.contains("Verschwunden"));
        QCOMPARE(messageTexts(), QStringList{end});
    }

    void aDbThatIsNoFolderEndsWithBothMessages_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("a file") << "file";
        QTest::newRow("a dangling link") << "dangling";
        QTest::newRow("a link loop") << "loop";
    }
    void aDbThatIsNoFolderEndsWithBothMessages() {
        QFETCH(QString, kind);
        ProgramFolder folder;
        QDir(folder.db()).removeRecursively();
        if (kind == "file") folder.writeFile("db", "kein Ordner");
        if (kind == "dangling") QVERIFY(QFile::link(folder.path() + "/nirgends", folder.db()));
        if (kind == "loop") QVERIFY(QFile::link(folder.db(), folder.db()));
        QVERIFY_THROWS_EXCEPTION(platform::ProgramEnded, openGame());
        QCOMPARE(messageTexts().size(), 2);
        QVERIFY(messageTexts()[0].contains(QStringLiteral("Das Datenbankverzeichnis <db>")));
        QCOMPARE(messageTexts()[1], kNoPictures);
    }

    void aDbThatLinksToAFolderIsRead() {
        ProgramFolder folder;
        QDir(folder.db()).removeRecursively();
        QDir().mkpath(folder.path() + "/woanders");
        QVERIFY(QFile::link(folder.path() + "/woanders", folder.db()));
        folder.addPictures({"Hund.png"});
        openGame();
        QCOMPARE(currentWord, QStringLiteral("Hund"));
    }
};

QTEST_MAIN(TestHostileDb)
#include "test_hostile_db.moc"
