// The conversions applied to a document window's text: the bytes a save
// writes, the modified flag, the caret, and one undo step each.

#include "editor/editconversions.h"
#include "editor/editwindow.h"
#include "editor/textview.h"
#include "platform/appcontext.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

enum Conversion { Lower = -2, Upper = -1 }; // 0 to 2: the break forms

QByteArray savedBytes(const zp::TextView &view, const QTemporaryDir &dir)
{
    const QString path = dir.filePath(QStringLiteral("out.txt"));
    QFile file(path);
    if (!view.saveFile(path) || !file.open(QIODevice::ReadOnly))
        return "<save failed>";
    return file.readAll();
}

} // namespace

class TestEditConversions : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void conversions_data();
    void conversions();
};

void TestEditConversions::conversions_data()
{
    QTest::addColumn<QString>("raw");
    QTest::addColumn<int>("enterAt"); // where Enter is pressed first; -1: nowhere
    QTest::addColumn<int>("conversion");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("tag");
    static const char *const breaks[] = {"\r\n", "\r", "\n"};
    for (int form = 0; form < 3; ++form) {
        // "表" is 0x95 0x5C in CP932.
        QTest::addRow("mixed to form %d", form) << u"<p>表</p>\r\nb\rc\nd\n\re"_qs << -1 << form
                                               << QByteArray("<p>\x95\x5C</p>|b|c|d||e").replace('|', breaks[form])
                                               << "1";
        // A lone CR break, an empty line, then an LF break: no conversion
        // merges the two breaks, in the document or in the bytes.
        QTest::addRow("CR, empty line, LF to form %d", form)
            << "<p>a\n<b>b\rc" << 10 << form << QByteArray("<p>a|<b>b||c").replace('|', breaks[form]) << "1";
    }
    QTest::newRow("CR, empty line, LF to upper tags") << "<p>a\n<b>b\rc" << 10 << int(Upper)
                                                      << QByteArray("<P>a\n<B>b\r\r\nc") << "1";
    QTest::newRow("tags upper") << "<html>\r\n<body>\ntext<br>\r</body>" << -1 << int(Upper)
                                << QByteArray("<HTML>\r\n<BODY>\ntext<BR>\r</BODY>") << "1";
    QTest::newRow("tags lower") << "<P>X</P>" << -1 << int(Lower) << QByteArray("<p>X</p>") << "1";
    QTest::newRow("no tags: not modified") << "plain" << -1 << int(Upper) << QByteArray("plain") << "0";
    QTest::newRow("< without >: not modified") << "a <b" << -1 << int(Upper) << QByteArray("a <b") << "0";
    QTest::newRow("tags already upper: modified") << "<P>x</P>" << -1 << int(Upper) << QByteArray("<P>x</P>")
                                                  << "1";
}

void TestEditConversions::conversions()
{
    QFETCH(QString, raw);
    QFETCH(int, enterAt);
    QFETCH(int, conversion);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, tag);
    QTemporaryDir dir;
    zp::AppContext context;
    zp::EditWindow window(context); // marks its view modified on every change
    zp::TextView &view = *window.rtfEdit();
    view.setText(raw);
    if (enterAt >= 0) {
        view.setSelStart(enterAt);
        QTest::keyClick(&view, Qt::Key_Return);
    }
    const QByteArray before = savedBytes(view, dir);
    const bool undoBefore = view.document()->isUndoAvailable();
    view.setModified(false);
    view.setSelStart(1);
    view.setSelLength(2);

    if (conversion < 0)
        zp::applyTagCase(view, conversion == Upper);
    else
        zp::applyLineBreaks(view, zp::BreakForm(conversion));
    QCOMPARE(savedBytes(view, dir), bytes);
    QCOMPARE(view.tag(), tag);
    // Tag case leaves the caret where the selection started, line breaks at
    // the top; nothing is selected.
    QCOMPARE(view.selStart(), conversion < 0 ? 1 : 0);
    QCOMPARE(view.selLength(), 0);
    // An undo step only when the text changed; one undo takes it all back.
    QCOMPARE(view.document()->isUndoAvailable(), undoBefore || bytes != before);
    if (bytes != before) {
        view.undoEdit();
        QCOMPARE(savedBytes(view, dir), before);
        view.redoEdit();
        QCOMPARE(savedBytes(view, dir), bytes);
    }
}

QTEST_MAIN(TestEditConversions)
#include "tst_editconversions.moc"
