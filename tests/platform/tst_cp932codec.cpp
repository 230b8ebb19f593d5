#include "platform/cp932codec.h"

#include <QtTest>

using namespace zp;

namespace {

QString kept(unsigned char byte)
{
    return QString(QChar(char16_t(KeptByteBase + byte)));
}

bool hasKeptByte(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() >= KeptByteBase && c.unicode() <= KeptByteBase + 0xFF)
            return true;
    }
    return false;
}

QString hex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' '));
}

// A short text mixing ASCII, double-byte characters, undecodable bytes and a
// lead byte cut off at the end.
QByteArray mixedBytes()
{
    return QByteArray::fromHex("61 82a0 80 8abf ff 62 8160 0d0a 88");
}

QString mixedText()
{
    return u"a\u3042" + kept(0x80) + u"\u6f22" + kept(0xFF) + u"b\uff5e\r\n" + kept(0x88);
}

} // namespace

class TestCp932Codec : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void singleBytes();
    void doubleBytes();
    void knownMappings_data();
    void knownMappings();
    void keptBytes_data();
    void keptBytes();
    void splitBetweenBlocks_data();
    void splitBetweenBlocks();
    void byteByByte();
    void encodeUnmappable_data();
    void encodeUnmappable();
    void inputsLargerThanOnePiece();
};

void TestCp932Codec::singleBytes()
{
    for (int b = 0; b < 256; ++b) {
        const QByteArray bytes(1, char(b));
        const QString text = decodeCp932(bytes);
        QVERIFY2(text.size() == 1, qPrintable(hex(bytes)));
        // Control codes and ASCII must be themselves: 0x5C is a backslash and
        // 0x1A, 0x1C, 0x7F are not swapped around.
        if (b < 0x80)
            QVERIFY2(text.at(0).unicode() == b, qPrintable(hex(bytes)));
        qsizetype unmappable = -1;
        QVERIFY2(encodeCp932(text, &unmappable) == bytes, qPrintable(hex(bytes)));
        QCOMPARE(unmappable, qsizetype(0));
    }
}

// Every lead/trail pair must come back byte for byte, except where CP932 has two
// codes for one character (NEC and IBM duplicates): then the code encoding picks
// must decode to the same character.
void TestCp932Codec::doubleBytes()
{
    int duplicates = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead > 0x9F && lead < 0xE0)
            continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            QByteArray bytes;
            bytes.append(char(lead)).append(char(trail));
            const QString text = decodeCp932(bytes);
            qsizetype unmappable = -1;
            const QByteArray encoded = encodeCp932(text, &unmappable);
            QVERIFY2(unmappable == 0, qPrintable(hex(bytes)));
            if (encoded == bytes)
                continue;
            QVERIFY2(text.size() == 1 && !hasKeptByte(text),
                     qPrintable(QString(hex(bytes) + u" -> " + hex(encoded))));
            QVERIFY2(decodeCp932(encoded) == text,
                     qPrintable(QString(hex(bytes) + u" -> " + hex(encoded))));
            ++duplicates;
        }
    }
    QVERIFY(duplicates > 0); // the table in use does know the duplicates
}

void TestCp932Codec::knownMappings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("backslash") << QByteArray("\x5c") << u"\\"_qs;
    QTest::newRow("tilde") << QByteArray("\x7e") << u"~"_qs;
    QTest::newRow("halfwidth katakana") << QByteArray::fromHex("b1df") << u"\uff71\uff9f"_qs;
    QTest::newRow("fullwidth tilde") << QByteArray::fromHex("8160") << u"\uff5e"_qs;
    QTest::newRow("fullwidth reverse solidus") << QByteArray::fromHex("815f") << u"\uff3c"_qs;
    QTest::newRow("parallel to") << QByteArray::fromHex("8161") << u"\u2225"_qs;
    QTest::newRow("fullwidth hyphen-minus") << QByteArray::fromHex("817c") << u"\uff0d"_qs;
    QTest::newRow("ideographic space") << QByteArray::fromHex("8140") << u"\u3000"_qs;
    QTest::newRow("hiragana") << QByteArray::fromHex("82a082f1") << u"\u3042\u3093"_qs;
    QTest::newRow("trail byte 0x5C") << QByteArray::fromHex("955c8ea6") << u"\u8868\u793a"_qs;
    QTest::newRow("NEC row 13") << QByteArray::fromHex("8740") << u"\u2460"_qs;
    QTest::newRow("user-defined area") << QByteArray::fromHex("f040") << u"\ue000"_qs;
    QTest::newRow("line ends") << QByteArray("a\r\nb\rc\n") << u"a\r\nb\rc\n"_qs;
}

void TestCp932Codec::knownMappings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);

    QCOMPARE(decodeCp932(bytes), text);
    QCOMPARE(encodeCp932(text), bytes);
}

void TestCp932Codec::keptBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("0x80") << QByteArray::fromHex("418042") << QString(u'A' + kept(0x80) + u'B');
    QTest::newRow("0xA0") << QByteArray::fromHex("a0") << kept(0xA0);
    QTest::newRow("0xFD-0xFF") << QByteArray::fromHex("fdfeff")
                               << QString(kept(0xFD) + kept(0xFE) + kept(0xFF));
    QTest::newRow("lone lead byte at end") << QByteArray::fromHex("4182") << QString(u'A' + kept(0x82));
    QTest::newRow("lead byte before LF")
            << QByteArray::fromHex("820a41") << QString(kept(0x82) + u"\nA");
    QTest::newRow("lead byte before 0x7F")
            << QByteArray::fromHex("817f") << QString(kept(0x81) + QChar(0x7F));
    QTest::newRow("lead byte before a blank")
            << QByteArray::fromHex("e020") << QString(kept(0xE0) + u' ');
    QTest::newRow("UTF-8 byte order mark")
            << QByteArray::fromHex("efbbbf") << QString(kept(0xEF) + kept(0xBB) + u"\uff7f");
    QTest::newRow("unassigned pair")
            << QByteArray::fromHex("8540") << QString(kept(0x85) + kept(0x40));
}

void TestCp932Codec::keptBytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);

    QCOMPARE(decodeCp932(bytes), text);
    qsizetype unmappable = -1;
    QCOMPARE(encodeCp932(text, &unmappable), bytes);
    QCOMPARE(unmappable, qsizetype(0));
}

void TestCp932Codec::splitBetweenBlocks_data()
{
    QTest::addColumn<int>("offset");
    for (int offset = 0; offset <= mixedBytes().size(); ++offset)
        QTest::addRow("at %d", offset) << offset;
}

void TestCp932Codec::splitBetweenBlocks()
{
    QFETCH(int, offset);
    const QByteArray bytes = mixedBytes();

    Cp932Decoder decoder;
    QString text = decoder.decode(bytes.constData(), offset, false);
    text += decoder.decode(bytes.constData() + offset, bytes.size() - offset, true);
    QCOMPARE(text, mixedText());
}

void TestCp932Codec::byteByByte()
{
    const QByteArray bytes = mixedBytes();
    Cp932Decoder decoder;
    QString text;
    for (const char byte : bytes)
        text += decoder.decode(&byte, 1, false);
    text += decoder.decode(nullptr, 0, true);
    QCOMPARE(text, mixedText());
}

void TestCp932Codec::encodeUnmappable_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qsizetype>("unmappable");

    QTest::newRow("emoji") << u"a\U0001F600b"_qs << QByteArray("a?b") << qsizetype(1);
    QTest::newRow("two emoji") << u"\U0001F600\U0001F601"_qs << QByteArray("??")
                               << qsizetype(2);
    QTest::newRow("lone high surrogate")
            << QString(u'a' + QChar(0xD83D) + u'b') << QByteArray("a?b") << qsizetype(1);
    QTest::newRow("lone low surrogate")
            << QString(u'a' + QChar(0xDE00) + u'b') << QByteArray("a?b") << qsizetype(1);
    QTest::newRow("high surrogate at end")
            << QString(u'a' + QChar(0xD83D)) << QByteArray("a?") << qsizetype(1);
    QTest::newRow("wave dash") << u"\u301c"_qs << QByteArray("?") << qsizetype(1);
    QTest::newRow("beyond the kept bytes")
            << QString(QChar(char16_t(KeptByteBase + 0x100))) << QByteArray("?")
            << qsizetype(1);
    QTest::newRow("kept bytes next to unmappable")
            << QString(kept(0xFF) + u"\U0001F600" + kept(0x00)) << QByteArray("\xff?", 3)
            << qsizetype(1);
}

void TestCp932Codec::encodeUnmappable()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QFETCH(qsizetype, unmappable);

    qsizetype count = -1;
    QCOMPARE(encodeCp932(text, &count), bytes);
    QCOMPARE(count, unmappable);
}

// Inputs are converted in pieces of 2^24 units; a character straddling a piece
// boundary must come through whole.
void TestCp932Codec::inputsLargerThanOnePiece()
{
    const qsizetype piece = qsizetype(1) << 24;

    QByteArray bytes(piece - 1, 'a');
    bytes += QByteArray::fromHex("82a0 7f 88");
    const QString text = decodeCp932(bytes);
    QCOMPARE(text.size(), piece + 2);
    QCOMPARE(text.right(4), u"a\u3042\x7f"_qs + kept(0x88));
    QCOMPARE(text.count(u'a'), piece - 1);

    QString wide(piece - 1, u'a');
    wide += u"\U0001F600\x1a";
    qsizetype unmappable = -1;
    const QByteArray encoded = encodeCp932(wide, &unmappable);
    QCOMPARE(unmappable, qsizetype(1));
    QCOMPARE(encoded.size(), piece + 1);
    QCOMPARE(encoded.right(3), QByteArray("a?\x1a"));
}

QTEST_GUILESS_MAIN(TestCp932Codec)
#include "tst_cp932codec.moc"
