// CP932 both ways: every code comes back, the table's own characters decode
// to the right ones, undecodable bytes survive, blocks split anywhere.

#include "platform/cp932codec.h"

#include <QtTest>

using namespace zp;

namespace {

QString kept(unsigned char byte)
{
    return QString(QChar(char16_t(KeptByteBase + byte)));
}

// ASCII, double-byte characters, undecodable bytes and a lead byte cut off at
// the end.
const QByteArray Mixed = QByteArray::fromHex("61 82a0 80 8abf ff 62 8160 0d0a 88");
const QString MixedText = u"a\u3042" + kept(0x80) + u"\u6f22" + kept(0xFF) + u"b\uff5e\r\n" + kept(0x88);

} // namespace

class TestCp932Codec : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void everyCodeComesBack();
    void goldenBytes_data();
    void goldenBytes();
    void blocksSplitAnywhere();
    void inputsLargerThanOnePiece();
    void variantsOfOneFile_data();
    void variantsOfOneFile();
};

// Every single byte and lead/trail pair encodes back to itself. Where CP932
// has several codes for one character (NEC and IBM duplicates), plain
// encoding picks one of them, and the decoder's variants bring back the code
// the bytes used.
void TestCp932Codec::everyCodeComesBack()
{
    int duplicates = 0;
    for (int code = 0; code <= 0xFCFC; ++code) {
        const int lead = code >> 8, trail = code & 0xFF;
        if (lead && (lead < 0x81 || (lead > 0x9F && lead < 0xE0) || trail < 0x40 || trail > 0xFC))
            continue;
        QByteArray bytes(1, char(trail));
        if (lead)
            bytes.prepend(char(lead));
        Cp932Decoder decoder;
        const QString text = decoder.decode(bytes.constData(), bytes.size(), true);
        // ASCII and control codes are themselves (0x5C is a backslash).
        if (!lead && code < 0x80)
            QCOMPARE(text, QString(QChar(code)));
        qsizetype unmappable = -1;
        QVERIFY2(encodeCp932(text, &unmappable, decoder.variants()) == bytes, bytes.toHex().constData());
        QVERIFY2(unmappable == 0, bytes.toHex().constData());
        const QByteArray plain = encodeCp932(text);
        if (plain == bytes)
            continue;
        QVERIFY2(lead && text.size() == 1 && decodeCp932(plain) == text, bytes.toHex().constData());
        ++duplicates;
    }
    QVERIFY(duplicates > 0); // the table in use does know the duplicates
}

void TestCp932Codec::goldenBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("unmappable"); // characters written as "?"; only encoded
    QTest::newRow("backslash, tilde, line ends") << QByteArray("\\~a\r\nb\rc\n") << u"\\~a\r\nb\rc\n"_qs << 0;
    QTest::newRow("halfwidth katakana") << QByteArray::fromHex("b1df") << u"\uff71\uff9f"_qs << 0;
    QTest::newRow("where CP932 differs from JIS") << QByteArray::fromHex("8160815f8161817c")
                                                  << u"\uff5e\uff3c\u2225\uff0d"_qs << 0;
    QTest::newRow("kana, ideographic space") << QByteArray::fromHex("82a081408ea6")
                                             << u"\u3042\u3000\u793a"_qs << 0;
    QTest::newRow("trail byte 0x5C") << QByteArray::fromHex("955c") << u"\u8868"_qs << 0;
    QTest::newRow("NEC row 13, user-defined") << QByteArray::fromHex("8740f040") << u"\u2460\ue000"_qs << 0;
    // Bytes that do not decode are kept, one character each.
    QTest::newRow("undecodable single bytes") << QByteArray::fromHex("4180a0fdfeff")
        << QString(u'A' + kept(0x80) + kept(0xA0) + kept(0xFD) + kept(0xFE) + kept(0xFF)) << 0;
    QTest::newRow("lone lead byte at end") << QByteArray::fromHex("4182") << QString(u'A' + kept(0x82)) << 0;
    QTest::newRow("lead byte before LF, 0x7F, blank") << QByteArray::fromHex("820a817fe020")
        << QString(kept(0x82) + u'\n' + kept(0x81) + QChar(0x7F) + kept(0xE0) + u' ') << 0;
    QTest::newRow("UTF-8 byte order mark") << QByteArray::fromHex("efbbbf")
                                           << QString(kept(0xEF) + kept(0xBB) + u"\uff7f") << 0;
    QTest::newRow("unassigned pair") << QByteArray::fromHex("8540") << QString(kept(0x85) + kept(0x40)) << 0;
    QTest::newRow("mixed") << Mixed << MixedText << 0;
    QTest::newRow("emoji") << QByteArray("a?b?") << u"a\U0001F600b\U0001F601"_qs << 2;
    QTest::newRow("lone surrogates") << QByteArray("a?b?")
                                     << QString(u'a' + QChar(0xDE00) + u'b' + QChar(0xD83D)) << 2;
    QTest::newRow("wave dash") << QByteArray("?") << u"\u301c"_qs << 1;
    QTest::newRow("beyond the kept bytes, next to them") << QByteArray("\xff?", 3)
        << QString(kept(0xFF) + QChar(char16_t(KeptByteBase + 0x100)) + kept(0x00)) << 1;
}

void TestCp932Codec::goldenBytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(int, unmappable);
    if (!unmappable)
        QCOMPARE(decodeCp932(bytes), text);
    qsizetype count = -1;
    QCOMPARE(encodeCp932(text, &count), bytes);
    QCOMPARE(count, qsizetype(unmappable));
}

// A character split between two blocks, or fed byte by byte, decodes whole.
void TestCp932Codec::blocksSplitAnywhere()
{
    for (int offset = 0; offset <= Mixed.size(); ++offset) {
        Cp932Decoder decoder;
        QString text = decoder.decode(Mixed.constData(), offset, false);
        text += decoder.decode(Mixed.constData() + offset, Mixed.size() - offset, true);
        QVERIFY2(text == MixedText, qPrintable(QString::number(offset)));
    }
    Cp932Decoder decoder;
    QString text;
    for (const char byte : Mixed)
        text += decoder.decode(&byte, 1, false);
    QCOMPARE(text + decoder.decode(nullptr, 0, true), MixedText);
}

// Inputs are converted in pieces of 2^24 units; a character straddling a piece
// boundary must come through whole.
void TestCp932Codec::inputsLargerThanOnePiece()
{
    const qsizetype piece = qsizetype(1) << 24;
    const QString text = decodeCp932(QByteArray(piece - 1, 'a') + QByteArray::fromHex("82a0 7f 88"));
    QCOMPARE(text.size(), piece + 2);
    QCOMPARE(text.right(4), u"a\u3042\x7f"_qs + kept(0x88));

    qsizetype unmappable = -1;
    const QByteArray encoded = encodeCp932(QString(piece - 1, u'a') + u"\U0001F600\x1a", &unmappable);
    QCOMPARE(unmappable, qsizetype(1));
    QCOMPARE(encoded.size(), piece + 1);
    QCOMPARE(encoded.right(3), QByteArray("a?\x1a"));
}

// The codes a file uses for characters with several are noted however the
// bytes arrive in blocks. One file using two codes of one character is
// written with the code met first in both places: the decoded text holds the
// same character for both.
void TestCp932Codec::variantsOfOneFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("written");
    const QByteArray sample = QByteArray::fromHex("61 eee9 62 8740 63 ed40 64 0d0a");
    QTest::newRow("two NEC-selected codes among others") << sample << sample;
    QTest::newRow("NEC-selected code first") << QByteArray::fromHex("ed40 fa5c")
                                             << QByteArray::fromHex("ed40 ed40");
    QTest::newRow("IBM code first") << QByteArray::fromHex("fa5c ed40") << QByteArray::fromHex("fa5c fa5c");
    QTest::newRow("three codes of one sign, NEC first") << QByteArray::fromHex("879a 81e6 fa5b")
                                                        << QByteArray::fromHex("879a 879a 879a");
    // 0xED here is a trail byte; the pair ED 40 is not in the file.
    QTest::newRow("trail byte that could lead") << QByteArray::fromHex("82ed 40 fa5c")
                                                << QByteArray::fromHex("82ed 40 fa5c");
}

void TestCp932Codec::variantsOfOneFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, written);
    for (int offset = 0; offset <= bytes.size(); ++offset) {
        Cp932Decoder decoder;
        QString text = decoder.decode(bytes.constData(), offset, false);
        text += decoder.decode(bytes.constData() + offset, bytes.size() - offset, true);
        QVERIFY2(encodeCp932(text, nullptr, decoder.variants()) == written,
                 qPrintable(QString::number(offset)));
    }
}

QTEST_GUILESS_MAIN(TestCp932Codec)
#include "tst_cp932codec.moc"
