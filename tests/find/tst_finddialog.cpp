// The find dialog as a window: its buttons, the keys, opening and closing,
// which document it acts on, and a replace-all that meets window events (the
// document closing, commands that must wait).

#include "findfixture.h"

#include <QTest>
#include <QTimer>

class TestFindDialog : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void openingTakesSelection();
    void keys_data();
    void keys();
    void reopeningKeepsSearchState();
    void actsOnActiveDocument();
    void noDocumentWindowActive_data();
    void noDocumentWindowActive();
    void closingDocumentDuringReplaceAll();
    void commandsRefusedDuringReplaceAll_data();
    void commandsRefusedDuringReplaceAll();
};

void TestFindDialog::openingTakesSelection()
{
    TestApp f;
    QVERIFY(f.start(" "));
    zp::TextView *view = f.newDocument("big world")->rtfEdit();
    select(view, 4, 5);
    openFind(f);
    QCOMPARE(txtFind(f, 0)->selectedText(), QStringLiteral("world"));
    const auto enabled = [&] {
        return QList<bool>{btnFind(f, 0)->isEnabled(), btnFind(f, 1)->isEnabled(), btnFind(f, 2)->isEnabled()};
    };
    QCOMPARE(enabled(), (QList<bool>{true, true, true}));
    QTest::keyClick(txtFind(f, 0), Qt::Key_Backspace);
    // The replacement box alone enables nothing.
    QTest::keyClicks(txtFind(f, 1), "x");
    QCOMPARE(enabled(), (QList<bool>{false, false, true}));
    // Opened again with nothing selected, the box starts empty.
    btnFind(f, 2)->click();
    select(view, 3, 0);
    openFind(f);
    QCOMPARE(txtFind(f, 0)->text(), QString());
}

void TestFindDialog::keys_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("find");
    QTest::addColumn<QString>("focusAfter"); // "" = the dialog closed
    const int esc = Qt::Key_Escape, enter = Qt::Key_Return;
    QTest::newRow("Esc in the find box") << "txtFind(0)" << esc << "b" << "";
    QTest::newRow("Esc on a button") << "btnFind(0)" << esc << "b" << "";
    QTest::newRow("Enter in the find box moves on") << "txtFind(0)" << enter << "b" << "btnFind(0)";
    QTest::newRow("Enter in an empty find box stays") << "txtFind(0)" << enter << "" << "txtFind(0)";
    QTest::newRow("Enter on an option") << "chkOption(0)" << enter << "b" << "chkOption(0)";
}

void TestFindDialog::keys()
{
    QFETCH(QString, control);
    QFETCH(int, key);
    QFETCH(QString, find);
    QFETCH(QString, focusAfter);
    TestApp f;
    QVERIFY(f.start(" "));
    zp::TextView *view = f.newDocument("abc")->rtfEdit();
    zp::FindDialog *dialog = openFind(f);
    txtFind(f, 0)->setText(find);
    txtFind(f, 1)->setText("x");
    QWidget *target = dialog->findChild<QWidget *>(control);
    target->setFocus();
    QTest::keyClick(target, Qt::Key(key));
    const bool open = !focusAfter.isEmpty();
    QCOMPARE(dialog->isVisible(), open);
    QCOMPARE(f.context().windows->first("frmFind") != nullptr, open);
    // No key searches or replaces by itself.
    QCOMPARE(view->text(), QStringLiteral("abc"));
    QCOMPARE(view->selLength(), 0);
    QCOMPARE(messages(f), QStringList());
    if (!open)
        return;
    QCOMPARE(dialog->focusWidget()->objectName(), focusAfter);
    if (focusAfter == "btnFind(0)") {
        // A second Enter presses the button that now has the focus.
        QTest::keyClick(btnFind(f, 0), Qt::Key_Return);
        QCOMPARE(view->selStart(), 1);
        QCOMPARE(view->selLength(), 1);
    }
}

void TestFindDialog::reopeningKeepsSearchState()
{
    TestApp f;
    QVERIFY(f.start(" "));
    zp::TextView *view = f.newDocument("abc abc")->rtfEdit();
    zp::FindDialog *dialog = openFind(f);
    txtFind(f, 0)->setText("abc");
    chkOption(f, 1)->click();
    btnFind(f, 0)->click();
    btnFind(f, 2)->click();
    QVERIFY(!dialog->isVisible());
    QVERIFY(!f.context().windows->first("frmFind"));
    // The next opening keeps the search state, starts its controls afresh,
    // and is the same window, registered again at the end of the list.
    view->setSelLength(0);
    QCOMPARE(openFind(f), dialog);
    QCOMPARE(f.main()->findChildren<zp::FindDialog *>().size(), 1);
    QCOMPARE(f.context().windows->formName(f.context().windows->count() - 1), "frmFind");
    QCOMPARE(txtFind(f, 0)->text(), QString());
    QVERIFY(!chkOption(f, 1)->isChecked());
    QCOMPARE(dialog->SearchPos(), 2);
    // Opening it again while it is open changes nothing.
    txtFind(f, 0)->setText("typed");
    const int count = f.context().windows->count();
    openFind(f);
    QCOMPARE(txtFind(f, 0)->text(), QStringLiteral("typed"));
    QCOMPARE(f.context().windows->count(), count);
}

void TestFindDialog::actsOnActiveDocument()
{
    TestApp f;
    QVERIFY(f.start(" "));
    zp::EditWindow *first = f.newDocument("xx abc");
    zp::EditWindow *second = f.newDocument("abc");
    openFind(f);
    txtFind(f, 0)->setText("abc");
    chkOption(f, 0)->click();
    f.main()->mdiArea()->setActiveSubWindow(first->subWindow());
    btnFind(f, 0)->click();
    QCOMPARE(first->rtfEdit()->selStart(), 3);
    QCOMPARE(second->rtfEdit()->selLength(), 0);

    f.main()->mdiArea()->setActiveSubWindow(second->subWindow());
    chkOption(f, 2)->click();
    txtFind(f, 1)->setText("d");
    f.answer({zp::MessageBoxes::Answer::Ok});
    btnFind(f, 1)->click();
    QCOMPARE(second->rtfEdit()->text(), QStringLiteral("d"));
    QCOMPARE(first->rtfEdit()->text(), QStringLiteral("xx abc"));
    QCOMPARE(f.boxes.shown().last().text, QStringLiteral("1個の文字列を置き換えました"));
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
    TestApp f;
    QVERIFY(f.start(" "));
    zp::EditWindow *document = f.newDocument("abc");
    zp::FindDialog *dialog = openFind(f);
    txtFind(f, 0)->setText("b");
    txtFind(f, 1)->setText("x");
    if (preview) {
        f.main()->mnuBrowView_Click(); // an empty preview in front
        QCOMPARE(f.main()->activeChild()->objectName(), zp::PreviewFormName);
    } else {
        document->subWindow()->close();
        QTRY_VERIFY(!f.main()->activeChild());
    }
    for (int press : {0, 1, 0, 1})
        btnFind(f, press)->click();
    chkOption(f, 2)->click();
    btnFind(f, 1)->click();
    QCOMPARE(messages(f), QStringList());
    QVERIFY(!dialog->CaretTaken());
    if (preview)
        QCOMPARE(document->rtfEdit()->text(), QStringLiteral("abc"));
}

void TestFindDialog::closingDocumentDuringReplaceAll()
{
    TestApp f;
    QVERIFY(f.start(" "));
    QPointer<zp::EditWindow> document = f.newDocument(QStringLiteral("word ").repeated(20000));
    document->setCloseRequestHandler([] { return true; }); // closes without the question
    zp::EditWindow *other = f.newDocument("word");
    f.main()->mdiArea()->setActiveSubWindow(document->subWindow());
    zp::FindDialog *dialog = openFind(f);
    dialog->setEventSlice(0);
    txtFind(f, 0)->setText("word");
    txtFind(f, 1)->setText("words");
    chkOption(f, 2)->click();
    // The close comes in with the first round of events of the run.
    QTimer::singleShot(0, f.main(), [&] { document->subWindow()->close(); });
    btnFind(f, 1)->click();
    // The run ended quietly: no message, and the dialog takes presses again.
    QCOMPARE(messages(f), QStringList());
    QVERIFY(!dialog->isReplacing());
    QTRY_VERIFY(!document);
    QCOMPARE(f.main()->activeChild(), other);
    expectMessages(f, 1);
    btnFind(f, 1)->click();
    QCOMPARE(other->rtfEdit()->text(), QStringLiteral("words"));
    QCOMPARE(f.boxes.shown().size(), 1);
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
    TestApp f;
    QVERIFY(f.start(" "));
    zp::TextView *view = f.newDocument(QStringLiteral("<p>ab").repeated(200))->rtfEdit();
    // An undo step of the user's before the run.
    view->moveCursor(QTextCursor::End);
    view->insertPlainText("ab");
    view->setFocus();
    zp::FindDialog *dialog = openFind(f);
    dialog->setEventSlice(0);
    txtFind(f, 0)->setText("ab");
    txtFind(f, 1)->setText("X");
    chkOption(f, 2)->click();
    QTimer::singleShot(0, view, [&] {
        if (command == "tag case") {
            f.main()->mnuEditHtmlLarge_Click();
        } else if (command == "undo key") {
            QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
        } else if (command == "typing") {
            QTest::keyClicks(view, "ab");
        } else {
            QTest::keyClick(txtFind(f, 0), Qt::Key_Escape);
            f.main()->mnuFindText_Click();
        }
    });
    expectMessages(f, 1);
    btnFind(f, 1)->click();
    QCOMPARE(view->text(), QString(QStringLiteral("<p>X").repeated(200) + "X"));
    QCOMPARE(messages(f), QStringList{QStringLiteral("201個の文字列を置き換えました")});
    QVERIFY(dialog->isVisible());
    QCOMPARE(txtFind(f, 0)->text(), QStringLiteral("ab"));
    QVERIFY(!view->isReadOnly());
}

QTEST_MAIN(TestFindDialog)
#include "tst_finddialog.moc"
