// The settings-file functions: reads with their limits and fallbacks, writes
// in place byte for byte, and writes refused where the file would lose data.

#include "platform/profile.h"

#include "files.h"
#include "permissions.h"

#include <QTemporaryDir>
#include <QtTest>

#include <climits>

using namespace zp;
using namespace zp::testing;
using zptest::readBytes;
using zptest::writeBytes;

namespace {

// CP932 bytes for the Japanese text used below.
const QByteArray SettingsSjis = QByteArray::fromHex("90dd92e8");   // 設定
const QByteArray NameSjis = QByteArray::fromHex("96bc914f");       // 名前
const QByteArray ValueSjis = QByteArray::fromHex("93fa967b8cea");  // 日本語
const QByteArray DisplaySjis = QByteArray::fromHex("955c8ea6");    // 表示: trail byte 0x5C
const QString Settings = u"\u8a2d\u5b9a"_qs;
const QString Name = u"\u540d\u524d"_qs;
const QString Value = u"\u65e5\u672c\u8a9e"_qs;

// A readString row; a null content means no file.
void readRow(const char *name, const QByteArray &content, const QString &expected,
             const QString &section = "Edit", const QString &key = "Key", int size = 256,
             const QString &fallback = "fb")
{
    QTest::newRow(name) << content << section << key << fallback << size << expected;
}

// A write row in section A, key k.
void writeRow(const char *name, const QByteArray &before, const QString &value,
              const QByteArray &after, const QString &section = "A", const QString &key = "k")
{
    QTest::newRow(name) << before << section << key << value << after;
}

} // namespace

class TestProfile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_path = m_dir.filePath(QStringLiteral("%1.ini").arg(++m_count)); }
    void readString_data();
    void readString();
    void readInt_data();
    void readInt();
    void write_data();
    void write();
    void writeFailure_data();
    void writeFailure();

private:
    QTemporaryDir m_dir;
    int m_count = 0;
    QString m_path; // a new file for each test row
};

void TestProfile::readString_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("fallback");
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("expected");

    const QByteArray basic("[Edit]\r\nKey=value\r\n");
    readRow("names in other case", basic, "value", "eDIT", "kEY");
    readRow("value trimmed of spaces and tabs", "[Edit]\r\n\t Key \t= \t some value \t \r\n",
            "some value");
    readRow("blanks around the header and inside brackets", "  [ Edit ] x \r\nKey=1\r\n", "1");
    readRow("empty value is not missing", "[Edit]\r\nKey=\r\n", "");
    readRow("value containing =", "[Edit]\r\nKey=a=b\r\n", "a=b");
    readRow("missing file", QByteArray(), "fb");
    readRow("missing section", basic, "fb", "View");
    readRow("missing key", basic, "fb", "Edit", "Other");
    readRow("key of another section", "[Edit]\r\nA=1\r\n[View]\r\nKey=2\r\n", "fb");
    readRow("buffer cuts the value", "[Edit]\r\nKey=abcdef\r\n", "abc", "Edit", "Key", 4);
    readRow("value of size - 1 fits", "[Edit]\r\nKey=abc\r\n", "abc", "Edit", "Key", 4);
    readRow("buffer cuts the fallback", basic, "fall", "Edit", "Other", 5, "fallback");
    readRow("size 0 gives nothing", basic, "", "Edit", "Key", 0);
    readRow("cut never splits a surrogate pair", basic, "a", "Edit", "Other", 3,
            u"a\U0001F600"_qs);
    readRow("first duplicate key wins", "[Edit]\r\nKey=1\r\nkey=2\r\n", "1");
    readRow("later duplicate section is not searched", "[Edit]\r\nA=1\r\n[Edit]\r\nKey=2\r\n",
            "fb");
    readRow("malformed lines are skipped",
            "\x80\xff\r\n[Edit]\r\nno equals sign\r\n\r\n   \r\n=nameless\r\n"
            "[broken=x\r\n[View\r\n\xfd\xfe\r\nKey=1\r\n",
            "1");
}

void TestProfile::readString()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, fallback);
    QFETCH(int, size);
    QFETCH(QString, expected);

    if (!content.isNull())
        QVERIFY(writeBytes(m_path, content));
    QString buffer = QStringLiteral("stale");
    const int count = GetPrivateProfileString(section, key, fallback, buffer, size, m_path);
    QCOMPARE(buffer, expected);
    QCOMPARE(count, int(expected.size()));
}

void TestProfile::readInt_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("expected");

    QTest::newRow("blanks and leading zeros") << QByteArray(" 007 ") << 7;
    QTest::newRow("digits then letters") << QByteArray("12abc") << 12;
    QTest::newRow("letters") << QByteArray("abc") << 0;
    QTest::newRow("sign") << QByteArray("-5") << 0;
    QTest::newRow("fullwidth digits") << QByteArray("\x82\x50\x82\x51") << 0;
    QTest::newRow("just above int") << QByteArray("2147483648") << INT_MAX;
    QTest::newRow("many digits") << QByteArray("123456789012345678901234567890") << INT_MAX;
    QTest::newRow("missing key") << QByteArray() << -42;
}

void TestProfile::readInt()
{
    QFETCH(QByteArray, value);
    QFETCH(int, expected);

    QVERIFY(writeBytes(m_path, value.isNull() ? QByteArray("[A]\r\nm=1\r\n") : "[A]\r\nn=" + value + "\r\n"));
    QCOMPARE(GetPrivateProfileInt(QStringLiteral("A"), QStringLiteral("N"), -42, m_path),
             expected);
}

void TestProfile::write_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    // ED 70 is a character CP932 has two codes for: encoding it anew would
    // write the other code (FA 8D).
    writeRow("replace keeps every other line byte for byte",
             "stray=1\r\n\x80\xff\r\n[Edit]\r\n ; note \r\n[broken\r\nA=\xed\x70\r\n"
             "Key=old\r\n\r\n\t\r\nB=2\r\n[View]\r\nKey=3\r\n",
             "new",
             "stray=1\r\n\x80\xff\r\n[Edit]\r\n ; note \r\n[broken\r\nA=\xed\x70\r\n"
             "Key=new\r\n\r\n\t\r\nB=2\r\n[View]\r\nKey=3\r\n",
             "Edit", "Key");
    writeRow("replace keeps the key's spelling and the text before =",
             "[edit]\r\n  backUp = 1  \r\n", "0", "[edit]\r\n  backUp =0\r\n", "EDIT", "Backup");
    writeRow("replace only the first duplicate", "[A]\r\nk=1\r\nk=2\r\n", "3",
             "[A]\r\nk=3\r\nk=2\r\n");
    writeRow("new key at end of section before the next", "[A]\r\nx=1\r\n[B]\r\ny=2\r\n", "v",
             "[A]\r\nx=1\r\nk=v\r\n[B]\r\ny=2\r\n");
    writeRow("new key before blank lines ending the section", "[A]\r\nx=1\r\n\r\n \r\n[B]\r\n",
             "v", "[A]\r\nx=1\r\nk=v\r\n\r\n \r\n[B]\r\n");
    writeRow("new key in an empty section", "[A]\r\n\r\n[B]\r\n", "v", "[A]\r\nk=v\r\n\r\n[B]\r\n");
    writeRow("new key in the last section", "[A]\r\n[B]\r\nx=1\r\n", "v",
             "[A]\r\n[B]\r\nx=1\r\nk=v\r\n", "b");
    writeRow("new key goes to the first duplicate section", "[A]\r\nx=1\r\n[A]\r\ny=2\r\n", "v",
             "[A]\r\nx=1\r\nk=v\r\n[A]\r\ny=2\r\n");
    writeRow("new section after a last line without line end", "[A]\r\nx=1", "v",
             "[A]\r\nx=1\r\n[B]\r\nk=v\r\n", "B");
    writeRow("key before any section is not in the section", "k=1\r\n", "2",
             "k=1\r\n[A]\r\nk=2\r\n");
    writeRow("file created", QByteArray(), "v", "[A]\r\nk=v\r\n");
    writeRow("empty value", "[A]\r\n", "", "[A]\r\nk=\r\n");
    writeRow("Japanese names and value in CP932",
             '[' + SettingsSjis + "]\r\n" + NameSjis + "=x\r\n", Value,
             '[' + SettingsSjis + "]\r\n" + NameSjis + '=' + ValueSjis + "\r\n", Settings, Name);
    // Values CP932 holds, including bytes it does not decode, are kept; each
    // write is read back, so these rows test the reader too.
    writeRow("path with trail byte 0x5C", "", u"C:\\\u8868\u793a\\a.htm"_qs,
             "[A]\r\nk=C:\\" + DisplaySjis + "\\a.htm\r\n");
    writeRow("halfwidth katakana and fullwidth tilde", "", u"\uff71\uff5e"_qs,
             "[A]\r\nk=\xb1\x81\x60\r\n");
    writeRow("ideographic spaces at the ends", "", u"\u3000x\u3000"_qs,
             "[A]\r\nk=\x81\x40x\x81\x40\r\n");
    writeRow("kept byte", "", QString(QChar(0xF780 + 0xFF)), "[A]\r\nk=\xff\r\n");
    writeRow("CR and LF line ends become CR LF", "[A]\rx=1\n\n[B]\n", "v",
             "[A]\r\nx=1\r\nk=v\r\n\r\n[B]\r\n");
    // ED 40 and FA 5C are the same character.
    writeRow("other lines and the value keep the file's codes", "[A]\r\nx=\xed\x40\r\nk=1\r\n",
             u"\u7e8a"_qs, "[A]\r\nx=\xed\x40\r\nk=\xed\x40\r\n");
}

void TestProfile::write()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);

    if (!before.isNull())
        QVERIFY(writeBytes(m_path, before));
    QVERIFY(WritePrivateProfileString(section, key, value, m_path));
    QCOMPARE(readBytes(m_path), after);
    QString buffer;
    GetPrivateProfileString(section, key, QString(), buffer, 1024, m_path);
    QCOMPARE(buffer, value);
}

// A refused or failed write leaves the bytes as they were, and readers still
// get the old value, or their fallback where the file cannot be read.
void TestProfile::writeFailure_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<int>("fileMode");
    QTest::addColumn<int>("folderMode");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");

    QTest::newRow("folder missing") << false << 0600 << 0700 << "k" << "2";
    QTest::newRow("folder refuses the temporary file") << true << 0600 << 0500 << "k" << "2";
    // Rewriting a file that could not be read would lose what it held.
    QTest::newRow("unreadable file") << true << 0200 << 0700 << "k" << "2";
    QTest::newRow("empty key") << true << 0600 << 0700 << "" << "2";
    QTest::newRow("letter CP932 lacks") << true << 0600 << 0700 << "k" << u"caf\u00e9"_qs;
    QTest::newRow("emoji") << true << 0600 << 0700 << "k" << u"a\U0001F600"_qs;
    QTest::newRow("wave dash") << true << 0600 << 0700 << "k" << u"\u301c"_qs;
    QTest::newRow("line break") << true << 0600 << 0700 << "k" << "2\r\n[B]";
    QTest::newRow("blanks the reader trims") << true << 0600 << 0700 << "k" << " 2\t";
    // Far beyond any settings file: read whole at every setting, it would
    // take the memory.
    QTest::newRow("16 MiB of comments") << true << 0600 << 0700 << "k" << "2";
}

void TestProfile::writeFailure()
{
    QFETCH(bool, exists);
    QFETCH(int, fileMode);
    QFETCH(int, folderMode);
    QFETCH(QString, key);
    QFETCH(QString, value);

    const QString folder = m_dir.filePath(QStringLiteral("cfg%1").arg(m_count));
    const QString path = folder + "/test.ini";
    const bool huge = QByteArray(QTest::currentDataTag()).startsWith("16 MiB");
    const QByteArray before = "[A]\r\nk=1\r\n" + QByteArray(huge ? 16 << 20 : 0, ';');
    if (exists) {
        QVERIFY(writeBytes(path, before));
        QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions::fromInt(fileMode << 6)));
    }
    {
        // Mode bits as QFileDevice's owner flags.
        FolderMode mode(folder, QFileDevice::Permissions::fromInt(folderMode << 6));
        // Root ignores file modes unless this drops the capabilities to.
        FileModesEnforced enforced;
        if (folderMode != 0700 && !FileModesEnforced::folderModesApply(folder))
            QSKIP("file modes are not enforced for this user");
        QVERIFY(!WritePrivateProfileString(QStringLiteral("A"), key, value, path));
        QCOMPARE(GetPrivateProfileInt(QStringLiteral("A"), QStringLiteral("k"), -1, path),
                 exists && fileMode != 0200 && !huge ? 1 : -1);
    }
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (exists) {
        QCOMPARE(readBytes(path), before);
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 1);
    } else {
        QVERIFY(!QFileInfo::exists(folder));
    }
}

QTEST_GUILESS_MAIN(TestProfile)
#include "tst_profile.moc"
