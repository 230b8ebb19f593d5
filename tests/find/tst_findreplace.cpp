// Find next, single replace and replace-all as the user drives them: each row
// is a text with a caret, the find and replacement texts, and a run of presses
// (F find, R replace; 0, 1, 2 click the options "from the top", "match case",
// "replace all"); it ends with the selections after each press, the messages
// shown and the final text.

#include "findfixture.h"

#include <QTest>

class TestFindReplace : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void presses_data();
    void presses();
    void replaceAllIsOneUndoStepAndKeepsBreaks();
};

void TestFindReplace::presses_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("find");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("presses");
    QTest::addColumn<QStringList>("selections");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("finalText");

    const QString ended = QStringLiteral("検索が終了しました");
    const QString noFind = QStringLiteral("検索文字が見つかりません");
    const QString noReplace = QStringLiteral("置き換え文字が見つかりません");

    QTest::newRow("find from the caret, to the end, then from the top")
        << "abc abc abc" << 5 << 0 << "abc" << "" << "FFFF"
        << QStringList{"8+3", "8+3", "0+3", "4+3"} << QStringList{ended} << "abc abc abc";
    QTest::newRow("nothing found right after opening")
        << "abc" << 0 << 0 << "z" << "" << "FF"
        << QStringList{"0+0", "0+0"} << QStringList{noFind, noFind} << "abc";
    QTest::newRow("overlapping matches one by one")
        << "aaaa" << 0 << 0 << "aa" << "" << "FFFF"
        << QStringList{"0+2", "1+2", "2+2", "2+2"} << QStringList{ended} << "aaaa";
    QTest::newRow("case kept when ticked")
        << "xx abc ABC" << 0 << 0 << "ABC" << "" << "1F"
        << QStringList{"7+3"} << QStringList{} << "xx abc ABC";
    // Unticking changes nothing by itself; the next press is the first that
    // takes its start from the caret, which the first find left at the top.
    QTest::newRow("unticking, then the caret rule")
        << "abc abc abc" << 5 << 0 << "abc" << "" << "0F0FF"
        << QStringList{"0+3", "0+3", "4+3"} << QStringList{} << "abc abc abc";
    QTest::newRow("the end is remembered across a case click only as not found")
        << "abc" << 0 << 0 << "abc" << "" << "FF1F"
        << QStringList{"0+3", "0+3", "0+3"} << QStringList{ended} << "abc";

    QTest::newRow("single replace steps through the text")
        << "a a a" << 0 << 0 << "a" << "b" << "RRRR"
        << QStringList{"0+1", "2+1", "4+1", "5+0"} << QStringList{ended} << "b b b";
    QTest::newRow("single replace replaces an unrelated selection first")
        << "foo bar foo" << 4 << 3 << "foo" << "X" << "RR"
        << QStringList{"6+3", "7+0"} << QStringList{ended} << "foo X X";
    QTest::newRow("single replace after a find")
        << "a a" << 0 << 0 << "a" << "bb" << "FRR"
        << QStringList{"0+1", "3+1", "5+0"} << QStringList{ended} << "bb bb";
    QTest::newRow("single replace finding nothing")
        << "abc" << 0 << 0 << "z" << "y" << "R"
        << QStringList{"0+0"} << QStringList{noReplace} << "abc";

    QTest::newRow("replace-all is exact whatever the case option")
        << "abc ABC Abc" << 0 << 0 << "ABC" << "x" << "2R"
        << QStringList{"5+0"} << QStringList{QStringLiteral("1個の文字列を置き換えました")}
        << "abc x Abc";
    QTest::newRow("replace-all starts at the top whatever the caret")
        << "ab ab ab" << 7 << 0 << "ab" << "c" << "2R"
        << QStringList{"5+0"} << QStringList{QStringLiteral("3個の文字列を置き換えました")} << "c c c";
    QTest::newRow("replace-all finding nothing after a find")
        << "abc" << 0 << 0 << "B" << "y" << "F2R"
        << QStringList{"1+1", "1+1"} << QStringList{QStringLiteral("0個の文字列を置き換えました")}
        << "abc";
    QTest::newRow("replace-all twice: the second finds nothing")
        << "abc" << 0 << 0 << "b" << "y" << "2RR"
        << QStringList{"2+0", "2+0"}
        << QStringList{QStringLiteral("1個の文字列を置き換えました"), noReplace} << "ayc";
}

void TestFindReplace::presses()
{
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(int, selected);
    QFETCH(QString, find);
    QFETCH(QString, replacement);
    QFETCH(QString, presses);
    QFETCH(QStringList, selections);
    QFETCH(QStringList, messages);
    QFETCH(QString, finalText);

    TestApp f;
    QVERIFY(f.start(" "));
    zp::TextView *view = f.newDocument(text)->rtfEdit();
    // The find text is typed after opening, so the selection may be anything.
    select(view, caret, selected);
    QVERIFY(openFind(f));
    txtFind(f, 0)->setText(find);
    txtFind(f, 1)->setText(replacement);
    expectMessages(f, int(messages.size()));
    QStringList seen;
    for (const QChar press : presses) {
        if (press == QLatin1Char('F') || press == QLatin1Char('R')) {
            QPushButton *button = btnFind(f, press == QLatin1Char('F') ? 0 : 1);
            QVERIFY(button->isEnabled());
            button->click();
            seen.append(QStringLiteral("%1+%2").arg(view->selStart()).arg(view->selLength()));
        } else {
            chkOption(f, press.digitValue())->click();
        }
    }
    QCOMPARE(seen, selections);
    QCOMPARE(::messages(f), messages);
    QVERIFY(f.boxes.settled());
    QCOMPARE(view->text(), finalText);
    // Every change goes through the text, so the document counts as modified.
    QCOMPARE(view->isModified(), finalText != text);
}

void TestFindReplace::replaceAllIsOneUndoStepAndKeepsBreaks()
{
    TestApp f;
    QVERIFY(f.start(" "));
    const QString raw = QStringLiteral("abc\r\nabc\rx\nabc");
    zp::TextView *view = f.newDocument(raw)->rtfEdit();
    openFind(f);
    txtFind(f, 0)->setText("abc");
    txtFind(f, 1)->setText("abcde");
    chkOption(f, 2)->click();
    expectMessages(f, 1);
    btnFind(f, 1)->click();
    QCOMPARE(view->rawText(), QStringLiteral("abcde\r\nabcde\rx\nabcde"));
    view->undoEdit();
    QCOMPARE(view->rawText(), raw);
    QVERIFY(!view->document()->isUndoAvailable());
}

QTEST_MAIN(TestFindReplace)
#include "tst_findreplace.moc"
