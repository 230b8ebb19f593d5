// The frame: menu enabling and status panel 3 by the kind of the active
// child, toolbar dispatch, the caption and the right-click menu.

#include "editor/editwindow.h"
#include "editor/textview.h"
#include "mainwindow/maintoolbar.h"
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
#include <QTest>

using zp::MainWindow;
using zptest::TestApp;

namespace {

// What the tests set up as the active child.
enum class Active { Nothing, Document, Selection, Preview };

// The names of the disabled items of a menu, looking into enabled submenus.
QStringList disabledItems(const QMenu *menu)
{
    QStringList names;
    for (QAction *item : menu->actions()) {
        if (item->isSeparator())
            continue;
        if (!item->isEnabled())
            names.append(item->menu() ? item->menu()->objectName() : item->objectName());
        else if (item->menu())
            names += disabledItems(item->menu());
    }
    return names;
}

} // namespace

Q_DECLARE_METATYPE(Active)

class TestMainWindow : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestApp> m_app;
    MainWindow *frame() const { return m_app->frame(); }
private Q_SLOTS:
    void init()
    {
        m_app = std::make_unique<TestApp>();
        QVERIFY(m_app->start());
    }
    void cleanup() { m_app.reset(); }
    void menuRules_data();
    void menuRules();
    void toolbarDispatch_data();
    void toolbarDispatch();
    void documentActivationEnablesButtons();
    void untitledNumbering();
    void maximiseAndRestoreCaption();
    void rightClickMenuItems_data();
    void rightClickMenuItems();
};

void TestMainWindow::menuRules_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<Active>("active");
    QTest::addColumn<QString>("clipboard"); // "<image>" puts a picture there
    QTest::addColumn<QString>("disabled");
    QTest::addColumn<bool>("statusCleared");
    const QString allEdit = QStringLiteral(
        "mnuEditUndo mnuEditCut mnuEditCopy mnuEditPaste mnuEditDelete mnuEditTextcolor "
        "mnuEditBackcolor mnuEditMargin mnuEditTextSelect mnuEditClipboard mnuEditreturn mnuEditHtml");
    const QString recent = QStringLiteral("mnuFileUseList(1) ");
    QTest::newRow("file, no window") << "mnuFile" << Active::Nothing << ""
        << "mnuFileSave mnuFileSaveAs " + recent + "mnuFilePrintBrow mnuFilePrintText" << false;
    QTest::newRow("file, document") << "mnuFile" << Active::Document << ""
                                    << recent + "mnuFilePrintBrow" << true;
    QTest::newRow("file, preview") << "mnuFile" << Active::Preview << ""
        << "mnuFileSave mnuFileSaveAs " + recent + "mnuFilePrintText" << true;
    QTest::newRow("edit, no window") << "mnuEdit" << Active::Nothing << "x" << allEdit << false;
    QTest::newRow("edit, preview") << "mnuEdit" << Active::Preview << "x" << allEdit << true;
    QTest::newRow("edit, empty clipboard") << "mnuEdit" << Active::Document << ""
        << "mnuEditCut mnuEditCopy mnuEditPaste mnuEditDelete" << true;
    QTest::newRow("edit, text on clipboard") << "mnuEdit" << Active::Document << "x"
        << "mnuEditCut mnuEditCopy mnuEditDelete" << true;
    QTest::newRow("edit, picture on clipboard") << "mnuEdit" << Active::Document << "<image>"
        << "mnuEditCut mnuEditCopy mnuEditPaste mnuEditDelete" << true;
    QTest::newRow("edit, selection") << "mnuEdit" << Active::Selection << "" << "mnuEditPaste" << true;
    QTest::newRow("find, no window") << "mnuFind" << Active::Nothing << "" << "mnuFindText" << false;
    QTest::newRow("find, document") << "mnuFind" << Active::Document << "" << "" << true;
    QTest::newRow("find, preview") << "mnuFind" << Active::Preview << "" << "mnuFindText" << true;
    QTest::newRow("window, no window") << "mnuWindow" << Active::Nothing << ""
        << "mnuWindowLeft mnuWindowUp mnuWindowAdd mnuWindowMin" << true;
    QTest::newRow("window, preview") << "mnuWindow" << Active::Preview << "" << "" << true;
    QTest::newRow("browser") << "mnuBrow" << Active::Nothing << "" << "" << true;
    QTest::newRow("options") << "mnuOption" << Active::Nothing << "" << "" << true;
    QTest::newRow("help") << "mnuHelp" << Active::Nothing << "" << "" << true;
}

// Opening a menu enables its items by the active child and clears panel 3
// unless the rule says otherwise.
void TestMainWindow::menuRules()
{
    QFETCH(QString, menu);
    QFETCH(Active, active);
    QFETCH(QString, clipboard);
    QFETCH(QString, disabled);
    QFETCH(bool, statusCleared);
    MainWindow *frame = this->frame();
    if (active == Active::Nothing)
        frame->mdiArea()->closeAllSubWindows();
    if (active == Active::Preview)
        frame->mnuBrowView_Click(); // an empty preview in front
    if (active == Active::Selection) {
        frame->activeDocument()->rtfEdit()->setText(QStringLiteral("abc"));
        frame->activeDocument()->rtfEdit()->setSelLength(1);
    }
    if (clipboard == QLatin1String("<image>"))
        QGuiApplication::clipboard()->setImage(QImage(4, 4, QImage::Format_RGB32));
    else
        QGuiApplication::clipboard()->setText(clipboard);
    frame->setStatusText(QStringLiteral("a.txtを保存しました"));

    auto *opened = frame->findChild<QMenu *>(menu);
    QVERIFY(opened);
    Q_EMIT opened->aboutToShow();
    QCOMPARE(disabledItems(opened).join(QLatin1Char(' ')), disabled);
    QCOMPARE(frame->statusText().isEmpty(), statusCleared);
}

void TestMainWindow::toolbarDispatch_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("after"); // open windows | active text | find dialog shown
    QTest::newRow("新規作成") << 1 << "2 |  | 0";
    QTest::newRow("やり直し does nothing") << 8 << "1 | abcd | 0";
    QTest::newRow("元に戻す") << 9 << "1 | abc | 0";
    QTest::newRow("検索") << 13 << "1 | abcd | 1";
}

// A click reaches the command of its button (and only that) and clears panel 3.
// The edit buttons' commands are tried in tst_editcommands, the clipboard
// history's in tst_historymenu.
void TestMainWindow::toolbarDispatch()
{
    QFETCH(int, button);
    QFETCH(QString, after);
    zp::TextView *view = frame()->activeDocument()->rtfEdit();
    view->setText(QStringLiteral("abc"));
    view->setSelStart(3);
    view->setSelText(QStringLiteral("d")); // an edit to undo
    frame()->setStatusText(QStringLiteral("message"));
    QAction *action = frame()->toolbar()->button(button);
    QVERIFY(!action->icon().isNull());
    action->trigger();
    auto *find = frame()->findChild<QDialog *>(QStringLiteral("frmFind"));
    QCOMPARE(QStringLiteral("%1 | %2 | %3")
                 .arg(frame()->mdiArea()->subWindowList().size())
                 .arg(frame()->activeDocument()->rtfEdit()->text())
                 .arg(find && find->isVisible()),
             after);
    QVERIFY(frame()->statusText().isEmpty());
}

void TestMainWindow::documentActivationEnablesButtons()
{
    zp::MainToolbar *toolbar = frame()->toolbar();
    // The preview turns the document buttons off as it becomes active.
    frame()->mnuBrowView_Click();
    QVERIFY(!toolbar->button(3)->isEnabled());
    frame()->mdiArea()->setActiveSubWindow(frame()->mdiArea()->subWindowList().first());
    for (int n = 1; n <= zp::MainToolbar::ButtonCount; ++n)
        QVERIFY2(toolbar->button(n)->isEnabled(), qPrintable(QString::number(n)));
}

void TestMainWindow::untitledNumbering()
{
    MainWindow *frame = this->frame();
    // A window for a file takes no number.
    QCOMPARE(frame->documents().NewDocument(1)->windowTitle(), QString());
    frame->mnuFileNew_Click();
    zp::EditWindow *second = frame->activeDocument();
    QCOMPARE(second->windowTitle(), QStringLiteral("無題2"));
    // Numbers of closed documents are not used again.
    second->subWindow()->close();
    QTRY_COMPARE(frame->mdiArea()->subWindowList().size(), 2);
    frame->mnuFileNew_Click();
    QCOMPARE(frame->activeDocument()->windowTitle(), QStringLiteral("無題3"));
    QCOMPARE(frame->activeDocument()->rtfEdit()->isModified(), false);
}

void TestMainWindow::maximiseAndRestoreCaption()
{
    MainWindow *frame = this->frame();
    zp::EditWindow *document = frame->activeDocument();
    QMdiSubWindow *sub = document->subWindow();
    document->setWindowTitle(QStringLiteral("/w/a.html"));
    sub->showMaximized();
    QCOMPARE(frame->caption(), QStringLiteral("/w/a.html"));
    sub->showNormal();
    QCOMPARE(frame->caption(), QString());
    sub->showMaximized();
    sub->showMinimized();
    QCOMPARE(frame->caption(), QString());
    // A new untitled document opening maximised passes its title on.
    sub->showMaximized();
    frame->mnuFileNew_Click();
    QCOMPARE(frame->caption(), QStringLiteral("無題2"));
    // Closing the last document empties the caption.
    sub->close();
    frame->activeDocument()->subWindow()->close();
    QCOMPARE(frame->caption(), QString());
}

void TestMainWindow::rightClickMenuItems_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("enabled"); // cut copy delete paste
    QTest::newRow("left, nothing") << Qt::LeftButton << 0 << "" << "0000";
    QTest::newRow("right, selection") << Qt::RightButton << 2 << "" << "1110";
    QTest::newRow("right, clipboard text") << Qt::RightButton << 0 << "x" << "0001";
}

// A click in the text sets the right-click items and clears panel 3; only the
// right button shows the menu.
void TestMainWindow::rightClickMenuItems()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(int, selected);
    QFETCH(QString, clipboard);
    QFETCH(QString, enabled);
    zp::EditWindow *document = frame()->activeDocument();
    document->rtfEdit()->setText(QStringLiteral("abc"));
    document->rtfEdit()->setSelLength(selected);
    QGuiApplication::clipboard()->setText(clipboard);
    frame()->setStatusText(QStringLiteral("message"));
    document->rtfEdit_MouseDown(button, QPoint(10, 10));
    zp::MainMenus &m = frame()->menus();
    QString state;
    for (QAction *item : {m.mnupopUpCut, m.mnupopUpCopy, m.mnupopUpDelete, m.mnupopUpPaste})
        state += item->isEnabled() ? '1' : '0';
    QCOMPARE(state, enabled);
    QVERIFY(frame()->statusText().isEmpty());
    QTRY_COMPARE(m.mnupopUp->isVisible(), button == Qt::RightButton);
    m.mnupopUp->hide();
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
