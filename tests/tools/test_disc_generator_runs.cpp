// The generator as a build step: usage, repeatability, skipping work and repairing a disc.
#include "disc_test_support.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

using namespace disctest;

namespace {

QMap<QString, QByteArray> snapshot(const QString &root)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString p = it.next();
        files.insert(QDir(root).relativeFilePath(p), readAll(p));
    }
    return files;
}

} // namespace

class TestDiscGeneratorRuns : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void rejectsWrongArguments();
    void reportsUnwritableTarget();
    void secondRunSkipsWithoutTouchingFiles();
    void outputIsDeterministic();
    void restoresMissingFileOnly();
    void staleStampRewritesEverything();
    void forceRewritesEverything();

private:
    QTemporaryDir m_disc; // written once; later tests damage and repair it
    RunResult m_first;
    QMap<QString, QByteArray> m_reference;
};

void TestDiscGeneratorRuns::initTestCase()
{
    QVERIFY(m_disc.isValid());
    m_first = runGenerator({m_disc.path()});
    QCOMPARE(m_first.exitCode, 0);
    m_reference = snapshot(m_disc.path());
    QVERIFY(m_reference.size() > 300);
    QVERIFY(m_reference.contains(QStringLiteral("kv_disc.stamp"))); // counted apart from the plan
}

void TestDiscGeneratorRuns::rejectsWrongArguments()
{
    QCOMPARE(runGenerator({}).exitCode, 2);
    QCOMPARE(runGenerator({QStringLiteral("a"), QStringLiteral("b")}).exitCode, 2);
    QCOMPARE(runGenerator({QStringLiteral("--bogus")}).exitCode, 2);
    QVERIFY(runGenerator({}).err.contains(QStringLiteral("usage")));
}

void TestDiscGeneratorRuns::reportsUnwritableTarget()
{
    QTemporaryDir dir;
    const QString blocker = dir.filePath(QStringLiteral("file"));
    QFile f(blocker);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    const RunResult r = runGenerator({blocker + QStringLiteral("/disc")});
    QCOMPARE(r.exitCode, 1);
    QVERIFY(!r.err.isEmpty());
}

void TestDiscGeneratorRuns::secondRunSkipsWithoutTouchingFiles()
{
    const QString stamp = m_disc.filePath(QStringLiteral("kv_disc.stamp"));
    const QString photo = resolve(m_disc.path(), QStringLiteral("Murvos/55001.jpg"));
    const QDateTime stampTime = QFileInfo(stamp).lastModified();
    const QDateTime photoTime = QFileInfo(photo).lastModified();
    const RunResult second = runGenerator({m_disc.path()});
    QCOMPARE(second.exitCode, 0);
    QVERIFY2(second.out.contains(QStringLiteral("up to date")), qPrintable(second.out));
    QVERIFY(second.ms < m_first.ms);
    QCOMPARE(QFileInfo(stamp).lastModified(), stampTime);
    QCOMPARE(QFileInfo(photo).lastModified(), photoTime);
}

void TestDiscGeneratorRuns::outputIsDeterministic()
{
    QTemporaryDir other;
    QCOMPARE(runGenerator({other.path()}).exitCode, 0);
    const auto files = snapshot(other.path());
    QCOMPARE(files.keys(), m_reference.keys());
    for (auto it = m_reference.cbegin(); it != m_reference.cend(); ++it)
        QVERIFY2(files.value(it.key()) == it.value(), qPrintable(it.key()));
}

void TestDiscGeneratorRuns::restoresMissingFileOnly()
{
    const QString victim = resolve(m_disc.path(), QStringLiteral("movies/57Murvo.avi"));
    QVERIFY(QFile::remove(victim));
    // A file emptied by an interrupted copy counts as missing too.
    const QString emptied = resolve(m_disc.path(), QStringLiteral("richtext/57desc.rtf"));
    QVERIFY(QFile(emptied).resize(0));
    const RunResult r = runGenerator({m_disc.path()});
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(r.out.contains(QStringLiteral("wrote 2 of")), qPrintable(r.out));
    QCOMPARE(snapshot(m_disc.path()), m_reference);
}

void TestDiscGeneratorRuns::staleStampRewritesEverything()
{
    const QString stamp = m_disc.filePath(QStringLiteral("kv_disc.stamp"));
    QFile f(stamp);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("kv_make_disc 0\nfiles 1\n");
    f.close();
    // A stale disc may hold an outdated file of the right name; it must be replaced.
    const QString old = resolve(m_disc.path(), QStringLiteral("richtext/credits.rtf"));
    QFile o(old);
    QVERIFY(o.open(QIODevice::WriteOnly));
    o.write("{\\rtf1 old}");
    o.close();
    const RunResult r = runGenerator({m_disc.path()});
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(r.out.contains(QStringLiteral("wrote %1 of %1").arg(m_reference.size() - 1)), qPrintable(r.out));
    QCOMPARE(snapshot(m_disc.path()), m_reference);
}

void TestDiscGeneratorRuns::forceRewritesEverything()
{
    const RunResult r = runGenerator({QStringLiteral("--force"), m_disc.path()});
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(r.out.contains(QStringLiteral("wrote %1 of %1").arg(m_reference.size() - 1)), qPrintable(r.out));
}

QTEST_GUILESS_MAIN(TestDiscGeneratorRuns)
#include "test_disc_generator_runs.moc"
