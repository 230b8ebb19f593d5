// The history as plain data: captions, the shift after 50 entries, "" entries
// and the tag, the one-line text of a caption in the menu; and the bytes of the
// history file: CR LF after each non-empty text, CP932, the 50 latest oldest
// first, written anew or appended by the setting's value.

#include "cliphistory/cliphistory.h"
#include "cliphistory/historyfile.h"

#include "files.h"

#include <QTemporaryDir>
#include <QTest>

using namespace zp;

class TestClipHistory : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void captions_data();
    void captions();
    void menuCaptions_data();
    void menuCaptions();
    void fiftyFirstTextShifts();
    void fileBytes_data();
    void fileBytes();
};

void TestClipHistory::captions_data()
{
    const QString a19(19, QLatin1Char('a'));
    const QString smile = QStringLiteral("\U0001F600"); // two UTF-16 units
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("caption");
    QTest::newRow("20 units whole") << 1 << a19 + "b" << "1 " + a19 + "b";
    QTest::newRow("21 units cut") << 2 << a19 + "bc" << "2 " + a19 + "b...";
    QTest::newRow("pair across the cut moves the cut before it")
            << 3 << a19 + smile << "3 " + a19 + "...";
    QTest::newRow("pair ending at the cut stays") << 4 << a19.left(18) + smile + "x"
                                                  << "4 " + a19.left(18) + smile + "...";
    QTest::newRow("empty text") << 5 << QString() << "5 ";
}

void TestClipHistory::captions()
{
    QFETCH(int, number);
    QFETCH(QString, text);
    QFETCH(QString, caption);
    QCOMPARE(ClipHistory::captionFor(number, text), caption);
}

void TestClipHistory::menuCaptions_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shown");
    QTest::newRow("breaks and tabs as marks")
            << "1 a\r\nb\nc\rd\te" << QString::fromUtf8("1 a↵b↵c↵d→e");
    QTest::newRow("ampersand is no mnemonic") << "2 R&D" << "2 R&&D";
    QTest::newRow("whole text of a shifted entry is cut for the menu")
            << QString(150, QLatin1Char('x')) << QString(100, QLatin1Char('x')) + "...";
}

void TestClipHistory::menuCaptions()
{
    QFETCH(QString, caption);
    QFETCH(QString, shown);
    QCOMPARE(menuCaption(caption), shown);
}

void TestClipHistory::fiftyFirstTextShifts()
{
    ClipHistory history;
    history.record(QString());
    QCOMPARE(history.caption(1), QStringLiteral("1 "));
    for (int i = 2; i <= 50; ++i)
        history.record(QStringLiteral("t%1").arg(i));
    history.setTagged(2);
    const QString newest = QStringLiteral("the fifty-first text, longer than twenty");
    QVERIFY(history.record(newest));
    QCOMPARE(history.count(), 50);
    QCOMPARE(history.next(), 51);
    // Entries move up with the captions they were given; the tag stays put.
    QCOMPARE(history.text(1), QStringLiteral("t2"));
    QCOMPARE(history.caption(1), QStringLiteral("2 t2"));
    QCOMPARE(history.caption(50), newest);
    QCOMPARE(history.text(history.tagged()), QStringLiteral("t3"));
}

void TestClipHistory::fileBytes_data()
{
    QTest::addColumn<int>("saveType");
    QTest::addColumn<QByteArray>("oldFile"); // "" for none
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<int>("saves");
    QTest::addColumn<QByteArray>("bytes");
    const QStringList abcDe{"abc", "de"};
    const QByteArray old("old\r\n"), written("abc\r\nde\r\n");
    for (int type : {0, 1, 3})
        QTest::addRow("%d writes anew", type) << type << old << abcDe << 1 << written;
    QTest::newRow("2 appends, twice") << 2 << old << abcDe << 2 << old + written + written;
    QTest::newRow("2 creates a missing file") << 2 << QByteArray() << abcDe << 1 << written;
    QTest::newRow("empty entries skipped, breaks kept")
            << 1 << QByteArray() << QStringList{"a", "", "b\r\nc", "d\ne"} << 1
            << QByteArray("a\r\nb\r\nc\r\nd\ne\r\n");
    QTest::newRow("CP932, unmappable characters as in documents")
            << 1 << QByteArray() << QStringList{QString::fromUtf8("日本～"), QString::fromUtf8("a😀b")}
            << 1 << QByteArray("\x93\xfa\x96\x7b\x81\x60\r\na?b\r\n");
    QStringList sixty;
    QByteArray latest;
    for (int i = 1; i <= 60; ++i) {
        sixty.append(QString::number(i));
        if (i > 10)
            latest += QByteArray::number(i) + "\r\n";
    }
    QTest::newRow("60 copies: the 50 latest, oldest first") << 1 << QByteArray() << sixty << 1 << latest;
}

void TestClipHistory::fileBytes()
{
    QFETCH(int, saveType);
    QFETCH(QByteArray, oldFile);
    QFETCH(QStringList, texts);
    QFETCH(int, saves);
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Clipboard.txt"));
    if (!oldFile.isEmpty())
        QVERIFY(zptest::writeBytes(path, oldFile));
    ClipHistory history;
    for (const QString &text : texts)
        history.record(text);
    for (int i = 0; i < saves; ++i)
        QVERIFY(SaveClipHistory(history, path, historySaveMode(saveType)));
    QCOMPARE(zptest::readBytes(path), bytes);
}

QTEST_APPLESS_MAIN(TestClipHistory)
#include "tst_cliphistory.moc"
