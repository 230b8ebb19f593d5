#include "app/defaultsettings.h"

#include "platform/profile.h"

#include <QtTest>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace zp;

namespace {

// The file written at 15 twips per pixel, line by line.
const QStringList Golden = {
    "[Edit]",
    "Backup=0",
    "SaveBackup=0",
    "EndBackup=0",
    "HTML=1",
    "FontColor=000000",
    "BackColor=FFFFFF",
    "MainWindowWidth=535",
    "MainWindowHeight=435",
    "TagColor=FF0000",
    "TagCheck=1",
    "EndCheckColor=1",
    "LineNum=1",
    "LineNoColor=bbbbbb",
    "ClipboardHistory=5",
    "ClipboardSaveTiming=0",
    "ClipboardSaveType=0",
    "[History]",
    "FileList1=",
    "FileList2=",
    "FileList3=",
    "FileList4=",
    "FileList5=",
    "FileList6=",
    "FileList7=",
    "FileList8=",
    "FileList9=",
    "FileList10=",
};

QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

} // namespace

class TestDefaultSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void goldenFile_data();
    void goldenFile();
    void readBack_data();
    void readBack();
    void windowSize_data();
    void windowSize();
    void missingFolder();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

void TestDefaultSettings::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_path = m_dir->filePath(QStringLiteral("Zelkopad.ini"));
}

void TestDefaultSettings::goldenFile_data()
{
    QTest::addColumn<QByteArray>("existing");

    QTest::newRow("no file yet") << QByteArray();
    QTest::newRow("old file emptied first")
            << QByteArray("[Edit]\r\nBackup=1\r\nUnknown=2\r\n[History]\r\nFileList1=a\r\n");
}

void TestDefaultSettings::goldenFile()
{
    QFETCH(QByteArray, existing);

    if (!existing.isEmpty()) {
        QFile file(m_path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(existing), existing.size());
    }
    QVERIFY(WriteDefaultSettings(m_path, 15, 15));

    const QByteArray bytes = readAll(m_path);
    QVERIFY(bytes.endsWith("\r\n"));
    QList<QByteArray> lines = bytes.split('\n');
    QCOMPARE(lines.takeLast(), QByteArray());
    QCOMPARE(lines.size(), Golden.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QVERIFY2(lines[i].endsWith('\r'), qPrintable(Golden[i]));
        lines[i].chop(1);
        QVERIFY2(!lines[i].contains('\r'), qPrintable(Golden[i]));
        QCOMPARE(QString::fromLatin1(lines[i]), Golden[i]);
    }
}

void TestDefaultSettings::readBack_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");

    const char *edit = "Edit";
    QTest::newRow("Backup") << edit << "Backup" << "0";
    QTest::newRow("SaveBackup") << edit << "SaveBackup" << "0";
    QTest::newRow("EndBackup") << edit << "EndBackup" << "0";
    QTest::newRow("HTML") << edit << "HTML" << "1";
    QTest::newRow("FontColor") << edit << "FontColor" << "000000";
    QTest::newRow("BackColor") << edit << "BackColor" << "FFFFFF";
    QTest::newRow("MainWindowWidth") << edit << "MainWindowWidth" << "535";
    QTest::newRow("MainWindowHeight") << edit << "MainWindowHeight" << "435";
    QTest::newRow("TagColor") << edit << "TagColor" << "FF0000";
    QTest::newRow("TagCheck") << edit << "TagCheck" << "1";
    QTest::newRow("EndCheckColor") << edit << "EndCheckColor" << "1";
    QTest::newRow("LineNum") << edit << "LineNum" << "1";
    QTest::newRow("LineNoColor") << edit << "LineNoColor" << "bbbbbb";
    QTest::newRow("ClipboardHistory") << edit << "ClipboardHistory" << "5";
    QTest::newRow("ClipboardSaveTiming") << edit << "ClipboardSaveTiming" << "0";
    QTest::newRow("ClipboardSaveType") << edit << "ClipboardSaveType" << "0";
    for (int i = 1; i <= 10; ++i) {
        const QString key = QStringLiteral("FileList%1").arg(i);
        QTest::newRow(qPrintable(key)) << "History" << key << "";
    }
}

void TestDefaultSettings::readBack()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);

    QVERIFY(WriteDefaultSettings(m_path, 15, 15));
    QString buffer;
    const QString missing = QStringLiteral("<missing>");
    GetPrivateProfileString(section, key, missing, buffer, 256, m_path);
    QCOMPARE(buffer, value);
    // Numbers read as numbers; the rest is not numeric.
    bool numeric = false;
    const int number = value.toInt(&numeric);
    QCOMPARE(GetPrivateProfileInt(section, key, -1, m_path), numeric ? number : 0);
}

void TestDefaultSettings::windowSize_data()
{
    QTest::addColumn<int>("twipsPerPixelX");
    QTest::addColumn<int>("twipsPerPixelY");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");

    QTest::newRow("96 dpi") << 15 << 15 << 535 << 435;
    QTest::newRow("120 dpi, quotient truncated") << 12 << 12 << 668 << 543;
    QTest::newRow("different axes") << 20 << 10 << 401 << 652;
    QTest::newRow("zero taken as 15") << 0 << 0 << 535 << 435;
    QTest::newRow("negative taken as 15") << -3 << 12 << 535 << 543;
}

void TestDefaultSettings::windowSize()
{
    QFETCH(int, twipsPerPixelX);
    QFETCH(int, twipsPerPixelY);
    QFETCH(int, width);
    QFETCH(int, height);

    QVERIFY(WriteDefaultSettings(m_path, twipsPerPixelX, twipsPerPixelY));
    const QString edit = QStringLiteral("Edit");
    QCOMPARE(GetPrivateProfileInt(edit, QStringLiteral("MainWindowWidth"), -1, m_path), width);
    QCOMPARE(GetPrivateProfileInt(edit, QStringLiteral("MainWindowHeight"), -1, m_path),
             height);
}

void TestDefaultSettings::missingFolder()
{
    const QString path = m_dir->filePath(QStringLiteral("missing/Zelkopad.ini"));
    QVERIFY(!WriteDefaultSettings(path, 15, 15));
    QVERIFY(!QFileInfo::exists(QFileInfo(path).path()));
}

QTEST_GUILESS_MAIN(TestDefaultSettings)
#include "tst_defaultsettings.moc"
