// Copying a file over another (the backup copy): a file is never lost by
// being copied onto itself, and a failed copy keeps the earlier copy.

#include "platform/filesystem.h"
#include "platform/readablefile.h"

#include "files.h"
#include "permissions.h"

#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>
#include <sys/stat.h>

using namespace zp;
using namespace zp::testing;

using zptest::readBytes;
using zptest::writeBytes;

class TestFileSystem : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void copyOntoItself_data();
    void copyOntoItself();
    void copyOver_data();
    void copyOver();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_folder; // ends with "/"
};

void TestFileSystem::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_folder = m_dir->path() + "/";
    QVERIFY(QDir().mkdir(m_folder + "sub"));
    QVERIFY(writeBytes(m_folder + "a.txt", "precious"));
    QVERIFY(QFile::link(m_folder + "a.txt", m_folder + "link.txt"));
    QVERIFY(QFile::link(m_dir->path(), m_folder + "sub/up"));
}

void TestFileSystem::copyOntoItself_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("target");
    QTest::newRow("same path") << "a.txt" << "a.txt";
    QTest::newRow("doubled separator") << "a.txt" << "/a.txt";
    QTest::newRow("dot-dot") << "sub/../a.txt" << "a.txt";
    QTest::newRow("link to the file") << "a.txt" << "link.txt";
    QTest::newRow("link to the folder") << "sub/up/a.txt" << "a.txt";
}

void TestFileSystem::copyOntoItself()
{
    QFETCH(QString, source);
    QFETCH(QString, target);
    LocalFileSystem fs;
    QVERIFY(fs.copyOver(m_folder + source, m_folder + target));
    QCOMPARE(readBytes(m_folder + "a.txt"), QByteArray("precious"));
    QVERIFY(QFileInfo(m_folder + "link.txt").isSymLink());
    QCOMPARE(QDir(m_folder).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 2);
}

void TestFileSystem::copyOver_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<bool>("copied");
    QTest::newRow("newer copy replaces the old") << "a.txt" << true;
    QTest::newRow("missing source keeps the old") << "missing.txt" << false;
    QTest::newRow("folder as source keeps the old") << "sub" << false;
    QTest::newRow("unreadable source keeps the old") << "locked.txt" << false;
    QTest::newRow("named pipe as source keeps the old") << "pipe" << false;
    QTest::newRow("copy over the file-size limit keeps the old") << "limit" << false;
}

void TestFileSystem::copyOver()
{
    QFETCH(QString, source);
    QFETCH(bool, copied);
    const QString target = m_folder + "sub/a.txt";
    QVERIFY(writeBytes(target, "old backup"));
    QVERIFY(writeBytes(m_folder + "locked.txt", "secret"));
    QVERIFY(QFile::setPermissions(m_folder + "locked.txt", QFileDevice::Permissions()));
    QVERIFY(::mkfifo(QFile::encodeName(m_folder + "pipe").constData(), 0600) == 0);
    ignoreFileSizeLimitSignal();
    rlimit saved{};
    QVERIFY(::getrlimit(RLIMIT_FSIZE, &saved) == 0);
    rlimit limit = saved;
    limit.rlim_cur = source == "limit" ? 4 : saved.rlim_cur;
    LocalFileSystem fs;
    {
        FileModesEnforced enforced;
        if (source == "locked.txt" && QFile(m_folder + source).open(QIODevice::ReadOnly))
            QSKIP("file modes are not enforced for this user");
        QVERIFY(::setrlimit(RLIMIT_FSIZE, &limit) == 0);
        const bool result = fs.copyOver(m_folder + (source == "limit" ? "a.txt" : source), target);
        ::setrlimit(RLIMIT_FSIZE, &saved);
        QCOMPARE(result, copied);
    }
    QCOMPARE(readBytes(target), copied ? QByteArray("precious") : QByteArray("old backup"));
    QCOMPARE(QDir(m_folder + "sub").entryList(QDir::Files | QDir::Hidden).size(), 1);
}

QTEST_GUILESS_MAIN(TestFileSystem)
#include "tst_filesystem.moc"
