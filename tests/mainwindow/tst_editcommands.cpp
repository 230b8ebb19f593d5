// The Edit menu's commands in the running program: colours and the modified
// flag, the clipboard commands and the keys that run them, select all, the
// wrap toggle across windows, the conversions through the menu, undo of each,
// the gutter's pause while the active document is minimised, the text's font.

#include "editdoubles.h"

#include "editor/editorcolors.h"
#include "editor/linenumbergutter.h"
#include "mainwindow/maintoolbar.h"
#include "platform/appcontext.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QScrollBar>

using zp::TextView;

namespace {

QByteArray savedBytes(const TextView &view, const QString &folder)
{
    const QString path = folder + QStringLiteral("saved.htm");
    if (!view.saveFile(path))
        return "<save failed>";
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<read failed>");
}

void setClipboard(const QString &kind, const QString &text)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (kind == QLatin1String("image")) {
        QImage image(4, 4, QImage::Format_RGB32);
        image.fill(Qt::red);
        clipboard->setImage(image);
    } else {
        clipboard->setText(text);
    }
}

} // namespace

class TestEditCommands : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void coloursFromSettings_data();
    void coloursFromSettings();
    void chooseColorHex_data();
    void chooseColorHex();
    void colourCommands_data();
    void colourCommands();
    void commandsWithoutDocument();

    void clipboardCommands_data();
    void clipboardCommands();
    void selectAll_data();
    void selectAll();

    void wrapToggleChangesOpenWindows();

    void conversionsThroughMenu_data();
    void conversionsThroughMenu();

    void gutterPausedWhileActiveMinimised();
    void textFontIsFixedPitch();

private:
    std::unique_ptr<Program> m_program;
};

void TestEditCommands::init()
{
    m_program = std::make_unique<Program>();
    QVERIFY(m_program->start());
    QVERIFY(m_program->view());
}

void TestEditCommands::cleanup()
{
    QVERIFY2(m_program->chooser.answers.isEmpty(), "unused colour answers");
    QVERIFY2(m_program->boxes.settled(), "unexpected message box");
    // Close without the save question: the documents are marked unmodified.
    const auto documents = m_program->main()->findChildren<zp::EditWindow *>();
    for (zp::EditWindow *doc : documents)
        doc->rtfEdit()->setTag(QStringLiteral("0"));
    m_program.reset();
    QCOMPARE(QApplication::topLevelWidgets().size(), 0);
}

void TestEditCommands::coloursFromSettings_data()
{
    QTest::addColumn<QString>("fontColor");
    QTest::addColumn<QString>("backColor");
    QTest::addColumn<QColor>("text");
    QTest::addColumn<QColor>("back");
    QTest::newRow("unset gives black on white")
        << QString() << QString() << QColor(0, 0, 0) << QColor(255, 255, 255);
    QTest::newRow("values") << QStringLiteral("102030") << QStringLiteral("F0E0D0")
                            << QColor(0x10, 0x20, 0x30) << QColor(0xF0, 0xE0, 0xD0);
    QTest::newRow("four digits give blue 0") << QStringLiteral("FFFF") << QStringLiteral("80C0")
                                             << QColor(255, 255, 0) << QColor(128, 192, 0);
}

void TestEditCommands::coloursFromSettings()
{
    QFETCH(QString, fontColor);
    QFETCH(QString, backColor);
    QFETCH(QColor, text);
    QFETCH(QColor, back);
    const zp::SettingsFile &settings = m_program->app->context().settings;
    QVERIFY(settings.write(QStringLiteral("Edit"), QStringLiteral("FontColor"), fontColor));
    QVERIFY(settings.write(QStringLiteral("Edit"), QStringLiteral("BackColor"), backColor));
    zp::EditWindow *window = m_program->newDocument();
    QVERIFY(window);
    QCOMPARE(window->rtfEdit()->textColor(), text);
    QCOMPARE(window->rtfEdit()->backColor(), back);
    QCOMPARE(window->picLineNo()->backColor(), back);
    QCOMPARE(window->rtfEdit()->tag(), QStringLiteral("0"));
}

void TestEditCommands::chooseColorHex_data()
{
    QTest::addColumn<QColor>("chosen");
    QTest::addColumn<QString>("hex");
    QTest::newRow("pure red") << QColor(255, 0, 0) << QStringLiteral("FF0000");
    QTest::newRow("components below 16 padded") << QColor(1, 15, 10) << QStringLiteral("010F0A");
}

void TestEditCommands::chooseColorHex()
{
    QFETCH(QColor, chosen);
    QFETCH(QString, hex);
    m_program->chooser.answers = {chosen};
    long red = -1, green = -1, blue = -1;
    QString text;
    QCOMPARE(zp::ChooseColorHex(m_program->app->context(), &red, &green, &blue, &text), 1L);
    QCOMPARE(text, hex);
    QCOMPARE(QColor(int(red), int(green), int(blue)), chosen);

    // Cancel leaves the outputs alone.
    m_program->chooser.answers = {std::nullopt};
    QCOMPARE(zp::ChooseColorHex(m_program->app->context(), &red, &green, &blue, &text), 0L);
    QCOMPARE(text, hex);
}

void TestEditCommands::colourCommands_data()
{
    QTest::addColumn<QString>("via");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<bool>("cancel");
    QTest::newRow("text colour, unmodified") << "mnuEditTextcolor" << false << false;
    QTest::newRow("text colour, modified") << "mnuEditTextcolor" << true << false;
    QTest::newRow("text colour, right-click") << "mnupopUpFontColor" << false << false;
    QTest::newRow("text colour, cancel") << "mnuEditTextcolor" << true << true;
    QTest::newRow("background") << "mnuEditBackcolor" << false << false;
    QTest::newRow("background, right-click") << "mnupopUpBackColor" << true << false;
    QTest::newRow("background, toolbar") << "toolbar" << false << false;
    QTest::newRow("background, cancel") << "mnuEditBackcolor" << false << true;
}

void TestEditCommands::colourCommands()
{
    QFETCH(QString, via);
    QFETCH(bool, modified);
    QFETCH(bool, cancel);
    zp::EditWindow *window = m_program->active();
    TextView *view = window->rtfEdit();
    const QString raw = QStringLiteral("<p>one</p>\r\ntwo\rthree\n");
    view->setText(raw);
    view->setTag(modified ? QStringLiteral("1") : QStringLiteral("0"));
    view->setSelStart(4);
    view->setSelLength(6);
    const bool text = via.contains(QLatin1String("Text")) || via.contains(QLatin1String("Font"));
    const QColor before = text ? view->textColor() : view->backColor();
    const QByteArray bytes = savedBytes(*view, m_program->appFolder());

    const QColor chosen(200, 10, 20);
    m_program->chooser.answers = {cancel ? std::optional<QColor>() : chosen};
    if (via == QLatin1String("toolbar"))
        m_program->main()->Toolbar_ButtonClick(10);
    else
        m_program->main()->findChild<QAction *>(via)->trigger();

    QCOMPARE(m_program->chooser.calls, 1);
    const QColor expected = cancel ? before : chosen;
    if (text) {
        QCOMPARE(view->textColor(), expected);
        QCOMPARE(view->selLength(), cancel ? 6 : 0);
        QCOMPARE(view->selStart(), 4);
    } else {
        QCOMPARE(view->backColor(), expected);
        QCOMPARE(window->picLineNo()->backColor(), expected);
    }
    QCOMPARE(view->tag(), modified ? QStringLiteral("1") : QStringLiteral("0"));
    // The colour is the view's, not the text's: the file stays as it was and
    // there is nothing to undo.
    QCOMPARE(savedBytes(*view, m_program->appFolder()), bytes);
    QVERIFY(!view->document()->isUndoAvailable());
}

void TestEditCommands::commandsWithoutDocument()
{
    m_program->active()->subWindow()->close();
    QTRY_VERIFY(!m_program->main()->activeChild());
    // The text colour ends before the chooser; the background shows it.
    m_program->main()->mnuEditTextcolor_Click();
    QCOMPARE(m_program->chooser.calls, 0);
    m_program->chooser.answers = {QColor(1, 2, 3)};
    m_program->main()->mnuEditBackcolor_Click();
    QCOMPARE(m_program->chooser.calls, 1);
    m_program->main()->ConvertTagCase(QStringLiteral("Large"));
    QCOMPARE(m_program->main()->statusText(), QStringLiteral("処理が終わりました"));
}

void TestEditCommands::clipboardCommands_data()
{
    QTest::addColumn<QString>("via");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("clipKind");
    QTest::addColumn<QString>("clipText");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("clipAfter");
    QTest::addColumn<int>("caret");
    QTest::addColumn<bool>("modified");

    const QString t = QStringLiteral("abc\ndef");
    QTest::newRow("copy selection") << "mnuEditCopy" << 1 << 4 << "text" << "old" << t
                                    << "bc\nd" << 1 << false;
    QTest::newRow("copy replaces an image") << "mnupopUpCopy" << 0 << 2 << "image" << ""
                                            << t << "ab" << 0 << false;
    QTest::newRow("copy nothing selected keeps clipboard") << "mnuEditCopy" << 2 << 0 << "text"
                                                           << "old" << t << "old" << 2 << false;
    QTest::newRow("cut selection") << "mnuEditCut" << 2 << 3 << "text" << "old"
                                   << QStringLiteral("abef") << "c\nd" << 2 << true;
    QTest::newRow("cut nothing selected") << "mnupopUpCut" << 2 << 0 << "text" << "old" << t
                                          << "old" << 2 << false;
    QTest::newRow("paste at caret") << "mnuEditPaste" << 3 << 0 << "text" << "X\r\nY" << 
        QStringLiteral("abcX\nY\ndef") << "X\r\nY" << 6 << true;
    QTest::newRow("paste over selection") << "mnupopUpPaste" << 1 << 5 << "text" << "Z"
                                          << QStringLiteral("aZf") << "Z" << 2 << true;
    QTest::newRow("paste empty text") << "mnuEditPaste" << 1 << 2 << "text" << "" << t << ""
                                      << 1 << false;
    QTest::newRow("delete selection") << "mnuEditDelete" << 3 << 1 << "text" << "old"
                                      << QStringLiteral("abcdef") << "old" << 3 << true;
    QTest::newRow("delete nothing selected") << "mnupopUpDelete" << 3 << 0 << "text" << "old"
                                             << t << "old" << 3 << false;
    // The keys of the text do what the menu items do.
    QTest::newRow("Ctrl+C") << "key:Ctrl+C" << 1 << 4 << "text" << "old" << t << "bc\nd" << 1
                            << false;
    QTest::newRow("Ctrl+X") << "key:Ctrl+X" << 2 << 3 << "text" << "old"
                            << QStringLiteral("abef") << "c\nd" << 2 << true;
    QTest::newRow("Ctrl+V") << "key:Ctrl+V" << 1 << 5 << "text" << "Z" << QStringLiteral("aZf")
                            << "Z" << 2 << true;
    QTest::newRow("Ctrl+V with empty text") << "key:Ctrl+V" << 1 << 2 << "text" << "" << t << ""
                                            << 1 << false;
    QTest::newRow("Ctrl+V with an image") << "key:Ctrl+V" << 1 << 2 << "image" << "" << t << ""
                                          << 1 << false;
    QTest::newRow("Delete key") << "key:Del" << 3 << 1 << "text" << "old"
                                << QStringLiteral("abcdef") << "old" << 3 << true;
}

void TestEditCommands::clipboardCommands()
{
    QFETCH(QString, via);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(QString, clipKind);
    QFETCH(QString, clipText);
    QFETCH(QString, text);
    QFETCH(QString, clipAfter);
    QFETCH(int, caret);
    QFETCH(bool, modified);

    TextView *view = m_program->view();
    const QString original = QStringLiteral("abc\r\ndef");
    view->setText(original);
    view->setTag(QStringLiteral("0"));
    view->setSelStart(selStart);
    view->setSelLength(selLength);
    setClipboard(clipKind, clipText);

    if (via.startsWith(QLatin1String("toolbar:")))
        m_program->main()->Toolbar_ButtonClick(via.mid(8).toInt());
    else if (via.startsWith(QLatin1String("key:")))
        QTest::keySequence(view, QKeySequence(via.mid(4)));
    else
        m_program->main()->findChild<QAction *>(via)->trigger();

    QCOMPARE(view->text(), text);
    QCOMPARE(m_program->clipboard.text(), clipAfter);
    QCOMPARE(view->selStart(), caret);
    QCOMPARE(view->tag(), modified ? QStringLiteral("1") : QStringLiteral("0"));
    if (modified) {
        // Undo from the menu brings the text back, breaks in their forms.
        m_program->main()->menus().mnuEditUndo->trigger();
        QCOMPARE(view->rawText(), original);
    } else {
        QVERIFY(!view->document()->isUndoAvailable());
    }
}

void TestEditCommands::selectAll_data()
{
    QTest::addColumn<QString>("raw");
    QTest::addColumn<int>("length");
    QTest::newRow("empty document") << QString() << 0;
    QTest::newRow("text") << QStringLiteral("ab\r\ncd") << 5;
}

void TestEditCommands::selectAll()
{
    QFETCH(QString, raw);
    QFETCH(int, length);
    TextView *view = m_program->view();
    view->setText(raw);
    view->setSelStart(1 < length ? 1 : 0);
    m_program->main()->menus().mnupopUpSelect->trigger();
    QCOMPARE(view->selStart(), 0);
    QCOMPARE(view->selLength(), length);
}

void TestEditCommands::wrapToggleChangesOpenWindows()
{
    zp::MainWindow *main = m_program->main();
    QList<zp::EditWindow *> windows{m_program->active(), m_program->newDocument(),
                                    m_program->newDocument()};
    const auto wraps = [](zp::EditWindow *w) {
        return w->rtfEdit()->lineWrapMode() == QPlainTextEdit::WidgetWidth;
    };
    QVERIFY(!main->menus().mnuEditMargin->isChecked());

    main->menus().mnuEditMargin->trigger();
    QVERIFY(main->menus().mnuEditMargin->isChecked());
    for (zp::EditWindow *w : windows) {
        QVERIFY(wraps(w));
        QCOMPARE(w->rtfEdit()->rightMargin(), 0);
    }

    // A window opened later keeps its own state.
    zp::EditWindow *fourth = m_program->newDocument();
    QVERIFY(!wraps(fourth));

    // The right-click twin toggles back and has no mark of its own.
    main->menus().mnupopUpMargin->trigger();
    QVERIFY(!main->menus().mnuEditMargin->isChecked());
    QVERIFY(!main->menus().mnupopUpMargin->isChecked());
    for (zp::EditWindow *w : windows + QList<zp::EditWindow *>{fourth}) {
        QVERIFY(!wraps(w));
        QCOMPARE(w->rtfEdit()->rightMargin(), 30000);
    }
}

void TestEditCommands::conversionsThroughMenu_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("raw");
    QTest::addColumn<QString>("expected");
    const QString breaks = QStringLiteral("<p>a</p>\r\nb\rc\n\rd");
    QTest::newRow("CR LF") << "0" << breaks << QStringLiteral("<p>a</p>\r\nb\r\nc\r\n\r\nd");
    QTest::newRow("CR") << "1" << breaks << QStringLiteral("<p>a</p>\rb\rc\r\rd");
    QTest::newRow("LF") << "2" << breaks << QStringLiteral("<p>a</p>\nb\nc\n\nd");
    const QString tags = QStringLiteral("<a href=\"x\">Link</A>\r\n<Br>");
    const QString upper = QStringLiteral("<A href=\"x\">Link</A>\r\n<BR>");
    const QString lower = QStringLiteral("<a href=\"x\">Link</a>\r\n<br>");
    QTest::newRow("tags upper") << "mnuEditHtmlLarge" << tags << upper;
    QTest::newRow("tags lower") << "mnuEditHtmlSmall" << tags << lower;
    // Only the exact mode "Large" upper-cases.
    QTest::newRow("mode LARGE lower-cases") << "LARGE" << tags << lower;
}

void TestEditCommands::conversionsThroughMenu()
{
    QFETCH(QString, command);
    QFETCH(QString, raw);
    QFETCH(QString, expected);
    TextView *view = m_program->view();
    view->setText(raw);
    view->setTag(QStringLiteral("0"));
    const QByteArray before = savedBytes(*view, m_program->appFolder());
    zp::MainWindow *main = m_program->main();
    if (command.size() == 1)
        main->menus().mnuEditreturnCode.at(command.toInt())->trigger();
    else if (command.startsWith(QLatin1String("mnu")))
        main->findChild<QAction *>(command)->trigger();
    else
        main->ConvertTagCase(command);
    QCOMPARE(view->rawText(), expected);
    QCOMPARE(view->tag(), QStringLiteral("1"));
    // One undo brings back the bytes as they were.
    main->menus().mnuEditUndo->trigger();
    QCOMPARE(savedBytes(*view, m_program->appFolder()), before);
}

void TestEditCommands::gutterPausedWhileActiveMinimised()
{
    zp::EditWindow *first = m_program->active();
    first->rtfEdit()->setText(QString(QStringLiteral("x\n")).repeated(300));
    zp::EditWindow *second = m_program->newDocument();
    second->rtfEdit()->setText(QString(QStringLiteral("y\n")).repeated(300));
    QCOMPARE(m_program->active(), second);
    // Side by side, so that the first window's text is in view and paints.
    m_program->main()->ArrangeWindows(2);
    QTRY_COMPARE(first->picLineNo()->rows().value(0), QStringLiteral("     1 |"));

    second->subWindow()->showMinimized();
    QTRY_VERIFY(second->subWindow()->isMinimized());
    QCOMPARE(m_program->main()->activeChild(), second);
    // The other window keeps painting its text, but no gutter is redrawn.
    first->rtfEdit()->verticalScrollBar()->setValue(20);
    first->rtfEdit()->viewport()->repaint();
    QCOMPARE(first->picLineNo()->rows().value(0), QStringLiteral("     1 |"));

    second->subWindow()->showNormal();
    QTRY_VERIFY(!second->subWindow()->isMinimized());
    first->rtfEdit()->viewport()->repaint();
    QCOMPARE(first->picLineNo()->rows().value(0), QStringLiteral("    21 |"));
}

// Columns of hand-written HTML line up only in a font whose letters share one
// advance; the Japanese faces all report themselves proportional.
void TestEditCommands::textFontIsFixedPitch()
{
    if (!QFontDatabase::hasFamily(QStringLiteral("IPAGothic")))
        QSKIP("IPAGothic is not installed");
    const QFontMetricsF metrics(m_program->view()->font());
    QCOMPARE(metrics.horizontalAdvance(QLatin1Char('i')),
             metrics.horizontalAdvance(QLatin1Char('W')));
}

QTEST_MAIN(TestEditCommands)
#include "tst_editcommands.moc"
