// The Window menu's arrangements: cascade, one above the other, side by side,
// and minimising every loaded window but the frame.

#include "editdoubles.h"

#include "platform/appcontext.h"
#include "platform/windowlist.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScrollBar>

namespace {

QList<QMdiSubWindow *> childWindows(zp::MainWindow *main)
{
    return main->mdiArea()->subWindowList(QMdiArea::CreationOrder);
}

} // namespace

class TestWindowArrangement : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void newChildrenCascadeInsideTheArea();
    void tiles_data();
    void tiles();
    void cascade();
    void minimiseAll();
    void windowListRestoresMinimised();

private:
    std::unique_ptr<Program> m_program;
};

void TestWindowArrangement::init()
{
    m_program = std::make_unique<Program>();
    QVERIFY(m_program->start());
    QVERIFY(m_program->newDocument());
    QVERIFY(m_program->newDocument());
    QCOMPARE(childWindows(m_program->main()).size(), 3);
}

void TestWindowArrangement::cleanup()
{
    QVERIFY2(m_program->boxes.settled(), "unexpected message box");
    m_program.reset();
}

void TestWindowArrangement::newChildrenCascadeInsideTheArea()
{
    zp::MainWindow *main = m_program->main();
    for (int i = 0; i < 6; ++i)
        QVERIFY(m_program->newDocument());
    const QRect area = main->mdiArea()->viewport()->rect();
    const QList<QMdiSubWindow *> children = childWindows(main);
    int wraps = 0;
    for (int i = 0; i < children.size(); ++i) {
        const QRect r = children.at(i)->geometry();
        QVERIFY2(area.contains(r), qPrintable(QStringLiteral("window %1 outside").arg(i)));
        if (i == 0)
            continue;
        // One step down and right of the one before, or back at the corner.
        const QPoint step = r.topLeft() - children.at(i - 1)->pos();
        if (r.topLeft() == QPoint(0, 0)) {
            ++wraps;
            continue;
        }
        QVERIFY(step.x() > 0);
        QCOMPARE(step.y(), step.x());
    }
    QVERIFY(wraps > 0);
    QVERIFY(!main->mdiArea()->horizontalScrollBar()->isVisible());
    QVERIFY(!main->mdiArea()->verticalScrollBar()->isVisible());
}

void TestWindowArrangement::tiles_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<bool>("sideBySide");
    QTest::addColumn<QString>("before");
    QTest::newRow("one above the other") << "mnuWindowUp" << false << "";
    QTest::newRow("side by side") << "mnuWindowLeft" << true << "";
    QTest::newRow("side by side from maximised") << "mnuWindowLeft" << true << "maximised";
    // The bars go once the windows are tiled; the tiles fill the area
    // without them.
    QTest::newRow("side by side with scroll bars") << "mnuWindowLeft" << true << "scrolled";
    QTest::newRow("one above the other with scroll bars") << "mnuWindowUp" << false << "scrolled";
}

void TestWindowArrangement::tiles()
{
    QFETCH(QString, item);
    QFETCH(bool, sideBySide);
    QFETCH(QString, before);
    zp::MainWindow *main = m_program->main();
    if (before == QLatin1String("maximised"))
        m_program->active()->subWindow()->showMaximized();
    if (before == QLatin1String("scrolled")) {
        m_program->active()->subWindow()->move(main->mdiArea()->viewport()->rect().bottomRight());
        QTRY_VERIFY(main->mdiArea()->horizontalScrollBar()->isVisible());
    }
    main->findChild<QAction *>(item)->trigger();
    QTRY_VERIFY(!main->mdiArea()->horizontalScrollBar()->isVisible());
    QVERIFY(!main->mdiArea()->verticalScrollBar()->isVisible());

    const QRect area = main->mdiArea()->viewport()->rect();
    QList<QRect> rects;
    for (QMdiSubWindow *sub : childWindows(main)) {
        QVERIFY(!sub->isMaximized() && !sub->isMinimized());
        rects.append(sub->geometry());
    }
    std::sort(rects.begin(), rects.end(), [sideBySide](const QRect &a, const QRect &b) {
        return sideBySide ? a.x() < b.x() : a.y() < b.y();
    });
    // The windows cover the client area without overlapping: each spans its
    // whole height (side by side) or width (one above the other).
    int along = 0;
    for (const QRect &r : rects) {
        if (sideBySide) {
            QCOMPARE(r.y(), 0);
            QCOMPARE(r.height(), area.height());
            QCOMPARE(r.x(), along);
            along += r.width();
        } else {
            QCOMPARE(r.x(), 0);
            QCOMPARE(r.width(), area.width());
            QCOMPARE(r.y(), along);
            along += r.height();
        }
    }
    QCOMPARE(along, sideBySide ? area.width() : area.height());
}

void TestWindowArrangement::cascade()
{
    zp::MainWindow *main = m_program->main();
    main->ArrangeWindows(2);
    main->findChild<QAction *>(QStringLiteral("mnuWindowAdd"))->trigger();
    QList<QPoint> corners;
    for (QMdiSubWindow *sub : childWindows(main))
        corners.append(sub->pos());
    std::sort(corners.begin(), corners.end(),
              [](const QPoint &a, const QPoint &b) { return a.y() < b.y(); });
    // Each window a step further down and to the right than the one before.
    for (int i = 1; i < corners.size(); ++i) {
        QVERIFY(corners.at(i).x() > corners.at(i - 1).x());
        QVERIFY(corners.at(i).y() > corners.at(i - 1).y());
    }
}

void TestWindowArrangement::minimiseAll()
{
    zp::MainWindow *main = m_program->main();
    // Another loaded window of the program (the find window, for one).
    QWidget findWindow;
    findWindow.setObjectName(QStringLiteral("frmFind"));
    m_program->app->context().windows->add(&findWindow);
    findWindow.show();
    QVERIFY(QTest::qWaitForWindowExposed(&findWindow));

    main->findChild<QAction *>(QStringLiteral("mnuWindowMin"))->trigger();

    QTRY_VERIFY(findWindow.isMinimized());
    QVERIFY(!main->isMinimized());
    const QRect area = main->mdiArea()->viewport()->rect();
    QList<QRect> icons;
    for (QMdiSubWindow *sub : childWindows(main)) {
        QVERIFY(sub->isMinimized());
        QVERIFY(area.contains(sub->geometry()));
        for (const QRect &other : icons)
            QVERIFY(!other.intersects(sub->geometry()));
        icons.append(sub->geometry());
    }
    // The icons sit in a row along the bottom edge.
    for (const QRect &icon : icons)
        QCOMPARE(icon.bottom(), area.bottom());
}

void TestWindowArrangement::windowListRestoresMinimised()
{
    zp::MainWindow *main = m_program->main();
    QMdiSubWindow *first = childWindows(main).first();
    first->showMinimized();
    QVERIFY(first->isMinimized());
    main->mnuWindow_Click();
    QAction *item = nullptr;
    for (QAction *action : main->menus().mnuWindow->actions()) {
        if (action->text().endsWith(first->widget()->windowTitle()))
            item = action;
    }
    QVERIFY(item);
    item->trigger();
    QVERIFY(!first->isMinimized());
    QCOMPARE(main->mdiArea()->currentSubWindow(), first);
}

QTEST_MAIN(TestWindowArrangement)
#include "tst_windowarrangement.moc"
