// SPDX-License-Identifier: GPL-3.0-or-later
// Words split into syllables as first grades write arcs under them: every shipped word,
// the hard cases (a single vowel at the start, double consonants, "ck", "sch", compounds),
// words with blanks and hyphens, and a teacher's silben.txt that overrides the split. Also
// what the teacher's check and the picture sheet show of it.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "game/Options.h"
#include "game/Syllables.h"
#include "platform/Hyphenation.h"
#include "shell/Check.h"
#include "shell/CheckSheet.h"
#include "shell/CommandLine.h"
#include "shell/Settings.h"
#include "support/GameFixture.h"

using namespace testsupport;

namespace {

// Every word of the shipped pictures, split as a first-grade teacher splits it.
const char* const kShipped[] = {
    "A-mei-se", "A-na-nas", "A-vo-ca-do", "Ach-ter-bahn", "Af-fe", "Ak-kor-de-on", "Am-pel", "An-gel", "An-ker",
    "Ap-fel", "Arm", "As-tro-naut", "Au-ber-gi-ne", "Au-ge", "Au-to", "Axt", "Ba-by", "Ba-de-an-zug",
    "Ba-de-wan-ne", "Ba-na-ne", "Bas-ket-ball", "Bat-te-rie", "Bau-er", "Baum", "Be-sen", "Bein", "Berg",
    "Bett", "Bie-ne", "Bild", "Bir-ne", "Blatt", "Blei-stift", "Blitz", "Blu-me", "Bon-bon", "Bre-zel", "Brief",
    "Bril-le", "Brok-ko-li", "Brot", "Bu-me-rang", "Buch", "Bus", "Bär", "Bü-ro-klam-mer", "Clown", "Dau-men",
    "De-tek-tiv", "Del-fin", "Di-a-mant", "Di-no-sau-ri-er", "Dra-che", "Du-sche", "E-le-fant", "Ei",
    "Ei-dech-se", "Ei-mer", "Ein-horn", "Eis", "En-te", "Erb-sen", "Erd-bee-re", "Erd-nuss", "Eu-le",
    "Fahr-rad", "Fall-schirm", "Faul-tier", "Faust", "Fe-der", "Fens-ter", "Fern-se-her", "Feu-er",
    "Feu-er-wehr", "Fin-ger", "Fisch", "Fla-min-go", "Fle-der-maus", "Flie-ge", "Flug-zeug", "Flö-te", "Frosch",
    "Fuchs", "Fuß", "Fuß-ball", "Ge-hirn", "Ge-schenk", "Ge-spenst", "Gei-ge", "Gi-raf-fe", "Gi-tar-re",
    "Glo-bus", "Glo-cke", "Glüh-bir-ne", "Gur-ke", "Ha-se", "Hai", "Ham-mer", "Han-dy", "Hand", "Hand-schu-he",
    "Har-fe", "Haus", "Herz", "Ho-nig", "Ho-se", "Hub-schrau-ber", "Hund", "Hut", "Hüt-te", "I-gel", "In-sel",
    "Jo-jo", "Jun-ge", "Ka-me-ra", "Ka-mel", "Ka-nu", "Ka-rot-te", "Kak-tus", "Kap-pe", "Kar-tof-fel",
    "Kas-ta-ni-e", "Kat-ze", "Keks", "Ker-ze", "Ki-wi", "Kir-schen", "Kla-vier", "Klee-blatt", "Kleid",
    "Kno-chen", "Ko-a-la", "Ko-kos-nuss", "Koch", "Kopf-hö-rer", "Korb", "Krab-be", "Kran-ken-wa-gen",
    "Kro-ko-dil", "Kro-ne", "Ku-chen", "Ku-gel-fisch", "Kuh", "Kä-fer", "Kä-se", "Kän-gu-ru", "Kü-ken",
    "Kür-bis", "La-ma", "Lap-top", "Lei-ter", "Li-ne-al", "Lu-pe", "Luft-bal-lon", "Lut-scher", "Lö-we",
    "Löf-fel", "Ma-gnet", "Ma-ri-en-kä-fer", "Mais", "Mam-mut", "Man-tel", "Maus", "Me-lo-ne", "Meer-jung-frau",
    "Mes-ser", "Mi-kro-fon", "Mi-kro-skop", "Milch", "Mo-tor-rad", "Mond", "Mu-schel", "Mäd-chen", "Mün-ze",
    "Na-del", "Na-se", "Nas-horn", "Nest", "Nil-pferd", "No-ten", "O-ma", "O-pa", "Ohr", "Pa-ket", "Pa-pa-gei",
    "Pa-pri-ka", "Pal-me", "Pan-da", "Pfann-ku-chen", "Pfau", "Pferd", "Pflas-ter", "Pilz", "Pin-gu-in",
    "Pin-sel", "Piz-za", "Pla-net", "Po-kal", "Po-li-zei-au-to", "Po-li-zist", "Pom-mes", "Pop-corn",
    "Prin-zes-sin", "Prinz", "Puz-zle", "Qual-le", "Ra-dier-gum-mi", "Ra-ke-te", "Rau-pe", "Re-gen-bo-gen",
    "Re-gen-schirm", "Rie-sen-rad", "Ring", "Ro-bo-ter", "Rol-ler", "Roll-schuh", "Ruck-sack", "Rut-sche",
    "Sa-lat", "Sand-uhr", "Sand-wich", "Schaf", "Schal", "Schau-fel", "Sche-re", "Schiff", "Schild-krö-te",
    "Schlan-ge", "Schlit-ten", "Schlitt-schuh", "Schloss", "Schlüs-sel", "Schne-cke", "Schnee-flo-cke",
    "Schnee-mann", "Scho-ko-la-de", "Schuh", "Schwamm", "Schwein", "Se-gel-boot", "Sei-fe", "Sei-fen-bla-sen",
    "Skate-board", "Ski", "Skor-pi-on", "So-cken", "So-fa", "Son-ne", "Son-nen-blu-me", "Son-nen-bril-le",
    "Spie-gel", "Spie-gel-ei", "Spin-ne", "Spin-nen-netz", "Sprit-ze", "Ste-cker", "Stein", "Stern", "Stie-fel",
    "Stink-tier", "Stuhl", "Sä-ge", "Ta-schen-lam-pe", "Tan-ne", "Tas-se", "Te-le-fon", "Ted-dy-bär",
    "Tee-kan-ne", "Ther-mo-me-ter", "Ti-ger", "Tin-ten-fisch", "To-ma-te", "Tor", "Trom-mel", "Trom-pe-te",
    "Trop-fen", "Turn-schuh", "Tür", "U-fo", "Uhr", "Un-ter-ho-se", "Vam-pir", "Vo-gel", "Vul-kan", "Waf-fel",
    "Wal", "Wein-trau-ben", "Wel-le", "Wol-ke", "Wol-le", "Wurm", "Wür-fel", "Zahn", "Zahn-bürs-te",
    "Zau-be-rer", "Zau-ber-stab", "Ze-bra", "Zelt", "Zi-tro-ne", "Zie-ge", "Zir-kus", "Zug", "Zun-ge",
    "Zwie-bel",
};

QString plain(const QString& hyphenated) { return QString(hyphenated).remove(QLatin1Char('-')); }

}  // namespace

class TestSyllables : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY2(platform::hyphenationAvailable(), "hyphen-de and libhyphen0 are installed"); }
    void cleanup() {
        options::current() = options::Options{};
        syllables::forgetTables();
    }

    void everyShippedWordIsSplitAsInClass() {
        const QStringList pictures = QDir(QStringLiteral(KNORZELBART_ASSETS_DIR "/db")).entryList(QDir::Files);
        QCOMPARE(pictures.size(), int(std::size(kShipped)));
        QStringList wrong;
        for (const char* expected : kShipped) {
            const QString split = QString::fromUtf8(expected);
            QVERIFY2(pictures.contains(plain(split) + QStringLiteral(".png")), expected);
            if (syllables::hyphenated(plain(split)) != split)
                wrong << QStringLiteral("%1 (expected %2)").arg(syllables::hyphenated(plain(split)), split);
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QStringLiteral(", "))));
    }

    void hardCases_data() {
        QTest::addColumn<QString>("expected");
        for (const char* word :
             {// a single vowel at the start is a syllable of its own
              "E-sel", "O-fen", "I-gel", "A-mei-se", "U-hu", "O-ma", "A-bend", "E-cho",
              // every syllable holds a vowel
              "Stern", "Fahr-rad", "Herbst", "Strumpf", "Pin-gu-in",
              // double consonants are parted, "ck", "ch" and "sch" stay whole
              "Mut-ter", "Kat-ze", "Schne-cke", "Zu-cker", "Ta-sche", "Fi-sche", "Bü-cher", "Häus-chen",
              // compounds part at their joint
              "Schnee-mann", "Erd-bee-re", "Re-gen-bo-gen", "Eich-hörn-chen", "Blu-men-topf",
              "Kar-tof-fel", "Schmet-ter-ling", "Scho-ko-la-de"})
            QTest::newRow(word) << QString::fromUtf8(word);
    }
    void hardCases() {
        QFETCH(QString, expected);
        QCOMPARE(syllables::hyphenated(plain(expected)), expected);
    }

    void piecesCoverTheLettersAndNeverBlanksOrHyphens() {
        using syllables::Piece;
        QCOMPARE(syllables::split(QStringLiteral("Banane")), (QList<Piece>{{0, 2}, {2, 2}, {4, 2}}));
        QCOMPARE(syllables::texts(QStringLiteral("Eis am Stiel")),
                 (QStringList{QStringLiteral("Eis"), QStringLiteral("am"), QStringLiteral("Stiel")}));
        QCOMPARE(syllables::hyphenated(QStringLiteral("Eis am Stiel")), QStringLiteral("Eis am Stiel"));
        QCOMPARE(syllables::split(QStringLiteral("T-Shirt")), (QList<Piece>{{0, 1}, {2, 5}}));
        QCOMPARE(syllables::split(QStringLiteral("Ei")), (QList<Piece>{{0, 2}}));
        // Letters the patterns do not know, digits: the word stays whole.
        QCOMPARE(syllables::split(QStringLiteral("Auto3")), (QList<Piece>{{0, 5}}));
        QCOMPARE(syllables::split(QStringLiteral("Ζέβρα")), (QList<Piece>{{0, 5}}));
        QCOMPARE(syllables::split(QString()), QList<Piece>{});
        // Upper case as the files may have it.
        QCOMPARE(syllables::hyphenated(QStringLiteral("BANANE")), QStringLiteral("BA-NA-NE"));
    }

    // Whatever a file name holds, the pieces lie inside the word, in order, without overlap.
    void oddWordsGiveSoundPieces() {
        const QStringList odd = {QStringLiteral("İİİ"), QStringLiteral("ßßß"), QStringLiteral("a"), QStringLiteral("-"),
                                 QStringLiteral("a - b"), QStringLiteral("ÄÖÜ"), QStringLiteral("Straße"),
                                 QString(15, QLatin1Char('x')), QString(15, QLatin1Char('a')), QStringLiteral("Mo-"),
                                 QStringLiteral("\U0001F41FFisch"), QStringLiteral("Ǆemal"), QStringLiteral("aeiou"),
                                 QStringLiteral("Ecke"), QStringLiteral("Asche"), QStringLiteral("Ab")};
        for (const QString& word : odd) {
            int end = 0;
            for (const syllables::Piece& piece : syllables::split(word)) {
                QVERIFY2(piece.start >= end && piece.length > 0, qPrintable(word));
                end = piece.start + piece.length;
                QVERIFY2(end <= word.size(), qPrintable(word));
            }
            QCOMPARE(QString(syllables::hyphenated(word)).remove(QLatin1Char('-')), QString(word).remove(QLatin1Char('-')));
        }
        QCOMPARE(syllables::hyphenated(QStringLiteral("Straße")), QStringLiteral("Stra-ße"));
    }

    void aTeachersListOverridesTheSplit() {
        ProgramFolder folder;
        folder.writeFile(QStringLiteral("db/silben.txt"),
                         "# Silben, wie wir sie in der 1b schwingen\n"
                         "Fen-ster   # so steht es in unserer Fibel\n"
                         "Ap-fel\n"
                         "ba-na-ne\n"
                         "Ro-bo-ter\n"
                         "Eis am Stiel\n"
                         "-Hund\n"
                         "Ka--tze\n"
                         "Mo=nd\n"
                         "Zeb-ra\n"
                         "Ze-bra\n");  // a later line for the same word wins
        const QString db = folder.path() + QStringLiteral("\\db");
        QCOMPARE(syllables::hyphenated(QStringLiteral("Fenster"), db), QStringLiteral("Fen-ster"));
        QCOMPARE(syllables::hyphenated(QStringLiteral("Banane"), db), QStringLiteral("Ba-na-ne"));  // case ignored
        QCOMPARE(syllables::hyphenated(QStringLiteral("Roboter"), db), QStringLiteral("Ro-bo-ter"));
        QCOMPARE(syllables::hyphenated(QStringLiteral("Zebra"), db), QStringLiteral("Ze-bra"));
        // Lines of another form are skipped: the patterns split those words.
        QCOMPARE(syllables::hyphenated(QStringLiteral("Katze"), db), QStringLiteral("Kat-ze"));
        QCOMPARE(syllables::hyphenated(QStringLiteral("Hund"), db), QStringLiteral("Hund"));
        QCOMPARE(syllables::hyphenated(QStringLiteral("Mond"), db), QStringLiteral("Mond"));
        // Without the folder, and in another folder, the patterns' split.
        QCOMPARE(syllables::hyphenated(QStringLiteral("Fenster")), QStringLiteral("Fens-ter"));
        QCOMPARE(syllables::hyphenated(QStringLiteral("Fenster"), folder.path()), QStringLiteral("Fens-ter"));

        syllables::Table table;
        table.parse(QStringLiteral("Ba-na-ne\nkein Wort!\n"));
        QCOMPARE(table.size(), 1);
        QCOMPARE(table.lookUp(QStringLiteral("Banane")).size(), 3);
        QVERIFY(table.lookUp(QStringLiteral("Bananen")).isEmpty());
    }

    void theSettingsAndTheCommandLineSwitchThemOn() {
        QCOMPARE(options::Options{}.syllables, false);
        QCOMPARE(options::Options{}.soundHelp, false);
        QTemporaryDir dir;
        const settings::Files files{dir.filePath("alle.conf"), dir.filePath("meine.conf")};
        QFile system(files.system);
        QVERIFY(system.open(QIODevice::WriteOnly));
        system.write("silben = an\nanlauthilfe = vielleicht\ngesperrt = silben\n");
        system.close();
        QFile user(files.user);
        QVERIFY(user.open(QIODevice::WriteOnly));
        user.write("silben = aus\nanlauthilfe = an\n");
        user.close();
        options::Options o;
        const QStringList problems = settings::apply(files, o);
        QVERIFY(o.syllables);  // locked for every user
        QVERIFY(o.soundHelp);
        QCOMPARE(problems.size(), 2);
        QVERIFY2(problems.at(0).contains(QStringLiteral("„vielleicht“ ist kein gültiger Wert für anlauthilfe "
                                                        "(erlaubt sind aus und an); es gilt „aus“")),
                 qPrintable(problems.at(0)));
        QVERIFY(problems.at(1).contains(QStringLiteral("„silben“ ist für alle Benutzer festgelegt")));

        using commandline::parse;
        options::Options c;
        commandline::applyTo(parse({QStringLiteral("--silben"), QStringLiteral("--anlauthilfe")}), c);
        QVERIFY(c.syllables && c.soundHelp);
        commandline::applyTo(parse({QStringLiteral("--syllables=aus"), QStringLiteral("--sound-help=nein")}), c);
        QVERIFY(!c.syllables && !c.soundHelp);
        QCOMPARE(parse({QStringLiteral("--silben=oft")}).action, commandline::Command::Action::Error);
        QVERIFY(commandline::helpText().contains(QStringLiteral("--silben")));
        QVERIFY(commandline::helpText().contains(QStringLiteral("--anlauthilfe")));
    }

    void theCheckShowsTheSplitOnlyWithTheSetting() {
        ProgramFolder folder;
        folder.addPictures({QStringLiteral("Banane.png"), QStringLiteral("Fenster.png"), QStringLiteral("Eis am Stiel.png")});
        folder.writeFile(QStringLiteral("db/silben.txt"), "Fen-ster\n");
        const QString before = check::text(check::examine(folder.db(), false));
        QVERIFY(!before.contains(QStringLiteral("Ba-na-ne")));
        QVERIFY(before.contains(QStringLiteral("  Banane.png  →  Banane\n")));
        const QByteArray plainSheet = check::sheet(check::examine(folder.db(), true));
        QVERIFY(!plainSheet.contains("span.silbe") && !plainSheet.contains("class=\"silbe"));

        options::current().syllables = true;
        const check::Report report = check::examine(folder.db(), true);
        const QString listing = check::text(report);
        QVERIFY2(listing.contains(QStringLiteral("  Banane.png  →  Banane  →  Ba-na-ne\n")), qPrintable(listing));
        QVERIFY(listing.contains(QStringLiteral("  Fenster.png  →  Fenster  →  Fen-ster\n")));
        QVERIFY(listing.contains(QStringLiteral("  Eis am Stiel.png  →  Eis am Stiel  →  Eis am Stiel\n")));
        const QByteArray sheet = check::sheet(report);
        QVERIFY(sheet.contains("<span class=\"silbe s0\">Ba</span><span class=\"silbe s1\">na</span>"
                               "<span class=\"silbe s0\">ne</span>"));
        QVERIFY(sheet.contains("span.silbe.s1"));
    }
};

QTEST_MAIN(TestSyllables)
#include "test_syllables.moc"
