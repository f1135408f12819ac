#include "bench_find_discs.h"

#include <QDir>
#include <QFile>
#include <QList>

namespace {
// A made-up word, the same for the same number.
QByteArray wordFor(unsigned n)
{
    static const char* const syllables[] = {"ka", "lo", "vin", "dra", "mo", "tes", "ri", "bun", "el", "sar", "quo", "fen"};
    QByteArray w;
    for (int i = 0; i < 3; ++i, n /= 12)
        w += syllables[n % 12];
    return w;
}
} // namespace

void writeGeneratedDisc(const QString& root, int documents, int sampleTexts)
{
    const QString sample = QStringLiteral(KV_SAMPLE_DISC);
    QDir().mkpath(root + QStringLiteral("/richtext"));
    QDir().mkpath(root + QStringLiteral("/Murvos"));
    QList<QByteArray> texts;
    for (const QFileInfo& f : QDir(sample + QStringLiteral("/richtext")).entryInfoList({QStringLiteral("*.rtf")})) {
        QFile in(f.filePath());
        in.open(QIODevice::ReadOnly);
        texts << in.readAll();
        QFile::copy(f.filePath(), root + QStringLiteral("/richtext/") + f.fileName());
    }
    for (const QString& name : QDir(sample + QStringLiteral("/Murvos")).entryList({QStringLiteral("*.jpg")}))
        QFile(root + QStringLiteral("/Murvos/") + name).open(QIODevice::WriteOnly);
    const int photos = documents - sampleTexts;
    unsigned seed = 1;
    for (int i = 0; i < photos; ++i) {
        const QString name = QStringLiteral("%1%2").arg(55 + i % 3).arg(100 + i / 3, 3, 10, QLatin1Char('0'));
        QFile(root + QStringLiteral("/Murvos/") + name + QStringLiteral(".jpg")).open(QIODevice::WriteOnly);
        QByteArray own = "\\pard ";
        for (int w = 0; w < 30; ++w) {
            seed = seed * 1103515245u + 12345u;
            own += wordFor(seed >> 8) + ' ';
        }
        QByteArray rtf = texts.at(i % texts.size());
        rtf.insert(rtf.lastIndexOf('}'), own + "\\par ");
        QFile out(root + QStringLiteral("/richtext/") + name + QStringLiteral(".rtf"));
        out.open(QIODevice::WriteOnly);
        out.write(rtf);
    }
}

void writeLargeDocumentDisc(const QString& root, int megabytes)
{
    QDir().mkpath(root + QStringLiteral("/richtext"));
    QDir().mkpath(root + QStringLiteral("/Murvos"));
    QFile(root + QStringLiteral("/Murvos/55001.jpg")).open(QIODevice::WriteOnly);
    QFile out(root + QStringLiteral("/richtext/55desc.rtf"));
    out.open(QIODevice::WriteOnly);
    out.write("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 ");
    const qint64 size = qint64(megabytes) * 1024 * 1024;
    unsigned seed = 7;
    for (int n = 0; out.size() < size; ++n) {
        QByteArray para = "Paragraph " + QByteArray::number(n)
            + ": the chassis and the body of a 1956 Kel-Vardo wagon, with a four-barrel carburettor and ";
        for (int w = 0; w < 8; ++w) {
            seed = seed * 1103515245u + 12345u;
            para += wordFor(seed >> 8) + ' ';
        }
        out.write(para + "in the garage of a collector.\\par\n");
    }
    out.write("}");
}
