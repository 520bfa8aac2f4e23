// SPDX-License-Identifier: GPL-3.0-or-later
// The picture-word database: listing, skipping, drawing, removing and running out.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

#include "game/OnScreenKeys.h"
#include "game/WordList.h"
#include "game/Words.h"
#include "game/Options.h"
#include "lernstand/Learning.h"
#include "game/modGlobalVars.h"
#include "mock/TestMode.h"
#include "platform/system/App.h"
#include "platform/ui/MessageBox.h"
#include "platform/system/Program.h"
#include "platform/pictures/Pictures.h"
#include "platform/system/Random.h"
#include "platform/files/Files.h"
#include "raeuber/frmRaeuber.h"
#include "support/GameFixture.h"

using namespace testsupport;
using namespace modGlobalVars;

namespace {
const QString kNoPictures =
    QStringLiteral("Datenbankfehler: Nicht genügend Bilddaten vorhanden - Programm wird beendet!");

QString solved() { return imageNames.value(imageIndex); }

// Nothing but the list's owner can change the list: everyone else sees it read-only.
static_assert(std::is_const_v<std::remove_reference_t<decltype(modGlobalVars::imageNames)>>);
static_assert(std::is_const_v<std::remove_reference_t<decltype(modGlobalVars::imageCount)>>);

// A part that follows the list and keeps its own copy of it.
struct Copy : wordlist::Follower {
    QStringList names;
    int told = 0;
    void appended(const QStringList& added) override { names += added, ++told; }
    void removed(const QString& name) override { names.removeOne(name), ++told; }
    void cleared() override { names.clear(), ++told; }
    // The copy holds the list's names, each as often (the order of copies aside).
    bool inStep() const {
        QStringList mine = names, theirs = imageNames.mid(1);
        mine.sort();
        theirs.sort();
        return mine == theirs && imageNames.size() == (imageNames.isEmpty() ? 0 : imageCount + 1);
    }
};
}  // namespace

class TestDatabase : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void aFolderOfNPicturesGivesNNames() {
        ProgramFolder folder;
        const QStringList names = folder.addNumberedPictures(20);
        frmRaeuber::Default().loadDatabase();
        QCOMPARE(imageCount, 20);
        QCOMPARE(imageNames.size(), 21);
        QStringList listed = imageNames.mid(1);
        listed.sort();
        QCOMPARE(listed, names);
        frmRaeuber::Default().loadDatabase();  // every load appends
        QCOMPARE(imageCount, 40);
        QCOMPARE(imageNames.size(), 41);
    }

    void wordsAreFormedFromTheFileName_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("word");
        QTest::newRow("umlaut") << "äpfel.gif" << "Äpfel";
        QTest::newRow("capitals") << "BAUM.gif" << "BAUM";
        QTest::newRow("lower") << "maus.gif" << "Maus";
        QTest::newRow("long ext") << "Apfel.jpeg" << "Apfel";
        QTest::newRow("webp") << "Eis.webp" << "Eis";
        QTest::newRow("two dots") << "Eis.am.Stiel.png" << "Eis.am.Stiel";
        QTest::newRow("decomposed") << QStringLiteral("ba\u0308r.png") << QStringLiteral("B\u00e4r");
        QTest::newRow("sharp s") << "ßpiel.png" << "ßpiel";
    }
    void wordsAreFormedFromTheFileName() {
        QFETCH(QString, file);
        QFETCH(QString, word);
        QCOMPARE(words::fromFileName(file), word);
    }

    // The folder of a picture, one rule for the voice, the syllables and the recordings:
    // either slash separates in a path the game composes; a backslash of a folder's own name
    // (as the program writes it) does not.
    void theFolderOfAPicture() {
        QCOMPARE(words::folderOf(QStringLiteral("/schule\\db\\Hund.png")), QStringLiteral("/schule\\db"));
        QCOMPARE(words::folderOf(QStringLiteral("/srv/woerter/Hund.png")), QStringLiteral("/srv/woerter"));
        QCOMPARE(words::fileNameOf(QStringLiteral("/srv/woerter\\Hund.png")), QStringLiteral("Hund.png"));
        QCOMPARE(words::folderOf(QStringLiteral("Hund.png")), QString());
        QCOMPARE(words::fileNameOf(QStringLiteral("Hund.png")), QStringLiteral("Hund.png"));
        const QString literal = platform::literalPath(QStringLiteral("/srv/Klasse\\1a"));
        QCOMPARE(words::folderOf(literal + QStringLiteral("\\Igel.png")), literal);
    }

    // Why a name is skipped: one verdict, which the teacher's check puts in words.
    void whyANameIsSkipped_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("fault");
        QTest::newRow("word") << "Hund.png" << int(words::NameFault::None);
        QTest::newRow("hidden") << ".Hund.png" << int(words::NameFault::Hidden);
        QTest::newRow("foreign") << "Thumbs.db" << int(words::NameFault::Foreign);
        QTest::newRow("no extension") << "Hund" << int(words::NameFault::NoExtension);
        QTest::newRow("dot at the end") << "Hund." << int(words::NameFault::NoExtension);
        QTest::newRow("fifteen") << "Donaudampfschif.png" << int(words::NameFault::None);
        QTest::newRow("sixteen") << "Donaudampfschiff.png" << int(words::NameFault::TooLong);
        QTest::newRow("blank at the end") << "Hund .png" << int(words::NameFault::Untypeable);
        QTest::newRow("soft hyphen") << QStringLiteral("Hun\u00add.png") << int(words::NameFault::Untypeable);
    }
    void whyANameIsSkipped() {
        QFETCH(QString, name);
        QFETCH(int, fault);
        QCOMPARE(int(words::nameFault(name)), fault);
        QCOMPARE(words::nameCanBeWord(name), fault == int(words::NameFault::None));
    }

    void filesThatCannotBeWordPicturesAreSkipped() {
        ProgramFolder folder;
        folder.addPictures({"Hund.png", "Katze.jpg", "Apfel.jpeg", ".versteckt.png", "Fünfzehnbuchstab.png",
                            "Fünfzehnbuchsta.png", "A.png"});
        folder.writeFile("db/Thumbs.db", QByteArray(512, '\xd0'));
        folder.writeFile("db/desktop.ini", "[.ShellClassInfo]\r\n");
        folder.writeFile("db/.DS_Store", QByteArray(64, '\0'));
        folder.writeFile("db/OhneEndung", "x");
        folder.writeFile("db/Leer.png", "");
        folder.writeFile("db/Text.png", "Dies ist kein Bild");
        QDir().mkpath(folder.db() + "/Unterordner.png");
        QFile::copy(folder.db() + "/Hund.png", folder.db() + "/.png");
        frmRaeuber::Default().loadDatabase();
        QStringList listed = imageNames.mid(1);
        listed.sort();
        // Files are not opened when the list is built: one that is no picture is listed and
        // dropped when it is drawn (the hostile folders test that).
        QCOMPARE(listed, (QStringList{"A.png", "Apfel.jpeg", "Fünfzehnbuchsta.png", "Hund.png", "Katze.jpg",
                                      "Leer.png", "Text.png"}));
    }

    void everyCommonPictureFormatServesAsAWordPicture() {
        ProgramFolder folder;
        QImage image(16, 16, QImage::Format_ARGB32);
        image.fill(Qt::yellow);
        const QStringList names{"Sonne.png", "Mond.jpg", "Stern.bmp", "Eis.webp", "Buch.tiff"};
        const char* formats[] = {"PNG", "JPG", "BMP", "WEBP", "TIFF"};
        for (int i = 0; i < names.size(); ++i)
            QVERIFY2(image.save(folder.db() + "/" + names[i], formats[i]), formats[i]);
        frmRaeuber& game = frmRaeuber::Default();
        game.loadDatabase();
        QCOMPARE(imageCount, 5);
        for (int i = 1; i <= 5; ++i) {
            platform::queueRandomNumbers({(i - 0.5f) / 5});
            QVERIFY(!platform::tryLoadPicture(game.nextImage()).isNull());
        }
    }

    void aDecomposedUmlautGivesOneLetterBox() {
        ProgramFolder folder;
        folder.addPictures({QStringLiteral("Ba\u0308r.png")});
        frmRaeuber& game = openGame();
        QCOMPARE(currentWord, QStringLiteral("B\u00e4r"));
        QCOMPARE(wordLength, 3);
        QVERIFY(shown(game.LetterInput[2]));
        QVERIFY(!shown(game.LetterInput[3]));
    }

    void drawingPicksEveryIndexWithEqualChance() {
        ProgramFolder folder;
        folder.addNumberedPictures(3);
        frmRaeuber& game = frmRaeuber::Default();
        game.loadDatabase();
        platform::queueRandomNumbers({0.999f, 0.0f, 0.34f, 0.6666f, 0.6667f});
        QStringList indices;
        for (int i = 0; i < 5; ++i) {
            game.nextImage();
            indices << QString::number(imageIndex);
        }
        QCOMPARE(indices, (QStringList{"3", "1", "2", "2", "3"}));
        QVERIFY(game.nextImage().startsWith(platform::App().Path + "\\db\\"));
    }

    void solvedPicturesNeverComeBackAndAFailedOneStays() {
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        frmRaeuber& game = openGame();
        QStringList seen{solved()};
        playWordWrong(game);
        QCOMPARE(solved(), seen.last());  // the failed word stays on screen
        QCOMPARE(imageCount, 20);
        for (int i = 0; i < 14; ++i) {
            playWordRight(game);
            QCOMPARE(imageCount, 19 - i);
            QVERIFY2(!seen.contains(solved()), qPrintable(solved()));
            QVERIFY(!imageNames.mid(1).contains(seen.last()));
            seen << solved();
        }
    }

    void removingTheLastEntryOnlyShortensTheList() {
        ProgramFolder folder;
        folder.addNumberedPictures(3);
        frmRaeuber& game = frmRaeuber::Default();
        game.loadDatabase();
        const QStringList before = imageNames;
        platform::queueRandomNumbers({0.99f, 0.0f});
        game.nextImage();
        QCOMPARE(imageIndex, 3);
        correctCount = 1;
        game.nextImage();
        QCOMPARE(imageNames, before.mid(0, 3));
        QCOMPARE(imageCount, 2);
        QCOMPARE(lastRemovalCorrectCount, 1);
    }

    // The list's owner changes the list as the game's procedures do, and every part that
    // follows it sees each change: appended behind, removed with the names behind moving down,
    // emptied; one that starts following late is told the list as it is.
    void theListsFollowersSeeEveryChange() {
        wordlist::clear();
        Copy early;
        wordlist::follow(&early);
        wordlist::append({"Hund.png", "Café.png", "Maus.png"});
        QCOMPARE(imageCount, 3);
        QCOMPARE(imageNames, (QStringList{"", "Hund.png", "Café.png", "Maus.png"}));
        QVERIFY(early.inStep());
        QVERIFY(onscreen::vocabularyExtras().contains(QChar(u'é')));
        wordlist::removeAt(2);
        QCOMPARE(imageNames, (QStringList{"", "Hund.png", "Maus.png"}));
        QCOMPARE(imageCount, 2);
        QVERIFY(early.inStep());
        QVERIFY(!onscreen::vocabularyExtras().contains(QChar(u'é')));
        // An index outside the list removes nothing and tells nobody.
        const int told = early.told;
        wordlist::removeAt(0);
        wordlist::removeAt(3);
        QCOMPARE(imageCount, 2);
        QCOMPARE(early.told, told);
        Copy late;
        wordlist::follow(&late);
        wordlist::follow(&late);  // twice counts once
        QCOMPARE(late.names, (QStringList{"Hund.png", "Maus.png"}));
        wordlist::append({"Hund.png"});
        QCOMPARE(late.names, (QStringList{"Hund.png", "Maus.png", "Hund.png"}));
        wordlist::removeAt(1);
        wordlist::removeAt(1);
        QCOMPARE(imageCount, 1);
        QCOMPARE(imageNames.size(), 2);
        QVERIFY(early.inStep() && late.inStep());
        // The last name gone: element 0 stays, as the count stays a count of a list.
        wordlist::removeAt(1);
        QCOMPARE(imageNames.size(), 1);
        QVERIFY(early.inStep() && late.inStep());
        wordlist::clear();
        QVERIFY(imageNames.isEmpty());
        QVERIFY(early.inStep() && late.inStep());
        wordlist::unfollow(&early);
        wordlist::unfollow(&late);
        wordlist::append({"Igel.png"});
        QVERIFY(late.names.isEmpty());
    }

    // A whole game of removals and new games, with a follower beside the keys and the learning
    // record: after every round all of them hold what the list holds.
    void noFollowerGetsOutOfStepInAGame() {
        ProgramFolder folder;
        folder.addPictures({"Ei.png", "Öl.png", "Café.png", "Jürgen_2.png", "Hut.png", "Igel.png"});
        QTemporaryDir record;
        options::current().learning = true;
        options::current().learningFolder = record.path();
        Copy copy;
        wordlist::follow(&copy);
        frmRaeuber& game = openGame();
        for (int round = 0; round < 4; ++round) {
            typeCurrentWord(game);
            finishReaction(game);
            QVERIFY2(copy.inStep(), qPrintable(QStringLiteral("round %1").arg(round)));
            for (const QString& name : imageNames.mid(1))
                for (const QChar c : onscreen::charactersOffTheKeys(words::fromFileName(name)))
                    QVERIFY(onscreen::vocabularyExtras().contains(c));
        }
        // Every picture the record chooses is one of the list's.
        for (int i = 0; i < 20; ++i) {
            const int chosen = lernstand::chooseIndex(1, i / 20.0f);
            QVERIFY(chosen >= 1 && chosen <= imageCount);
        }
        game.cmdReset_Click();  // a new game appends the folder once more
        QVERIFY(copy.inStep());
        QVERIFY(imageCount > 6);
        wordlist::unfollow(&copy);
        options::current() = options::Options();
        lernstand::resetRun();
    }

    void onePictureEndsTheProgramAfterItIsSolved() {
        ProgramFolder folder;
        folder.addPictures({"Ei.png"});
        frmRaeuber& game = openGame();
        typeCurrentWord(game);
        QVERIFY_THROWS_EXCEPTION(platform::ProgramEnded, finishReaction(game));
        QCOMPARE(messageTexts(), QStringList{kNoPictures});
        QCOMPARE(platform::shownMessages()[0].icon, platform::MsgIcon::Critical);
    }

    // Fifteen right words win, whatever is left in the list: no sixteenth picture is drawn.
    // With fewer pictures the list runs out after the last word that can be played.
    void fifteenPicturesWinAndFewerRunOut_data() {
        QTest::addColumn<int>("pictures");
        QTest::newRow("14") << 14;
        QTest::newRow("15") << 15;
        QTest::newRow("16") << 16;
    }
    void fifteenPicturesWinAndFewerRunOut() {
        QFETCH(int, pictures);
        ProgramFolder folder;
        folder.addNumberedPictures(pictures);
        frmRaeuber& game = openGame();
        playWordWrong(game);  // a failed picture stays in the list
        const int playable = std::min(pictures, 15);
        for (int i = 0; i < playable - 1; ++i) playWordRight(game);
        QVERIFY(messageTexts().isEmpty());
        typeCurrentWord(game);
        if (pictures < 15) {
            QVERIFY_THROWS_EXCEPTION(platform::ProgramEnded, finishReaction(game));
            QCOMPARE(correctCount, pictures);
            QCOMPARE(messageTexts(), QStringList{kNoPictures});
            return;
        }
        finishReaction(game);
        QCOMPARE(correctCount, 15);
        QVERIFY(game.tmrGewonnen->Enabled());
        runFor(12 * 250);
        QCOMPARE(messageTexts(), QStringList{"Herzlichen Glückwunsch Mia, du hast gewonnen."});
        QVERIFY(!platform::programHasEnded());
        // The next game: the fifteen solved pictures are gone, one copy of the folder is new.
        QCOMPARE(imageCount, pictures - 15 + pictures);
        QVERIFY(!currentWord.isEmpty());
    }

    void aMissingFolderGivesBothMessagesInOrder() {
        ProgramFolder folder;
        QDir(folder.db()).removeRecursively();
        QVERIFY_THROWS_EXCEPTION(platform::ProgramEnded, openGame());
        QCOMPARE(messageTexts().size(), 2);
        QCOMPARE(messageTexts()[0],
                 "Datenbankfehler: Das Datenbankverzeichnis <db> im Ordner " + folder.path() +
                     " ist nicht vorhanden.\r\rFür genauere Informationen konsultieren Sie das Handbuch.");
        QCOMPARE(messageTexts()[1], kNoPictures);
        QVERIFY(platform::programHasEnded());
    }

    // A folder that exists but cannot be listed is named in its own message, then the game
    // goes on as with a missing folder. The tests may run as root, who lists every folder:
    // then the folder is read as the unprivileged user "nobody" (effective user id only, so
    // that root comes back afterwards).
    void anUnreadableFolderIsReportedAndCountsAsMissing() {
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        frmRaeuber& game = frmRaeuber::Default();
        const auto open = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                          QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
        QVERIFY(QFile::setPermissions(folder.path(), open));
        QVERIFY(QFile::setPermissions(folder.db(), QFile::Permissions()));
        struct Restore {
            QString db;
            ~Restore() { QFile::setPermissions(db, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); }
        } restore{folder.db()};
        {
            const bool root = ::geteuid() == 0;
            if (root) QCOMPARE(::seteuid(65534), 0);
            struct BackToRoot {
                bool root;
                ~BackToRoot() {
                    if (root && ::seteuid(0) != 0) qFatal("cannot become root again");
                }
            } back{root};
            QVERIFY(QDir(folder.db()).entryList(QDir::Files).isEmpty());  // really unreadable
            QVERIFY_THROWS_EXCEPTION(platform::ProgramEnded, openGame());
        }
        QCOMPARE(messageTexts(),
                 (QStringList{"Datenbankfehler: Das Datenbankverzeichnis <db> im Ordner " + folder.path() +
                                  " kann nicht gelesen werden.\r\rFür genauere Informationen konsultieren "
                                  "Sie das Handbuch.",
                              kNoPictures}));
        QCOMPARE(platform::shownMessages()[0].icon, platform::MsgIcon::Critical);
        QCOMPARE(imageCount, 0);
        (void)game;
    }

    void aDbThatIsAFileCountsAsMissing() {
        ProgramFolder folder;
        QDir(folder.db()).removeRecursively();
        folder.writeFile("db", "kein Ordner");
        QVERIFY_THROWS_EXCEPTION(platform::ProgramEnded, openGame());
        QCOMPARE(messageTexts().size(), 2);
    }

    // A file where the folder should be is named as such, not as missing.
    void aDbThatIsAFileIsNamedAsSuch() {
        ProgramFolder folder;
        QDir(folder.db()).removeRecursively();
        folder.writeFile("db", "kein Ordner");
        QVERIFY_THROWS_EXCEPTION(platform::ProgramEnded, openGame());
        QCOMPARE(messageTexts().value(0), "Datenbankfehler: Das Datenbankverzeichnis <db> im Ordner " + folder.path() +
                                              " ist kein Ordner, sondern eine Datei.\r\rFür genauere Informationen "
                                              "konsultieren Sie das Handbuch.");
    }

    void theFolderNameMatchesWhateverItsCase() {
        ProgramFolder folder;
        QDir().rename(folder.db(), folder.path() + "/DB");
        folder.writeFile("DB/Hund.png", QByteArray());
        QFile::remove(folder.path() + "/DB/Hund.png");
        QImage image(4, 4, QImage::Format_RGB32);
        image.fill(Qt::red);
        image.save(folder.path() + "/DB/Hund.png");
        openGame();
        QCOMPARE(currentWord, QStringLiteral("Hund"));
    }
};

QTEST_MAIN(TestDatabase)
#include "test_database.moc"
