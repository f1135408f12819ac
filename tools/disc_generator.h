#pragma once
#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

namespace kvdisc {

struct PlannedFile {
    QString relPath; // "/"-separated, relative to the output folder
    std::function<QByteArray()> make;
};

// Every file of the disc and of the program folder, in writing order.
QList<PlannedFile> planDisc();

struct GenerateResult {
    bool ok = false;
    bool upToDate = false; // stamp current and every file present: nothing written
    int written = 0;
    int total = 0;
    QString error;
};

// Writes the disc into outDir. Without force, a current stamp limits writing to missing files.
GenerateResult generateDisc(const QString &outDir, bool force = false);

// The stamp's expected content for a plan of fileCount files.
QByteArray stampContent(int fileCount);

} // namespace kvdisc
