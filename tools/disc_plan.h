#pragma once
// What the sample disc holds: folders, file names and counts. The generator and the
// tests both read these tables, so a name changes in one place only.
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include "wav_synth.h"

namespace kvdisc {

inline constexpr char kGeneratorVersion[] = "kv_make_disc 7";
inline constexpr char kStampFile[] = "kv_disc.stamp";

// Folder names as written on the disc.
namespace dir {
inline const QString photos = QStringLiteral("Murvos");
inline const QString richText = QStringLiteral("richtext");
inline const QString movies = QStringLiteral("movies");
inline const QString sounds = QStringLiteral("wav");
inline const QString brochures = QStringLiteral("brochures");
inline const QString ads = QStringLiteral("ads");
inline const QString clipArt = QStringLiteral("ClipArt");
inline const QString scripts = QStringLiteral("scripts");
inline const QString emblems = QStringLiteral("emblems");
inline const QString graphics = QStringLiteral("graphics");
inline const QString videoDriver = QStringLiteral("IndeoVideo");
} // namespace dir

struct PhotoEntry {
    QString fileName; // on-disk name, letter case mixed on purpose
    int number = 0;   // 1-based position within its topic in sorted order
    QString item;     // what the picture shows
};

struct PhotoTopic {
    QString code;    // first two characters of every photo name
    QString caption; // the topic's caption ("1955", "Kel-Vardo Postage Stamps ")
    bool selectable; // reachable from the year buttons or the collectibles menu
    QList<PhotoEntry> photos;
};

QList<PhotoTopic> photoTopics();

// Base name of a photo's caption text in the rich-text folder (lower case).
QString captionFileName(const QString &photoFileName);

// Detail texts shown for photo n: prefix + 2n, with a different prefix from n = 5 on.
struct DetailRule {
    QString caption;     // topic caption the rule belongs to
    QString smallPrefix; // used while n < 5
    QString largePrefix; // used from n = 5
    int count;           // photos n = 1..count get a text
};

QList<DetailRule> detailRules();
QString detailFileName(const DetailRule &rule, int n);

// Page scans: year code -> 0-based page indexes present on the disc.
QMap<QString, QList<int>> brochurePages();
QMap<QString, QList<int>> adPages();
QString brochureFileName(const QString &year, int page);
QString adFileName(const QString &year, int page);

struct MovieEntry {
    QString fileName;
    QString caption;
};
QList<MovieEntry> movies();
inline constexpr int kMovieFps = 10;
inline constexpr int kMovieFrames = 20;

// The 29 numbered sound effects in button order, then the song.
QList<SoundRecipe> soundEffects();
SoundRecipe song();
SoundRecipe startupSound();

struct ArtworkEntry {
    QString folder;
    QString fileName;
    int width;
    int height;
    QString subtitle;
};
QList<ArtworkEntry> artwork();

} // namespace kvdisc
