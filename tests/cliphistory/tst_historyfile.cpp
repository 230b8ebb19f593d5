// The history file's bytes: CR LF after each non-empty text, CP932, the 50
// latest oldest first, written anew or appended by the setting's value.

#include "cliphistory/cliphistory.h"
#include "cliphistory/historyfile.h"

#include "files.h"

#include <QTemporaryDir>
#include <QTest>

using namespace zp;

class TestHistoryFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void writes_data();
    void writes();
};

void TestHistoryFile::writes_data()
{
    QTest::addColumn<int>("saveType");
    QTest::addColumn<QByteArray>("oldFile"); // "" for none
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<int>("saves");
    QTest::addColumn<QByteArray>("bytes");
    const QStringList abcDe{"abc", "de"};
    QTest::newRow("1 writes anew") << 1 << QByteArray("old\r\n") << abcDe << 1
                                   << QByteArray("abc\r\nde\r\n");
    QTest::newRow("2 appends, twice") << 2 << QByteArray("old\r\n") << abcDe << 2
                                      << QByteArray("old\r\nabc\r\nde\r\nabc\r\nde\r\n");
    QTest::newRow("2 creates a missing file") << 2 << QByteArray() << abcDe << 1
                                              << QByteArray("abc\r\nde\r\n");
    QTest::newRow("0 writes anew") << 0 << QByteArray("old\r\n") << abcDe << 1
                                   << QByteArray("abc\r\nde\r\n");
    QTest::newRow("3 writes anew") << 3 << QByteArray("old\r\n") << abcDe << 1
                                   << QByteArray("abc\r\nde\r\n");
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
    QTest::newRow("60 copies: the 50 latest, oldest first") << 1 << QByteArray() << sixty << 1
                                                            << latest;
}

void TestHistoryFile::writes()
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

QTEST_APPLESS_MAIN(TestHistoryFile)
#include "tst_historyfile.moc"
