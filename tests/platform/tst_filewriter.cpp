// Writing a whole file: the original survives every failed write, keeps its
// permissions, and a folder that refuses temporary files still lets an
// existing file be written in place.

#include "platform/filewriter.h"

#include "../support/permissions.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using namespace zp;
using namespace zp::testing;

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

bool writeRaw(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

class TestFileWriter : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void replacesContentAndKeepsPermissions();
    void readOnlyFolder_data();
    void readOnlyFolder();
    void fullDeviceFails();
    void failedWriteLeavesOriginal();
};

void TestFileWriter::replacesContentAndKeepsPermissions()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.txt");
    QVERIFY(writeRaw(path, "old old old old"));
    const auto mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    QVERIFY(QFile::setPermissions(path, mode));
    QString error;
    QVERIFY2(writeWholeFile(path, "new", &error), qPrintable(error));
    QCOMPARE(readAll(path), QByteArray("new"));
    const auto modeBits = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
            | QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
            | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    QCOMPARE(QFileInfo(path).permissions() & modeBits, mode);
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
        QVERIFY(writeRaw(path, "original"));
        QFile::setPermissions(path, fileWritable ? QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                 : QFileDevice::ReadOwner);
    }
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    {
        FileModesEnforced enforced;
        if (!FileModesEnforced::folderModesApply(folder)) {
            QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                          | QFileDevice::ExeOwner);
            QSKIP("file modes are not enforced for this user");
        }
        QString error;
        QCOMPARE(writeWholeFile(path, "replacement", &error), written);
        QCOMPARE(error.isEmpty(), written);
    }
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                  | QFileDevice::ExeOwner);
    if (written)
        QCOMPARE(readAll(path), QByteArray("replacement"));
    else if (exists)
        QCOMPARE(readAll(path), QByteArray("original"));
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

void TestFileWriter::failedWriteLeavesOriginal()
{
    // A size limit makes the write fail with "file too large", as a full
    // device would fail it with "no space".
    QTemporaryDir dir;
    const QString path = dir.filePath("big.txt");
    QVERIFY(writeRaw(path, "small original"));
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
    QCOMPARE(readAll(path), QByteArray("small original"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

QTEST_GUILESS_MAIN(TestFileWriter)
#include "tst_filewriter.moc"
