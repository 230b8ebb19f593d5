// Writing a whole file: the original survives every failed write, stays the
// same file (mode, owner, links), and a folder that refuses temporary files
// still lets an existing file be written in place.

#include "platform/filewriter.h"

#include "files.h"
#include "permissions.h"

#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace zp;
using namespace zp::testing;

using zptest::readBytes;
using zptest::writeBytes;

class TestFileWriter : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void keepsWhatTheFileIs_data();
    void keepsWhatTheFileIs();
    void readOnlyFolder_data();
    void readOnlyFolder();
    void fullDeviceFails();
    void failedWriteLeavesOriginal_data();
    void failedWriteLeavesOriginal();
};

// Saving changes the content, never what the file is: its mode, owner and
// group, its hard links, a symbolic link leading to it.
void TestFileWriter::keepsWhatTheFileIs_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("permissions") << "mode";
    QTest::newRow("owner and group") << "owner";
    QTest::newRow("hard link") << "hardlink";
    QTest::newRow("symbolic link") << "symlink";
}

void TestFileWriter::keepsWhatTheFileIs()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QString file = dir.filePath("a.txt");
    const QString other = dir.filePath("other.txt");
    QVERIFY(writeBytes(file, "old old old old"));
    const auto mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    QVERIFY(QFile::setPermissions(file, mode));
    if (kind == "owner" && ::chown(QFile::encodeName(file).constData(), 1234, 1234) != 0)
        QSKIP("this user cannot give a file away");
    if (kind == "hardlink")
        QVERIFY(::link(QFile::encodeName(file).constData(), QFile::encodeName(other).constData()) == 0);
    if (kind == "symlink")
        QVERIFY(QFile::link(file, other));
    struct stat before {};
    QVERIFY(::stat(QFile::encodeName(file).constData(), &before) == 0);

    QString error;
    QVERIFY2(writeWholeFile(kind == "symlink" ? other : file, "new", &error), qPrintable(error));
    QCOMPARE(readBytes(file), QByteArray("new"));
    struct stat after {};
    QVERIFY(::stat(QFile::encodeName(file).constData(), &after) == 0);
    QCOMPARE(after.st_mode & 0777, 0640u);
    QCOMPARE(after.st_uid, before.st_uid);
    QCOMPARE(after.st_gid, before.st_gid);
    if (kind == "hardlink") {
        QCOMPARE(after.st_ino, before.st_ino);
        QCOMPARE(after.st_nlink, nlink_t(2));
        QCOMPARE(readBytes(other), QByteArray("new"));
    }
    if (kind == "symlink")
        QVERIFY(QFileInfo(other).isSymLink());
}

void TestFileWriter::readOnlyFolder_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<bool>("fileWritable");
    QTest::addColumn<bool>("written");
    QTest::newRow("writable file is written in place") << true << true << true;
    QTest::newRow("read-only file stays") << true << false << false;
    QTest::newRow("new file cannot be made") << false << false << false;
}

void TestFileWriter::readOnlyFolder()
{
    QFETCH(bool, exists);
    QFETCH(bool, fileWritable);
    QFETCH(bool, written);
    QTemporaryDir dir;
    const QString folder = dir.filePath("ro");
    QVERIFY(QDir().mkdir(folder));
    const QString path = folder + "/a.txt";
    if (exists) {
        QVERIFY(writeBytes(path, "original"));
        QFile::setPermissions(path, fileWritable ? QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                 : QFileDevice::ReadOwner);
    }
    {
        FolderMode readOnly(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        FileModesEnforced enforced;
        if (!FileModesEnforced::folderModesApply(folder))
            QSKIP("file modes are not enforced for this user");
        QString error;
        QCOMPARE(writeWholeFile(path, "replacement", &error), written);
        QCOMPARE(error.isEmpty(), written);
    }
    if (written)
        QCOMPARE(readBytes(path), QByteArray("replacement"));
    else if (exists)
        QCOMPARE(readBytes(path), QByteArray("original"));
    else
        QVERIFY(!QFileInfo::exists(path));
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), exists ? 1 : 0);
}

void TestFileWriter::fullDeviceFails()
{
    if (!QFileInfo::exists("/dev/full"))
        QSKIP("no /dev/full");
    QString error;
    QVERIFY(!writeWholeFile("/dev/full", QByteArray(10000, 'x'), &error));
    QVERIFY(!error.isEmpty());
    // The device is written in place, never replaced by a plain file.
    QVERIFY(!QFileInfo("/dev/full").isFile());
}

void TestFileWriter::failedWriteLeavesOriginal_data()
{
    QTest::addColumn<bool>("linked");
    QTest::newRow("replaced file") << false;
    QTest::newRow("file written in place") << true;
}

void TestFileWriter::failedWriteLeavesOriginal()
{
    // A size limit makes the write fail part-way with "file too large", as a
    // full device would fail it with "no space".
    QFETCH(bool, linked);
    QTemporaryDir dir;
    const QString path = dir.filePath("big.txt");
    QVERIFY(writeBytes(path, "small original"));
    if (linked)
        QVERIFY(::link(QFile::encodeName(path).constData(),
                       QFile::encodeName(dir.filePath("link")).constData()) == 0);
    rlimit saved{};
    QVERIFY(getrlimit(RLIMIT_FSIZE, &saved) == 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 4096;
    QVERIFY(setrlimit(RLIMIT_FSIZE, &limited) == 0);
    QString error;
    const bool ok = writeWholeFile(path, QByteArray(100000, 'y'), &error);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    QVERIFY(!ok);
    QVERIFY(!error.isEmpty());
    QCOMPARE(readBytes(path), QByteArray("small original"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), linked ? 2 : 1);
}

QTEST_GUILESS_MAIN(TestFileWriter)
#include "tst_filewriter.moc"
