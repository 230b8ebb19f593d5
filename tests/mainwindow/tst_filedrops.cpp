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

// Drops paths on target, as a file manager does.
void dropFiles(QWidget *target, const QStringList &paths)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const QString &path : paths)
        urls.append(QUrl::fromLocalFile(path));
    data.setUrls(urls);
    QVERIFY(dropData(target, data));
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
    const QStringList three{"a.txt", "b.html", "c.css"};
    QTest::newRow("three files on the frame, in order") << "frame" << three << three;
    QTest::newRow("three files on the text, in order") << "text" << three << three;
    QTest::newRow("png on the text is skipped") << "text" << QStringList{"p.png", "t.txt"}
                                               << QStringList{"t.txt"};
    QTest::newRow("JPG on the text is skipped") << "text" << QStringList{"P.JPG"} << QStringList{};
    QTest::newRow("jpeg without dot on the text is skipped")
            << "text" << QStringList{"xjpeg", "y.tiff"} << QStringList{"y.tiff"};
    QTest::newRow("png on the frame opens as text") << "frame" << QStringList{"p.png"}
                                                   << QStringList{"p.png"};
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
    QStringList paths, expected;
    for (const QString &name : names)
        paths.append(f.writeFile(name, name.toUtf8()));
    for (const QString &name : opened)
        expected.append(f.filePath(name));
    if (on.startsWith(QLatin1String("maximised")))
        f.active()->subWindow()->showMaximized();
    const QString textBefore = f.view()->text();
    dropFiles(on == QLatin1String("frame") ? f.main()->mdiArea()->viewport() : f.view()->viewport(),
              paths);
    QTRY_COMPARE(f.documentTitles().mid(1), expected);
    QTest::qWait(0);
    QCOMPARE(f.documentTitles().mid(1), expected);
    // The text that received the drop is unchanged.
    QCOMPARE(f.documentWindows().first()->rtfEdit()->text(), textBefore);
    if (!expected.isEmpty()) {
        QCOMPARE(f.active()->windowTitle(), expected.last());
        QCOMPARE(f.view()->tag(), QStringLiteral("0"));
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
    view->setTag(QStringLiteral("0"));
    QMimeData data;
    data.setText(QStringLiteral("dragged"));
    QVERIFY(!dropData(view->viewport(), data));
    QCOMPARE(view->text(), QStringLiteral("abc"));
    QCOMPARE(view->tag(), QStringLiteral("0"));
}

QTEST_MAIN(TestFileDrops)
#include "tst_filedrops.moc"
