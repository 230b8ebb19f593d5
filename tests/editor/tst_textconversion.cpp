// Tag-case spans on plain strings.

#include "editor/textconversion.h"

#include <QTest>

class TestTextConversion : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void tagCase_data();
    void tagCase();
    void tagCaseLargeText();
};

void TestTextConversion::tagCase_data()
{
    QTest::addColumn<bool>("upper");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("upper keeps attribute, value and text")
        << true << "<a href=\"x.html\">link</a>" << "<A href=\"x.html\">link</A>";
    QTest::newRow("lower keeps attribute") << false << "<TD ALIGN=LEFT>Cell</TD>" << "<td ALIGN=LEFT>Cell</td>";
    QTest::newRow("lone < before a space changes nothing") << true << "a < b and c > d" << "a < b and c > d";
    QTest::newRow("< in text taken for a tag when > follows") << true << "if a<bc then x>y" << "if a<BC then x>y";
    QTest::newRow("< in text runs to the nearer >") << true << "a<bc>d e" << "a<BC>d e";
    QTest::newRow("< at the end changes nothing") << true << "<p>text<" << "<P>text<";
    QTest::newRow("< without later > ignores the space after it") << true << "x<abc def" << "x<abc def";
    QTest::newRow("doctype and end tag") << true << "<!doctype html></body>" << "<!DOCTYPE html></BODY>";
    QTest::newRow("tab does not end a name") << true << "<td\talign=left>x" << "<TD\tALIGN=LEFT>x";
    QTest::newRow("line break does not end a name")
        << true << "<td\r\nalign=left width=1>" << "<TD\r\nALIGN=LEFT width=1>";
    QTest::newRow("< inside a span handled on its own") << true << "<a<b c>d" << "<A<B c>d";
    QTest::newRow("< inside an attribute value") << false << "<IMG ALT=\"<B>\">" << "<img ALT=\"<b>\">";
    QTest::newRow("full-width and sharp s keep the length") << true << u"<ａß>"_qs << u"<Ａß>"_qs;
    QTest::newRow("surrogate pair") << true << u"<\U00010428>"_qs << u"<\U00010400>"_qs;
}

void TestTextConversion::tagCase()
{
    QFETCH(bool, upper);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(zp::convertTagCase(text, upper), expected);
}

void TestTextConversion::tagCaseLargeText()
{
    // Many "<" without a ">" after them: each must not search the rest of the
    // text again (this would take minutes if it did).
    const QString out = zp::convertTagCase("<p>" + QString(200000, u'<') + "abc", true);
    QCOMPARE(out.left(3), QStringLiteral("<P>"));
    QCOMPARE(out.right(3), QStringLiteral("abc"));
}

QTEST_APPLESS_MAIN(TestTextConversion)
#include "tst_textconversion.moc"
