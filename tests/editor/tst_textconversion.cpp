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

    QTest::newRow("anchor upper keeps attribute, value and text")
        << true << QStringLiteral("<a href=\"x.html\">link</a>")
        << QStringLiteral("<A href=\"x.html\">link</A>");
    QTest::newRow("td lower keeps attribute")
        << false << QStringLiteral("<TD ALIGN=LEFT>Cell</TD>")
        << QStringLiteral("<td ALIGN=LEFT>Cell</td>");
    QTest::newRow("lone < before a space changes nothing")
        << true << QStringLiteral("a < b and c > d") << QStringLiteral("a < b and c > d");
    QTest::newRow("< in text taken for a tag when > follows")
        << true << QStringLiteral("if a<bc then x>y") << QStringLiteral("if a<BC then x>y");
    QTest::newRow("< in text runs to the nearer >")
        << true << QStringLiteral("a<bc>d e") << QStringLiteral("a<BC>d e");
    QTest::newRow("< at the end changes nothing")
        << true << QStringLiteral("<p>text<") << QStringLiteral("<P>text<");
    QTest::newRow("< without later > ignores the space after it")
        << true << QStringLiteral("x<abc def") << QStringLiteral("x<abc def");
    QTest::newRow("doctype and end tag")
        << true << QStringLiteral("<!doctype html></body>") << QStringLiteral("<!DOCTYPE html></BODY>");
    QTest::newRow("tab does not end a name")
        << true << QStringLiteral("<td\talign=left>x") << QStringLiteral("<TD\tALIGN=LEFT>x");
    QTest::newRow("line break does not end a name")
        << true << QStringLiteral("<td\r\nalign=left width=1>")
        << QStringLiteral("<TD\r\nALIGN=LEFT width=1>");
    QTest::newRow("< inside a span handled on its own")
        << true << QStringLiteral("<a<b c>d") << QStringLiteral("<A<B c>d");
    QTest::newRow("< inside an attribute value")
        << false << QStringLiteral("<IMG ALT=\"<B>\">") << QStringLiteral("<img ALT=\"<b>\">");
    QTest::newRow("full-width and sharp s keep the length")
        << true << QStringLiteral("<ａß>") << QStringLiteral("<Ａß>");
    QTest::newRow("real page upper")
        << true
        << QStringLiteral("<html>\r\n<head><title>Top Page</title></head>\r\n"
                          "<body bgcolor=\"#ffffff\">\r\n<p class=\"x\">a < b, c<br>\r\n"
                          "<a href=\"index.html\">Home</a>\r\n</body>\r\n</html>\r\n")
        << QStringLiteral("<HTML>\r\n<HEAD><TITLE>Top Page</TITLE></HEAD>\r\n"
                          "<BODY bgcolor=\"#ffffff\">\r\n<P class=\"x\">a < b, c<BR>\r\n"
                          "<A href=\"index.html\">Home</A>\r\n</BODY>\r\n</HTML>\r\n");
    QTest::newRow("real page lower")
        << false
        << QStringLiteral("<TABLE BORDER=1>\n<TR><TD ALIGN=RIGHT>1</TD><TD>Two Words</TD></TR>\n"
                          "</TABLE>\n<IMG SRC=\"A.GIF\" ALT=\"Pic\"><HR>")
        << QStringLiteral("<table BORDER=1>\n<tr><td ALIGN=RIGHT>1</td><td>Two Words</td></tr>\n"
                          "</table>\n<img SRC=\"A.GIF\" ALT=\"Pic\"><hr>");
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
    QString text = QStringLiteral("<p>");
    text += QString(200000, QLatin1Char('<')) + QStringLiteral("abc");
    const QString out = zp::convertTagCase(text, true);
    QCOMPARE(out.left(3), QStringLiteral("<P>"));
    QCOMPARE(out.right(3), QStringLiteral("abc"));
}

QTEST_APPLESS_MAIN(TestTextConversion)
#include "tst_textconversion.moc"
