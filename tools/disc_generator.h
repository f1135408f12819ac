#pragma once
#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

namespace kvdisc {

struct PlannedFile {
    QString relPath; // "/"-separated, relative to the output folder
    std::function<QByteArray()> make;
    // Rewritten whenever its bytes differ, even on a current disc (a program built beside it).
    bool refresh = false;
    bool executable = false;
};

// Every file of the disc and of the program folder, in writing order. With `saverProgram`,
// that built program is the disc's "KelVardo.scr"; without, a placeholder is.
QList<PlannedFile> planDisc(const QString &saverProgram = {});

struct GenerateResult {
    bool ok = false;
    bool upToDate = false; // stamp current and every file present: nothing written
    int written = 0;
    int total = 0;
    QString error;
};

// Writes the disc into outDir. Without force, a current stamp limits writing to missing files.
GenerateResult generateDisc(const QString &outDir, bool force = false, const QString &saverProgram = {});

// The stamp's expected content for a plan of fileCount files.
QByteArray stampContent(int fileCount);

} // namespace kvdisc
