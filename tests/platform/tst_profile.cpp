#include "platform/profile.h"

#include <QtTest>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <climits>
#include <memory>

using namespace zp;

namespace {

// CP932 bytes for the Japanese text used below.
const QByteArray SettingsSjis = QByteArray::fromHex("90dd92e8");   // 設定
const QByteArray NameSjis = QByteArray::fromHex("96bc914f");       // 名前
const QByteArray ValueSjis = QByteArray::fromHex("93fa967b8cea");  // 日本語
const QByteArray DisplaySjis = QByteArray::fromHex("955c8ea6");    // 表示: trail byte 0x5C

QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
            && file.write(bytes) == bytes.size();
}

} // namespace

class TestProfile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void readString_data();
    void readString();
    void readInt_data();
    void readInt();
    void write_data();
    void write();
    void writeFailure_data();
    void writeFailure();
    void writtenValueReadsBack_data();
    void writtenValueReadsBack();

private:
    QString m_path;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestProfile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_path = m_dir->filePath(QStringLiteral("test.ini"));
}

void TestProfile::readString_data()
{
    QTest::addColumn<bool>("fileExists");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("fallback");
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("expected");

    const QByteArray basic("[Edit]\r\nKey=value\r\n");
    QTest::newRow("exact names") << true << basic << "Edit" << "Key" << "fb" << 256 << "value";
    QTest::newRow("section name in other case")
            << true << basic << "eDIT" << "Key" << "fb" << 256 << "value";
    QTest::newRow("key name in other case")
            << true << basic << "Edit" << "KEY" << "fb" << 256 << "value";
    QTest::newRow("value trimmed of spaces and tabs")
            << true << QByteArray("[Edit]\r\n\t Key \t= \t some value \t \r\n") << "Edit"
            << "Key" << "fb" << 256 << "some value";
    QTest::newRow("ideographic spaces are part of the value")
            << true << QByteArray("[Edit]\r\nKey=\x81\x40x\x81\x40\r\n") << "Edit" << "Key"
            << "fb" << 256 << u"\u3000x\u3000"_qs;
    QTest::newRow("blanks around the header and inside brackets")
            << true << QByteArray("  [ Edit ]  \r\nKey=1\r\n") << "Edit" << "Key" << "fb"
            << 256 << "1";
    QTest::newRow("text after the closing bracket")
            << true << QByteArray("[Edit] trailing\r\nKey=1\r\n") << "Edit" << "Key" << "fb"
            << 256 << "1";
    QTest::newRow("empty value is not missing")
            << true << QByteArray("[Edit]\r\nKey=\r\n") << "Edit" << "Key" << "fb" << 256
            << "";
    QTest::newRow("value containing =")
            << true << QByteArray("[Edit]\r\nKey=a=b\r\n") << "Edit" << "Key" << "fb" << 256
            << "a=b";
    QTest::newRow("missing file") << false << QByteArray() << "Edit" << "Key" << "fb" << 256
                                  << "fb";
    QTest::newRow("empty file") << true << QByteArray() << "Edit" << "Key" << "fb" << 256
                                << "fb";
    QTest::newRow("missing section") << true << basic << "View" << "Key" << "fb" << 256 << "fb";
    QTest::newRow("missing key") << true << basic << "Edit" << "Other" << "fb" << 256 << "fb";
    QTest::newRow("key of another section")
            << true << QByteArray("[Edit]\r\nA=1\r\n[View]\r\nKey=2\r\n") << "Edit" << "Key"
            << "fb" << 256 << "fb";
    QTest::newRow("buffer cuts the value")
            << true << QByteArray("[Edit]\r\nKey=abcdef\r\n") << "Edit" << "Key" << "fb" << 4
            << "abc";
    QTest::newRow("value of size - 1 fits")
            << true << QByteArray("[Edit]\r\nKey=abc\r\n") << "Edit" << "Key" << "fb" << 4
            << "abc";
    QTest::newRow("buffer cuts the fallback")
            << true << basic << "Edit" << "Other" << "fallback" << 5 << "fall";
    QTest::newRow("size 1 gives nothing") << true << basic << "Edit" << "Key" << "fb" << 1 << "";
    QTest::newRow("size 0 gives nothing") << true << basic << "Edit" << "Key" << "fb" << 0 << "";
    QTest::newRow("cut never splits a surrogate pair")
            << true << basic << "Edit" << "Other" << u"a\U0001F600"_qs << 3 << "a";
    QTest::newRow("first duplicate key wins")
            << true << QByteArray("[Edit]\r\nKey=1\r\nkey=2\r\n") << "Edit" << "Key" << "fb"
            << 256 << "1";
    QTest::newRow("first duplicate section wins")
            << true << QByteArray("[Edit]\r\nKey=1\r\n[EDIT]\r\nKey=2\r\n") << "Edit" << "Key"
            << "fb" << 256 << "1";
    QTest::newRow("later duplicate section is not searched")
            << true << QByteArray("[Edit]\r\nA=1\r\n[Edit]\r\nKey=2\r\n") << "Edit" << "Key"
            << "fb" << 256 << "fb";
    QTest::newRow("key before any section is in none")
            << true << QByteArray("Key=1\r\n[Edit]\r\nA=2\r\n") << "Edit" << "Key" << "fb"
            << 256 << "fb";
    QTest::newRow("malformed lines are skipped")
            << true
            << QByteArray("\x80\xff\r\n[Edit]\r\nno equals sign\r\n\r\n   \r\n=nameless\r\n"
                          "[broken=x\r\n\xfd\xfe\r\nKey=1\r\n")
            << "Edit" << "Key" << "fb" << 256 << "1";
    QTest::newRow("bracket line without ] is no header")
            << true << QByteArray("[Edit]\r\n[View\r\nKey=1\r\n") << "Edit" << "Key" << "fb"
            << 256 << "1";
    QTest::newRow("bracket line with = is no key")
            << true << QByteArray("[Edit]\r\n[Key=1\r\n") << "Edit" << "[Key" << "fb" << 256
            << "fb";
    QTest::newRow("CR line ends")
            << true << QByteArray("[A]\rx=1\r[Edit]\rKey=2\r") << "Edit" << "Key" << "fb"
            << 256 << "2";
    QTest::newRow("LF line ends")
            << true << QByteArray("[A]\nx=1\n[Edit]\nKey=2\n") << "Edit" << "Key" << "fb"
            << 256 << "2";
    QTest::newRow("mixed line ends")
            << true << QByteArray("[A]\r\n[B]\r[Edit]\nKey=2") << "Edit" << "Key" << "fb" << 256
            << "2";
    QTest::newRow("last line without line end")
            << true << QByteArray("[Edit]\r\nKey=3") << "Edit" << "Key" << "fb" << 256 << "3";
    QTest::newRow("Japanese names and value")
            << true << QByteArray('[' + SettingsSjis + "]\r\n" + NameSjis + '=' + ValueSjis)
            << u"\u8a2d\u5b9a"_qs << u"\u540d\u524d"_qs << "fb" << 256
            << u"\u65e5\u672c\u8a9e"_qs;
    QTest::newRow("trail byte 0x5C in a path")
            << true << QByteArray("[History]\r\nFileList1=C:\\" + DisplaySjis + "\\a.htm\r\n")
            << "History" << "FileList1" << "fb" << 256 << u"C:\\\u8868\u793a\\a.htm"_qs;
}

void TestProfile::readString()
{
    QFETCH(bool, fileExists);
    QFETCH(QByteArray, content);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, fallback);
    QFETCH(int, size);
    QFETCH(QString, expected);

    if (fileExists)
        QVERIFY(writeAll(m_path, content));
    QString buffer = QStringLiteral("stale");
    const int count = GetPrivateProfileString(section, key, fallback, buffer, size, m_path);
    QCOMPARE(buffer, expected);
    QCOMPARE(count, int(expected.size()));
}

void TestProfile::readInt_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("expected");

    QTest::newRow("plain number") << QByteArray("[A]\r\nn=12\r\n") << 12;
    QTest::newRow("blanks around") << QByteArray("[A]\r\nn= 7 \r\n") << 7;
    QTest::newRow("leading zeros") << QByteArray("[A]\r\nn=007\r\n") << 7;
    QTest::newRow("digits then letters") << QByteArray("[A]\r\nn=12abc\r\n") << 12;
    QTest::newRow("letters") << QByteArray("[A]\r\nn=abc\r\n") << 0;
    QTest::newRow("minus sign") << QByteArray("[A]\r\nn=-5\r\n") << 0;
    QTest::newRow("plus sign") << QByteArray("[A]\r\nn=+5\r\n") << 0;
    QTest::newRow("empty value") << QByteArray("[A]\r\nn=\r\n") << 0;
    QTest::newRow("fullwidth digits") << QByteArray("[A]\r\nn=\x82\x50\x82\x51\r\n") << 0;
    QTest::newRow("largest int") << QByteArray("[A]\r\nn=2147483647\r\n") << INT_MAX;
    QTest::newRow("just above int") << QByteArray("[A]\r\nn=2147483648\r\n") << INT_MAX;
    QTest::newRow("far above int") << QByteArray("[A]\r\nn=99999999999\r\n") << INT_MAX;
    QTest::newRow("many digits")
            << QByteArray("[A]\r\nn=123456789012345678901234567890\r\n") << INT_MAX;
    QTest::newRow("missing key") << QByteArray("[A]\r\nm=1\r\n") << -42;
    QTest::newRow("missing section") << QByteArray("[B]\r\nn=1\r\n") << -42;
}

void TestProfile::readInt()
{
    QFETCH(QByteArray, content);
    QFETCH(int, expected);

    QVERIFY(writeAll(m_path, content));
    QCOMPARE(GetPrivateProfileInt(QStringLiteral("A"), QStringLiteral("N"), -42, m_path),
             expected);
}

void TestProfile::write_data()
{
    QTest::addColumn<bool>("fileExists");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("replace keeps every other line")
            << true
            << QByteArray("stray=1\r\n\x80\xff\r\n[Edit]\r\n ; note \r\n[broken\r\nA=1\r\n"
                          "Key=old\r\n\r\n\t\r\nB=2\r\n[View]\r\nKey=3\r\n")
            << "Edit" << "Key" << "new"
            << QByteArray("stray=1\r\n\x80\xff\r\n[Edit]\r\n ; note \r\n[broken\r\nA=1\r\n"
                          "Key=new\r\n\r\n\t\r\nB=2\r\n[View]\r\nKey=3\r\n");
    QTest::newRow("replace keeps the key's spelling")
            << true << QByteArray("[edit]\r\nbackUp=1\r\n") << "EDIT" << "Backup" << "0"
            << QByteArray("[edit]\r\nbackUp=0\r\n");
    QTest::newRow("replace keeps the text before =")
            << true << QByteArray("[Edit]\r\n  Key = old  \r\n") << "Edit" << "Key" << "new"
            << QByteArray("[Edit]\r\n  Key =new\r\n");
    QTest::newRow("replace only the first duplicate")
            << true << QByteArray("[Edit]\r\nKey=1\r\nKey=2\r\n") << "Edit" << "Key" << "3"
            << QByteArray("[Edit]\r\nKey=3\r\nKey=2\r\n");
    QTest::newRow("replace with the same value")
            << true << QByteArray("[Edit]\r\nKey=1\r\n") << "Edit" << "Key" << "1"
            << QByteArray("[Edit]\r\nKey=1\r\n");
    QTest::newRow("new key at end of section before the next")
            << true << QByteArray("[A]\r\nx=1\r\n[B]\r\ny=2\r\n") << "A" << "k" << "v"
            << QByteArray("[A]\r\nx=1\r\nk=v\r\n[B]\r\ny=2\r\n");
    QTest::newRow("new key before blank lines ending the section")
            << true << QByteArray("[A]\r\nx=1\r\n\r\n \r\n[B]\r\n") << "A" << "k" << "v"
            << QByteArray("[A]\r\nx=1\r\nk=v\r\n\r\n \r\n[B]\r\n");
    QTest::newRow("new key after a malformed last line")
            << true << QByteArray("[A]\r\nx=1\r\ngarbage\r\n[B]\r\n") << "A" << "k" << "v"
            << QByteArray("[A]\r\nx=1\r\ngarbage\r\nk=v\r\n[B]\r\n");
    QTest::newRow("new key in an empty section")
            << true << QByteArray("[A]\r\n\r\n[B]\r\n") << "A" << "k" << "v"
            << QByteArray("[A]\r\nk=v\r\n\r\n[B]\r\n");
    QTest::newRow("new key in the last section")
            << true << QByteArray("[A]\r\n[B]\r\nx=1\r\n") << "b" << "k" << "v"
            << QByteArray("[A]\r\n[B]\r\nx=1\r\nk=v\r\n");
    QTest::newRow("new key goes to the first duplicate section")
            << true << QByteArray("[A]\r\nx=1\r\n[A]\r\ny=2\r\n") << "A" << "k" << "v"
            << QByteArray("[A]\r\nx=1\r\nk=v\r\n[A]\r\ny=2\r\n");
    QTest::newRow("new section at end")
            << true << QByteArray("[A]\r\nx=1\r\n") << "B" << "k" << "v"
            << QByteArray("[A]\r\nx=1\r\n[B]\r\nk=v\r\n");
    QTest::newRow("new section after a last line without line end")
            << true << QByteArray("[A]\r\nx=1") << "B" << "k" << "v"
            << QByteArray("[A]\r\nx=1\r\n[B]\r\nk=v\r\n");
    QTest::newRow("key before any section is not in the section")
            << true << QByteArray("k=1\r\n") << "A" << "k" << "2"
            << QByteArray("k=1\r\n[A]\r\nk=2\r\n");
    QTest::newRow("file created") << false << QByteArray() << "A" << "k" << "v"
                                  << QByteArray("[A]\r\nk=v\r\n");
    QTest::newRow("empty file") << true << QByteArray() << "A" << "k" << "v"
                                << QByteArray("[A]\r\nk=v\r\n");
    QTest::newRow("empty value") << true << QByteArray("[A]\r\n") << "A" << "k" << ""
                                 << QByteArray("[A]\r\nk=\r\n");
    QTest::newRow("value containing =")
            << true << QByteArray("[A]\r\nk=1\r\n") << "A" << "k" << "a=b"
            << QByteArray("[A]\r\nk=a=b\r\n");
    QTest::newRow("value written unchanged")
            << true << QByteArray("[A]\r\n") << "A" << "k" << " v "
            << QByteArray("[A]\r\nk= v \r\n");
    QTest::newRow("Japanese value in CP932")
            << true << QByteArray("[A]\r\n") << "A" << "k" << u"\u65e5\u672c\u8a9e"_qs
            << QByteArray("[A]\r\nk=" + ValueSjis + "\r\n");
    QTest::newRow("Japanese names find their section")
            << true << QByteArray('[' + SettingsSjis + "]\r\n" + NameSjis + "=x\r\n")
            << u"\u8a2d\u5b9a"_qs << u"\u540d\u524d"_qs << "y"
            << QByteArray('[' + SettingsSjis + "]\r\n" + NameSjis + "=y\r\n");
    QTest::newRow("CR line ends become CR LF")
            << true << QByteArray("[A]\rx=1\r") << "A" << "x" << "2"
            << QByteArray("[A]\r\nx=2\r\n");
    QTest::newRow("LF line ends become CR LF")
            << true << QByteArray("[A]\nx=1\n\n[B]\n") << "A" << "k" << "v"
            << QByteArray("[A]\r\nx=1\r\nk=v\r\n\r\n[B]\r\n");
}

void TestProfile::write()
{
    QFETCH(bool, fileExists);
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);

    if (fileExists)
        QVERIFY(writeAll(m_path, before));
    QVERIFY(WritePrivateProfileString(section, key, value, m_path));
    QCOMPARE(readAll(m_path), after);
}

void TestProfile::writeFailure_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QString>("key");

    QTest::newRow("folder missing") << "missing/test.ini" << false << "k";
    QTest::newRow("read-only file") << "test.ini" << true << "k";
    QTest::newRow("empty key") << "test.ini" << false << "";
}

void TestProfile::writeFailure()
{
    QFETCH(QString, fileName);
    QFETCH(bool, readOnly);
    QFETCH(QString, key);

    const QString path = m_dir->filePath(fileName);
    const bool existed = !fileName.contains(u'/');
    const QByteArray before("[A]\r\nk=1\r\n");
    if (existed)
        QVERIFY(writeAll(path, before));
    if (readOnly) {
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup
                                                    | QFile::ReadOther));
        QFile probe(path);
        if (probe.open(QIODevice::WriteOnly | QIODevice::Append))
            QSKIP("file permissions are not enforced for this user");
    }

    QVERIFY(!WritePrivateProfileString(QStringLiteral("A"), key, QStringLiteral("2"), path));
    if (existed) {
        QCOMPARE(readAll(path), before);
    } else {
        QVERIFY(!QFile::exists(path));
        QVERIFY(!QFileInfo::exists(QFileInfo(path).path()));
    }
}

// A value goes through write and read unchanged apart from surrounding blanks,
// including characters that only survive as kept bytes.
void TestProfile::writtenValueReadsBack_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("path with backslashes")
            << u"C:\\\u8868\u793a\\a.htm"_qs << u"C:\\\u8868\u793a\\a.htm"_qs;
    QTest::newRow("halfwidth katakana") << u"\uff71\uff72"_qs << u"\uff71\uff72"_qs;
    QTest::newRow("surrounding blanks trimmed") << " \tx y\t " << "x y";
    QTest::newRow("kept byte") << QString(QChar(0xF780 + 0xFF)) << QString(QChar(0xF780 + 0xFF));
    QTest::newRow("emoji cannot be stored") << u"a\U0001F600"_qs << "a?";
}

void TestProfile::writtenValueReadsBack()
{
    QFETCH(QString, value);
    QFETCH(QString, expected);

    QVERIFY(WritePrivateProfileString(QStringLiteral("A"), QStringLiteral("k"), value, m_path));
    QString buffer;
    GetPrivateProfileString(QStringLiteral("A"), QStringLiteral("k"), QString(), buffer, 1024,
                            m_path);
    QCOMPARE(buffer, expected);
}

QTEST_GUILESS_MAIN(TestProfile)
#include "tst_profile.moc"
