#include "platform/colortext.h"

#include <QtTest>

using namespace zp;

class TestColorText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fromText_data();
    void fromText();
    void toText_data();
    void toText();
};

void TestColorText::fromText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("expected");

    QTest::newRow("lower case") << "bbbbbb" << QColor(187, 187, 187);
    QTest::newRow("upper case") << "BBBBBB" << QColor(187, 187, 187);
    QTest::newRow("mixed case") << "aAbBcC" << QColor(0xAA, 0xBB, 0xCC);
    QTest::newRow("components in order") << "102030" << QColor(0x10, 0x20, 0x30);
    QTest::newRow("red only") << "FF" << QColor(255, 0, 0);
    QTest::newRow("red and green") << "FF00" << QColor(255, 0, 0);
    QTest::newRow("odd length") << "FF8" << QColor(255, 8, 0);
    QTest::newRow("single digit") << "F" << QColor(15, 0, 0);
    QTest::newRow("pair cut at a non-hex character") << "FG0000" << QColor(15, 0, 0);
    QTest::newRow("pair starting with a non-hex character") << "GG1020" << QColor(0, 16, 32);
    QTest::newRow("leading blank") << " F1020" << QColor(0, 16, 32);
    QTest::newRow("characters after the sixth ignored") << "12345678" << QColor(0x12, 0x34, 0x56);
    QTest::newRow("fullwidth digits are not hex") << u"\uff11\uff12"_qs << QColor(0, 0, 0);
    QTest::newRow("empty gives fallback") << "" << QColor(1, 2, 3);
}

void TestColorText::fromText()
{
    QFETCH(QString, text);
    QFETCH(QColor, expected);

    QCOMPARE(colorFromText(text, QColor(1, 2, 3)), expected);
}

void TestColorText::toText_data()
{
    QTest::addColumn<QColor>("color");
    QTest::addColumn<QString>("expected");

    QTest::newRow("red") << QColor(255, 0, 0) << "FF0000";
    QTest::newRow("zero padded") << QColor(10, 11, 12) << "0A0B0C";
    QTest::newRow("upper-case digits") << QColor(0xAB, 0xCD, 0xEF) << "ABCDEF";
    QTest::newRow("black") << QColor(0, 0, 0) << "000000";
}

void TestColorText::toText()
{
    QFETCH(QColor, color);
    QFETCH(QString, expected);

    QCOMPARE(colorToText(color), expected);
    QCOMPARE(colorFromText(expected, QColor()), color);
}

QTEST_GUILESS_MAIN(TestColorText)
#include "tst_colortext.moc"
