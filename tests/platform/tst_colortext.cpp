// Colours as the settings file writes them: "RRGGBB" in hex, read leniently.

#include "platform/colortext.h"

#include <QtTest>

using namespace zp;

class TestColorText : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fromText_data();
    void fromText();
    void roundTrip();
};

void TestColorText::fromText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("expected");
    QTest::newRow("either case, red first") << "aA10Cc" << QColor(0xAA, 0x10, 0xCC);
    QTest::newRow("red only") << "FF" << QColor(255, 0, 0);
    QTest::newRow("odd length") << "FF8" << QColor(255, 8, 0);
    QTest::newRow("pair cut at a non-hex character") << "FG0000" << QColor(15, 0, 0);
    QTest::newRow("pair starting with a non-hex character") << " F1020" << QColor(0, 16, 32);
    QTest::newRow("characters after the sixth ignored") << "12345678" << QColor(0x12, 0x34, 0x56);
    QTest::newRow("fullwidth digits are not hex") << u"\uff11\uff12"_qs << QColor(0, 0, 0);
    QTest::newRow("empty gives the fallback") << "" << QColor(1, 2, 3);
}

void TestColorText::fromText()
{
    QFETCH(QString, text);
    QFETCH(QColor, expected);
    QCOMPARE(colorFromText(text, QColor(1, 2, 3)), expected);
}

void TestColorText::roundTrip()
{
    const QColor color(10, 0xAB, 0);
    QCOMPARE(colorToText(color), QStringLiteral("0AAB00"));
    QCOMPARE(colorFromText(colorToText(color), QColor()), color);
}

QTEST_GUILESS_MAIN(TestColorText)
#include "tst_colortext.moc"
