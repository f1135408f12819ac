#include "disc_texts.h"

#include "rtf_builder.h"

namespace kvdisc {

namespace {

using S = QStringList;

QString yearOf(int yy) { return QStringLiteral("19") + QString::number(yy); }

// ---- Colours -------------------------------------------------------------------------

struct Paint {
    const char *code;
    const char *name;
    const char *combos;
};

QList<Paint> paints(int yy)
{
    switch (yy) {
    case 55:
        return {{"600", "Midnight Onyx", "solid; over Alpine White"},
                {"606", "Lakeshore Blue", "solid; under Alpine White"},
                {"610", "Prairie Gold", "two-tone with Midnight Onyx"},
                {"616", "Coral Dawn", "two-tone with Midnight Onyx"},
                {"620", "Meadow Mist", "solid; over Pine Ridge Green"},
                {"625", "Pine Ridge Green", "solid only"},
                {"630", "Alpine White", "every two-tone scheme"}};
    case 56:
        return {{"685", "Midnight Onyx", "solid; over Canyon Copper"},
                {"687", "Harborlight Gray", "under Alpine White"},
                {"690", "Lagoon Turquoise", "two-tone with Alpine White"},
                {"693", "Dusk Rose", "two-tone with Harborlight Gray"},
                {"697", "Canyon Copper", "solid; under Alpine White"},
                {"700", "Sunburst Yellow", "two-tone with Midnight Onyx"},
                {"705", "Alpine White", "every two-tone scheme"},
                {"708", "Larkhill Blue", "solid; under Alpine White"}};
    default:
        return {{"793", "Midnight Onyx", "solid; roof on Lagoon Turquoise"},
                {"795", "Silvermoon Gray", "under Alpine White"},
                {"797", "Lagoon Turquoise", "two-tone with Alpine White"},
                {"800", "Dusk Rose", "two-tone with Silvermoon Gray"},
                {"803", "Canyon Copper", "solid; under Alpine White"},
                {"806", "Prairie Gold", "two-tone with Midnight Onyx"},
                {"810", "Alpine White", "every two-tone scheme"},
                {"812", "Larkhill Blue", "solid; under Alpine White"},
                {"815", "Signal Red", "solid; over Alpine White"}};
    }
}

QByteArray colorsDoc(int yy)
{
    RtfBuilder b;
    b.title(yearOf(yy) + QStringLiteral(" Kel-Vardo Colors"));
    b.para(QStringLiteral("The paint chart below lists the exterior colours offered by the Murvo Motor "
                          "Division for the **") + yearOf(yy)
           + QStringLiteral("** Kel-Vardo. Codes are those stamped on the body tag under the hood."));
    QList<S> rows{{QStringLiteral("Code"), QStringLiteral("Colour"), QStringLiteral("Offered as")}};
    for (const Paint &p : paints(yy))
        rows.append({QString::fromLatin1(p.code), QString::fromLatin1(p.name), QString::fromLatin1(p.combos)});
    b.table(rows, {1100, 2600, 4600});
    b.heading(QStringLiteral("Interior trim"));
    b.para(QStringLiteral("Interiors came in cloth and vinyl matched to the body colour. Folivra models "
                          "added //silver-flecked// vinyl bolsters and a colour-keyed carpet."));
    b.para(QStringLiteral("^^Restorer's note:^^ paint chips in period dealer albums faded unevenly; match "
                          "a colour from a protected area such as the inside of the glove box door."));
    return b.finish();
}

// ---- Options -------------------------------------------------------------------------

QByteArray optionsDoc(int yy)
{
    const int bump = (yy - 55) * 6;
    RtfBuilder b;
    b.title(yearOf(yy) + QStringLiteral(" Kel-Vardo Options"));
    b.para(QStringLiteral("Factory and dealer options with their list prices in dollars. Prices are "
                          "those of the spring ") + yearOf(yy) + QStringLiteral(" dealer order guide."));
    QList<S> rows{{QStringLiteral("RPO"), QStringLiteral("Option"), QStringLiteral("Price")}};
    const QList<std::pair<const char *, int>> opts{
        {"Two-speed Glide-Shift automatic", 178}, {"Overdrive", 108},     {"Power steering", 92},
        {"Power brakes", 38},                     {"Radio, push-button", 90}, {"Heater and defroster", 72},
        {"Whitewall tyres", 32},                  {"Continental wheel kit", 125}, {"Electric clock", 18},
        {"Tinted glass", 27},                     {"Padded dash", 14},         {"Seat belts, front", 9}};
    int rpo = 300 + yy;
    for (const auto &[name, price] : opts)
        rows.append({QString::number(rpo++), QString::fromLatin1(name), QString::number(price + bump)});
    b.table(rows, {1000, 5200, 1500});
    b.heading(QStringLiteral("Engine choices"));
    b.bullet(QStringLiteral("**Steadfast Six**, 3.8 litres, standard in every series."));
    b.bullet(QStringLiteral("**Tempest V8**, 4.3 litres, ") + QString::number(162 + bump) + QStringLiteral(" hp."));
    if (yy >= 56)
        b.bullet(QStringLiteral("**Tempest V8 Power Pack**, four-barrel carburettor and dual exhaust."));
    if (yy == 57)
        b.bullet(QStringLiteral("**Ram-Flow** fuel injection, the first on a car of its price class."));
    b.para(QStringLiteral("//Dealer-installed accessories such as the tissue dispenser, compass and "
                          "spotlight are listed in the accessory catalogue, not here.//"));
    return b.finish();
}

// ---- Statistics ----------------------------------------------------------------------

QByteArray statsDoc(int yy)
{
    const QString y = yearOf(yy);
    RtfBuilder b;
    b.title(y + QStringLiteral(" Kel-Vardo Statistics"));
    b.heading(QStringLiteral("Specifications"));
    QList<S> params{{QStringLiteral("Item"), QStringLiteral("Six"), QStringLiteral("V8")},
                  {QStringLiteral("Wheelbase"), QStringLiteral("115 in"), QStringLiteral("115 in")},
                  {QStringLiteral("Overall length"), QString::number(195 + (yy - 55)) + QStringLiteral(" in"),
                   QString::number(195 + (yy - 55)) + QStringLiteral(" in")},
                  {QStringLiteral("Shipping weight"), QString::number(3100 + 40 * (yy - 55)) + QStringLiteral(" lb"),
                   QString::number(3190 + 45 * (yy - 55)) + QStringLiteral(" lb")},
                  {QStringLiteral("Bore \u00d7 stroke"), QStringLiteral("3.56 \u00d7 3.94 in"),
                   QStringLiteral("3.75 \u00d7 3.00 in")},
                  {QStringLiteral("Compression"), QStringLiteral("7.5 : 1"),
                   yy == 57 ? QStringLiteral("9.5 : 1") : QStringLiteral("8.0 : 1")},
                  {QStringLiteral("Horsepower"), QString::number(120 + 3 * (yy - 55)),
                   QString::number(162 + 34 * (yy - 55))}};
    b.table(params, {3200, 2400, 2400});
    b.heading(QStringLiteral("Production by body style"));
    const int base = 40000 + (yy - 55) * 5000;
    QList<S> prod{{QStringLiteral("Body style"), QStringLiteral("Carrel"), QStringLiteral("Stanza"),
                   QStringLiteral("Folivra")},
                  {QStringLiteral("Two-Door Sedan"), QString::number(base + 12011), QString::number(base + 5120),
                   QStringLiteral("\u2014")},
                  {QStringLiteral("Four-Door Sedan"), QString::number(base + 20440), QString::number(base + 31877),
                   QString::number(base + 8122)},
                  {QStringLiteral("Sport Coupe"), QStringLiteral("\u2014"), QString::number(base / 4),
                   QString::number(base / 2 + 1234)},
                  {QStringLiteral("Convertible"), QStringLiteral("\u2014"), QStringLiteral("\u2014"),
                   QString::number(base / 3 + 77)},
                  {QStringLiteral("Nomad Wagon"), QStringLiteral("\u2014"), QStringLiteral("\u2014"),
                   QString::number(6103 + 700 * (yy - 55))}};
    b.table(prod, {2600, 1800, 1800, 1800});
    b.para(QStringLiteral("Figures are invented for this sample disc and add up only roughly, as the "
                          "Division's own calendar-year and model-year counts never agreed."));
    return b.finish();
}

// ---- Models --------------------------------------------------------------------------

QByteArray modelsDoc(int yy)
{
    const QString y = yearOf(yy);
    RtfBuilder b;
    b.title(y + QStringLiteral(" Murvo Models"));
    b.para(QStringLiteral("The ") + y + QStringLiteral(" Murvo line-up came in three series. Every series "
                                                         "shared the 115-inch wheelbase; trim and "
                                                         "brightwork set them apart."));
    b.heading(QStringLiteral("Carrel"));
    b.para(QStringLiteral("The working series: rubber floor mats, painted window frames and a single "
                          "horn. Popular with fleets, taxi companies and the police."));
    b.heading(QStringLiteral("Stanza"));
    b.para(QStringLiteral("The middle series added chrome mouldings, carpets and armrests, and could "
                          "be ordered with every engine."));
    b.heading(QStringLiteral("Folivra"));
    b.para(QStringLiteral("The top series: gold-anodised script, full wheel covers, two-tone paint "
                          "and the //Sport Coupe// and //Convertible// bodies."));
    QList<S> rows{{QStringLiteral("Series"), QStringLiteral("Body styles"), QStringLiteral("Base price")}};
    rows.append({QStringLiteral("Carrel"), QStringLiteral("2-door, 4-door, Sedan Delivery"),
                 QStringLiteral("$") + QString::number(1590 + 60 * (yy - 55))});
    rows.append({QStringLiteral("Stanza"), QStringLiteral("2-door, 4-door, Sport Coupe, Wagon"),
                 QStringLiteral("$") + QString::number(1780 + 70 * (yy - 55))});
    rows.append({QStringLiteral("Folivra"), QStringLiteral("4-door, Sport Coupe, Convertible, Nomad"),
                 QStringLiteral("$") + QString::number(2060 + 80 * (yy - 55))});
    b.table(rows, {1800, 4400, 1800});
    return b.finish();
}

// ---- Halvic and other specials -------------------------------------------------------

QByteArray specialDoc(const QString &title, const QString &what, const QList<S> &table)
{
    RtfBuilder b;
    b.title(title);
    b.para(what);
    if (!table.isEmpty())
        b.table(table, {3000, 5000});
    return b.finish();
}

QByteArray collectibleDoc(const QString &title, const QStringList &paras, const QStringList &bullets = {})
{
    RtfBuilder b;
    b.title(title);
    for (const QString &p : paras)
        b.para(p);
    for (const QString &p : bullets)
        b.bullet(p);
    return b.finish();
}

} // namespace

QByteArray photoCaptionRtf(const PhotoTopic &topic, const PhotoEntry &photo)
{
    RtfBuilder b(RtfBuilder::Font::Sans, 9);
    const QString topicName = topic.caption.trimmed();
    b.para(QStringLiteral("**") + photo.item + QStringLiteral("**"));
    b.para(QStringLiteral("//") + topicName + QStringLiteral("//, photo ") + QString::number(photo.number)
           + QStringLiteral(" \u2013 file ^^") + photo.fileName.toUpper() + QStringLiteral("^^."));
    return b.finish();
}

QByteArray detailRtf(const DetailRule &rule, int n)
{
    RtfBuilder b(RtfBuilder::Font::Sans, 9);
    b.para(QStringLiteral("**") + rule.caption.trimmed() + QStringLiteral(" \u2013 item ") + QString::number(n)
           + QStringLiteral("**"));
    b.para(QStringLiteral("Detail text ^^") + detailFileName(rule, n)
           + QStringLiteral("^^: issue, size and collector notes for this piece."));
    return b.finish();
}

QList<Document> catalogueDocuments()
{
    QList<Document> docs;
    auto add = [&docs](const QString &name, const QByteArray &rtf) { docs.append({name, rtf}); };

    for (int yy : {55, 56, 57}) {
        const QString c = QString::number(yy);
        add(c + QStringLiteral("desc.rtf"), yearDescriptionRtf(yy));
        add(c + QStringLiteral("colors.rtf"), colorsDoc(yy));
        add(c + QStringLiteral("opts.rtf"), optionsDoc(yy));
        add(c + QStringLiteral("stats.rtf"), statsDoc(yy));
        add(QStringLiteral("nostalgia") + c + QStringLiteral(".rtf"), nostalgiaRtf(yy));
        add(yearOf(yy) + QStringLiteral("Models.rtf"), modelsDoc(yy));
    }

    const QString halvicText = QStringLiteral(
        "The **Classic Halvic** was a limited two-seat roadster built on a shortened Kel-Vardo frame. "
        "Only a few hundred were assembled by hand at the Westmere plant.");
    add(QStringLiteral("hvcolors.rtf"),
        specialDoc(QStringLiteral("The Classic Halvic Colors"), halvicText,
                   {{QStringLiteral("Colour"), QStringLiteral("Notes")},
                    {QStringLiteral("Signal Red"), QStringLiteral("with white coves")},
                    {QStringLiteral("Alpine White"), QStringLiteral("with red or turquoise coves")},
                    {QStringLiteral("Midnight Onyx"), QStringLiteral("with silver coves")}}));
    add(QStringLiteral("hvopts.rtf"),
        specialDoc(QStringLiteral("The Classic Halvic Options"), halvicText,
                   {{QStringLiteral("Option"), QStringLiteral("Price")},
                    {QStringLiteral("Removable hard top"), QStringLiteral("$215")},
                    {QStringLiteral("Signal-seeking radio"), QStringLiteral("$188")},
                    {QStringLiteral("Positive traction axle"), QStringLiteral("$48")}}));
    add(QStringLiteral("hvstats.rtf"),
        specialDoc(QStringLiteral("The Classic Halvic Specifications"), halvicText,
                   {{QStringLiteral("Item"), QStringLiteral("Value")},
                    {QStringLiteral("Wheelbase"), QStringLiteral("102 in")},
                    {QStringLiteral("Weight"), QStringLiteral("2,870 lb")},
                    {QStringLiteral("Engine"), QStringLiteral("Tempest V8, 225 hp")}}));
    add(QStringLiteral("m3stats.rtf"),
        specialDoc(QStringLiteral("Kel-Vardo Mach III Specifications"),
                   QStringLiteral("The //Mach III// show car toured the motor shows of 1957."),
                   {{QStringLiteral("Item"), QStringLiteral("Value")},
                    {QStringLiteral("Body"), QStringLiteral("glass-fibre fastback")},
                    {QStringLiteral("Engine"), QStringLiteral("Ram-Flow V8, 283 hp")}}));
    add(QStringLiteral("msstats.rtf"),
        specialDoc(QStringLiteral("Kel-Vardo Super Stallion Specifications"),
                   QStringLiteral("The //Super Stallion// was a dealer-built drag-strip special."),
                   {{QStringLiteral("Item"), QStringLiteral("Value")},
                    {QStringLiteral("Quarter mile"), QStringLiteral("14.9 s")},
                    {QStringLiteral("Axle ratio"), QStringLiteral("4.56 : 1")}}));

    add(QStringLiteral("Introduction.rtf"), introductionRtf());
    add(QStringLiteral("stamps.rtf"),
        collectibleDoc(QStringLiteral("Kel-Vardo Postage Stamps"),
                       {QStringLiteral("Small postal administrations have long honoured classic cars. This "
                                       "collection gathers the stamps that show the 1955-1957 Kel-Vardo, "
                                       "from single values to souvenir sheets."),
                        QStringLiteral("Click **Details** to read about the stamp shown.")}));
    add(QStringLiteral("carstuff.rtf"),
        collectibleDoc(QStringLiteral("Kel-Vardo Calendars"),
                       {QStringLiteral("Dealer calendars were given away every December; the Kel-Vardo "
                                       "appeared on each month's page in a new colour.")}));
    add(QStringLiteral("knives.rtf"),
        collectibleDoc(QStringLiteral("Franklin Mint Collector Knives"),
                       {QStringLiteral("A series of pocket knives with enamel inlays of the three model "
                                       "years, issued with a walnut display case.")}));
    add(QStringLiteral("plates.rtf"),
        collectibleDoc(QStringLiteral("Franklin Mint Collector Plates"),
                       {QStringLiteral("Porcelain plates with paintings of the cars at drive-ins, "
                                       "filling stations and beach roads.")}));
    add(QStringLiteral("franklin.rtf"),
        collectibleDoc(QStringLiteral("Franklin Mint Die Cast Models"),
                       {QStringLiteral("Franklin Mint models in 1:24 scale have opening doors, hood and "
                                       "trunk, and a serial number under the chassis."),
                        QStringLiteral("Click **Details** for notes on the model shown.")},
                       {QStringLiteral("Scale: 1:24 and 1:43"), QStringLiteral("Material: die-cast zinc alloy"),
                        QStringLiteral("Packaging: foam-lined box with certificate")}));
    add(QStringLiteral("danbury.rtf"),
        collectibleDoc(QStringLiteral("Danbury Mint Die Cast Models"),
                       {QStringLiteral("Danbury Mint models are known for their detailed engines and "
                                       "real rubber tyres."),
                        QStringLiteral("Click **Details** for notes on the model shown.")}));
    add(QStringLiteral("monopoly.rtf"),
        collectibleDoc(QStringLiteral("The Kel-Vardo Monopoly Game"),
                       {QStringLiteral("A property-trading board game whose tokens are pewter Kel-Vardos.")}));
    add(QStringLiteral("desperat.rtf"),
        collectibleDoc(QStringLiteral("Kel-Vardo Metal Signs"),
                       {QStringLiteral("Embossed tin and porcelain signs hung at dealers and service "
                                       "stations. Reproductions abound; originals show layered enamel at "
                                       "the mounting holes."),
                        QStringLiteral("Click **Details** for notes on the sign shown.")}));
    add(QStringLiteral("ptdesc.rtf"),
        collectibleDoc(QStringLiteral("Early Kel-Vardo Prototypes"),
                       {QStringLiteral("Clay models, wooden bucks and test mules from 1952 to 1954, before "
                                       "the first production car left Halden Falls.")}));

    add(QStringLiteral("KelVardoAdsList.rtf"), [] {
        RtfBuilder b;
        b.title(QStringLiteral("Kel-Vardo Advertising Checklist"));
        b.para(QStringLiteral("Magazine advertisements for the Kel-Vardo, by issue. Tick the ones in your "
                              "collection."));
        QList<S> rows{{QStringLiteral("Year"), QStringLiteral("Magazine"), QStringLiteral("Issue"),
                       QStringLiteral("Theme")}};
        const char *mags[] = {"Weekly Courier", "Home & Road", "The Motorist", "Country Life Gazette"};
        const char *themes[] = {"Family picnic", "Sport Coupe at night", "Nomad at the beach",
                                "Convertible in the hills", "Safety features", "Ram-Flow injection"};
        for (int i = 0; i < 18; ++i)
            rows.append({yearOf(55 + i / 6), QString::fromLatin1(mags[i % 4]),
                         QStringLiteral("%1/%2").arg(1 + (i * 5) % 12).arg(55 + i / 6),
                         QString::fromLatin1(themes[i % 6])});
        b.table(rows, {1000, 2800, 1200, 3400});
        return b.finish();
    }());
    add(QStringLiteral("judging.rtf"), [] {
        RtfBuilder b;
        b.title(QStringLiteral("Kel-Vardo Judging Outline"));
        b.para(QStringLiteral("Show judges score each car out of 1000 points in the classes below. "
                              "Deductions are made for non-original parts."));
        b.table({{QStringLiteral("Class"), QStringLiteral("Points")},
                 {QStringLiteral("Exterior paint and body"), QStringLiteral("250")},
                 {QStringLiteral("Chrome and trim"), QStringLiteral("150")},
                 {QStringLiteral("Interior"), QStringLiteral("200")},
                 {QStringLiteral("Engine compartment"), QStringLiteral("200")},
                 {QStringLiteral("Chassis and underbody"), QStringLiteral("150")},
                 {QStringLiteral("Operation"), QStringLiteral("50")}},
                {5000, 1600});
        b.bullet(QStringLiteral("**Gold** award: 950 points or more."));
        b.bullet(QStringLiteral("**Silver** award: 900 to 949 points."));
        b.bullet(QStringLiteral("**Bronze** award: 850 to 899 points."));
        return b.finish();
    }());
    add(QStringLiteral("Nomads.rtf"),
        collectibleDoc(QStringLiteral("Nomads"),
                       {QStringLiteral("The **Nomad** was the Kel-Vardo's two-door sport wagon, with a "
                                       "slanted tailgate and ribbed roof. It was built in all three years "
                                       "and is now among the most sought-after of the line."),
                        QStringLiteral("//Tip:// Nomad tailgates do not interchange with four-door "
                                       "wagon tailgates.")}));
    add(QStringLiteral("WallPaper Instructions.rtf"), [] {
        RtfBuilder b;
        b.title(QStringLiteral("Wallpaper Instructions"));
        b.para(QStringLiteral("To use a Kel-Vardo photo as your desktop wallpaper:"));
        b.bullet(QStringLiteral("Show the photo you like in the main window."));
        b.bullet(QStringLiteral("Click the photo with the **right** mouse button and choose "
                                "//Copy this photo to disk//."));
        b.bullet(QStringLiteral("Save it in your pictures folder."));
        b.bullet(QStringLiteral("Open your desktop settings and pick the saved file as the background."));
        return b.finish();
    }());
    add(QStringLiteral("notice.rtf"),
        collectibleDoc(QStringLiteral("Notice"),
                       {QStringLiteral("\u00a9 Orvanta Software. All names of cars, makers and people in this "
                                       "title are used for reference only."),
                        QStringLiteral("The photos and texts of this sample disc were generated for testing "
                                       "and are free to copy.")}));
    add(QStringLiteral("credits.rtf"),
        collectibleDoc(QStringLiteral("Credits"), {QStringLiteral("**Orvanta Software** thanks:")},
                       {QStringLiteral("Programming \u2013 J. R. Hallam"),
                        QStringLiteral("Photography \u2013 Nils Arveson and Marta Pellin"),
                        QStringLiteral("Research \u2013 Wendell Ashgrove"),
                        QStringLiteral("Sound \u2013 the Halden Falls Motor Club")}));
    add(QStringLiteral("contrib.rtf"),
        collectibleDoc(QStringLiteral("Contributions"),
                       {QStringLiteral("Many owners lent their cars and collections for this title. Photos "
                                       "and memories are welcome for future editions; write to Orvanta "
                                       "Software.")},
                       {QStringLiteral("Edda Lorimer \u2013 1955 Convertible"),
                        QStringLiteral("Talbot Quarrie \u2013 1957 Nomad"),
                        QStringLiteral("The Westmere Kel-Vardo Club \u2013 metal signs")}));
    add(QStringLiteral("sshelp.rtf"), [] {
        RtfBuilder b;
        b.title(QStringLiteral("Install Screen Saver Help"));
        b.bullet(QStringLiteral("Choose **All Photos** to show every photo of the disc, or **Selected Photos** "
                                "for the photos you added with the photo window."));
        b.bullet(QStringLiteral("Set the delay between photos with the arrows."));
        b.bullet(QStringLiteral("Click **Install**. The saver file is copied to your system folder."));
        b.para(QStringLiteral("//Copying the photos to the hard drive first makes the saver faster.//"));
        return b.finish();
    }());
    add(QStringLiteral("Register.rtf"), [] {
        RtfBuilder b;
        b.title(QStringLiteral("Orvanta Software Registration Form"));
        b.para(QStringLiteral("Print this form, fill it in and mail it to Orvanta Software."));
        b.table({{QStringLiteral("Field"), QStringLiteral("Your entry")},
                 {QStringLiteral("Name"), QString()},
                 {QStringLiteral("Street"), QString()},
                 {QStringLiteral("Town and postcode"), QString()},
                 {QStringLiteral("E-mail"), QString()},
                 {QStringLiteral("Where did you buy this title?"), QString()}},
                {3000, 4300});
        b.para(QStringLiteral("Mail to: Orvanta Software, 1207 Harbor Lane, Port Ellery, ME 04999."));
        b.para(QStringLiteral("Registered users receive news of updates and new titles."));
        return b.finish();
    }());
    add(QStringLiteral("desc.rtf"),
        collectibleDoc(QStringLiteral("The Kel-Vardo Folivra"),
                       {QStringLiteral("Choose a year with the buttons **1955**, **1956** or **1957**, or a "
                                       "collection from the //KelVardo Stuff// menu.")}));
    return docs;
}

} // namespace kvdisc
