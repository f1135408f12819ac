#pragma once

#include <QString>

#include <vector>

namespace kv {

struct AppContext;

// One text Find reads: a document the viewer opens, or the text of one photo.
struct FindSource
{
    QString path;    // the file as found on the disc
    QString label;   // where it comes from, in the title's words: "1956 Description", "1956, photo 3"
    QString caption; // the viewer's caption; empty for a photo's text
    QString photo;   // the photo's file name in the photo list, for a photo's text

    bool isPhoto() const { return !photo.isEmpty(); }
};

// Every document of the catalogue that is on the disc, then the caption and detail texts of
// every photo in the list; missing files are left out. A file that several entries name comes
// once for each (the index keeps the first).
std::vector<FindSource> findSources(AppContext& c);

} // namespace kv
