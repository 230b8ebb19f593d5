// The Edit menu's commands in the running program: colours, the clipboard
// commands and the keys that run them, select all, the wrap toggle across
// windows, the conversions through the menu, the gutter's pause while the
// active document is minimised, the text's font.

#include "testapp.h"

#include "editor/editconversions.h"
#include "editor/linenumbergutter.h"
#include "mainwindow/maintoolbar.h"

#include <QAction>
#include <QFontDatabase>
#include <QImage>
#include <QScrollBar>

using zp::TextView;

class TestEditCommands : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void coloursFromSettings();
    void colourCommands_data();
    void colourCommands();
    void commandsWithoutDocument();

    void clipboardCommands_data();
    void clipboardCommands();
    void selectAll();
    void wrapToggleChangesOpenWindows();
    void conversionsThroughMenu_data();
    void conversionsThroughMenu();

    void gutterPausedWhileActiveMinimised();
    void textFontIsFixedPitch();

private:
    std::unique_ptr<zptest::TestApp> m_app;
    zp::MainWindow *main() const { return m_app->main(); }
    TextView *view() const { return m_app->view(); }
    // Runs a menu item by name, "key:" and a key sequence typed in the text,
    // or "button:" and the number of a toolbar button.
    void run(const QString &via)
    {
        if (via.startsWith(QLatin1String("key:")))
            QTest::keySequence(view(), QKeySequence(via.mid(4)));
        else if (via.startsWith(QLatin1String("button:")))
            main()->toolbar()->button(via.mid(7).toInt())->trigger();
        else
            main()->findChild<QAction *>(via)->trigger();
    }
};

void TestEditCommands::init()
{
    m_app = std::make_unique<zptest::TestApp>();
    QVERIFY(m_app->startShown(QSize(900, 700)));
    QVERIFY(view());
}

void TestEditCommands::cleanup()
{
    m_app.reset();
    QCOMPARE(QApplication::topLevelWidgets().size(), 0);
}

// Unset colours give black on white; four hex digits leave blue at 0.
void TestEditCommands::coloursFromSettings()
{
    QCOMPARE(view()->textColor(), QColor(Qt::black));
    QCOMPARE(view()->backColor(), QColor(Qt::white));
    const zp::SettingsFile &settings = m_app->context().settings;
    QVERIFY(settings.write("Edit", "FontColor", "102030"));
    QVERIFY(settings.write("Edit", "BackColor", "80C0"));
    zp::EditWindow *window = main()->documents().NewDocument(0);
    QCOMPARE(window->rtfEdit()->textColor(), QColor(0x10, 0x20, 0x30));
    QCOMPARE(window->rtfEdit()->backColor(), QColor(0x80, 0xC0, 0));
    QCOMPARE(window->picLineNo()->backColor(), QColor(0x80, 0xC0, 0));
    QCOMPARE(window->rtfEdit()->isModified(), false);
}

void TestEditCommands::colourCommands_data()
{
    QTest::addColumn<QString>("via");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<bool>("cancel");
    int i = 0;
    for (const char *via : {"mnuEditTextcolor", "mnupopUpFontColor", "mnuEditBackcolor",
                            "mnupopUpBackColor", "button:10"}) {
        for (const bool cancel : {false, true})
            QTest::addRow("%s%s", via, cancel ? ", cancel" : "") << via << bool(++i % 3) << cancel;
    }
}

// The colour is the view's, not the text's: the modified flag and the text
// stay as they were and there is nothing to undo. The text colour leaves the
// caret at the selection's start.
void TestEditCommands::colourCommands()
{
    QFETCH(QString, via);
    QFETCH(bool, modified);
    QFETCH(bool, cancel);
    TextView *view = this->view();
    const QString raw = QStringLiteral("<p>one</p>\r\ntwo\rthree\n");
    view->setText(raw);
    view->setModified(modified);
    view->setSelStart(4);
    view->setSelLength(6);
    const bool text = via.contains(QLatin1String("Text")) || via.contains(QLatin1String("Font"));
    const auto colour = [&] { return text ? view->textColor() : view->backColor(); };
    const QColor expected = cancel ? colour() : QColor(200, 10, 20);
    m_app->colors.answers = {cancel ? std::nullopt : std::optional<QColor>(expected)};
    run(via);

    QCOMPARE(m_app->colors.calls, 1);
    QCOMPARE(colour(), expected);
    if (text)
        QCOMPARE(QPoint(view->selStart(), view->selLength()), QPoint(4, cancel ? 6 : 0));
    else
        QCOMPARE(m_app->active()->picLineNo()->backColor(), expected);
    QCOMPARE(view->isModified(), modified);
    QCOMPARE(view->rawText(), raw);
    QVERIFY(!view->document()->isUndoAvailable());
}

void TestEditCommands::commandsWithoutDocument()
{
    m_app->active()->subWindow()->close();
    QTRY_VERIFY(!main()->activeChild());
    // The text colour ends before the chooser; the background shows it.
    main()->mnuEditTextcolor_Click();
    QCOMPARE(m_app->colors.calls, 0);
    m_app->colors.answers = {QColor(1, 2, 3)};
    main()->mnuEditBackcolor_Click();
    QCOMPARE(m_app->colors.calls, 1);
    main()->ConvertTagCase(zp::TagCase::Upper);
    QCOMPARE(main()->statusText(), QStringLiteral("処理が終わりました"));
}

// Each case runs through the Edit menu, the right-click menu, the key of the
// text and the toolbar button, which must all do the same, on "abc\r\ndef"
// with a selection (start, length) and the clipboard's text ("<image>": an
// image). Afterwards: text | clipboard text | caret.
void TestEditCommands::clipboardCommands_data()
{
    QTest::addColumn<QString>("via");
    QTest::addColumn<QPoint>("selection");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("after");
    const struct
    {
        const char *name, *command;
        QPoint selection;
        const char *clipboard, *after;
    } cases[] = {
            {"copy selection", "Copy", {1, 4}, "old", "abc\ndef | bc\nd | 1"},
            {"copy replaces an image", "Copy", {0, 2}, "<image>", "abc\ndef | ab | 0"},
            {"copy nothing selected", "Copy", {2, 0}, "old", "abc\ndef | old | 2"},
            {"cut selection", "Cut", {2, 3}, "old", "abef | c\nd | 2"},
            {"cut nothing selected", "Cut", {2, 0}, "old", "abc\ndef | old | 2"},
            {"paste at caret", "Paste", {3, 0}, "X\r\nY", "abcX\nY\ndef | X\r\nY | 6"},
            {"paste over selection", "Paste", {1, 5}, "Z", "aZf | Z | 2"},
            {"paste empty text", "Paste", {1, 2}, "", "abc\ndef |  | 1"},
            {"paste an image", "Paste", {1, 2}, "<image>", "abc\ndef |  | 1"},
            {"delete selection", "Delete", {3, 1}, "old", "abcdef | old | 3"},
            {"delete nothing selected", "Delete", {3, 0}, "old", "abc\ndef | old | 3"},
    };
    const QHash<QString, QStringList> keysAndButtons{{"Copy", {"key:Ctrl+C", "button:6"}},
                                                     {"Cut", {"key:Ctrl+X", "button:5"}},
                                                     {"Paste", {"key:Ctrl+V", "button:7"}},
                                                     {"Delete", {"key:Del"}}};
    for (const auto &c : cases) {
        const QString command = QLatin1String(c.command);
        for (const QString &via : QStringList{"mnuEdit" + command, "mnupopUp" + command}
                                          + keysAndButtons.value(command)) {
            // The Delete key removes the next letter, as keys do.
            if (via != QLatin1String("key:Del") || c.selection.y() > 0)
                QTest::addRow("%s, %s", c.name, qPrintable(via))
                        << via << c.selection << c.clipboard << c.after;
        }
    }
}

// An edit marks the document modified and can be undone; anything else
// leaves both alone.
void TestEditCommands::clipboardCommands()
{
    QFETCH(QString, via);
    QFETCH(QPoint, selection);
    QFETCH(QString, clipboard);
    QFETCH(QString, after);
    TextView *view = this->view();
    view->setText(QStringLiteral("abc\r\ndef"));
    view->setModified(false);
    view->setSelStart(selection.x());
    view->setSelLength(selection.y());
    if (clipboard == QLatin1String("<image>")) {
        QImage image(4, 4, QImage::Format_RGB32);
        image.fill(Qt::red);
        QGuiApplication::clipboard()->setImage(image);
    } else {
        QGuiApplication::clipboard()->setText(clipboard);
    }
    run(via);
    const QString clip = m_app->clipboard.text();
    QCOMPARE(QStringLiteral("%1 | %2 | %3").arg(view->text(), clip).arg(view->selStart()), after);
    const bool edited = view->text() != QStringLiteral("abc\ndef");
    QCOMPARE(view->isModified(), edited);
    QCOMPARE(view->document()->isUndoAvailable(), edited);
}

// The length counts each break once and not the document's end.
void TestEditCommands::selectAll()
{
    view()->setText(QStringLiteral("ab\r\ncd"));
    view()->setSelStart(1);
    main()->menus().mnupopUpSelect->trigger();
    QCOMPARE(view()->selStart(), 0);
    QCOMPARE(view()->selLength(), 5);
}

// The wrap toggle sets the right margin of every open window (0: wrap at the
// window's edge); a window opened later keeps its own. The right-click twin
// toggles back and has no mark of its own.
void TestEditCommands::wrapToggleChangesOpenWindows()
{
    QList<zp::EditWindow *> windows{m_app->active(), m_app->newDocument()};
    const auto margins = [&windows] {
        QStringList list;
        for (zp::EditWindow *w : windows) {
            const bool wraps = w->rtfEdit()->lineWrapMode() == QPlainTextEdit::WidgetWidth;
            list.append((wraps ? "wrap " : "") + QString::number(w->rtfEdit()->rightMargin()));
        }
        return list;
    };
    main()->menus().mnuEditMargin->trigger();
    windows.append(m_app->newDocument());
    QCOMPARE(margins(), QStringList({"wrap 0", "wrap 0", "30000"}));
    QVERIFY(main()->menus().mnuEditMargin->isChecked());
    main()->menus().mnupopUpMargin->trigger();
    QCOMPARE(margins(), QStringList({"30000", "30000", "30000"}));
    QVERIFY(!main()->menus().mnuEditMargin->isChecked());
    QVERIFY(!main()->menus().mnupopUpMargin->isChecked());
}

void TestEditCommands::conversionsThroughMenu_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("expected");
    QTest::newRow("CR LF") << "mnuEditreturnCode(0)" << "<a>X</A>\r\nb\r\nc\r\n\r\nd";
    QTest::newRow("CR") << "mnuEditreturnCode(1)" << "<a>X</A>\rb\rc\r\rd";
    QTest::newRow("LF") << "mnuEditreturnCode(2)" << "<a>X</A>\nb\nc\n\nd";
    QTest::newRow("tags upper") << "mnuEditHtmlLarge" << "<A>X</A>\r\nb\rc\n\rd";
    QTest::newRow("tags lower") << "mnuEditHtmlSmall" << "<a>X</a>\r\nb\rc\n\rd";
}

// Each item runs its own conversion; the bytes, the caret and the undo step
// are tst_editconversions' case.
void TestEditCommands::conversionsThroughMenu()
{
    QFETCH(QString, command);
    QFETCH(QString, expected);
    view()->setText(QStringLiteral("<a>X</A>\r\nb\rc\n\rd"));
    run(command);
    QCOMPARE(view()->rawText(), expected);
}

void TestEditCommands::gutterPausedWhileActiveMinimised()
{
    zp::EditWindow *first = m_app->active();
    first->rtfEdit()->setText(QStringLiteral("x\n").repeated(300));
    zp::EditWindow *second = m_app->newDocument(QStringLiteral("y\n").repeated(300));
    QCOMPARE(m_app->active(), second);
    // Side by side, so that the first window's text is in view and paints.
    main()->ArrangeWindows(2);
    QTRY_COMPARE(first->picLineNo()->rows().value(0), QStringLiteral("     1 |"));

    second->subWindow()->showMinimized();
    QTRY_VERIFY(second->subWindow()->isMinimized());
    QCOMPARE(main()->activeChild(), second);
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
    const QFontMetricsF metrics(view()->font());
    QCOMPARE(metrics.horizontalAdvance(QLatin1Char('i')),
             metrics.horizontalAdvance(QLatin1Char('W')));
}

QTEST_MAIN(TestEditCommands)
#include "tst_editcommands.moc"
