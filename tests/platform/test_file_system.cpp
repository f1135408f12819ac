#include "platform/file_system.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/time.h>

#ifdef Q_OS_LINUX
#include <sys/fsuid.h>
#include <unistd.h>
#endif

using namespace kv;

namespace {
void touch(const QString& path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("x");
}
// Folder permissions bind this thread while it lives, as they bind an ordinary user: root's
// file access checks are given up for the time.
class OrdinaryUser
{
public:
    OrdinaryUser()
    {
#ifdef Q_OS_LINUX
        if (::geteuid() == 0)
            ::setfsuid(65534);
#endif
    }
    ~OrdinaryUser()
    {
#ifdef Q_OS_LINUX
        if (::geteuid() == 0)
            ::setfsuid(0);
#endif
    }
    OrdinaryUser(const OrdinaryUser&) = delete;
    OrdinaryUser& operator=(const OrdinaryUser&) = delete;
};
} // namespace

class TestFileSystem : public QObject
{
    Q_OBJECT
private slots:
    void resolvesEachComponentIgnoringCase()
    {
        QTemporaryDir dir;
        touch(dir.path() + "/RichText/56Desc.RTF");
        QtFileSystem fs;
        QCOMPARE(fs.resolve(dir.path() + "/richtext/56desc.rtf"), dir.path() + "/RichText/56Desc.RTF");
        QCOMPARE(fs.resolve(dir.path() + "\\RICHTEXT\\56DESC.rtf"), dir.path() + "/RichText/56Desc.RTF");
        QVERIFY(fs.resolve(dir.path() + "/richtext/57desc.rtf").isEmpty());
        QVERIFY(fs.resolve(dir.path() + "/richtext/56desc.rtf/deeper").isEmpty());
        QVERIFY(fs.resolve(QString()).isEmpty());
    }

    void listsByWildcardIgnoringCaseAndSkipsFolders()
    {
        QTemporaryDir dir;
        touch(dir.path() + "/Murvos/55001.jpg");
        touch(dir.path() + "/Murvos/55002.JPG");
        touch(dir.path() + "/Murvos/notes.txt");
        QDir().mkpath(dir.path() + "/Murvos/old.jpg");
        QtFileSystem fs;
        QStringList names = fs.list(dir.path() + "/MURVOS/", "*.jpg");
        names.sort();
        QCOMPARE(names, QStringList({"55001.jpg", "55002.JPG"}));
        QVERIFY(fs.list(dir.path() + "/missing", "*.jpg").isEmpty());
    }

    void listingIsCachedUntilInvalidated()
    {
        QTemporaryDir dir;
        touch(dir.path() + "/Murvos/55001.jpg");
        QtFileSystem fs;
        QCOMPARE(fs.list(dir.path() + "/murvos", "*.jpg").size(), 1);
        touch(dir.path() + "/Murvos/55002.jpg");
        QCOMPARE(fs.list(dir.path() + "/murvos", "*.jpg").size(), 1);
        fs.invalidate();
        QCOMPARE(fs.list(dir.path() + "/murvos", "*.jpg").size(), 2);
    }

    void resolveSeesANameAddedInAnotherCase_data()
    {
        QTest::addColumn<bool>("settled"); // the folder last changed long before it was read
        QTest::newRow("folder changed just before") << false;
        QTest::newRow("folder changed long before") << true;
    }
    void resolveSeesANameAddedInAnotherCase()
    {
        QFETCH(bool, settled);
        QTemporaryDir dir;
        const QString folder = dir.path() + "/Brochures";
        touch(folder + "/57BRCH00.jpg");
        if (settled) {
            const QByteArray path = QFile::encodeName(folder);
            const struct timeval hourAgo[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
            QCOMPARE(::utimes(path.constData(), hourAgo), 0);
        }
        QtFileSystem fs;
        QCOMPARE(fs.resolve(folder + "/57brch00.jpg"), folder + "/57BRCH00.jpg");
        QVERIFY(fs.resolve(folder + "/57brch01.jpg").isEmpty());
        touch(folder + "/57BRCH01.jpg");
        QCOMPARE(fs.resolve(dir.path() + "/brochures/57brch01.jpg"), folder + "/57BRCH01.jpg");
    }

    void copiesAndRemovesByPattern()
    {
        QTemporaryDir dir;
        touch(dir.path() + "/src/A.JPG");
        touch(dir.path() + "/dst/b.jpg");
        touch(dir.path() + "/dst/keep.txt");
        QtFileSystem fs;
        QVERIFY(fs.copyFile(dir.path() + "/SRC/a.jpg", dir.path() + "/dst/A.JPG"));
        QVERIFY(QFile::exists(dir.path() + "/dst/A.JPG"));
        QVERIFY(!fs.copyFile(dir.path() + "/src/none.jpg", dir.path() + "/dst/none.jpg"));
        QCOMPARE(fs.removeMatching(dir.path() + "/dst", "*.jpg"), 2);
        QVERIFY(QFile::exists(dir.path() + "/dst/keep.txt"));
        QVERIFY(fs.makeDir(dir.path() + "/new"));
        QVERIFY(!fs.makeDir(dir.path() + "/NEW"));
        QVERIFY(fs.removeDir(dir.path() + "/New"));
    }

    void folderThatCannotBeReadIsNotMovedAsEmpty()
    {
        QTemporaryDir dir;
        const QString from = dir.path() + "/from";
        touch(from + "/55001.jpg");
        touch(dir.path() + "/to/55002.jpg");
        const QFile::Permissions all = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
            | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
        QFile::setPermissions(dir.path(), all);
        QFile::setPermissions(dir.path() + "/to", all);
        QFile::setPermissions(from, QFile::WriteOwner | QFile::ExeOwner | QFile::WriteGroup | QFile::ExeGroup
                                        | QFile::WriteOther | QFile::ExeOther);
        QtFileSystem fs;
        QString why;
        bool moved = true;
        {
            OrdinaryUser user;
            moved = fs.moveFilesInto(from, dir.path() + "/to", &why);
        }
        QFile::setPermissions(from, all);
        QVERIFY(!moved);
        QCOMPARE(why, QString("Permission denied"));
        QVERIFY(QFile::exists(from + "/55001.jpg"));
    }

    void driveTableMapsLettersFromD()
    {
        QtFileSystem fs;
        fs.setDrives({"/media/a", "/media/b"});
        QCOMPARE(fs.driveRoot('D'), QString("/media/a"));
        QCOMPARE(fs.driveRoot('e'), QString("/media/b"));
        QVERIFY(fs.driveRoot('F').isEmpty());
        QVERIFY(fs.driveRoot('C').isEmpty());
    }

    void joinPathTakesEitherSlash()
    {
        QCOMPARE(joinPath("/cd", "\\richtext\\", "x.rtf"), QString("/cd/richtext/x.rtf"));
        QCOMPARE(joinPath("/cd/", "/Murvos/"), QString("/cd/Murvos/"));
        QCOMPARE(joinPath("E:", "\\wav\\", "horn.wav"), QString("E:/wav/horn.wav"));
    }
};

QTEST_GUILESS_MAIN(TestFileSystem)
#include "test_file_system.moc"
