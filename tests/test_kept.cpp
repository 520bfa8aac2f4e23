// SPDX-License-Identifier: GPL-3.0-or-later
// What is kept between games and runs: the list of a folder that has not changed, and
// pictures decoded at their shown size in the cache folder.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>

#include "game/WordList.h"
#include "game/modGlobalVars.h"
#include "platform/files/FileTimes.h"
#include "platform/files/Files.h"
#include "platform/files/Folders.h"
#include "platform/system/Hooks.h"
#include "platform/pictures/PictureStore.h"
#include "platform/pictures/Pictures.h"
#include "raeuber/frmRaeuber.h"
#include "support/GameFixture.h"

using namespace testsupport;
using namespace modGlobalVars;

namespace {

// The file system's clock a minute ahead: what was written now counts as written long ago.
void aMinuteLater() {
    platform::hooks().fileSystemNow = [] {
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        return (qint64(now.tv_sec) + 60) * 1'000'000'000 + now.tv_nsec;
    };
}

// Sets a file's or folder's modification time (seconds since 1970), as a copy that keeps
// times does.
void setModified(const QString& path, qint64 seconds) {
    const timespec times[2] = {{time_t(seconds), 0}, {time_t(seconds), 0}};
    QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
}

QStringList listed() { return imageNames.mid(1); }

QImage photo(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) image.setPixel(x, y, qRgb(x % 256, y % 256, (x + y) % 256));
    return image;
}

QStringList storeEntries(const QString& folder) { return QDir(folder).entryList(QDir::Files); }

}  // namespace

class TestKept : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void anUnchangedFolderIsReadOnceForManyGames() {
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        aMinuteLater();
        const int before = platform::folderListingsRead();
        frmRaeuber::Default().loadDatabase();
        const QStringList first = listed();
        frmRaeuber::Default().loadDatabase();
        frmRaeuber::Default().loadDatabase();
        QCOMPARE(platform::folderListingsRead() - before, 1);
        QCOMPARE(imageCount, 60);
        QCOMPARE(listed(), first + first + first);  // the same names in the same order
    }

    void aPictureAddedOrRemovedBetweenGamesIsSeen() {
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        aMinuteLater();
        frmRaeuber::Default().loadDatabase();
        folder.addPictures({QStringLiteral("Neu.png")});
        QVERIFY(QFile::remove(folder.db() + QStringLiteral("/Wort01.png")));
        setModified(folder.db(), 1'000'000'000);  // whatever the clock's tick, the time differs
        wordlist::clear();
        frmRaeuber::Default().loadDatabase();
        QVERIFY(listed().contains(QStringLiteral("Neu.png")));
        QVERIFY(!listed().contains(QStringLiteral("Wort01.png")));
        QCOMPARE(imageCount, 20);
    }

    // Changed in the same tick as its listing, a folder's times could stay the same: a folder
    // changed a moment ago is read again at every game.
    void aFolderChangedJustNowIsReadEveryTime() {
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        const int before = platform::folderListingsRead();
        frmRaeuber::Default().loadDatabase();
        frmRaeuber::Default().loadDatabase();
        QCOMPARE(platform::folderListingsRead() - before, 2);
        QCOMPARE(imageCount, 40);
    }

    // A link is asked again at every game: its target may go without the folder changing.
    void aLinkWhoseTargetWentIsDropped() {
        ProgramFolder folder;
        folder.addNumberedPictures(15);
        QTemporaryDir elsewhere;
        QVERIFY(photo(QSize(8, 8)).save(elsewhere.filePath(QStringLiteral("Ziel.png"))));
        QVERIFY(QFile::link(elsewhere.filePath(QStringLiteral("Ziel.png")), folder.db() + QStringLiteral("/Igel.png")));
        aMinuteLater();
        frmRaeuber::Default().loadDatabase();
        QVERIFY(listed().contains(QStringLiteral("Igel.png")));
        QVERIFY(QFile::remove(elsewhere.filePath(QStringLiteral("Ziel.png"))));
        wordlist::clear();
        const int before = platform::folderListingsRead();
        frmRaeuber::Default().loadDatabase();
        QCOMPARE(platform::folderListingsRead(), before);
        QVERIFY(!listed().contains(QStringLiteral("Igel.png")));
        QCOMPARE(imageCount, 15);
    }

    void aReducedPictureIsKeptAndTakenBackWhileUnchanged() {
        ProgramFolder folder;
        QTemporaryDir cache;
        platform::hooks().cacheFolder = [&] { return cache.path(); };
        aMinuteLater();
        const QString path = folder.db() + QStringLiteral("/Foto.jpg");
        QVERIFY(photo(QSize(1200, 900)).save(path, "JPG", 90));
        const QPixmap decoded = platform::tryLoadPicture(path, 100);
        QCOMPARE(decoded.size(), QSize(100, 75));
        QCOMPARE(storeEntries(cache.path()).size(), 1);
        const QImage stored = platform::storedPicture(path, 100, platform::fileStamp(path));
        QCOMPARE(stored, decoded.toImage().convertToFormat(QImage::Format_RGB32));
        platform::clearPictureCache();
        QCOMPARE(platform::tryLoadPicture(path, 100).toImage(), decoded.toImage());
        // Another size is another entry; a picture at its own size is not kept, nor a small one.
        QCOMPARE(platform::tryLoadPicture(path, 200).size(), QSize(200, 150));
        QCOMPARE(platform::tryLoadPicture(path, 2000).size(), QSize(1200, 900));
        QCOMPARE(storeEntries(cache.path()).size(), 2);
        const QString small = folder.db() + QStringLiteral("/Klein.jpg");
        QVERIFY(photo(QSize(400, 300)).save(small, "JPG", 90));
        QCOMPARE(platform::tryLoadPicture(small, 100).size(), QSize(100, 75));
        QCOMPARE(storeEntries(cache.path()).size(), 2);
    }

    void aChangedPictureIsDecodedAgain() {
        ProgramFolder folder;
        QTemporaryDir cache;
        platform::hooks().cacheFolder = [&] { return cache.path(); };
        aMinuteLater();
        const QString path = folder.db() + QStringLiteral("/Foto.png");
        QImage red(1000, 1000, QImage::Format_RGB32);
        red.fill(Qt::red);
        QVERIFY(red.save(path));
        QCOMPARE(platform::tryLoadPicture(path, 100).toImage().pixelColor(50, 50), QColor(Qt::red));
        platform::clearPictureCache();
        QImage blue = red;
        blue.fill(Qt::blue);
        QVERIFY(blue.save(path));  // the same size on disk
        setModified(path, 1'000'000'000);
        QCOMPARE(platform::tryLoadPicture(path, 100).toImage().pixelColor(50, 50), QColor(Qt::blue));
        QCOMPARE(storeEntries(cache.path()).size(), 1);  // the old entry replaced
    }

    void aDamagedOrForeignEntryIsPassedOver_data() {
        QTest::addColumn<int>("cut");
        QTest::addColumn<int>("flip");
        QTest::newRow("empty") << 0 << -1;
        QTest::newRow("cut short") << 1000 << -1;
        QTest::newRow("one byte changed in the pixels") << -1 << 5000;
        QTest::newRow("one byte changed in the head") << -1 << 3;
        QTest::newRow("check sum changed") << -1 << -2;
    }
    void aDamagedOrForeignEntryIsPassedOver() {
        QFETCH(int, cut);
        QFETCH(int, flip);
        ProgramFolder folder;
        QTemporaryDir cache;
        platform::hooks().cacheFolder = [&] { return cache.path(); };
        aMinuteLater();
        const QString path = folder.db() + QStringLiteral("/Foto.png");
        QVERIFY(photo(QSize(1000, 1000)).save(path));
        const QImage right = platform::tryLoadPicture(path, 100).toImage();
        const QString entry = cache.filePath(storeEntries(cache.path()).value(0));
        QFile file(entry);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QByteArray bytes = file.readAll();
        file.close();
        if (cut >= 0) bytes.truncate(cut);
        if (flip >= 0) bytes[flip] = char(bytes[flip] ^ 0x5A);
        if (flip == -2) bytes[bytes.size() - 1] = char(bytes[bytes.size() - 1] ^ 1);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        QVERIFY(platform::storedPicture(path, 100, platform::fileStamp(path)).isNull());
        platform::clearPictureCache();
        QCOMPARE(platform::tryLoadPicture(path, 100).toImage(), right);
        QVERIFY(!platform::storedPicture(path, 100, platform::fileStamp(path)).isNull());  // written anew
    }

    void anEntryOfAnotherPictureIsNotTaken() {
        ProgramFolder folder;
        QTemporaryDir cache;
        platform::hooks().cacheFolder = [&] { return cache.path(); };
        aMinuteLater();
        const QString a = folder.db() + QStringLiteral("/Affe.png");
        const QString b = folder.db() + QStringLiteral("/Bär.png");
        QVERIFY(photo(QSize(1000, 1000)).save(a));
        QVERIFY(photo(QSize(1200, 1000)).save(b));
        platform::tryLoadPicture(a, 100);
        platform::tryLoadPicture(b, 100);
        const QStringList entries = storeEntries(cache.path());
        QCOMPARE(entries.size(), 2);
        // Each entry copied over the other: neither is taken for the other picture.
        const QString first = cache.filePath(entries[0]), second = cache.filePath(entries[1]);
        QVERIFY(QFile::rename(first, first + QStringLiteral(".x")));
        QVERIFY(QFile::copy(second, first));
        QVERIFY(platform::storedPicture(a, 100, platform::fileStamp(a)).isNull() ||
                platform::storedPicture(b, 100, platform::fileStamp(b)).isNull());
        QVERIFY(QFile::remove(second));
        QVERIFY(QFile::rename(first + QStringLiteral(".x"), second));
        QVERIFY(platform::storedPicture(a, 100, platform::fileStamp(a)).isNull());
        QVERIFY(platform::storedPicture(b, 100, platform::fileStamp(b)).isNull());
    }

    // Written a moment ago, a picture could change again within the same tick of the file
    // system's clock: it is decoded, not kept.
    void aPictureWrittenJustNowIsNotKept() {
        ProgramFolder folder;
        QTemporaryDir cache;
        platform::hooks().cacheFolder = [&] { return cache.path(); };
        const QString path = folder.db() + QStringLiteral("/Foto.png");
        QVERIFY(photo(QSize(1000, 1000)).save(path));
        QCOMPARE(platform::tryLoadPicture(path, 100).size(), QSize(100, 100));
        QVERIFY(storeEntries(cache.path()).isEmpty());
    }

    // A cache folder that cannot be made (a file stands in its place) only costs the decoding.
    void aCacheFolderThatCannotBeWrittenOnlyCostsTime() {
        ProgramFolder folder;
        folder.writeFile(QStringLiteral("cache"), "eine Datei");
        platform::hooks().cacheFolder = [&] { return folder.path() + QStringLiteral("/cache/bilder"); };
        aMinuteLater();
        const QString path = folder.db() + QStringLiteral("/Foto.png");
        QVERIFY(photo(QSize(1000, 1000)).save(path));
        QCOMPARE(platform::tryLoadPicture(path, 100).size(), QSize(100, 100));
        platform::clearPictureCache();
        QCOMPARE(platform::tryLoadPicture(path, 100).size(), QSize(100, 100));
    }
};

QTEST_MAIN(TestKept)
#include "test_kept.moc"
