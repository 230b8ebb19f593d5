// The history in the running program: the monitor and its switch, button 14's
// drop-down menu and click, and the File menu's save with its failures.

#include "cliphistory/clipmonitor.h"
#include "cliphistory/historymenu.h"
#include "mainwindow/maintoolbar.h"

#include "permissions.h"
#include "testapp.h"

#include <QAccessible>
#include <QAction>
#include <QImage>
#include <QMenu>
#include <QTest>
#include <QToolButton>

using namespace zp;
using zptest::TestApp;

namespace {

void copy(const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
}

QMenu *dropDown(TestApp &t)
{
    return t.frame()->toolbar()->clipboardMenu();
}

// Chooses entry index in the open drop-down menu with the mouse.
void chooseEntry(TestApp &t, int index)
{
    QMenu *menu = dropDown(t);
    menu->popup(QPoint(10, 10));
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    QAction *entry = t.frame()->clipHistory()->entry(index);
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center());
}

} // namespace

class TestHistoryMenu : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void monitorAtStart_data();
    void monitorAtStart();
    void switchKeepsEntriesAndNumbers();
    void dropDownFollowsActiveChild_data();
    void dropDownFollowsActiveChild();
    void menuAndButtonPaste();
    void manualSave_data();
    void manualSave();
};

void TestHistoryMenu::monitorAtStart_data()
{
    QTest::addColumn<QString>("timing");
    QTest::addColumn<bool>("on");
    QTest::newRow("0 off") << "0" << false; // 1 is on in every other test here
    QTest::newRow("2 on") << "2" << true;
}

void TestHistoryMenu::monitorAtStart()
{
    QFETCH(QString, timing);
    QFETCH(bool, on);
    TestApp t;
    // On the clipboard before the program starts: never an entry.
    t.configure = [](AppContext &) { copy(QStringLiteral("before")); };
    QVERIFY(t.start(QString(), {"ClipboardSaveTiming=" + timing}));
    QCOMPARE(t.frame()->menus().mnuEditClipboard->isChecked(), on);
    copy(QStringLiteral("abc"));
    QCOMPARE(t.frame()->clipHistory()->entryCount(), on ? 1 : 0);
    if (on)
        QCOMPARE(dropDown(t)->actions(), QList<QAction *>{t.frame()->clipHistory()->entry(1)});
}

void TestHistoryMenu::switchKeepsEntriesAndNumbers()
{
    TestApp t;
    QVERIFY(t.start(QString(), {"ClipboardSaveTiming=1"}));
    QAction *item = t.frame()->menus().mnuEditClipboard;
    HistoryMenu *history = t.frame()->clipHistory();
    copy(QStringLiteral("a"));
    QGuiApplication::clipboard()->setImage(QImage(4, 4, QImage::Format_RGB32)); // no text: no entry
    copy(QString());
    QCOMPARE(history->entryCount(), 2);
    QCOMPARE(history->entry(2)->text(), QStringLiteral("2 "));
    item->trigger();
    QVERIFY(!t.frame()->clipMonitor()->isWatching());
    copy(QStringLiteral("while off"));
    item->trigger();
    copy(QStringLiteral("b"));
    QCOMPARE(history->entryCount(), 3);
    QCOMPARE(history->entry(3)->text(), QStringLiteral("3 b"));
    // The switch never writes the settings file.
    QCOMPARE(t.context().settings.readInt("Edit", "ClipboardSaveTiming", -1), 1);
}

void TestHistoryMenu::dropDownFollowsActiveChild_data()
{
    QTest::addColumn<QString>("active");
    QTest::addColumn<bool>("enabledBefore");
    QTest::addColumn<bool>("enabledAfter");
    QTest::newRow("document enables") << "document" << false << true;
    QTest::newRow("preview disables") << "preview" << true << false;
    QTest::newRow("no child keeps the state") << "none" << false << false;
}

void TestHistoryMenu::dropDownFollowsActiveChild()
{
    QFETCH(QString, active);
    QFETCH(bool, enabledBefore);
    QFETCH(bool, enabledAfter);
    TestApp t;
    QVERIFY(t.start(active == "document" ? QString() : QStringLiteral(" "),
                    {"ClipboardSaveTiming=1"}));
    if (active == "preview")
        t.frame()->mnuBrowView_Click(); // an empty preview in front
    copy(QStringLiteral("a"));
    copy(QStringLiteral("b"));
    t.frame()->clipHistory()->setEntriesEnabled(enabledBefore);
    dropDown(t)->popup(QPoint(10, 10)); // as the arrow opens it
    dropDown(t)->hide();
    for (int i = 1; i <= 2; ++i)
        QCOMPARE(t.frame()->clipHistory()->entry(i)->isEnabled(), enabledAfter);
}

void TestHistoryMenu::menuAndButtonPaste()
{
    TestApp t;
    QVERIFY(t.start(QString(), {"ClipboardSaveTiming=1"}));
    EditWindow *document = t.frame()->activeDocument();
    TextView *view = document->rtfEdit();
    const auto reset = [view] { view->setText(QStringLiteral("<>")); view->setSelStart(1); };
    reset();
    copy(QStringLiteral("first"));
    copy(QStringLiteral("second\nline with more than twenty units"));
    QAction *button = t.frame()->toolbar()->button(MainToolbar::ClipboardButton);
    button->trigger(); // nothing chosen yet
    QCOMPARE(view->text(), QStringLiteral("<>"));

    chooseEntry(t, 2);
    QCOMPARE(view->text(), QStringLiteral("<second\nline with more than twenty units>"));
    QVERIFY(view->isModified());
    reset();
    button->trigger();
    QCOMPARE(view->text(), QStringLiteral("<second\nline with more than twenty units>"));

    // With a preview active the click pastes nothing, and choosing an entry
    // there unchooses it for later clicks.
    reset();
    t.frame()->mnuBrowView_Click(); // an empty preview in front
    button->trigger();
    t.frame()->Toolbar_ButtonMenuClick(t.frame()->clipHistory()->entry(1));
    t.frame()->mdiArea()->setActiveSubWindow(document->subWindow());
    button->trigger();
    QCOMPARE(view->text(), QStringLiteral("<>"));

    // A screen reader can open the drop-down from the button.
    auto *tool = qobject_cast<QToolButton *>(t.frame()->toolbar()->widgetForAction(button));
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(tool);
    QVERIFY(accessible && accessible->actionInterface());
    QVERIFY(accessible->actionInterface()->actionNames().contains(
            QAccessibleActionInterface::showMenuAction()));
}

void TestHistoryMenu::manualSave_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<bool>("fails");
    QTest::addColumn<QByteArray>("bytes"); // of Clipboard.txt afterwards
    QTest::newRow("empty history leaves the file") << "empty" << false << QByteArray("old\r\n");
    QTest::newRow("read-only folder keeps the old file") << "read-only" << true
                                                         << QByteArray("old\r\n");
    QTest::newRow("a folder by the name stays") << "folder" << true << QByteArray("<unreadable>");
    // Appending needs the old content: replacing the file would lose it (and
    // make it readable).
    QTest::newRow("appending to an unreadable file keeps it") << "unreadable" << true
                                                              << QByteArray("<unreadable>");
}

void TestHistoryMenu::manualSave()
{
    QFETCH(QString, setup);
    QFETCH(bool, fails);
    QFETCH(QByteArray, bytes);
    TestApp t;
    QVERIFY(t.start(QString(), {"ClipboardSaveTiming=1", "ClipboardSaveType=2"}));
    const QString path = t.context().clipHistoryFile();
    if (setup == "folder")
        QVERIFY(QDir().mkpath(path));
    else
        QVERIFY(zptest::writeBytes(path, "old\r\n"));
    if (setup != "empty") {
        copy(QStringLiteral("abc"));
        copy(QStringLiteral("de"));
    }
    testing::FileModesEnforced enforced;
    std::optional<testing::FolderMode> readOnly;
    if (setup == "read-only") {
        readOnly.emplace(t.folder.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        if (!testing::FileModesEnforced::folderModesApply(t.folder.path()))
            QSKIP("folder modes do not apply here");
    }
    if (setup == "unreadable")
        QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
    t.frame()->mnuFileClipboardSave_Click();
    QCOMPARE(!t.frame()->statusText().isEmpty(), fails);
    QCOMPARE(zptest::readBytes(path), bytes);
    QCOMPARE(t.frame()->clipHistory()->entryCount(), setup == "empty" ? 0 : 2);
    QCOMPARE(QDir(t.folder.path()).entryList(QDir::Files).filter("Clipboard").size(),
             setup == "folder" ? 0 : 1);
}

QTEST_MAIN(TestHistoryMenu)
#include "tst_historymenu.moc"
