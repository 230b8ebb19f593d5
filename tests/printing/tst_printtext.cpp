// Printing a document's text: the print dialog's rules with the printer
// double, and the pages themselves, printed into PDF files and read back with
// pdftotext (ASCII markers, since text extraction may turn some Japanese
// characters into look-alikes).

#include "printing/printdialog.h"
#include "printing/textpages.h"
#include "testapp.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using zptest::TestApp;

namespace {

// The text pdftotext finds in the file; each page ends with a form feed.
QString pdfText(const QString &path)
{
    QProcess extract;
    extract.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    if (!extract.waitForFinished(30000))
        return QStringLiteral("<pdftotext failed>");
    return QString::fromUtf8(extract.readAllStandardOutput());
}

// The markers of text in the order they appear, as "a b c".
QString markersIn(const QString &text, const QString &prefix)
{
    QStringList found;
    QRegularExpression marker(QRegularExpression::escape(prefix) + QStringLiteral("\\d+"));
    for (auto it = marker.globalMatch(text); it.hasNext();)
        found.append(it.next().captured());
    return found.join(' ');
}

QString numbered(const QString &prefix, int from, int to)
{
    QStringList list;
    for (int i = from; i <= to; ++i)
        list.append(prefix + QString::number(i));
    return list.join(' ');
}

} // namespace

class TestPrintText : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestApp> m_app;
    zp::MainWindow *frame() const { return m_app->frame(); }
    zp::PrintDialog *dialog() const
    {
        return frame()->findChild<zp::PrintDialog *>(QStringLiteral("frmPrint"));
    }
    template<typename T> T *control(const char *name) const
    {
        return dialog()->findChild<T *>(QLatin1String(name));
    }
    // Opens the dialog over a document holding text and returns the PDF path
    // the named printer prints into.
    QString openOver(const QString &text)
    {
        m_app->documents().NewDocument(1)->setWindowTitle(m_app->filePath(QStringLiteral("a.txt")));
        frame()->activeDocument()->rtfEdit()->setText(text);
        m_app->printer.pdfPath = m_app->filePath(QStringLiteral("printed.pdf"));
        frame()->mnuFilePrintText_Click();
        return m_app->printer.pdfPath;
    }
private Q_SLOTS:
    void init()
    {
        m_app = std::make_unique<TestApp>();
        QVERIFY(m_app->start(QStringLiteral(" ")));
    }
    void cleanup() { m_app.reset(); }

    void copiesBoxTakesOnlyDigits();
    void closingPrintsNothing_data();
    void closingPrintsNothing();
    void pages_data();
    void pages();
    void noPrinterWritesAPdfFile_data();
    void noPrinterWritesAPdfFile();
    void tabsAdvanceToEightColumns_data();
    void tabsAdvanceToEightColumns();
};

void TestPrintText::copiesBoxTakesOnlyDigits()
{
    openOver(QString());
    // The dialog is modeless, and opening it again shows the same one.
    frame()->mnuFilePrintText_Click();
    QVERIFY(dialog()->isVisible() && !dialog()->isModal());
    QCOMPARE(frame()->findChildren<zp::PrintDialog *>().size(), 1);
    auto *copies = control<QLineEdit>("txtCnt");
    copies->selectAll();
    QTest::keyClicks(copies, QStringLiteral("1a-2 "));
    QCOMPARE(copies->text(), QStringLiteral("12"));
    QTest::keyClick(copies, Qt::Key_Backspace);
    QCOMPARE(copies->text(), QStringLiteral("1"));
    QGuiApplication::clipboard()->setText(QStringLiteral("3x"));
    copies->paste();
    QCOMPARE(copies->text(), QStringLiteral("1"));
}

void TestPrintText::closingPrintsNothing_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("キャンセル") << "btnPrint(1)";
    QTest::newRow("Esc in the font box") << "cmbFont";
    QTest::newRow("Esc in the copies box") << "txtCnt";
}

void TestPrintText::closingPrintsNothing()
{
    QFETCH(QString, how);
    openOver(QStringLiteral("text"));
    QWidget *target = dialog()->findChild<QWidget *>(how);
    if (auto *button = qobject_cast<QPushButton *>(target))
        button->click();
    else
        QTest::keyClick(target, Qt::Key_Escape);
    QTRY_VERIFY(!dialog());
    QCOMPARE(m_app->printer.jobs, 0);
    QVERIFY(!m_app->context().windows->first(QStringLiteral("frmPrint")));
}

void TestPrintText::pages_data()
{
    QTest::addColumn<int>("lines");       // marker lines L1..Ln
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<QString>("copies");  // the box's text
    QTest::addColumn<int>("printerCopies");
    QTest::addColumn<int>("copiesPrinted");
    QTest::addColumn<QString>("font"); // typed in the box; empty: the document's font
    QTest::newRow("several pages, portrait") << 150 << false << "1" << 1 << 1 << "Alpha";
    QTest::newRow("several pages, landscape") << 150 << true << "1" << 1 << 1 << "";
    QTest::newRow("two copies") << 70 << false << "2" << 1 << 2 << "";
    QTest::newRow("empty box keeps the printer's copies") << 70 << false << "" << 3 << 3 << "";
    QTest::newRow("out of range keeps the printer's copies") << 70 << false << "40000" << 1 << 1 << "";
}

// Every line is printed once per copy, in order, on as many pages as it
// needs; landscape pages hold fewer lines.
void TestPrintText::pages()
{
    QFETCH(int, lines);
    QFETCH(bool, landscape);
    QFETCH(QString, copies);
    QFETCH(int, printerCopies);
    QFETCH(int, copiesPrinted);
    QFETCH(QString, font);
    const QString pdf = openOver(numbered("L", 1, lines).replace(' ', QStringLiteral(" 日本語の行\n")));
    m_app->printer.setCopies(printerCopies);
    control<QRadioButton>(landscape ? "optWidth" : "optHeight")->setChecked(true);
    control<QLineEdit>("txtCnt")->setText(copies);
    control<QComboBox>("cmbFont")->setEditText(font);
    const QString editorFont = frame()->activeDocument()->rtfEdit()->font().family();
    control<QPushButton>("btnPrint(0)")->click();
    QTRY_VERIFY(!dialog());
    QCOMPARE(m_app->printer.jobs, 1);
    QCOMPARE(m_app->printer.fontName(), font.isEmpty() ? editorFont : font);
    const QString printed = pdfText(pdf);
    QCOMPARE(markersIn(printed, "L"),
             QStringList(copiesPrinted, numbered("L", 1, lines)).join(' '));
    // About 60 lines of 10 points fit a portrait A4 page, about 40 a landscape one.
    const int pages = int(printed.count(QLatin1Char('\f')));
    const int perCopy = landscape ? (lines + 39) / 40 : (lines + 59) / 60;
    QVERIFY2(qAbs(pages - perCopy * copiesPrinted) <= copiesPrinted, qPrintable(QString::number(pages)));
    // Each copy starts on a page of its own.
    if (copiesPrinted > 1)
        QVERIFY(printed.section('\f', pages / copiesPrinted, pages / copiesPrinted).trimmed().startsWith("L1 "));
}

void TestPrintText::noPrinterWritesAPdfFile_data()
{
    QTest::addColumn<QString>("answer"); // the save dialog's answer
    QTest::addColumn<QString>("status");
    QTest::newRow("a file chosen") << "out.pdf" << "out.pdf に印刷しました";
    QTest::newRow("cancelled: nothing, the dialog stays") << "" << "";
}

void TestPrintText::noPrinterWritesAPdfFile()
{
    QFETCH(QString, answer);
    QFETCH(QString, status);
    m_app->printer.name.clear();
    // A long line wraps onto further printed lines; nothing is cut off.
    openOver(QString(300, QChar(0x3042)) + QStringLiteral("END1\n") + numbered("W", 1, 120));
    const QString path = answer.isEmpty() ? QString() : m_app->filePath(answer);
    m_app->dialogs.answerSave(path);
    QWidget *printDialog = dialog();
    control<QPushButton>("btnPrint(0)")->click();
    QCOMPARE(frame()->statusText(), status);
    const zp::FileDialogRequest request = m_app->dialogs.saveRequests.value(0);
    // Closing the file dialog gives the focus back to the print dialog.
    QCOMPARE(request.owner, printDialog);
    QCOMPARE(request.fileName, QStringLiteral("a.pdf"));
    QVERIFY(request.confirmOverwrite && request.filters.join(' ').contains("*.pdf"));
    if (answer.isEmpty()) {
        QVERIFY(dialog() && dialog()->isVisible());
        return;
    }
    const QString printed = pdfText(path);
    QCOMPARE(markersIn(printed, "END"), QStringLiteral("END1"));
    QCOMPARE(markersIn(printed, "W"), numbered("W", 1, 120));
}

void TestPrintText::tabsAdvanceToEightColumns_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("expanded");
    QTest::newRow("after seven") << "abcdefg\tx" << "abcdefg x";
    QTest::newRow("after eight") << "abcdefgh\tx" << "abcdefgh        x";
    QTest::newRow("two") << "a\tb\tc" << "a       b       c";
}

void TestPrintText::tabsAdvanceToEightColumns()
{
    QFETCH(QString, line);
    QFETCH(QString, expanded);
    QCOMPARE(zp::expandTabs(line), expanded);
}

QTEST_MAIN(TestPrintText)
#include "tst_printtext.moc"
