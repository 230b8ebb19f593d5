// The conversions applied to a text view: the bytes a save writes, one undo
// step each, and the modified flag.

#include "editor/editconversions.h"
#include "editor/editwindow.h"
#include "editor/textview.h"
#include "platform/appcontext.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using zp::BreakForm;
using zp::TextView;

namespace {

QByteArray savedBytes(const TextView &view, const QTemporaryDir &dir)
{
    const QString path = dir.filePath(QStringLiteral("out.txt"));
    if (!view.saveFile(path))
        return "<save failed>";
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<read failed>";
    return file.readAll();
}

// A document window outside any frame: its text view marks itself modified
// on every change, as in the program.
struct Document
{
    zp::AppContext context;
    zp::EditWindow window{context};
    TextView &view = *window.rtfEdit();
};

} // namespace

class TestEditConversions : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void lineBreaksReachTheFile_data();
    void lineBreaksReachTheFile();
    void tagCaseIsOneUndoStep();
    void tagCaseModifiedFlag_data();
    void tagCaseModifiedFlag();
    void conversionsKeepEveryLine_data();
    void conversionsKeepEveryLine();
};

void TestEditConversions::lineBreaksReachTheFile_data()
{
    QTest::addColumn<QString>("raw");
    QTest::addColumn<int>("form");
    QTest::addColumn<QByteArray>("bytes");
    // "表" is 0x95 0x5C in CP932: its trail byte is not a line break.
    const QString mixed = QStringLiteral("<p>表</p>\r\nb\rc\nd\n\re");
    QTest::newRow("mixed to crlf") << mixed << 0
                                   << QByteArray("<p>\x95\x5C</p>\r\nb\r\nc\r\nd\r\n\r\ne");
    QTest::newRow("mixed to cr") << mixed << 1 << QByteArray("<p>\x95\x5C</p>\rb\rc\rd\r\re");
    QTest::newRow("mixed to lf") << mixed << 2 << QByteArray("<p>\x95\x5C</p>\nb\nc\nd\n\ne");
    QTest::newRow("crlf text to crlf unchanged") << QStringLiteral("a\r\nb\r\n") << 0
                                                 << QByteArray("a\r\nb\r\n");
    QTest::newRow("trailing breaks") << QStringLiteral("x\r\r\n") << 2 << QByteArray("x\n\n");
}

void TestEditConversions::lineBreaksReachTheFile()
{
    QFETCH(QString, raw);
    QFETCH(int, form);
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    Document doc;
    TextView &view = doc.view;
    view.setText(raw);
    const QByteArray before = savedBytes(view, dir);
    view.setTag(QStringLiteral("0"));

    zp::applyLineBreaks(view, BreakForm(form));
    QCOMPARE(savedBytes(view, dir), bytes);
    QCOMPARE(view.tag(), QStringLiteral("1"));

    view.undoEdit();
    QCOMPARE(savedBytes(view, dir), before);
    view.redoEdit();
    QCOMPARE(savedBytes(view, dir), bytes);
}

void TestEditConversions::tagCaseIsOneUndoStep()
{
    QTemporaryDir dir;
    TextView view;
    const QString raw = QStringLiteral("<html>\r\n<body>\ntext<br>\r</body>\r\n</html>");
    view.setText(raw);
    view.setSelStart(8);
    view.setSelLength(3);
    const QByteArray before = savedBytes(view, dir);

    zp::applyTagCase(view, true);
    QCOMPARE(savedBytes(view, dir),
             QByteArray("<HTML>\r\n<BODY>\ntext<BR>\r</BODY>\r\n</HTML>"));
    // The caret stands at the old start of the selection, nothing selected.
    QCOMPARE(view.selStart(), 8);
    QCOMPARE(view.selLength(), 0);

    view.undoEdit();
    QCOMPARE(savedBytes(view, dir), before);
}

void TestEditConversions::tagCaseModifiedFlag_data()
{
    QTest::addColumn<QString>("raw");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<bool>("textChanged");
    QTest::newRow("no tags: not modified") << QStringLiteral("plain") << QStringLiteral("0") << false;
    QTest::newRow("< without >: not modified") << QStringLiteral("a <b") << QStringLiteral("0") << false;
    QTest::newRow("spans already upper: modified, text kept")
        << QStringLiteral("<P>x</P>") << QStringLiteral("1") << false;
    QTest::newRow("converted") << QStringLiteral("<p>x</p>") << QStringLiteral("1") << true;
}

void TestEditConversions::tagCaseModifiedFlag()
{
    QFETCH(QString, raw);
    QFETCH(QString, tag);
    QFETCH(bool, textChanged);
    Document doc;
    TextView &view = doc.view;
    view.setText(raw);
    view.setTag(QStringLiteral("0"));
    zp::applyTagCase(view, true);
    QCOMPARE(view.tag(), tag);
    QCOMPARE(view.rawText() != raw, textChanged);
    // Nothing to undo when the text stayed as it was.
    QCOMPARE(view.document()->isUndoAvailable(), textChanged);
}

void TestEditConversions::conversionsKeepEveryLine_data()
{
    QTest::addColumn<int>("form"); // -1: tag case
    QTest::newRow("tag case") << -1;
    QTest::newRow("to crlf") << 0;
    QTest::newRow("to cr") << 1;
    QTest::newRow("to lf") << 2;
}

// A lone CR break, an empty line, then an LF break: no conversion merges the
// two breaks, in the document or in the bytes it writes.
void TestEditConversions::conversionsKeepEveryLine()
{
    QFETCH(int, form);
    QTemporaryDir dir;
    TextView view;
    view.setText(QStringLiteral("<p>a\n<b>b\rc"));
    view.setSelStart(9);
    QTest::keyClick(&view, Qt::Key_Return);
    QCOMPARE(view.text(), QStringLiteral("<p>a\n<b>b\n\nc"));
    if (form < 0)
        zp::applyTagCase(view, true);
    else
        zp::applyLineBreaks(view, BreakForm(form));
    QCOMPARE(view.text().toLower(), QStringLiteral("<p>a\n<b>b\n\nc"));
    QString saved = QString::fromLatin1(savedBytes(view, dir));
    saved.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QCOMPARE(saved, view.text());
}

QTEST_MAIN(TestEditConversions)
#include "tst_editconversions.moc"
