// Files dropped on the frame and on a document's text.

#include "documents/recentfiles.h"

#include "testapp.h"

#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <QUrl>

using namespace zp;
using zptest::TestApp;

namespace {

// Delivers a drag-enter and a drop of data to target; true when both were
// accepted.
bool dropData(QWidget *target, const QMimeData &data)
{
    const QPointF at(10, 10);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return enter.isAccepted() && drop.isAccepted();
}

} // namespace

class TestFileDrops : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void drop_data();
    void drop();
    void textIsNotInsertedByADrop();
};

void TestFileDrops::drop_data()
{
    QTest::addColumn<QString>("on"); // "frame", "text" or "maximised text"
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("opened");
    // Images open as text when dropped on the frame.
    const QStringList three{"a.txt", "b.html", "p.png"};
    QTest::newRow("three files on the frame, in order") << "frame" << three << three;
    // Images by the end of their names, in any case, "jpeg" without a dot.
    QTest::newRow("images on the text are skipped")
            << "text" << QStringList{"p.png", "t.txt", "P.JPG", "xjpeg", "y.tiff"}
            << QStringList{"t.txt", "y.tiff"};
    QTest::newRow("only images on the text") << "text" << QStringList{"p.gif"} << QStringList{};
    QTest::newRow("same file twice opens twice") << "frame" << QStringList{"a.txt", "a.txt"}
                                                 << QStringList{"a.txt", "a.txt"};
    // The frame's caption names a maximised document.
    QTest::newRow("on a maximised window") << "maximised text" << QStringList{"m.txt"}
                                           << QStringList{"m.txt"};
}

void TestFileDrops::drop()
{
    QFETCH(QString, on);
    QFETCH(QStringList, names);
    QFETCH(QStringList, opened);
    TestApp f;
    QVERIFY(f.start(QString(), {"Backup=1"}));
    QList<QUrl> urls; // as a file manager gives them
    for (const QString &name : names)
        urls.append(QUrl::fromLocalFile(f.writeFile(name, name.toUtf8())));
    QStringList expected;
    for (const QString &name : opened)
        expected.append(f.filePath(name));
    if (on.startsWith(QLatin1String("maximised")))
        f.active()->subWindow()->showMaximized();
    const QString textBefore = f.view()->text();
    QMimeData data;
    data.setUrls(urls);
    QVERIFY(dropData(on == QLatin1String("frame") ? f.main()->mdiArea()->viewport()
                                                  : f.view()->viewport(), data));
    QTRY_COMPARE(f.documentTitles().mid(1), expected);
    QTest::qWait(0);
    QCOMPARE(f.documentTitles().mid(1), expected);
    // The text that received the drop is unchanged.
    QCOMPARE(f.documentWindows().first()->rtfEdit()->text(), textBefore);
    if (!expected.isEmpty()) {
        QCOMPARE(f.active()->windowTitle(), expected.last());
        QCOMPARE(f.view()->isModified(), false);
        QCOMPARE(f.view()->text(), opened.last());
        QVERIFY(QFileInfo::exists(f.backupPath(opened.first())));
        if (on.startsWith(QLatin1String("maximised")))
            QCOMPARE(f.main()->caption(), expected.last());
    }
    QStringList recorded = historySlots(f.context().settings);
    recorded.removeAll(QString());
    expected.removeDuplicates();
    QCOMPARE(recorded, expected);
}

void TestFileDrops::textIsNotInsertedByADrop()
{
    TestApp f;
    QVERIFY(f.start());
    TextView *view = f.view();
    view->setText(QStringLiteral("abc"));
    view->setModified(false);
    QMimeData data;
    data.setText(QStringLiteral("dragged"));
    QVERIFY(!dropData(view->viewport(), data));
    QCOMPARE(view->text(), QStringLiteral("abc"));
    QCOMPARE(view->isModified(), false);
}

QTEST_MAIN(TestFileDrops)
#include "tst_filedrops.moc"
