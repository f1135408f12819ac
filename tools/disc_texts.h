#pragma once
#include <QByteArray>
#include <QList>
#include <QString>

#include "disc_plan.h"

namespace kvdisc {

struct Document {
    QString fileName; // in the rich-text folder
    QByteArray rtf;
};

// Every named document of the rich-text folder except per-photo texts.
QList<Document> catalogueDocuments();

// Two or three lines about one photo.
QByteArray photoCaptionRtf(const PhotoTopic &topic, const PhotoEntry &photo);
// The short detail text for photo n of a topic without photos of the matching name.
QByteArray detailRtf(const DetailRule &rule, int n);

// Long documents, in disc_texts_long.cpp.
QByteArray yearDescriptionRtf(int yy);
QByteArray nostalgiaRtf(int yy);
QByteArray introductionRtf();

// The HTML help file kept beside the program.
QByteArray helpHtml();

} // namespace kvdisc
