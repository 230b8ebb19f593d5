// The find dialog as a window: its buttons, the keys, opening and closing,
// which document it acts on, and a replace-all that meets window events (the
// document closing, commands that must wait).

#include "findfixture.h"


#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <QTimer>

class TestFindDialog : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void buttonsFollowFindText();
    void openingTakesSelection_data();
    void openingTakesSelection();
    void keys_data();
    void keys();
    void onceAndRegisteredWhileLoaded();
    void actsOnActiveDocument();
    void noDocumentWindowActive_data();
    void noDocumentWindowActive();
    void closingDocumentDuringReplaceAll();
    void commandsRefusedDuringReplaceAll_data();
    void commandsRefusedDuringReplaceAll();
};

void TestFindDialog::buttonsFollowFindText()
{
    FindFixture f;
    f.newDocument(QStringLiteral("abc"));
    f.openFind();
    QVERIFY(!f.btnFind(0)->isEnabled());
    QVERIFY(!f.btnFind(1)->isEnabled());
    QVERIFY(f.btnFind(2)->isEnabled());
    QTest::keyClicks(f.txtFind(0), QStringLiteral("a"));
    QVERIFY(f.btnFind(0)->isEnabled());
    QVERIFY(f.btnFind(1)->isEnabled());
    QTest::keyClick(f.txtFind(0), Qt::Key_Backspace);
    QVERIFY(!f.btnFind(0)->isEnabled());
    // The replacement box alone enables nothing.
    QTest::keyClicks(f.txtFind(1), QStringLiteral("x"));
    QVERIFY(!f.btnFind(1)->isEnabled());
}

void TestFindDialog::openingTakesSelection_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("expected");
    QTest::newRow("a word") << 4 << 5 << "world";
    QTest::newRow("nothing selected") << 3 << 0 << "";
}

void TestFindDialog::openingTakesSelection()
{
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(QString, expected);

    FindFixture f;
    zp::TextView *view = f.newDocument(QStringLiteral("big world"))->rtfEdit();
    FindFixture::select(view, start, length);
    f.openFind();
    QCOMPARE(f.txtFind(0)->text(), expected);
    QCOMPARE(f.txtFind(0)->selectedText(), expected);
    QCOMPARE(f.btnFind(0)->isEnabled(), !expected.isEmpty());
    QVERIFY(!f.dialog()->MatchFound());
    QVERIFY(!f.dialog()->CaretTaken());
}

void TestFindDialog::keys_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("find");
    QTest::addColumn<bool>("open");
    QTest::addColumn<QString>("focusAfter");

    const int esc = Qt::Key_Escape, enter = Qt::Key_Return;
    QTest::newRow("Esc in the find box") << "txtFind(0)" << esc << "b" << false << "";
    QTest::newRow("Esc in the replacement box") << "txtFind(1)" << esc << "b" << false << "";
    QTest::newRow("Esc on an option") << "chkOption(1)" << esc << "b" << false << "";
    QTest::newRow("Esc on a button") << "btnFind(0)" << esc << "b" << false << "";
    QTest::newRow("Enter in the find box moves on") << "txtFind(0)" << enter << "b" << true << "btnFind(0)";
    QTest::newRow("Enter in an empty find box stays")
        << "txtFind(0)" << enter << "" << true << "txtFind(0)";
    QTest::newRow("Enter in the replacement box") << "txtFind(1)" << enter << "b" << true << "txtFind(1)";
    QTest::newRow("Enter on an option") << "chkOption(0)" << enter << "b" << true << "chkOption(0)";
}

void TestFindDialog::keys()
{
    QFETCH(QString, control);
    QFETCH(int, key);
    QFETCH(QString, find);
    QFETCH(bool, open);
    QFETCH(QString, focusAfter);

    FindFixture f;
    zp::TextView *view = f.newDocument(QStringLiteral("abc"))->rtfEdit();
    zp::FindDialog *dialog = f.openFind();
    f.txtFind(0)->setText(find);
    f.txtFind(1)->setText(QStringLiteral("x"));
    QWidget *target = dialog->findChild<QWidget *>(control);
    target->setFocus();
    QTest::keyClick(target, Qt::Key(key));
    QCOMPARE(dialog->isVisible(), open);
    QCOMPARE(dialog->isLoaded(), open);
    QCOMPARE(f.windows().first(QStringLiteral("frmFind")) != nullptr, open);
    // No key searches or replaces by itself.
    QCOMPARE(view->text(), QStringLiteral("abc"));
    QCOMPARE(view->selLength(), 0);
    QCOMPARE(f.messages(), QStringList());
    if (!open)
        return;
    QCOMPARE(dialog->focusWidget()->objectName(), focusAfter);
    if (focusAfter != QLatin1String("btnFind(0)"))
        return;
    // A second Enter presses the button that now has the focus.
    QTest::keyClick(f.btnFind(0), Qt::Key_Return);
    QCOMPARE(view->selStart(), 1);
    QCOMPARE(view->selLength(), 1);
}

void TestFindDialog::onceAndRegisteredWhileLoaded()
{
    FindFixture f;
    zp::TextView *view = f.newDocument(QStringLiteral("abc abc"))->rtfEdit();
    zp::FindDialog *dialog = f.openFind();
    const int index = f.windows().count() - 1;
    QCOMPARE(f.windows().formName(index), QStringLiteral("frmFind"));
    QCOMPARE(f.windows().caption(index), QStringLiteral("検索"));

    f.txtFind(0)->setText(QStringLiteral("abc"));
    f.chkOption(1)->click();
    f.btnFind(0)->click();
    QCOMPARE(dialog->SearchPos(), 2);
    f.btnFind(2)->click();
    QVERIFY(!dialog->isVisible());
    QVERIFY(!f.windows().first(QStringLiteral("frmFind")));
    // Closing keeps the search state; the next opening starts its controls
    // afresh and is again registered, at the end of the list.
    QCOMPARE(dialog->SearchPos(), 2);
    view->setSelLength(0);
    QCOMPARE(f.openFind(), dialog);
    QCOMPARE(f.main->findChildren<zp::FindDialog *>().size(), 1);
    QCOMPARE(f.windows().formName(f.windows().count() - 1), QStringLiteral("frmFind"));
    QCOMPARE(f.txtFind(0)->text(), QString());
    QVERIFY(!f.chkOption(1)->isChecked());
    QCOMPARE(dialog->SearchPos(), 2);
    // Opening it again while it is open changes nothing.
    f.txtFind(0)->setText(QStringLiteral("typed"));
    f.openFind();
    QCOMPARE(f.txtFind(0)->text(), QStringLiteral("typed"));
    QCOMPARE(f.windows().count(), index + 1);
}

void TestFindDialog::actsOnActiveDocument()
{
    FindFixture f;
    zp::EditWindow *first = f.newDocument(QStringLiteral("xx abc"));
    zp::EditWindow *second = f.newDocument(QStringLiteral("abc"));
    f.openFind();
    f.txtFind(0)->setText(QStringLiteral("abc"));
    f.chkOption(0)->click();

    f.main->mdiArea()->setActiveSubWindow(first->subWindow());
    f.btnFind(0)->click();
    QCOMPARE(first->rtfEdit()->selStart(), 3);
    QCOMPARE(second->rtfEdit()->selLength(), 0);

    f.main->mdiArea()->setActiveSubWindow(second->subWindow());
    f.chkOption(2)->click();
    f.txtFind(1)->setText(QStringLiteral("d"));
    f.btnFind(1)->click();
    QCOMPARE(second->rtfEdit()->text(), QStringLiteral("d"));
    QCOMPARE(first->rtfEdit()->text(), QStringLiteral("xx abc"));
}

void TestFindDialog::noDocumentWindowActive_data()
{
    QTest::addColumn<bool>("preview");
    QTest::newRow("no window") << false;
    QTest::newRow("preview window") << true;
}

void TestFindDialog::noDocumentWindowActive()
{
    QFETCH(bool, preview);
    FindFixture f;
    zp::EditWindow *document = f.newDocument(QStringLiteral("abc"));
    zp::FindDialog *dialog = f.openFind();
    f.txtFind(0)->setText(QStringLiteral("b"));
    f.txtFind(1)->setText(QStringLiteral("x"));
    if (preview) {
        auto *browser = new QWidget;
        browser->setObjectName(QStringLiteral("frmBrow"));
        QMdiSubWindow *sub = f.main->addChild(browser);
        sub->show();
        f.main->mdiArea()->setActiveSubWindow(sub);
        QCOMPARE(f.main->activeChild(), browser);
    } else {
        document->subWindow()->close();
        QTRY_VERIFY(!f.main->activeChild());
    }
    for (int press : {0, 1, 0, 1})
        f.btnFind(press)->click();
    f.chkOption(2)->click();
    f.btnFind(1)->click();
    QCOMPARE(f.messages(), QStringList());
    QVERIFY(!dialog->CaretTaken());
    if (preview)
        QCOMPARE(document->rtfEdit()->text(), QStringLiteral("abc"));
    f.btnFind(2)->click();
    QVERIFY(!dialog->isVisible());
}

void TestFindDialog::closingDocumentDuringReplaceAll()
{
    FindFixture f;
    QString text;
    for (int i = 0; i < 20000; ++i)
        text += QStringLiteral("word ");
    QPointer<zp::EditWindow> document = f.newDocument(text);
    zp::EditWindow *other = f.newDocument(QStringLiteral("word"));
    f.main->mdiArea()->setActiveSubWindow(document->subWindow());
    zp::FindDialog *dialog = f.openFind();
    dialog->setEventSlice(0);
    f.txtFind(0)->setText(QStringLiteral("word"));
    f.txtFind(1)->setText(QStringLiteral("words"));
    f.chkOption(2)->click();

    // The close comes in with the first round of events of the run.
    QTimer::singleShot(0, f.main, [&] { document->subWindow()->close(); });
    f.btnFind(1)->click();

    // The run ended quietly: no message, and the dialog takes presses again.
    QCOMPARE(f.messages(), QStringList());
    QVERIFY(!dialog->isReplacing());
    QTRY_VERIFY(!document);
    QCOMPARE(f.main->activeChild(), other);
    f.expectMessages(1);
    f.btnFind(1)->click();
    QCOMPARE(other->rtfEdit()->text(), QStringLiteral("words"));
    QCOMPARE(f.messages(), QStringList{QStringLiteral("1個の文字列を置き換えました")});
}

void TestFindDialog::commandsRefusedDuringReplaceAll_data()
{
    QTest::addColumn<QString>("command");
    for (const char *command : {"tag case", "undo key", "typing", "Esc then Ctrl+F"})
        QTest::newRow(command) << command;
}

void TestFindDialog::commandsRefusedDuringReplaceAll()
{
    // Commands that would change the document or the dialog while a
    // replace-all runs are refused: every match is replaced and counted.
    QFETCH(QString, command);
    FindFixture f;
    QString text;
    for (int i = 0; i < 200; ++i)
        text += QStringLiteral("<p>ab");
    zp::TextView *view = f.newDocument(text)->rtfEdit();
    // An undo step of the user's before the run.
    view->moveCursor(QTextCursor::End);
    view->insertPlainText(QStringLiteral("ab"));
    view->setFocus();
    zp::FindDialog *dialog = f.openFind();
    dialog->setEventSlice(0);
    f.txtFind(0)->setText(QStringLiteral("ab"));
    f.txtFind(1)->setText(QStringLiteral("X"));
    f.chkOption(2)->click();
    QTimer::singleShot(0, view, [&] {
        if (command == "tag case") {
            f.main->mnuEditHtmlLarge_Click();
        } else if (command == "undo key") {
            QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
        } else if (command == "typing") {
            QTest::keyClicks(view, QStringLiteral("ab"));
        } else {
            QTest::keyClick(f.txtFind(0), Qt::Key_Escape);
            f.main->mnuFindText_Click();
        }
    });
    f.expectMessages(1);
    f.btnFind(1)->click();
    QCOMPARE(view->text(), QString(QStringLiteral("<p>X").repeated(200) + QStringLiteral("X")));
    QCOMPARE(f.messages(), QStringList{QStringLiteral("201個の文字列を置き換えました")});
    QVERIFY(dialog->isVisible());
    QCOMPARE(f.txtFind(0)->text(), QStringLiteral("ab"));
    QVERIFY(f.btnFind(1)->isEnabled());
    QVERIFY(!view->isReadOnly());
}

QTEST_MAIN(TestFindDialog)
#include "tst_finddialog.moc"
