#pragma once

#include <QString>

// The sample disc's texts and photo names, then photos and captions of their own until the
// disc holds `documents` texts in all; the sample alone gives `sampleTexts`.
void writeGeneratedDisc(const QString& root, int documents, int sampleTexts);

// A disc of one photo and one description of about `megabytes` MB of running text.
void writeLargeDocumentDisc(const QString& root, int megabytes);
