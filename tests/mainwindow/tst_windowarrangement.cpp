// Where document windows go: new ones, the Window menu's arrangements, and
// the window list's items.

#include "testapp.h"

#include <QAction>
#include <QMenu>
#include <QScrollBar>

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
    std::unique_ptr<zptest::TestApp> m_app;
    zp::MainWindow *main() const { return m_app->main(); }
    QMdiArea *area() const { return main()->mdiArea(); }
    QList<QMdiSubWindow *> children() const { return area()->subWindowList(QMdiArea::CreationOrder); }
    bool scrollBarsShown() const
    {
        return area()->horizontalScrollBar()->isVisible() || area()->verticalScrollBar()->isVisible();
    }
};

// Three document windows in a frame of a size that shows a few dozen lines.
void TestWindowArrangement::init()
{
    m_app = std::make_unique<zptest::TestApp>();
    QVERIFY(m_app->startShown(QSize(900, 700)));
    m_app->newDocument();
    m_app->newDocument();
    QCOMPARE(children().size(), 3);
}

void TestWindowArrangement::cleanup()
{
    m_app.reset();
}

// Each new window one step down and right of the one before, or back at the
// corner where the next step would leave the area.
void TestWindowArrangement::newChildrenCascadeInsideTheArea()
{
    for (int i = 0; i < 6; ++i)
        m_app->newDocument();
    const QRect viewport = area()->viewport()->rect();
    const QList<QMdiSubWindow *> windows = children();
    int wraps = 0;
    for (int i = 0; i < windows.size(); ++i) {
        const QRect r = windows.at(i)->geometry();
        QVERIFY2(viewport.contains(r), qPrintable(QStringLiteral("window %1 outside").arg(i)));
        if (i == 0)
            continue;
        if (r.topLeft() == QPoint(0, 0)) {
            ++wraps;
            continue;
        }
        const QPoint step = r.topLeft() - windows.at(i - 1)->pos();
        QVERIFY(step.x() > 0);
        QCOMPARE(step.y(), step.x());
    }
    QVERIFY(wraps > 0);
    QVERIFY(!scrollBarsShown());
}

void TestWindowArrangement::tiles_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("before");
    for (const char *item : {"mnuWindowUp", "mnuWindowLeft"}) {
        // The scroll bars go once the windows are tiled; the tiles fill the
        // area without them.
        for (const char *before : {"", "maximised", "scrolled"})
            QTest::addRow("%s %s", item, before) << item << before;
    }
}

// The windows cover the client area without overlapping: each spans its whole
// height (side by side) or width (one above the other).
void TestWindowArrangement::tiles()
{
    QFETCH(QString, item);
    QFETCH(QString, before);
    const bool sideBySide = item == QLatin1String("mnuWindowLeft");
    if (before == QLatin1String("maximised"))
        m_app->active()->subWindow()->showMaximized();
    if (before == QLatin1String("scrolled")) {
        m_app->active()->subWindow()->move(area()->viewport()->rect().bottomRight());
        QTRY_VERIFY(scrollBarsShown());
    }
    main()->findChild<QAction *>(item)->trigger();
    QTRY_VERIFY(!scrollBarsShown());

    const QRect viewport = area()->viewport()->rect();
    QList<QRect> rects;
    for (QMdiSubWindow *sub : children()) {
        QVERIFY(!sub->isMaximized() && !sub->isMinimized());
        // Transposed for one above the other, so that "along" is x.
        const QRect r = sub->geometry();
        rects.append(sideBySide ? r : QRect(r.y(), r.x(), r.height(), r.width()));
    }
    std::sort(rects.begin(), rects.end(), [](const QRect &a, const QRect &b) { return a.x() < b.x(); });
    const QSize room = sideBySide ? viewport.size() : viewport.size().transposed();
    int along = 0;
    for (const QRect &r : rects) {
        QCOMPARE(r.topLeft(), QPoint(along, 0));
        QCOMPARE(r.height(), room.height());
        along += r.width();
    }
    QCOMPARE(along, room.width());
}

// After tiling, each window a step down and right of the one before, and
// still large enough to show its text.
void TestWindowArrangement::cascade()
{
    main()->ArrangeWindows(2);
    main()->findChild<QAction *>(QStringLiteral("mnuWindowAdd"))->trigger();
    QList<QRect> windows;
    for (QMdiSubWindow *sub : children())
        windows.append(sub->geometry());
    std::sort(windows.begin(), windows.end(), [](QRect a, QRect b) { return a.y() < b.y(); });
    for (int i = 1; i < windows.size(); ++i)
        QVERIFY(windows.at(i).x() > windows.at(i - 1).x() && windows.at(i).y() > windows.at(i - 1).y());
    // Each child keeps a size that shows text, inside the area, the active one on top.
    for (const QRect &window : windows)
        QVERIFY(window.height() > area()->viewport()->height() / 3
                && area()->viewport()->rect().contains(window));
    QCOMPARE(area()->subWindowList(QMdiArea::StackingOrder).last(), area()->currentSubWindow());
}

// Every loaded window of the program is minimised but the frame; the
// documents become a row of icons along the area's bottom edge.
void TestWindowArrangement::minimiseAll()
{
    QWidget findWindow; // another loaded window, as the find window is
    findWindow.setObjectName(QStringLiteral("frmFind"));
    m_app->context().windows->add(&findWindow);
    findWindow.show();
    QVERIFY(QTest::qWaitForWindowExposed(&findWindow));

    main()->findChild<QAction *>(QStringLiteral("mnuWindowMin"))->trigger();
    QTRY_VERIFY(findWindow.isMinimized());
    QVERIFY(!main()->isMinimized());
    const QRect viewport = area()->viewport()->rect();
    QRegion icons;
    for (QMdiSubWindow *sub : children()) {
        QVERIFY(sub->isMinimized());
        QVERIFY(viewport.contains(sub->geometry()));
        QVERIFY(!icons.intersects(sub->geometry()));
        QCOMPARE(sub->geometry().bottom(), viewport.bottom());
        icons += sub->geometry();
    }
}

void TestWindowArrangement::windowListRestoresMinimised()
{
    QMdiSubWindow *first = children().first();
    first->showMinimized();
    QVERIFY(first->isMinimized());
    main()->mnuWindow_Click();
    QAction *item = nullptr;
    for (QAction *action : main()->menus().mnuWindow->actions()) {
        if (action->text().endsWith(first->widget()->windowTitle()))
            item = action;
    }
    QVERIFY(item);
    item->trigger();
    QVERIFY(!first->isMinimized());
    QCOMPARE(area()->currentSubWindow(), first);
}

QTEST_MAIN(TestWindowArrangement)
#include "tst_windowarrangement.moc"
