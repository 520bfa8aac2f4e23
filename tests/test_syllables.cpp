// SPDX-License-Identifier: GPL-3.0-or-later
// Words split into syllables as first grades write arcs under them: every shipped word,
// the hard cases (a single vowel at the start, double consonants, "ck", "sch", compounds),
// words with blanks and hyphens, and a teacher's silben.txt that overrides the split. Also
// what the teacher's check and the picture sheet show of it.
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "game/Options.h"
#include "game/Speech.h"
#include "game/SyllableSpeech.h"
#include "game/Syllables.h"
#include "platform/system/Hyphenation.h"
#include "platform/sound/Voice.h"
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
    "Kas-ta-nie", "Kat-ze", "Keks", "Ker-ze", "Ki-wi", "Kir-schen", "Kla-vier", "Klee-blatt", "Kleid",
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
    "Ski", "Skor-pi-on", "So-cken", "So-fa", "Son-ne", "Son-nen-blu-me", "Son-nen-bril-le",
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
    QTemporaryDir cacheDir;

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(cacheDir.isValid());
        platform::setHyphenationCacheFile(cacheDir.filePath(QStringLiteral("silbentrennung.txt")));
        QVERIFY2(platform::hyphenationAvailable(), "hyphen-de and libhyphen0 are installed");
    }
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
              "Kar-tof-fel", "Schmet-ter-ling", "Scho-ko-la-de",
              // a word part that begins with a vowel keeps the consonant before it
              "Ur-o-ma", "Um-ar-mung", "Un-ord-nung", "Ur-en-kel",
              // a piece without a vowel joins the syllable before it
              "Stöck-chen", "Rück-weg", "Os-kar",
              // two cores in one piece are parted by the first-grade rule
              "I-dee", "Kas-ta-nie", "O-a-se", "Vi-de-o", "A-fri-ka", "A-kro-bat", "Bi-ki-ni",
              "Vi-ta-mi-ne", "Man-da-ri-ne", "La-ken", "Lo-go", "Pri-mel",
              // but two vowels said as one, left alone, begin a word part
              "Spie-gel-ei", "Os-ter-ei"})
            QTest::newRow(word) << QString::fromUtf8(word);
    }
    void hardCases() {
        QFETCH(QString, expected);
        QCOMPARE(syllables::hyphenated(plain(expected)), expected);
    }

    // Nouns of a German dictionary as first grades split them: every syllable has one core
    // (a vowel, or two said as one), never an arc over two vowels said apart.
    void aSampleOfTheDictionary() {
        const QStringList sample = QString::fromUtf8(
            "A-mei-se A-qua-ri-um Au-to-bahn Bag-ger Bau-er Blu-me Ei-er Feu-er Ge-burts-tag Hub-schrau-ber "
            "Ka-ka-o Ka-nin-chen Kat-ze Kro-ko-dil Ku-gel Lei-ter Lo-ko-mo-ti-ve Me-lo-ne Mu-se-um Pa-pa-gei "
            "Pup-pe Qual-le Ra-di-o Re-gen-schirm Ro-bo-ter Schau-kel Schild-krö-te Stra-ße The-a-ter To-ma-te "
            "Rad-ler-ho-se Fla-min-go Ki-wi Ha-fer-flo-cken Ba-by Kän-gu-ru Ja-gu-ar Pi-ran-ha So-fa Hy-ä-ne Po-ny")
                                      .split(QLatin1Char(' '));
        QStringList wrong;
        for (const QString& word : sample) {
            const QString split = syllables::hyphenated(plain(word));
            if (split != word) wrong << split + QStringLiteral(" (expected ") + word + ')';
            // Never two vowels said apart under one arc.
            for (const QString& syllable : split.split(QLatin1Char('-'))) {
                static const QRegularExpression twoCores(
                    QStringLiteral("[aeiouäöü][^aeiouäöüy]+[aeiouäöü]|ea|eo|oa|ao|ia|io|iu|yä|(?<!q)u[aei]"),
                    QRegularExpression::CaseInsensitiveOption);
                if (twoCores.match(syllable).hasMatch()) wrong << split;
            }
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QStringLiteral(", "))));
    }

    // Each syllable is said as it sounds inside the word: its phonemes are the same stretch
    // of the whole word's ("Ha-se": the e of "Hase", not the long e of "se"; "Schne-cke":
    // no letters spelled out; "Ta-xi": no Roman numeral).
    void syllablesAreSaidAsTheySoundInTheWord() {
        if (!platform::voiceAvailable()) QSKIP("no voice");
        using syllablespeech::plain;
        // What the voice says for a text: phonemes given in [[ ]] as they stand, a text as it reads it.
        const auto phonemesSaid = [](const QString& text) {
            if (text.startsWith(QLatin1String("[[")) && text.endsWith(QLatin1String("]]")))
                return plain(text.mid(2, text.size() - 4));
            return plain(platform::phonemesOf(text));
        };
        QStringList words;
        for (const char* split : kShipped) words << QString::fromUtf8(split).remove(QLatin1Char('-'));
        words << QStringLiteral("Schnecke") << QStringLiteral("Glocke") << QStringLiteral("Socken") << QStringLiteral("Taxi")
              << QStringLiteral("Tomate") << QStringLiteral("Vogel") << QStringLiteral("Katze") << QStringLiteral("Tasse")
              << QStringLiteral("Hase") << QStringLiteral("Esel") << QStringLiteral("Kakao") << QStringLiteral("Umarmung")
              << QStringLiteral("Laken") << QStringLiteral("Mandarine");
        // and the hard cases of the split
        for (const char* hard : {"Ofen", "Ameise", "Uhu", "Abend", "Echo", "Mutter", "Zucker", "Tasche", "Fische",
                                 "Bücher", "Häuschen", "Regenbogen", "Eichhörnchen", "Blumentopf", "Kartoffel",
                                 "Schmetterling", "Schokolade", "Uroma", "Unordnung", "Urenkel", "Stöckchen",
                                 "Rückweg", "Oskar", "Idee", "Kastanie", "Oase", "Video", "Afrika", "Akrobat",
                                 "Bikini", "Vitamine", "Logo", "Primel"})
            words << QString::fromUtf8(hard);
        QStringList wrong;
        int cut = 0;
        for (const QString& word : words) {
            const QStringList spoken = speech::syllablesSpoken(word, QString());
            const QString whole = plain(platform::phonemesOf(speech::spokenText(word, QString())));
            QCOMPARE(spoken.size(), int(syllables::texts(word).size()));
            if (spoken.size() >= 2 && !spoken.first().startsWith(QLatin1String("[["))) wrong << word + QStringLiteral(" not cut");
            if (spoken.size() < 2 || !spoken.first().startsWith(QLatin1String("[["))) continue;
            ++cut;
            // In order, each a stretch of the whole (a consonant said once may end one and begin the next).
            qsizetype from = 0;
            QString together;
            for (const QString& syllable : spoken) {
                const QString said = phonemesSaid(syllable);
                const qsizetype at = whole.indexOf(said, std::max<qsizetype>(0, from - 2));
                if (said.isEmpty() || at < 0) wrong << QStringLiteral("%1: %2 not in %3").arg(word, said, whole);
                else from = at + said.size();
                together += said;
            }
            if (together.size() < whole.size()) wrong << QStringLiteral("%1: %2 is less than %3").arg(word, together, whole);
            // As long as the word, give or take what a syllable said alone adds.
            const platform::Sound alone = platform::synthesizeWithPauses(spoken, 0);
            const platform::Sound inWord = platform::synthesizeWithPauses({speech::spokenText(word, QString())}, 0);
            const double ratio = double(alone.samples.size()) / double(std::max<size_t>(1, inWord.samples.size()));
            // Each syllable said alone brings the voice's start and end of a sentence with it:
            // words of four or five syllables ("Dinosaurier" 2.27) may come out a little longer.
            const double most = spoken.size() >= 4 ? 2.4 : 2.2;
            if (ratio < 0.8 || ratio > most) wrong << QStringLiteral("%1: %2 times as long").arg(word, QString::number(ratio));
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QStringLiteral("; "))));
        QVERIFY2(cut >= 110, qPrintable(QString::number(cut)));  // every word of two syllables or more
        // The sounds that syllables said alone used to lose.
        const auto last = [&](const QString& word) { return phonemesSaid(speech::syllablesSpoken(word, QString()).last()); };
        QCOMPARE(last(QStringLiteral("Hase")), QStringLiteral("z@"));
        QCOMPARE(last(QStringLiteral("Schnecke")), QStringLiteral("k@"));
        QCOMPARE(last(QStringLiteral("Taxi")), QStringLiteral("ksi:"));
        QCOMPARE(phonemesSaid(speech::syllablesSpoken(QStringLiteral("Vogel"), QString()).first()),
                 QStringLiteral("fo:"));
        QCOMPARE(phonemesSaid(speech::syllablesSpoken(QStringLiteral("Sonne"), QString()).first()),
                 QStringLiteral("zOn"));
        // Several parts: each syllable on its own, as before.
        QCOMPARE(speech::syllablesSpoken(QStringLiteral("Eis am Stiel"), QString()),
                 (QStringList{QStringLiteral("Eis"), QStringLiteral("am"), QStringLiteral("Stiel")}));
    }

    // Whatever the voice's phonemes, cutting them gives a part per syllable or nothing.
    void oddPhonemesAreCutSafely() {
        using syllables::Piece;
        const QList<QList<Piece>> splits = {{}, {{0, 2}}, {{0, 2}, {2, 2}}, {{0, 1}, {2, 2}}, {{0, 3}, {3, 1}, {4, 2}}};
        const QStringList odd = {QString(), QStringLiteral("'"), QStringLiteral(";;"), QStringLiteral("_"),
                                 QStringLiteral("aaaa"), QStringLiteral("a;a;"), QStringLiteral("'a,e:'"),
                                 QStringLiteral("tsts"), QStringLiteral("b a n"), QStringLiteral("@@@@@@"),
                                 QStringLiteral("ka_!"), QStringLiteral("\u00e4\u00df")};
        for (const QList<Piece>& pieces : splits)
            for (const QString& phonemes : odd) {
                const QStringList parts = syllablespeech::cut(QStringLiteral("Banane"), pieces, phonemes);
                QVERIFY(parts.isEmpty() || parts.size() == pieces.size());
            }
        QCOMPARE(syllablespeech::cut(QStringLiteral("Sonne"), {{0, 3}, {3, 2}}, QStringLiteral("z'On@")),
                 (QStringList{QStringLiteral("z'On"), QStringLiteral("n@")}));
        QCOMPARE(syllablespeech::cut(QStringLiteral("Katze"), {{0, 3}, {3, 2}}, QStringLiteral("k'ats@")),
                 (QStringList{QStringLiteral("k'at"), QStringLiteral("ts@")}));
        // A word the voice says as English: the language marks are no sounds, "eI" is one
        // vowel, and an English vowel the German voice lacks becomes its German neighbour.
        QCOMPARE(syllablespeech::cut(QStringLiteral("Baby"), {{0, 2}, {2, 2}}, QStringLiteral("(en)b'eIbi(de)")),
                 (QStringList{QStringLiteral("b'eI"), QStringLiteral("bi")}));
        QCOMPARE(syllablespeech::cut(QStringLiteral("Laptop"), {{0, 3}, {3, 3}}, QStringLiteral("(en)l'apt0p(de)")),
                 (QStringList{QStringLiteral("l'ap"), QStringLiteral("tOp")}));
        QCOMPARE(syllablespeech::plain(QStringLiteral("(en)l'apt0p(de)")), QStringLiteral("laptOp"));
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

    // The splits of the vocabulary are kept in the user's cache folder, for the patterns
    // installed: a later start takes them from there instead of reading the patterns.
    void theSplitsAreKeptForTheNextStart() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("knorzelbart/silbentrennung.txt"));
        platform::setHyphenationCacheFile(path);
        bool ready = false;
        syllables::prepare(nullptr, {QStringLiteral("Banane"), QStringLiteral("Eis am Stiel"), QStringLiteral("Uroma")},
                           [&] { ready = true; });
        QVERIFY(ready);
        QVERIFY(platform::hyphenationSettled());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QByteArray text = file.readAll();
        file.close();
        QVERIFY2(text.startsWith("knorzelbart-silbentrennung 2 "), text.constData());
        QVERIFY(text.contains("\nbanane\t2,4\n"));
        QVERIFY(text.contains("\nstiel\t\n"));
        QVERIFY(text.contains("\nuroma\t2\n"));
        QVERIFY(!text.contains("eis am"));
        // A later start: what the cache says is what the game splits (a changed entry shows it).
        const auto rewrite = [&](const QByteArray& changed) {
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(changed);
            file.close();
            platform::setHyphenationCacheFile(path);
        };
        rewrite(QByteArray(text).replace("uroma\t2", "uroma\t99,x"));
        QCOMPARE(syllables::hyphenated(QStringLiteral("Uroma")), QStringLiteral("U-ro-ma"));
        // A cache made from other patterns (another size or date), or unreadable: not used.
        const QByteArray stamp = text.left(text.indexOf('\n'));
        rewrite(QByteArray(text).replace(stamp, "knorzelbart-silbentrennung 2 12 34").replace("uroma\t2", "uroma\t"));
        QCOMPARE(syllables::hyphenated(QStringLiteral("Uroma")), QStringLiteral("Ur-o-ma"));
        rewrite(QByteArray("\xff\xfe\x00garbage\n\t\t\n"));
        QCOMPARE(syllables::hyphenated(QStringLiteral("Uroma")), QStringLiteral("Ur-o-ma"));
        platform::setHyphenationCacheFile(cacheDir.filePath(QStringLiteral("silbentrennung.txt")));
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

    // Dashes a word processor made of the hyphens count as hyphens; a line the game passes
    // over (another form, or Latin-1 umlauts) is named by the teacher's check.
    void dashesCountAndSkippedLinesAreNamed() {
        ProgramFolder folder;
        folder.addPictures({QStringLiteral("Kakao.png"), QStringLiteral("Käse.png"), QStringLiteral("Tomate.png")});
        folder.writeFile(QStringLiteral("db/silben.txt"), "Fen\xe2\x80\x93ster\n"  // an en dash
                                                          "To\xe2\x80\x91ma\xe2\x80\x91te\n"  // non-breaking hyphens
                                                          "# Kommentar\n\n"
                                                          "K\xe4-se\n");  // Latin-1
        const QString db = folder.path() + QStringLiteral("\\db");
        QCOMPARE(syllables::hyphenated(QStringLiteral("Fenster"), db), QStringLiteral("Fen-ster"));
        QCOMPARE(syllables::hyphenated(QStringLiteral("Tomate"), db), QStringLiteral("To-ma-te"));
        syllables::Table table;
        QCOMPARE(table.parse(QStringLiteral("Ba-na-ne\n# nur Kommentar\n\nkein Wort!\nA--b\n")), (QList<int>{4, 5}));
        const check::Report report = check::examine(folder.db(), false);
        const QString listing = check::text(report);
        QVERIFY2(listing.contains(QStringLiteral("ist nicht in UTF-8 geschrieben")), qPrintable(listing));
        QVERIFY2(listing.contains(QStringLiteral("Zeile 5 hat nicht die Form „Ba-na-ne“ und wird übergangen")),
                 qPrintable(listing));
        QVERIFY(!listing.contains(QStringLiteral("Zeile 1 hat")));
        QVERIFY(!listing.contains(QStringLiteral("Zeile 2 hat")));
    }

    void theSettingsAndTheCommandLineSwitchThemOn() {
        QCOMPARE(options::Options{}.syllables, false);
        QCOMPARE(options::Options{}.soundHelp, false);
        QTemporaryDir dir;
        const settings::Files files{dir.filePath("alle.conf"), dir.filePath("meine.conf"), {}};
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
