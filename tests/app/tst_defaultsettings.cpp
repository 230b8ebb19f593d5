// The settings file the program writes when it finds none.

#include "app/defaultsettings.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

using namespace zp;

class TestDefaultSettings : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { QFile::remove(path()); }
    void goldenFile_data();
    void goldenFile();
    void missingFolder();

private:
    QTemporaryDir m_dir;
    QString path() const { return m_dir.filePath(QStringLiteral("Zelkopad.ini")); }
};

void TestDefaultSettings::goldenFile_data()
{
    QTest::addColumn<QByteArray>("existing");
    QTest::addColumn<int>("twipsPerPixelX");
    QTest::addColumn<int>("twipsPerPixelY");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    const QByteArray old("[Edit]\r\nBackup=1\r\nUnknown=2\r\n[History]\r\nFileList1=a\r\n");
    QTest::newRow("no file yet") << QByteArray() << 15 << 15 << 535 << 435;
    QTest::newRow("old file emptied first") << old << 15 << 15 << 535 << 435;
    QTest::newRow("120 dpi, quotient truncated") << QByteArray() << 12 << 12 << 668 << 543;
    QTest::newRow("different axes") << QByteArray() << 20 << 10 << 401 << 652;
    QTest::newRow("zero and negative taken as 15") << QByteArray() << 0 << -3 << 535 << 435;
}

// The bytes, with the window's size in pixels; the clipboard keys come last in [Edit].
void TestDefaultSettings::goldenFile()
{
    QFETCH(QByteArray, existing);
    QFETCH(int, twipsPerPixelX);
    QFETCH(int, twipsPerPixelY);
    QFETCH(int, width);
    QFETCH(int, height);
    QFile file(path());
    QVERIFY(existing.isNull() || (file.open(QIODevice::WriteOnly) && file.write(existing) > 0));
    file.close();
    QVERIFY(WriteDefaultSettings(path(), twipsPerPixelX, twipsPerPixelY));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(),
             QStringLiteral("[Edit]\r\nBackup=0\r\nSaveBackup=0\r\nEndBackup=0\r\nHTML=1\r\n"
                            "FontColor=000000\r\nBackColor=FFFFFF\r\nMainWindowWidth=%1\r\n"
                            "MainWindowHeight=%2\r\nTagColor=FF0000\r\nTagCheck=1\r\nEndCheckColor=1\r\n"
                            "LineNum=1\r\nLineNoColor=bbbbbb\r\nClipboardHistory=5\r\n"
                            "ClipboardSaveTiming=0\r\nClipboardSaveType=0\r\n[History]\r\n"
                            "FileList1=\r\nFileList2=\r\nFileList3=\r\nFileList4=\r\nFileList5=\r\n"
                            "FileList6=\r\nFileList7=\r\nFileList8=\r\nFileList9=\r\nFileList10=\r\n")
                     .arg(width)
                     .arg(height)
                     .toLatin1());
}

void TestDefaultSettings::missingFolder()
{
    const QString missing = m_dir.filePath(QStringLiteral("missing/Zelkopad.ini"));
    QVERIFY(!WriteDefaultSettings(missing, 15, 15));
    QVERIFY(!QFileInfo::exists(QFileInfo(missing).path()));
}

QTEST_GUILESS_MAIN(TestDefaultSettings)
#include "tst_defaultsettings.moc"
