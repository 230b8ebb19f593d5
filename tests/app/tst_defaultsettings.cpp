// The settings file the program writes when it finds none.

#include "app/defaultsettings.h"

#include "platform/profile.h"

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
    void windowSize_data();
    void windowSize();
    void missingFolder();

private:
    QTemporaryDir m_dir;
    QString path() const { return m_dir.filePath(QStringLiteral("Zelkopad.ini")); }
};

void TestDefaultSettings::goldenFile_data()
{
    QTest::addColumn<QByteArray>("existing");
    QTest::newRow("no file yet") << QByteArray();
    QTest::newRow("old file emptied first")
        << QByteArray("[Edit]\r\nBackup=1\r\nUnknown=2\r\n[History]\r\nFileList1=a\r\n");
}

// The bytes at 15 twips per pixel; the clipboard keys come last in [Edit].
void TestDefaultSettings::goldenFile()
{
    QFETCH(QByteArray, existing);
    QFile file(path());
    QVERIFY(existing.isNull() || (file.open(QIODevice::WriteOnly) && file.write(existing) > 0));
    file.close();
    QVERIFY(WriteDefaultSettings(path(), 15, 15));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(),
             QByteArray("[Edit]\r\nBackup=0\r\nSaveBackup=0\r\nEndBackup=0\r\nHTML=1\r\n"
                        "FontColor=000000\r\nBackColor=FFFFFF\r\nMainWindowWidth=535\r\n"
                        "MainWindowHeight=435\r\nTagColor=FF0000\r\nTagCheck=1\r\nEndCheckColor=1\r\n"
                        "LineNum=1\r\nLineNoColor=bbbbbb\r\nClipboardHistory=5\r\n"
                        "ClipboardSaveTiming=0\r\nClipboardSaveType=0\r\n[History]\r\n"
                        "FileList1=\r\nFileList2=\r\nFileList3=\r\nFileList4=\r\nFileList5=\r\n"
                        "FileList6=\r\nFileList7=\r\nFileList8=\r\nFileList9=\r\nFileList10=\r\n"));
}

void TestDefaultSettings::windowSize_data()
{
    QTest::addColumn<int>("twipsPerPixelX");
    QTest::addColumn<int>("twipsPerPixelY");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("120 dpi, quotient truncated") << 12 << 12 << 668 << 543;
    QTest::newRow("different axes") << 20 << 10 << 401 << 652;
    QTest::newRow("zero and negative taken as 15") << 0 << -3 << 535 << 435;
}

void TestDefaultSettings::windowSize()
{
    QFETCH(int, twipsPerPixelX);
    QFETCH(int, twipsPerPixelY);
    QFETCH(int, width);
    QFETCH(int, height);
    QVERIFY(WriteDefaultSettings(path(), twipsPerPixelX, twipsPerPixelY));
    const QString edit = QStringLiteral("Edit");
    QCOMPARE(GetPrivateProfileInt(edit, QStringLiteral("MainWindowWidth"), -1, path()), width);
    QCOMPARE(GetPrivateProfileInt(edit, QStringLiteral("MainWindowHeight"), -1, path()), height);
}

void TestDefaultSettings::missingFolder()
{
    const QString missing = m_dir.filePath(QStringLiteral("missing/Zelkopad.ini"));
    QVERIFY(!WriteDefaultSettings(missing, 15, 15));
    QVERIFY(!QFileInfo::exists(QFileInfo(missing).path()));
}

QTEST_GUILESS_MAIN(TestDefaultSettings)
#include "tst_defaultsettings.moc"
