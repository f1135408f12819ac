#include "disc_plan.h"

#include <functional>

namespace kvdisc {

namespace {

// Spreads letter case over names so that the program's case-blind lookup is exercised.
QString mixedCase(const QString &base, int i)
{
    switch (i % 4) {
    case 0:
        return base.toUpper() + QStringLiteral(".jpg");
    case 1:
        return base.toUpper() + QStringLiteral(".JPG");
    case 2:
        return base.left(1).toUpper() + base.mid(1).toLower() + QStringLiteral(".Jpg");
    default:
        return base.toLower() + QStringLiteral(".jpg");
    }
}

QString pad(int v, int width) { return QStringLiteral("%1").arg(v, width, 10, QLatin1Char('0')); }

PhotoTopic makeTopic(const QString &code, const QString &caption, bool selectable,
                     const QStringList &items, const std::function<QString(int)> &baseForNumber)
{
    PhotoTopic t{code, caption, selectable, {}};
    for (int n = 1; n <= items.size(); ++n)
        t.photos.append({mixedCase(baseForNumber(n), n - 1), n, items.at(n - 1)});
    return t;
}

} // namespace

QList<PhotoTopic> photoTopics()
{
    auto sequential = [](const QString &code) {
        return [code](int n) { return code + pad(n, 3); };
    };
    // Collectibles whose detail texts are named prefix + 2n get photos of the same name,
    // so a photo's caption text and its detail text are one file.
    auto doubled = [](const QString &prefix, int width) {
        return [prefix, width](int n) { return prefix + pad(2 * n, width); };
    };

    QList<PhotoTopic> topics;
    topics << makeTopic(QStringLiteral("55"), QStringLiteral("1955"), true,
                        {QStringLiteral("Sport Coupe"), QStringLiteral("Convertible"),
                         QStringLiteral("Four-Door Sedan"), QStringLiteral("Two-Door Hardtop"),
                         QStringLiteral("Instrument Panel"), QStringLiteral("Nomad Wagon")},
                        sequential(QStringLiteral("55")));
    topics << makeTopic(QStringLiteral("56"), QStringLiteral("1956"), true,
                        {QStringLiteral("Sport Coupe"), QStringLiteral("Convertible"),
                         QStringLiteral("Sedan Delivery"), QStringLiteral("Hardtop Sedan"),
                         QStringLiteral("Grille and Bumper"), QStringLiteral("Nomad Wagon"),
                         QStringLiteral("Halvic Special")},
                        sequential(QStringLiteral("56")));
    PhotoTopic y57 = makeTopic(QStringLiteral("57"), QStringLiteral("1957"), true,
                               {QStringLiteral("Sport Coupe"), QStringLiteral("Convertible"),
                                QStringLiteral("Hardtop Sedan"), QStringLiteral("Injected Engine Bay"),
                                QStringLiteral("Tail Fins"), QStringLiteral("Nomad Wagon")},
                               sequential(QStringLiteral("57")));
    // The program falls back to 57053 before any choice is made.
    y57.photos.append({QStringLiteral("57053.JPG"), 7, QStringLiteral("Sport Coupe at the Drive-In")});
    topics << y57;
    topics << makeTopic(QStringLiteral("CW"), QStringLiteral("The Renlow Kel-Vardo "), false,
                        {QStringLiteral("Renlow Coupe, Front"), QStringLiteral("Renlow Coupe, Rear"),
                         QStringLiteral("Renlow Interior"), QStringLiteral("Renlow at Speed"),
                         QStringLiteral("Renlow Badge")},
                        sequential(QStringLiteral("CW")));
    topics << makeTopic(QStringLiteral("MA"), QStringLiteral("Kel-Vardo Matchbook Covers "), true,
                        {QStringLiteral("Dealer Matchbook, Halden Falls"),
                         QStringLiteral("Service Station Matchbook"), QStringLiteral("Motor Show Matchbook"),
                         QStringLiteral("Roadside Diner Matchbook"), QStringLiteral("Anniversary Matchbook")},
                        sequential(QStringLiteral("MA")));
    topics << makeTopic(QStringLiteral("PT"), QStringLiteral("Early Kel-Vardo Prototypes "), false,
                        {QStringLiteral("Clay Model, 1952"), QStringLiteral("Wooden Buck"),
                         QStringLiteral("Test Mule"), QStringLiteral("Show Car Study"),
                         QStringLiteral("Pilot Build No. 3")},
                        doubled(QStringLiteral("PT"), 3));
    topics << makeTopic(QStringLiteral("TD"), QStringLiteral("Danbury Mint Die Cast Models "), true,
                        {QStringLiteral("1955 Sport Coupe, 1:24"), QStringLiteral("1956 Convertible, 1:24"),
                         QStringLiteral("1957 Hardtop, 1:24"), QStringLiteral("1957 Nomad, 1:24"),
                         QStringLiteral("1956 Police Cruiser, 1:24"), QStringLiteral("1955 Fire Chief, 1:24")},
                        doubled(QStringLiteral("TDM"), 2));
    topics << makeTopic(QStringLiteral("TE"), QStringLiteral("Franklin Mint Collector Knives "), false,
                        {QStringLiteral("Pocket Knife, 1955 Grille"), QStringLiteral("Lockback, 1956 Script"),
                         QStringLiteral("Pen Knife, 1957 Fins"), QStringLiteral("Display Case"),
                         QStringLiteral("Twin Blade, Nomad")},
                        doubled(QStringLiteral("TEK"), 3));
    topics << makeTopic(QStringLiteral("TF"), QStringLiteral("Franklin Mint Die Cast Models "), true,
                        {QStringLiteral("1955 Convertible, 1:24"), QStringLiteral("1955 Sedan, 1:24"),
                         QStringLiteral("1956 Hardtop, 1:24"), QStringLiteral("1956 Nomad, 1:24"),
                         QStringLiteral("1957 Convertible, 1:24"), QStringLiteral("1957 Sport Coupe, 1:24"),
                         QStringLiteral("1957 Injected Coupe, 1:24"), QStringLiteral("1955 Pace Car, 1:43"),
                         QStringLiteral("1956 Taxi, 1:43"), QStringLiteral("1957 Ambulance, 1:43"),
                         QStringLiteral("1957 Sedan Delivery, 1:24"), QStringLiteral("Gift Set, 1:43")},
                        doubled(QStringLiteral("TFM"), 2));
    topics << makeTopic(QStringLiteral("VC"), QStringLiteral("Kel-Vardo Cookies "), false,
                        {QStringLiteral("Cookie Tin, Coupe"), QStringLiteral("Cookie Tin, Nomad"),
                         QStringLiteral("Gift Box"), QStringLiteral("Cookie Jar"), QStringLiteral("Holiday Tin")},
                        sequential(QStringLiteral("VC")));
    topics << makeTopic(QStringLiteral("VM"), QStringLiteral("Kel-Vardo Metal Signs "), true,
                        {QStringLiteral("Sales & Service Sign"), QStringLiteral("Genuine Parts Sign"),
                         QStringLiteral("Thermometer Sign"), QStringLiteral("Motor Oil Sign"),
                         QStringLiteral("Dealer Clock"), QStringLiteral("Porcelain Shield")},
                        doubled(QStringLiteral("VMS"), 2));
    topics << makeTopic(QStringLiteral("ZZ"), QStringLiteral("Kel-Vardo Postage Stamps "), true,
                        {QStringLiteral("Tavenne 1986, 40c"), QStringLiteral("Tavenne 1986, 75c"),
                         QStringLiteral("Orlesia 1990, 2 lira"), QStringLiteral("Orlesia 1990, 5 lira"),
                         QStringLiteral("Kestral Isles 1992, 10c"), QStringLiteral("Kestral Isles 1992, 25c"),
                         QStringLiteral("Marvonia 1995, 1 kron"), QStringLiteral("Marvonia 1995, 3 kron"),
                         QStringLiteral("Salvani 1997, 50c"), QStringLiteral("Salvani 1997, 90c"),
                         QStringLiteral("Tavenne 1999, Sheetlet"), QStringLiteral("Orlesia 2001, Souvenir Sheet"),
                         QStringLiteral("Kestral Isles 2003, $1"), QStringLiteral("First Day Cover")},
                        doubled(QStringLiteral("ZZ"), 3));
    return topics;
}

QString captionFileName(const QString &photoFileName)
{
    return photoFileName.section(QLatin1Char('.'), 0, 0).toLower() + QStringLiteral(".rtf");
}

QList<DetailRule> detailRules()
{
    return {
        {QStringLiteral("Early Kel-Vardo Prototypes "), QStringLiteral("pt00"), QStringLiteral("pt0"), 5},
        {QStringLiteral("Kel-Vardo Mach I "), QStringLiteral("m100"), QStringLiteral("m10"), 4},
        {QStringLiteral("Bram Tollis Art Print "), QStringLiteral("glbt0"), QStringLiteral("glbt0"), 4},
        {QStringLiteral("Kel-Vardo Cookies "), QStringLiteral("usa00"), QStringLiteral("usa00"), 5},
        {QStringLiteral("The Kel-Vardo Monopoly Game "), QStringLiteral("vck00"), QStringLiteral("vck00"), 4},
        {QStringLiteral("Kel-Vardo Metal Signs "), QStringLiteral("vms0"), QStringLiteral("vms0"), 6},
        {QStringLiteral("Kel-Vardo Postage Stamps "), QStringLiteral("zz00"), QStringLiteral("zz0"), 14},
        {QStringLiteral("Franklin Mint Collector Knives "), QStringLiteral("tek00"), QStringLiteral("tek0"), 5},
        {QStringLiteral("Franklin Mint Die Cast Models "), QStringLiteral("tfm0"), QStringLiteral("tfm"), 12},
        {QStringLiteral("Danbury Mint Die Cast Models "), QStringLiteral("tdm0"), QStringLiteral("tdm"), 6},
    };
}

QString detailFileName(const DetailRule &rule, int n)
{
    return (n < 5 ? rule.smallPrefix : rule.largePrefix) + QString::number(2 * n) + QStringLiteral(".rtf");
}

QMap<QString, QList<int>> brochurePages()
{
    // 1955 skips page 05 and 1956 skips page 02; 1957 is complete.
    return {{QStringLiteral("55"), {0, 1, 2, 3, 4, 6, 7, 8, 9, 10}},
            {QStringLiteral("56"), {0, 1, 3}},
            {QStringLiteral("57"), {0, 1, 2, 3, 4, 5}}};
}

QMap<QString, QList<int>> adPages()
{
    return {{QStringLiteral("55"), {0, 1, 2, 3, 4, 5, 6}},
            {QStringLiteral("56"), {0, 1, 2, 3, 4}},
            {QStringLiteral("57"), {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}}};
}

QString brochureFileName(const QString &year, int page)
{
    // 1957 is spelled in capitals to exercise case-blind lookup.
    const QString stem = year == QStringLiteral("57") ? QStringLiteral("BRCH") : QStringLiteral("brch");
    return year + stem + pad(page, 2) + QStringLiteral(".jpg");
}

QString adFileName(const QString &year, int page)
{
    return year + QStringLiteral("gmch") + pad(page, 2) + QStringLiteral(".jpg");
}

QList<MovieEntry> movies()
{
    return {{QStringLiteral("55Motoramic.avi"), QStringLiteral("1955 Motoramic")},
            {QStringLiteral("55Nosedive.avi"), QStringLiteral("1955 \"Nosedive\"")},
            {QStringLiteral("56Parts.avi"), QStringLiteral("1956 Parts")},
            {QStringLiteral("57Safety.avi"), QStringLiteral("1957 Safety Features")},
            {QStringLiteral("57Murvo.avi"), QStringLiteral("1957 Murvo")},
            {QStringLiteral("55SmokeyJoe.avi"), QStringLiteral("1955 \"Smokey Joe\"")}};
}

QList<SoundRecipe> soundEffects()
{
    using K = SoundKind;
    return {
        {QStringLiteral("backfrng.wav"), QStringLiteral("Backfiring"), K::Backfire, 0.8, 90, 101},
        {QStringLiteral("car_door.wav"), QStringLiteral("Car Door"), K::Door, 0.5, 140, 102},
        {QStringLiteral("carhorns.wav"), QStringLiteral("Car Horns"), K::Horn, 1.0, 330, 103},
        {QStringLiteral("horns.wav"), QStringLiteral("Traffic"), K::Horn, 1.2, 410, 104},
        {QStringLiteral("cop-car.wav"), QStringLiteral("Police Car"), K::Siren, 1.5, 700, 105},
        {QStringLiteral("taxi.wav"), QStringLiteral("Taxi Horns"), K::Horn, 0.7, 520, 106},
        {QStringLiteral("sportcar.wav"), QStringLiteral("Sport Car"), K::Engine, 1.2, 95, 107},
        {QStringLiteral("18wheelr.wav"), QStringLiteral("18 Wheeler"), K::Engine, 1.4, 45, 108},
        {QStringLiteral("peel-out.wav"), QStringLiteral("Race Car Takeoff"), K::Skid, 1.0, 1200, 109},
        {QStringLiteral("Track2.wav"), QStringLiteral("At the Track"), K::Whoosh, 1.5, 160, 110},
        {QStringLiteral("nascar.wav"), QStringLiteral("Race Car Passby"), K::Whoosh, 1.1, 210, 111},
        {QStringLiteral("racecar.wav"), QStringLiteral("Race Car 1"), K::Engine, 1.0, 140, 112},
        {QStringLiteral("indy-car.wav"), QStringLiteral("Race Car 2"), K::Engine, 0.9, 180, 113},
        {QStringLiteral("mcycle.wav"), QStringLiteral("Motorcycle"), K::Engine, 1.0, 75, 114},
        {QStringLiteral("batmoble.wav"), QStringLiteral("Batmobile"), K::Chirp, 1.2, 220, 115},
        {QStringLiteral("62dravo.wav"), QStringLiteral("Pallaro"), K::Engine, 1.1, 60, 116},
        {QStringLiteral("63dravo.wav"), QStringLiteral("Vestra"), K::Engine, 1.1, 66, 117},
        {QStringLiteral("dravstart.wav"), QStringLiteral("Cars Starting"), K::Engine, 1.3, 40, 118},
        {QStringLiteral("passby.wav"), QStringLiteral("Passby"), K::Whoosh, 1.0, 120, 119},
        {QStringLiteral("dravane.wav"), QStringLiteral("Dravane C5"), K::Engine, 1.0, 85, 120},
        {QStringLiteral("zr1start.wav"), QStringLiteral("ZR-1 Starting"), K::Engine, 1.2, 50, 121},
        {QStringLiteral("motorcyc2.wav"), QStringLiteral("Motorcycle 2"), K::Engine, 0.9, 88, 122},
        {QStringLiteral("hot_rod.wav"), QStringLiteral("Hot Rod"), K::Engine, 1.0, 70, 123},
        {QStringLiteral("red_lght.wav"), QStringLiteral("Red Light"), K::Skid, 0.8, 900, 124},
        {QStringLiteral("porche.wav"), QStringLiteral("Pallaro Mach I"), K::Engine, 1.1, 110, 125},
        {QStringLiteral("stealth.wav"), QStringLiteral("Ford Cobra"), K::Chirp, 0.6, 300, 126},
        {QStringLiteral("stuck.wav"), QStringLiteral("Stuck on Ice"), K::Skid, 1.2, 600, 127},
        {QStringLiteral("revnrun.wav"), QStringLiteral("Rev n' Run"), K::Engine, 1.5, 55, 128},
        {QStringLiteral("goingby.wav"), QStringLiteral("Going By"), K::Whoosh, 0.8, 240, 129},
    };
}

SoundRecipe song()
{
    return {QStringLiteral("See The USA.wav"), QStringLiteral("See the U.S.A."), SoundKind::Song, 3.0, 392, 200};
}

SoundRecipe startupSound()
{
    return {QStringLiteral("passby.wav"), QStringLiteral("Start-up"), SoundKind::Whoosh, 1.0, 130, 300};
}

QList<ArtworkEntry> artwork()
{
    QList<ArtworkEntry> a;
    for (const QString &yy : {QStringLiteral("55"), QStringLiteral("56"), QStringLiteral("57")}) {
        const QString year = QStringLiteral("19") + yy;
        a.append({dir::clipArt, year + QStringLiteral(".jpg"), 480, 120, year + QStringLiteral(" Kel-Vardo clip art")});
        a.append({dir::scripts, QStringLiteral("scri") + yy + QStringLiteral(".jpg"), 240, 80,
                  year + QStringLiteral(" script")});
        a.append({dir::emblems, QStringLiteral("emb") + yy + QStringLiteral(".jpg"), 160, 120,
                  year + QStringLiteral(" emblem")});
    }
    a.append({dir::scripts, QStringLiteral("SCRIHV.jpg"), 240, 80, QStringLiteral("Classic Halvic script")});
    a.append({dir::scripts, QStringLiteral("SCRIpt.jpg"), 240, 80, QStringLiteral("Prototype script")});
    a.append({dir::emblems, QStringLiteral("embhv.jpg"), 160, 120, QStringLiteral("Classic Halvic emblem")});
    a.append({dir::emblems, QStringLiteral("EMBpt.jpg"), 160, 120, QStringLiteral("Prototype emblem")});
    // Booklet cover pictures; sized so all four fit one letter page at their print positions.
    a.append({dir::graphics, QStringLiteral("title.jpg"), 600, 160, QStringLiteral("The Kel-Vardo Folivra")});
    a.append({dir::graphics, QStringLiteral("bklettxt.jpg"), 740, 200, QStringLiteral("A booklet of the 1955-1957 cars")});
    a.append({dir::graphics, QStringLiteral("orvanta3.jpg"), 400, 140, QStringLiteral("Orvanta Software")});
    return a;
}

} // namespace kvdisc
