// The frame: menu enabling by the kind of the active child, status panel 3,
// the toolbar's buttons and dispatch, the status-bar layout and the caption.

#include "editor/editwindow.h"
#include "editor/linenumbergutter.h"
#include "editor/textview.h"
#include "mainwindow/maintoolbar.h"
#include "mainwindow/menuenabling.h"
#include "mainwindow/statuspanels.h"
#include "platform/windowlist.h"
#include "testapp.h"

#include <QAction>
#include <QClipboard>
#include <QDialog>
#include <QGuiApplication>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QToolButton>

using zp::MainWindow;
using zptest::TestApp;

namespace {

// What the tests set up as the active child.
enum class Active { Nothing, Document, DocumentWithSelection, Preview };

// A stand-in for the preview window: a child named as the preview is.
QWidget *openPreviewStandIn(TestApp &t)
{
    auto *preview = new QWidget;
    preview->setObjectName(QStringLiteral("frmBrow"));
    preview->setWindowTitle(QString());
    t.context().windows->add(preview);
    t.frame()->addChild(preview)->show();
    t.frame()->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(preview->parentWidget()));
    return preview;
}

void prepare(TestApp &t, Active active)
{
    switch (active) {
    case Active::Nothing:
        t.frame()->mdiArea()->closeAllSubWindows();
        break;
    case Active::Document:
        break;
    case Active::DocumentWithSelection: {
        zp::TextView *view = t.frame()->activeDocument()->rtfEdit();
        view->setText(QStringLiteral("abc"));
        view->setSelStart(1);
        view->setSelLength(1);
        break;
    }
    case Active::Preview:
        openPreviewStandIn(t);
        break;
    }
}

QString enabledNames(const QList<QAction *> &actions)
{
    QStringList names;
    for (QAction *action : actions) {
        if (action->isEnabled())
            names.append(action->menu() ? action->menu()->objectName() : action->objectName());
    }
    return names.join(QLatin1Char(' '));
}

} // namespace

Q_DECLARE_METATYPE(Active)

class TestMainWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void untitledNumbering();
    void fileMenuRules_data();
    void fileMenuRules();
    void editMenuRules_data();
    void editMenuRules();
    void findAndWindowMenus_data();
    void findAndWindowMenus();
    void otherMenusClearStatus();
    void imageOnClipboardDisablesPaste();
    void editShortcutTexts();
    void statusPanelWidths_data();
    void statusPanelWidths();
    void statusPanelsFollowTheFrame();
    void toolbarButtons_data();
    void toolbarButtons();
    void toolbarDispatchTable_data();
    void toolbarDispatchTable();
    void toolbarClicks();
    void previewDisablesDocumentButtons();
    void maximiseAndRestoreCaption();
    void rightClickMenuItems();
    void gutterSettings_data();
    void gutterSettings();
    void aboutBox();
};

void TestMainWindow::init()
{
    QGuiApplication::clipboard()->clear();
}

void TestMainWindow::untitledNumbering()
{
    TestApp t;
    QVERIFY(t.start());
    MainWindow *frame = t.frame();
    frame->mnuFileNew_Click();
    QCOMPARE(frame->activeDocument()->windowTitle(), QStringLiteral("無題2"));
    // A window for a file takes no number.
    zp::EditWindow *file = frame->documents().NewDocument(1);
    QCOMPARE(file->windowTitle(), QString());
    QCOMPARE(frame->documents().UntitledCount(), 2);
    frame->mnuFileNew_Click();
    zp::EditWindow *third = frame->activeDocument();
    QCOMPARE(third->windowTitle(), QStringLiteral("無題3"));
    // Numbers of closed documents are not used again.
    third->subWindow()->close();
    QTRY_VERIFY(frame->mdiArea()->subWindowList().size() == 3);
    frame->mnuFileNew_Click();
    QCOMPARE(frame->activeDocument()->windowTitle(), QStringLiteral("無題4"));
    QCOMPARE(frame->activeDocument()->rtfEdit()->tag(), QStringLiteral("0"));
}

void TestMainWindow::fileMenuRules_data()
{
    QTest::addColumn<Active>("active");
    QTest::addColumn<QString>("disabled");
    QTest::addColumn<bool>("statusCleared");
    QTest::newRow("no window") << Active::Nothing
                               << "mnuFileSave mnuFileSaveAs mnuFilePrintBrow mnuFilePrintText" << false;
    QTest::newRow("document") << Active::Document << "mnuFilePrintBrow" << true;
    QTest::newRow("preview") << Active::Preview << "mnuFileSave mnuFileSaveAs mnuFilePrintText" << true;
}

void TestMainWindow::fileMenuRules()
{
    QFETCH(Active, active);
    QFETCH(QString, disabled);
    QFETCH(bool, statusCleared);
    TestApp t;
    QVERIFY(t.start());
    prepare(t, active);
    MainWindow *frame = t.frame();
    frame->setStatusText(QStringLiteral("a.txtを保存しました"));
    Q_EMIT frame->menus().mnuFile->aboutToShow();

    zp::MainMenus &m = frame->menus();
    const QList<QAction *> items = {m.mnuFileNew, m.mnuFileOpen, m.mnuFileSave,
                                    m.mnuFileSaveAs, m.mnuFileClipboardSave, m.mnuFileUse->menuAction(),
                                    m.mnuFilePrintBrow, m.mnuFilePrintText, m.mnuFileAllclose,
                                    m.mnuFileClose, m.mnuFileExit};
    QStringList off;
    for (QAction *item : items) {
        if (!item->isEnabled())
            off.append(item->objectName());
    }
    QCOMPARE(off.join(QLatin1Char(' ')), disabled);
    QCOMPARE(frame->statusText().isEmpty(), statusCleared);
}

void TestMainWindow::editMenuRules_data()
{
    QTest::addColumn<Active>("active");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("enabled");
    QTest::addColumn<bool>("statusCleared");
    const QString always = QStringLiteral(
        "mnuEditUndo mnuEditTextcolor mnuEditTextSelect mnuEditBackcolor mnuEditMargin "
        "mnuEditClipboard mnuEditHtml mnuEditreturn");
    QTest::newRow("no window") << Active::Nothing << "text" << "" << false;
    QTest::newRow("preview disables everything") << Active::Preview << "text" << "" << true;
    QTest::newRow("document, nothing selected, empty clipboard")
        << Active::Document << "" << always << true;
    QTest::newRow("document, nothing selected, text on clipboard")
        << Active::Document << "x" << always + QStringLiteral(" mnuEditPaste") << true;
    QTest::newRow("document, one character selected")
        << Active::DocumentWithSelection << ""
        << always + QStringLiteral(" mnuEditCopy mnuEditCut mnuEditDelete") << true;
}

void TestMainWindow::editMenuRules()
{
    QFETCH(Active, active);
    QFETCH(QString, clipboard);
    QFETCH(QString, enabled);
    QFETCH(bool, statusCleared);
    TestApp t;
    QVERIFY(t.start());
    prepare(t, active);
    QGuiApplication::clipboard()->setText(clipboard);
    MainWindow *frame = t.frame();
    frame->setStatusText(QStringLiteral("message"));
    Q_EMIT frame->menus().mnuEdit->aboutToShow();

    zp::MainMenus &m = frame->menus();
    const QList<QAction *> order = {m.mnuEditUndo, m.mnuEditTextcolor, m.mnuEditTextSelect,
                                    m.mnuEditBackcolor, m.mnuEditMargin, m.mnuEditClipboard,
                                    m.mnuEditHtml->menuAction(), m.mnuEditreturn->menuAction(),
                                    m.mnuEditPaste, m.mnuEditCopy, m.mnuEditCut, m.mnuEditDelete};
    QCOMPARE(enabledNames(order), enabled);
    QCOMPARE(frame->statusText().isEmpty(), statusCleared);
}

void TestMainWindow::findAndWindowMenus_data()
{
    QTest::addColumn<Active>("active");
    QTest::addColumn<bool>("findEnabled");
    QTest::addColumn<bool>("arrangeEnabled");
    QTest::addColumn<int>("listedWindows");
    QTest::newRow("no window") << Active::Nothing << false << false << 0;
    QTest::newRow("document") << Active::Document << true << true << 1;
    QTest::newRow("preview") << Active::Preview << false << true << 2;
}

void TestMainWindow::findAndWindowMenus()
{
    QFETCH(Active, active);
    QFETCH(bool, findEnabled);
    QFETCH(bool, arrangeEnabled);
    QFETCH(int, listedWindows);
    TestApp t;
    QVERIFY(t.start());
    prepare(t, active);
    zp::MainMenus &m = t.frame()->menus();
    Q_EMIT m.mnuFind->aboutToShow();
    QCOMPARE(m.mnuFindText->isEnabled(), findEnabled);
    t.frame()->setStatusText(QStringLiteral("message"));
    Q_EMIT m.mnuWindow->aboutToShow();
    for (QAction *item : {m.mnuWindowAdd, m.mnuWindowLeft, m.mnuWindowMin, m.mnuWindowUp})
        QCOMPARE(item->isEnabled(), arrangeEnabled);
    // The Window menu clears panel 3 even with no window open.
    QVERIFY(t.frame()->statusText().isEmpty());
    int listed = 0;
    for (QAction *item : m.mnuWindow->actions())
        listed += item->isCheckable() ? 1 : 0;
    QCOMPARE(listed, listedWindows);
}

void TestMainWindow::otherMenusClearStatus()
{
    TestApp t;
    QVERIFY(t.start());
    t.frame()->mdiArea()->closeAllSubWindows();
    zp::MainMenus &m = t.frame()->menus();
    for (QMenu *menu : {m.mnuBrow, m.mnuOption, m.mnuHelp}) {
        t.frame()->setStatusText(QStringLiteral("message"));
        Q_EMIT menu->aboutToShow();
        QVERIFY2(t.frame()->statusText().isEmpty(), qPrintable(menu->objectName()));
    }
}

void TestMainWindow::imageOnClipboardDisablesPaste()
{
    TestApp t;
    QVERIFY(t.start());
    auto *data = new QMimeData;
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    data->setImageData(image);
    QGuiApplication::clipboard()->setMimeData(data);
    Q_EMIT t.frame()->menus().mnuEdit->aboutToShow();
    QVERIFY(!t.frame()->menus().mnuEditPaste->isEnabled());
}

void TestMainWindow::editShortcutTexts()
{
    TestApp t;
    QVERIFY(t.start());
    zp::MainMenus &m = t.frame()->menus();
    QCOMPARE(m.mnuEditCopy->text(), QStringLiteral("コピー(&C)\tCtrl+C"));
    QCOMPARE(m.mnuEditCut->text(), QStringLiteral("切り取り(&T)\tCtrl+X"));
    QCOMPARE(m.mnuEditPaste->text(), QStringLiteral("貼り付け(&P)\tCtrl+V"));
    QVERIFY(m.mnuEditCopy->shortcut().isEmpty());
    QCOMPARE(m.mnuFileSave->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    QCOMPARE(m.mnuFindText->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
    QVERIFY(!m.mnuFileUseList.at(1)->isEnabled());
    QCOMPARE(m.mnuFileUseList.at(1)->text(), QStringLiteral("なし"));
}

void TestMainWindow::statusPanelWidths_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("quarter");
    QTest::addColumn<int>("rest");
    QTest::newRow("10001") << 10001 << 2500 << 5001;
    QTest::newRow("divisible by four") << 12000 << 3000 << 6000;
    QTest::newRow("three") << 3 << 0 << 3;
    QTest::newRow("zero") << 0 << 0 << 0;
}

void TestMainWindow::statusPanelWidths()
{
    QFETCH(int, width);
    QFETCH(int, quarter);
    QFETCH(int, rest);
    const std::array<int, 3> widths = zp::statusPanelWidths(width);
    QCOMPARE(widths[0], quarter);
    QCOMPARE(widths[1], quarter);
    QCOMPARE(widths[2], rest);
}

void TestMainWindow::statusPanelsFollowTheFrame()
{
    TestApp t;
    QVERIFY(t.start());
    t.frame()->resize(667, 500);
    QTRY_VERIFY(t.frame()->width() == 667);
    // The panels follow the frame's outer width, decorations included.
    const int twips = t.frame()->frameGeometry().width() * 15;
    QCOMPARE(t.frame()->statusPanels()->panelWidth(1), twips / 4);
    QCOMPARE(t.frame()->statusPanels()->panelWidth(2), twips / 4);
    QCOMPARE(t.frame()->statusPanels()->panelWidth(3), twips - 2 * (twips / 4));
    QCOMPARE(t.frame()->statusPanels()->findChild<QWidget *>(QStringLiteral("Panel1"))->width(),
             (twips / 4) / 15);
}

void TestMainWindow::toolbarButtons_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("toolTip");
    const char *keys[] = {"新規作成", "開く", "上書き保存", "", "切り取り", "コピー", "貼り付け",
                          "やり直し", "元に戻す", "背景色", "", "ブラウザ", "検索", "クリップボード"};
    for (int i = 0; i < 14; ++i) {
        const QString key = QString::fromUtf8(keys[i]);
        const QString tip = i == 13 ? QStringLiteral("クリップボード履歴") : key;
        QTest::addRow("button %d", i + 1) << i + 1 << key << tip;
    }
}

void TestMainWindow::toolbarButtons()
{
    QFETCH(int, button);
    QFETCH(QString, key);
    QFETCH(QString, toolTip);
    TestApp t;
    QVERIFY(t.start());
    zp::MainToolbar *toolbar = t.frame()->toolbar();
    QAction *action = toolbar->button(button);
    QVERIFY(action);
    QCOMPARE(toolbar->key(button), key);
    QCOMPARE(action->isSeparator(), key.isEmpty());
    if (key.isEmpty())
        return;
    QCOMPARE(action->toolTip(), toolTip);
    QVERIFY(!action->icon().isNull());
    auto *tool = qobject_cast<QToolButton *>(toolbar->widgetForAction(action));
    QVERIFY(tool);
    const bool dropDown = button == zp::MainToolbar::ClipboardButton;
    QCOMPARE(tool->popupMode() == QToolButton::MenuButtonPopup, dropDown);
    QCOMPARE(action->menu() == toolbar->clipboardMenu(), dropDown);
}

void TestMainWindow::toolbarDispatchTable_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("handler");
    const std::pair<const char *, MainWindow::Handler> rows[] = {
        {"新規作成", &MainWindow::mnuFileNew_Click},
        {"開く", &MainWindow::mnuFileOpen_Click},
        {"上書き保存", &MainWindow::mnuFileSave_Click},
        {"切り取り", &MainWindow::mnuEditCut_Click},
        {"コピー", &MainWindow::mnuEditCopy_Click},
        {"貼り付け", &MainWindow::mnuEditPaste_Click},
        {"やり直し", nullptr},
        {"元に戻す", &MainWindow::mnuEditUndo_Click},
        {"背景色", &MainWindow::mnuEditBackcolor_Click},
        {"ブラウザ", &MainWindow::mnuBrowView_Click},
        {"検索", &MainWindow::mnuFindText_Click},
        {"クリップボード", nullptr},
    };
    for (int i = 0; i < int(std::size(rows)); ++i)
        QTest::newRow(rows[i].first) << QString::fromUtf8(rows[i].first) << i;
}

void TestMainWindow::toolbarDispatchTable()
{
    QFETCH(QString, key);
    QFETCH(int, handler);
    const MainWindow::Handler expected[] = {
        &MainWindow::mnuFileNew_Click,   &MainWindow::mnuFileOpen_Click,
        &MainWindow::mnuFileSave_Click,  &MainWindow::mnuEditCut_Click,
        &MainWindow::mnuEditCopy_Click,  &MainWindow::mnuEditPaste_Click,
        nullptr,                         &MainWindow::mnuEditUndo_Click,
        &MainWindow::mnuEditBackcolor_Click, &MainWindow::mnuBrowView_Click,
        &MainWindow::mnuFindText_Click,  nullptr};
    QVERIFY(MainWindow::toolbarHandler(key) == expected[handler]);
}

void TestMainWindow::toolbarClicks()
{
    TestApp t;
    QVERIFY(t.start());
    MainWindow *frame = t.frame();
    // Every click clears panel 3; "やり直し" does nothing else.
    for (int button : {8, 14}) {
        frame->setStatusText(QStringLiteral("message"));
        frame->toolbar()->button(button)->trigger();
        QVERIFY(frame->statusText().isEmpty());
        QCOMPARE(frame->mdiArea()->subWindowList().size(), 1);
    }
    // "新規作成" runs the New command.
    frame->toolbar()->button(1)->trigger();
    QCOMPARE(frame->activeDocument()->windowTitle(), QStringLiteral("無題2"));
}

void TestMainWindow::previewDisablesDocumentButtons()
{
    TestApp t;
    QVERIFY(t.start());
    zp::MainToolbar *toolbar = t.frame()->toolbar();
    // A preview's activation disables the document buttons; the preview
    // feature does it through the frame, as this stand-in does.
    openPreviewStandIn(t);
    t.frame()->setDocumentButtonsEnabled(false);
    for (int n : {3, 5, 6, 7, 8, 9, 10, 11, 13})
        QVERIFY(!toolbar->button(n)->isEnabled());
    QVERIFY(toolbar->button(12)->isEnabled());
    // Activating the document window enables them again.
    t.frame()->mdiArea()->setActiveSubWindow(t.frame()->mdiArea()->subWindowList().first());
    for (int n = 1; n <= 14; ++n)
        QVERIFY2(toolbar->button(n)->isEnabled(), qPrintable(QString::number(n)));
}

void TestMainWindow::maximiseAndRestoreCaption()
{
    TestApp t;
    QVERIFY(t.start());
    MainWindow *frame = t.frame();
    zp::EditWindow *document = frame->activeDocument();
    document->setWindowTitle(QStringLiteral("/w/a.html"));
    QCOMPARE(frame->caption(), QString());
    document->subWindow()->showMaximized();
    QCOMPARE(frame->caption(), QStringLiteral("/w/a.html"));
    document->subWindow()->showNormal();
    QCOMPARE(frame->caption(), QString());
    document->subWindow()->showMaximized();
    document->subWindow()->showMinimized();
    QCOMPARE(frame->caption(), QString());
    // A new untitled document opening maximised passes its title on.
    document->subWindow()->showMaximized();
    frame->mnuFileNew_Click();
    QCOMPARE(frame->caption(), QStringLiteral("無題2"));
    // Closing the last document empties the caption.
    document->subWindow()->close();
    frame->activeDocument()->subWindow()->close();
    QCOMPARE(frame->caption(), QString());
}

void TestMainWindow::rightClickMenuItems()
{
    TestApp t;
    QVERIFY(t.start());
    MainWindow *frame = t.frame();
    zp::EditWindow *document = frame->activeDocument();
    zp::MainMenus &m = frame->menus();

    frame->setStatusText(QStringLiteral("message"));
    document->rtfEdit_MouseDown(Qt::LeftButton, QPoint(10, 10));
    for (QAction *item : {m.mnupopUpCut, m.mnupopUpCopy, m.mnupopUpDelete, m.mnupopUpPaste})
        QVERIFY(!item->isEnabled());
    QVERIFY(frame->statusText().isEmpty());
    QVERIFY(!m.mnupopUp->isVisible());

    document->rtfEdit()->setText(QStringLiteral("abc"));
    document->rtfEdit()->setSelLength(2);
    QGuiApplication::clipboard()->setText(QStringLiteral("x"));
    document->rtfEdit_MouseDown(Qt::RightButton, QPoint(10, 10));
    for (QAction *item : {m.mnupopUpCut, m.mnupopUpCopy, m.mnupopUpDelete, m.mnupopUpPaste})
        QVERIFY(item->isEnabled());
    QTRY_VERIFY(m.mnupopUp->isVisible());
    m.mnupopUp->hide();
}

void TestMainWindow::gutterSettings_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<bool>("gutterShown");
    QTest::addColumn<QColor>("numberColor");
    QTest::newRow("default file")
        << QByteArray() << true << QColor(0xbb, 0xbb, 0xbb);
    QTest::newRow("keys missing") << QByteArray("[Edit]\r\n") << true << QColor(240, 148, 118);
    QTest::newRow("empty colour") << QByteArray("[Edit]\r\nLineNoColor=\r\n") << true
                                  << QColor(240, 148, 118);
    QTest::newRow("line numbers off") << QByteArray("[Edit]\r\nLineNum=0\r\n") << false
                                      << QColor(240, 148, 118);
    QTest::newRow("any other value is off") << QByteArray("[Edit]\r\nLineNum=2\r\nLineNoColor=00FF\r\n")
                                            << false << QColor(0, 255, 0);
}

void TestMainWindow::gutterSettings()
{
    QFETCH(QByteArray, settings);
    QFETCH(bool, gutterShown);
    QFETCH(QColor, numberColor);
    TestApp t;
    QVERIFY(t.start(QString(), settings));
    zp::EditWindow *document = t.frame()->activeDocument();
    QCOMPARE(document->tag(), gutterShown ? QStringLiteral("1") : QStringLiteral("0"));
    QCOMPARE(zp::EditWindow::NoLineNumbers, !gutterShown);
    QCOMPARE(document->picLineNo()->isVisible(), gutterShown);
    QCOMPARE(document->picLineNo()->numberColor(), numberColor);
    const int left = gutterShown ? zp::LineNumberGutter::Width : 0;
    QCOMPARE(document->rtfEdit()->geometry(),
             QRect(left, 0, document->width() - left, document->height()));
    QCOMPARE(document->picLineNo()->font(), document->rtfEdit()->font());
}

void TestMainWindow::aboutBox()
{
    TestApp t;
    QVERIFY(t.start());
    t.frame()->mnuHelpVersion_Click();
    auto *about = t.frame()->findChild<QDialog *>(QStringLiteral("frmAbout"));
    QVERIFY(about);
    QVERIFY(about->isVisible());
    QVERIFY(!about->isModal());
    QCOMPARE(about->windowTitle(), QStringLiteral("バージョン情報"));
    QVERIFY(t.context().windows->first(QStringLiteral("frmAbout")));
    // Opening it again shows the same box.
    t.frame()->mnuHelpVersion_Click();
    QCOMPARE(t.frame()->findChildren<QDialog *>(QStringLiteral("frmAbout")).size(), 1);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
