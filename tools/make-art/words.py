# SPDX-License-Identifier: GPL-3.0-or-later
"""The word pictures and the collections a teacher chooses from.

Every word is written exactly as the child types it, with the emoji that shows it. Each
picture was looked at 100 x 100 px on a contact sheet for a name a six-year-old would give
it instead; words whose picture a child names otherwise are left out, with the word the
child would rather say: Huhn/Hahn (either), Krake (Tintenfisch), Wolf (Hund), Robbe
(Seehund), Schwan (Gans), Esel and Hirsch (drawing unclear, Reh), Gorilla (Affe), Trauben
(Weintrauben), Möhre (Karotte), Torte (Kuchen), Lolli (Lutscher), Muffin and Donut
(spelling), Wecker (Uhr), Boot (Segelboot), Schirm (Regenschirm), Ballon (Luftballon), Stift
(Bleistift), Geist (Gespenst), Ball (Fußball), Burg (Schloss), Krawatte (Hemd), Taxi (Auto),
Traktor (Trecker), Drachen (Drache), Lampe (Glühbirne), Toilette (Klo), Teddy (Teddybär),
Mütze (Kappe), Rose and Tulpe (Blume), Mund (Lippen), Krebs (Krabbe), Hotdog (Wurst),
Lastwagen (Laster), Mandarine (Orange), Taube and Gans (Vogel, Ente), Hamster (Maus),
Eisbär (Bär), Knoblauch (Zwiebel), Pfirsich (Apfel), Nudeln (Spaghetti), Blumentopf
(Pflanze), Heft (Buch), Handtasche (Tasche), Holz (Baumstamm), Zauberhut (Zylinder), Maler
(Künstler), Sänger (Rockstar), Radio (an old one). Left out because the drawing does not
show it to a child: Waschbär, Briefkasten (not the German one), Kalender (an English
month), Fee (too small), Engel (no wings). Left out because the syllable patterns split
them otherwise than a first grade does: Bikini (Biki-ni), Rennauto (Ren-nau-to), Skateboard
(English: Ska-te-bo-ard).
"""

WORDS = [
    # animals
    ("Hund", "dog"), ("Katze", "cat"), ("Maus", "mouse"), ("Fisch", "fish"),
    ("Vogel", "bird"), ("Kuh", "cow"), ("Igel", "hedgehog"), ("Ente", "duck"),
    ("Bär", "bear"), ("Löwe", "lion"), ("Pferd", "horse"), ("Schwein", "pig"),
    ("Schaf", "ewe"), ("Hase", "rabbit"), ("Frosch", "frog"), ("Affe", "monkey"),
    ("Elefant", "elephant"), ("Giraffe", "giraffe"), ("Zebra", "zebra"),
    ("Tiger", "tiger"), ("Biene", "honeybee"), ("Schnecke", "snail"),
    ("Spinne", "spider"), ("Schlange", "snake"), ("Wal", "whale"), ("Hai", "shark"),
    ("Eule", "owl"), ("Pinguin", "penguin"), ("Fuchs", "fox"), ("Wurm", "worm"),
    ("Käfer", "beetle"), ("Krokodil", "crocodile"), ("Ziege", "goat"),
    ("Kamel", "two-hump-camel"), ("Schildkröte", "turtle"), ("Küken", "front-facing-baby-chick"),
    ("Papagei", "parrot"), ("Flamingo", "flamingo"), ("Delfin", "dolphin"),
    ("Qualle", "jellyfish"), ("Känguru", "kangaroo"), ("Koala", "koala"), ("Panda", "panda"),
    ("Nashorn", "rhinoceros"), ("Nilpferd", "hippopotamus"), ("Ameise", "ant"),
    ("Marienkäfer", "lady-beetle"), ("Fliege", "fly"), ("Dinosaurier", "sauropod"),
    ("Einhorn", "unicorn"), ("Pfau", "peacock"), ("Lama", "llama"), ("Fledermaus", "bat"),
    ("Skorpion", "scorpion"), ("Eidechse", "lizard"), ("Tintenfisch", "octopus"),
    ("Faultier", "sloth"), ("Mammut", "mammoth"),
    ("Raupe", "bug"), ("Krabbe", "crab"), ("Kugelfisch", "blowfish"),
    ("Stinktier", "skunk"),
    # fruit and vegetables
    ("Apfel", "red-apple"), ("Banane", "banana"), ("Birne", "pear"),
    ("Kirschen", "cherries"), ("Erdbeere", "strawberry"), ("Zitrone", "lemon"),
    ("Tomate", "tomato"), ("Pilz", "mushroom"), ("Melone", "watermelon"),
    ("Mais", "ear-of-corn"), ("Gurke", "cucumber"), ("Ananas", "pineapple"),
    ("Karotte", "carrot"), ("Weintrauben", "grapes"), ("Kartoffel", "potato"),
    ("Zwiebel", "onion"), ("Paprika", "bell-pepper"), ("Brokkoli", "broccoli"),
    ("Kokosnuss", "coconut"), ("Kiwi", "kiwi-fruit"),
    ("Avocado", "avocado"), ("Aubergine", "eggplant"), ("Erdnuss", "peanuts"),
    ("Salat", "green-salad"), ("Erbsen", "pea-pod"),
    # food and drink
    ("Brot", "bread"), ("Ei", "egg"), ("Eis", "soft-ice-cream"), ("Käse", "cheese-wedge"),
    ("Kuchen", "shortcake"), ("Pizza", "pizza"), ("Milch", "glass-of-milk"),
    ("Honig", "honey-pot"), ("Keks", "cookie"), ("Brezel", "pretzel"),
    ("Pommes", "french-fries"), ("Popcorn", "popcorn"),
    ("Schokolade", "chocolate-bar"), ("Bonbon", "candy"), ("Lutscher", "lollipop"),
    ("Waffel", "waffle"), ("Pfannkuchen", "pancakes"), ("Sandwich", "sandwich"),
    ("Spiegelei", "cooking"),
    # at home
    ("Haus", "house"), ("Uhr", "mantelpiece-clock"), ("Kerze", "candle"),
    ("Schlüssel", "key"), ("Tasse", "hot-beverage"), ("Löffel", "spoon"), ("Bett", "bed"),
    ("Stuhl", "chair"), ("Tür", "door"), ("Fenster", "window"), ("Besen", "broom"),
    ("Eimer", "bucket"), ("Hammer", "hammer"), ("Brief", "envelope"), ("Schere", "scissors"),
    ("Sofa", "couch-and-lamp"), ("Badewanne", "bathtub"), ("Dusche", "shower"),
    ("Spiegel", "mirror"), ("Seife", "soap"), ("Schwamm", "sponge"),
    ("Zahnbürste", "toothbrush"), ("Teekanne", "teapot"), ("Telefon", "telephone"),
    ("Handy", "mobile-phone"), ("Fernseher", "television"),
    ("Laptop", "laptop"), ("Glühbirne", "light-bulb"), ("Korb", "basket"),
    ("Bild", "framed-picture"), ("Kamera", "camera"),
    ("Batterie", "battery"), ("Stecker", "electric-plug"), ("Magnet", "magnet"),
    ("Taschenlampe", "flashlight"), ("Säge", "carpentry-saw"), ("Axt", "axe"),
    ("Leiter", "ladder"), ("Schaufel", "shovel"), ("Hütte", "hut"),
    ("Paket", "package"), ("Nadel", "sewing-needle"),
    ("Wolle", "yarn"), ("Messer", "kitchen-knife"), ("Sanduhr", "hourglass-not-done"),
    ("Schloss", "locked"),
    # at school
    ("Buch", "closed-book"), ("Lineal", "straight-ruler"), ("Pinsel", "paintbrush"),
    ("Rucksack", "backpack"), ("Bleistift", "pencil"), ("Radiergummi", "eraser"),
    ("Globus", "globe-showing-europe-africa"),
    ("Lupe", "magnifying-glass-tilted-left"),
    ("Büroklammer", "paperclip"), ("Mikroskop", "microscope"),
    # clothes
    ("Hut", "womans-hat"), ("Schuh", "mans-shoe"), ("Brille", "glasses"), ("Hose", "jeans"),
    ("Kleid", "dress"), ("Socken", "socks"), ("Krone", "crown"), ("Mantel", "coat"),
    ("Schal", "scarf"), ("Handschuhe", "gloves"), ("Stiefel", "womans-boot"),
    ("Kappe", "billed-cap"), ("Badeanzug", "one-piece-swimsuit"),
    ("Ring", "ring"), ("Turnschuh", "running-shoe"),
    ("Sonnenbrille", "sunglasses"), ("Unterhose", "briefs"),
    # the body
    ("Hand", "raised-hand"), ("Fuß", "foot"), ("Nase", "nose"), ("Ohr", "ear"),
    ("Auge", "eye"), ("Zahn", "tooth"), ("Herz", "red-heart"), ("Bein", "leg"),
    ("Arm", "flexed-biceps"), ("Zunge", "tongue"), ("Gehirn", "brain"), ("Knochen", "bone"),
    ("Daumen", "thumbs-up"), ("Finger", "index-pointing-up"), ("Faust", "raised-fist"),
    ("Pflaster", "adhesive-bandage"), ("Thermometer", "thermometer"), ("Spritze", "syringe"),
    # vehicles
    ("Auto", "automobile"), ("Zug", "locomotive"), ("Bus", "bus"), ("Fahrrad", "bicycle"),
    ("Flugzeug", "airplane"), ("Rakete", "rocket"), ("Schiff", "ship"),
    ("Ampel", "vertical-traffic-light"), ("Polizeiauto", "police-car"),
    ("Feuerwehr", "fire-engine"), ("Krankenwagen", "ambulance"), ("Motorrad", "motorcycle"),
    ("Roller", "kick-scooter"), ("Hubschrauber", "helicopter"), ("Ufo", "flying-saucer"),
    ("Segelboot", "sailboat"), ("Kanu", "canoe"),
    ("Fallschirm", "parachute"), ("Schlitten", "sled"),
    ("Anker", "anchor"),
    # nature and weather
    ("Baum", "deciduous-tree"), ("Sonne", "sun"), ("Mond", "crescent-moon"),
    ("Blume", "blossom"), ("Stern", "star"), ("Wolke", "cloud"),
    ("Schneemann", "snowman-without-snow"), ("Feuer", "fire"), ("Blitz", "high-voltage"),
    ("Tanne", "evergreen-tree"), ("Kaktus", "cactus"), ("Regenbogen", "rainbow"),
    ("Regenschirm", "umbrella-with-rain-drops"), ("Schneeflocke", "snowflake"),
    ("Vulkan", "volcano"), ("Berg", "snow-capped-mountain"), ("Insel", "desert-island"),
    ("Welle", "water-wave"), ("Tropfen", "droplet"), ("Blatt", "maple-leaf"),
    ("Kleeblatt", "four-leaf-clover"), ("Sonnenblume", "sunflower"), ("Palme", "palm-tree"),
    ("Muschel", "spiral-shell"), ("Stein", "rock"),
    ("Kürbis", "jack-o-lantern"), ("Kastanie", "chestnut"), ("Nest", "nest-with-eggs"),
    ("Feder", "feather"), ("Planet", "ringed-planet"), ("Spinnennetz", "spider-web"),
    # playing and music
    ("Trommel", "drum"), ("Gitarre", "guitar"), ("Würfel", "game-die"),
    ("Geschenk", "wrapped-gift"), ("Glocke", "bell"), ("Zelt", "tent"),
    ("Fußball", "soccer-ball"), ("Basketball", "basketball"), ("Luftballon", "balloon"),
    ("Teddybär", "teddy-bear"), ("Puzzle", "puzzle-piece"), ("Jojo", "yo-yo"),
    ("Roboter", "robot"), ("Zauberstab", "magic-wand"), ("Geige", "violin"),
    ("Trompete", "trumpet"), ("Flöte", "flute"), ("Klavier", "musical-keyboard"),
    ("Mikrofon", "microphone"), ("Noten", "musical-notes"), ("Harfe", "harp"),
    ("Akkordeon", "accordion"), ("Kopfhörer", "headphone"), ("Rutsche", "playground-slide"),
    ("Riesenrad", "ferris-wheel"), ("Achterbahn", "roller-coaster"), ("Zirkus", "circus-tent"),
    ("Pokal", "trophy"), ("Bumerang", "boomerang"), ("Seifenblasen", "bubbles"),
    ("Clown", "clown-face"), ("Gespenst", "ghost"),
    ("Schlittschuh", "ice-skate"), ("Rollschuh", "roller-skate"), ("Angel", "fishing-pole"),
    ("Tor", "goal-net"), ("Ski", "skis"),
    ("Drache", "dragon"), ("Diamant", "gem-stone"), ("Münze", "coin"),
    # people
    ("Baby", "baby"), ("Oma", "old-woman"), ("Opa", "old-man"), ("Junge", "boy"),
    ("Mädchen", "girl"), ("Prinzessin", "princess"), ("Prinz", "prince"),
    ("Polizist", "police-officer"), ("Koch", "cook"), ("Astronaut", "astronaut"),
    ("Meerjungfrau", "mermaid"), ("Vampir", "vampire"),
    ("Zauberer", "mage"), ("Detektiv", "detective"),
    ("Bauer", "farmer"),
]


def _group(first, last):
    """The words of WORDS from `first` to `last`, both included, in their order."""
    names = [word for word, _ in WORDS]
    return names[names.index(first):names.index(last) + 1]


# The collections: a folder each, named as the teacher sees it. A word stands in every
# collection it fits; every collection has at least 15 words, so that a game can be won.
COLLECTIONS = {
    "Tiere": _group("Hund", "Stinktier"),
    "Obst und Gemüse": _group("Apfel", "Erbsen"),
    "Essen und Trinken": _group("Brot", "Spiegelei") + [
        "Apfel", "Banane", "Birne", "Kirschen", "Erdbeere", "Melone", "Tomate", "Karotte",
        "Gurke", "Tasse", "Löffel", "Messer", "Teekanne"],
    "Zuhause": _group("Haus", "Schloss"),
    "Schule": _group("Buch", "Mikroskop") + [
        "Schere", "Uhr", "Brief", "Laptop", "Magnet", "Sanduhr", "Glocke", "Würfel", "Brille"],
    "Kleidung": _group("Hut", "Unterhose"),
    "Körper": _group("Hand", "Spritze") + ["Zahnbürste", "Seife"],
    "Fahrzeuge": _group("Auto", "Anker"),
    "Natur und Wetter": _group("Baum", "Spinnennetz") + ["Pilz", "Igel", "Schnecke", "Wurm"],
    "Spielen und Musik": _group("Trommel", "Münze"),
    "Menschen": _group("Baby", "Bauer") + ["Clown"],
    # For the first weeks: the words of at most four letters, from every theme.
    "Kurze Wörter": [word for word, _ in WORDS if len(word) <= 4],
}
