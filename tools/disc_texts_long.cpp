#include "disc_texts.h"

#include "rtf_builder.h"

namespace kvdisc {

namespace {

QString yearOf(int yy) { return QStringLiteral("19") + QString::number(yy); }

const char *const kMonths[] = {"September", "October", "November", "December", "January", "February",
                               "March",     "April",   "May",      "June",     "July",    "August"};

// One diary paragraph per month; the pieces rotate so that no two read alike.
QString diaryEntry(int yy, int month)
{
    static const char *const events[] = {
        "the assembly line at Halden Falls reached its planned rate of fifty cars an hour",
        "dealers reported waiting lists for the Sport Coupe in the southern districts",
        "the engineering staff released a revised carburettor linkage for the V8",
        "a strike at a glass supplier slowed deliveries of Nomad tailgate windows",
        "the press fleet toured the mountain roads west of Westmere",
        "the thousandth Convertible was driven off the line by the plant manager",
        "a running change moved the fuel filler behind the left tail lamp",
        "paint shop trials of the new two-tone schemes were completed",
        "export versions with right-hand drive began to leave for overseas markets",
        "the Division's stylists showed the next year's clay model to the board",
        "the owners' club held its first national meet at Lake Orrin",
        "production wound down to make room for the retooling of the body shop"};
    static const char *const comments[] = {
        "Collectors today look for cars built in this month because of the early trim details.",
        "Surviving build sheets from these weeks are rare and prized.",
        "The change can be spotted by the shape of the bracket under the dash.",
        "Dealer bulletins of the time describe the matter in some detail.",
        "Period photos show the cars parked in long rows outside the plant.",
        "Several of these cars survive in museum collections."};
    const int i = (month + yy) % 12;
    const int j = (month * 5 + yy) % 6;
    const int cars = 18000 + ((month * 7919 + yy * 104729) % 9000);
    return QStringLiteral("**%1 %2.** In %1 %3, and %4 cars were built. %5")
        .arg(QString::fromLatin1(kMonths[month]))
        .arg(month < 4 ? yy - 1 + 1900 : yy + 1900)
        .arg(QString::fromLatin1(events[i]))
        .arg(cars)
        .arg(QString::fromLatin1(comments[j]));
}

} // namespace

QByteArray yearDescriptionRtf(int yy)
{
    const QString y = yearOf(yy);
    RtfBuilder b;
    b.title(QStringLiteral("The ") + y + QStringLiteral(" Kel-Vardo"));
    b.centered(QStringLiteral("//A description of the model year, its styling, engines and production.//"));

    b.heading(QStringLiteral("Overview"));
    switch (yy) {
    case 55:
        b.para(QStringLiteral("The **1955 Kel-Vardo** was the first car of the line and a clean break "
                              "with the Murvo Motor Division's rounded post-war sedans. It was lower, "
                              "lighter and brighter, with an egg-crate grille, a wrap-around windshield "
                              "and, for the first time, an optional ^^Tempest V8^^."));
        b.para(QStringLiteral("Buyers could choose among three series \u2013 Carrel, Stanza and Folivra "
                              "\u2013 and a dozen body styles, from the plain two-door sedan to the Nomad "
                              "sport wagon."));
        break;
    case 56:
        b.para(QStringLiteral("For **1956** the Kel-Vardo received a full-width grille, larger parking "
                              "lamps and a fuel filler hidden behind the left tail lamp. The Tempest V8 "
                              "gained a ^^Power Pack^^ with a four-barrel carburettor and dual exhaust."));
        b.para(QStringLiteral("A four-door hardtop joined the line in the Stanza and Folivra series, and "
                              "the Classic Halvic roadster was shown to the press in the spring."));
        break;
    default:
        b.para(QStringLiteral("The **1957 Kel-Vardo** is the car most people picture when the name is "
                              "mentioned: sharp tail fins, a broad bumper grille, twin hood spears and "
                              "the option of ^^Ram-Flow^^ fuel injection, a first in its price class."));
        b.para(QStringLiteral("It was the last year of the body first shown in 1955, and the Division "
                              "spent more on its face-lift than on any car before it."));
        break;
    }

    b.heading(QStringLiteral("Styling"));
    b.para(QStringLiteral("Chief stylist Edda Lorimer wanted a car that looked fast standing still. The "
                          "belt line runs straight from headlamp to tail lamp, broken only by a dip "
                          "behind the door that later owners called the //Kel-Vardo kink//. Two-tone "
                          "paint follows the side moulding, so the colours meet where the eye already "
                          "travels."));
    b.para(QStringLiteral("Inside, the dashboard repeats the grille pattern in its speaker panel. The "
                          "instruments sit in a single hooded pod in front of the driver, and the "
                          "glove box carries the model-year script in gold-anodised aluminium on "
                          "Folivra cars."));

    b.heading(QStringLiteral("Body styles"));
    b.table({{QStringLiteral("Body"), QStringLiteral("Doors"), QStringLiteral("Seats"),
              QStringLiteral("Series")},
             {QStringLiteral("Sedan"), QStringLiteral("2"), QStringLiteral("6"), QStringLiteral("Carrel, Stanza")},
             {QStringLiteral("Sedan"), QStringLiteral("4"), QStringLiteral("6"), QStringLiteral("all")},
             {QStringLiteral("Sport Coupe"), QStringLiteral("2"), QStringLiteral("5"),
              QStringLiteral("Stanza, Folivra")},
             {QStringLiteral("Convertible"), QStringLiteral("2"), QStringLiteral("5"), QStringLiteral("Folivra")},
             {QStringLiteral("Nomad Wagon"), QStringLiteral("2"), QStringLiteral("6"), QStringLiteral("Folivra")},
             {QStringLiteral("Sedan Delivery"), QStringLiteral("2"), QStringLiteral("2"), QStringLiteral("Carrel")}},
            {2600, 1200, 1200, 3000});

    b.heading(QStringLiteral("Engines and drive train"));
    b.para(QStringLiteral("The **Steadfast Six** carried over from earlier Murvo cars with new hydraulic "
                          "lifters. The **Tempest V8** was new: short stroke, light, and eager to rev. "
                          "Transmissions were a three-speed manual, the same with overdrive, or the "
                          "two-speed //Glide-Shift// automatic."));
    if (yy == 57)
        b.para(QStringLiteral("The **Ram-Flow** injection system metered fuel continuously into each "
                              "intake port. It was costly, needed careful tuning, and was fitted to only "
                              "a few thousand cars, which is why an injected 1957 car commands the highest "
                              "prices today."));

    b.heading(QStringLiteral("Chassis"));
    b.para(QStringLiteral("A box-section perimeter frame, ball-joint front suspension and semi-elliptic "
                          "rear springs gave the car a ride that testers called //firm but forgiving//. "
                          "Brakes were drums all round; power assistance was an option from 1955 on."));

    // The 1957 text is long enough for several printed pages.
    const int months = yy == 57 ? 12 : 4;
    b.heading(QStringLiteral("Production diary"));
    for (int m = 0; m < months; ++m)
        b.para(diaryEntry(yy, m));
    if (yy == 57) {
        b.pageBreak();
        b.heading(QStringLiteral("Identifying a 1957 car"));
        const QStringList tips{
            QStringLiteral("The serial number plate is riveted to the left front door pillar."),
            QStringLiteral("The first letter of the serial number gives the series: C, S or F."),
            QStringLiteral("The fifth character is the assembly plant: H for Halden Falls, W for Westmere."),
            QStringLiteral("Injected cars carry a small ^^Ram-Flow^^ script on each front fender."),
            QStringLiteral("The body tag under the hood names the paint code and the trim code."),
            QStringLiteral("Nomads have a stamped tailgate number that should match the body tag."),
            QStringLiteral("Original glass is etched with a date code of the glass maker."),
            QStringLiteral("Folivra cars have the gold script on the glove box door.")};
        for (const QString &t : tips)
            b.bullet(t);
        b.heading(QStringLiteral("Contemporary road tests"));
        for (int i = 0; i < 6; ++i)
            b.para(QStringLiteral("**Test %1.** The testers drove a %2 for %3 miles over city streets, "
                                  "highways and a gravel pass. They praised the steering and the brakes, "
                                  "found the rear seat roomy for three, and measured a best speed of "
                                  "%4 miles an hour. Fuel consumption averaged %5 miles to the gallon; "
                                  "//\u201cthe most car for the money this year\u201d//, one of them wrote.")
                       .arg(i + 1)
                       .arg(i % 2 ? QStringLiteral("Folivra Sport Coupe") : QStringLiteral("Stanza four-door"))
                       .arg(800 + 150 * i)
                       .arg(104 + 3 * i)
                       .arg(14 + (i % 4)));
        b.heading(QStringLiteral("Restoration notes"));
        const QStringList areas{QStringLiteral("body and paint"), QStringLiteral("chrome and stainless trim"),
                                QStringLiteral("interior and upholstery"), QStringLiteral("engine and fuel system"),
                                QStringLiteral("brakes and suspension"), QStringLiteral("electrical system"),
                                QStringLiteral("glass and weather seals"), QStringLiteral("wheels and tyres")};
        for (qsizetype i = 0; i < areas.size(); ++i)
            b.para(QStringLiteral("**%1 \u2013 %2.** Start by photographing every part before it is removed "
                                  "and label each fastener; the factory used several thread pitches that "
                                  "look alike. Compare your parts with the assembly manual rather than with "
                                  "other restored cars, because many of those carry later replacements. "
                                  "Where original parts are worn beyond repair, prefer reproductions that "
                                  "carry the correct markings, and keep the old pieces with the car so the "
                                  "next owner can see what was done. A careful restorer spends about %3 "
                                  "hours on this area alone.")
                       .arg(i + 1)
                       .arg(areas.at(i))
                       .arg(40 + 25 * i));
    }
    b.heading(QStringLiteral("See also"));
    b.para(QStringLiteral("The **Options**, **Statistics** and **Colors** buttons open the ") + y
           + QStringLiteral(" tables; **Nostalgia** tells what it was like to own one."));
    return b.finish();
}

QByteArray nostalgiaRtf(int yy)
{
    const QString y = yearOf(yy);
    RtfBuilder b;
    b.title(QStringLiteral("Nostalgia ") + y);
    b.centered(QStringLiteral("//Memories of owners, dealers and passers-by//"));
    const QStringList voices{QStringLiteral("a retired dealer from Westmere"),
                             QStringLiteral("a schoolteacher who bought hers new"),
                             QStringLiteral("the son of a taxi driver"),
                             QStringLiteral("a racer at the county fairground"),
                             QStringLiteral("a mechanic who serviced them for forty years"),
                             QStringLiteral("a collector who found one in a barn")};
    const QStringList memories{
        QStringLiteral("The showroom smelled of new carpet and floor wax, and on the first evening "
                       "there were so many people that we locked the doors and let them in ten at a time."),
        QStringLiteral("I chose the two-tone paint because it matched my Sunday coat. The salesman said "
                       "nobody had ever picked a car that way before, and then three more ladies did "
                       "the same that week."),
        QStringLiteral("Father drove it twelve hours a day. At night he parked it under the street lamp "
                       "so he could see it from the kitchen window."),
        QStringLiteral("We took the back seat out to save weight and painted the number on the doors "
                       "with house paint. It won more often than it had any right to."),
        QStringLiteral("The engine would run on almost anything and forgive almost anything. The same "
                       "could not be said of the owners who kept bringing them back."),
        QStringLiteral("Under thirty years of hay there it was, the chrome still bright where the "
                       "straw had covered it. It started on the second day."),
        QStringLiteral("On our honeymoon we drove the Nomad to the mountains with the tailgate down and "
                       "a picnic basket in the back. We still have the road map, folded the wrong way."),
        QStringLiteral("The first winter the heater was so good that the whole family squeezed in just "
                       "to get warm before church."),
        QStringLiteral("Every Saturday the boys on our street washed it for a quarter each, and every "
                       "Saturday it rained by evening."),
        QStringLiteral("When the injected coupe came in, the service manager would not let anyone else "
                       "touch it. He tuned it by ear, with his eyes closed.")};
    const int stories = yy == 57 ? 24 : 6;
    for (int i = 0; i < stories; ++i) {
        b.heading(QStringLiteral("Story %1").arg(i + 1));
        b.para(QStringLiteral("//As told by %1.//").arg(voices.at((i + yy) % voices.size())));
        b.indented(QStringLiteral("\u201c") + memories.at((i * 5 + yy) % memories.size())
                   + QStringLiteral("\u201d"));
        b.para(QStringLiteral("The %1 summer is remembered for its long drives to the coast, the "
                              "drive-in theatres along Route 9 and the evenings when the whole street "
                              "came out to look at the new car. Gasoline cost a few cents a gallon and a "
                              "tank lasted a week.")
                   .arg(y));
    }
    return b.finish();
}

QByteArray introductionRtf()
{
    RtfBuilder b;
    b.title(QStringLiteral("Introduction"));
    b.para(QStringLiteral("Welcome to **The Kel-Vardo Folivra**, a reference to the Kel-Vardo cars of "
                          "1955, 1956 and 1957 and to the collectibles they inspired."));
    b.heading(QStringLiteral("Getting around"));
    b.bullet(QStringLiteral("Click a **year button** to see that year's photos; step with the arrows or "
                            "the **,** and **.** keys."));
    b.bullet(QStringLiteral("Open the **Description**, **Options**, **Statistics** and **Colors** of the year."));
    b.bullet(QStringLiteral("Page through the **Brochures** and **Ads** of the year."));
    b.bullet(QStringLiteral("Choose a collection from the //KelVardo Stuff// menu."));
    b.bullet(QStringLiteral("Watch the **Movies** and play the **Sound Effects**."));
    b.heading(QStringLiteral("About this disc"));
    b.para(QStringLiteral("Every picture shows its own file name, so you always know which file is "
                          "displayed. The texts describe a fictional car line."));
    b.para(QStringLiteral("^^Enjoy the ride!^^"));
    return b.finish();
}

} // namespace kvdisc
