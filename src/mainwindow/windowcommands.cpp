// The Window menu's arrangement commands.

#include "mainwindow/mainwindow.h"

#include "platform/appcontext.h"
#include "platform/windowlist.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>

#include <algorithm>

namespace zp {

void MainWindow::mnuWindowAdd_Click() { ArrangeWindows(0); }
void MainWindow::mnuWindowUp_Click() { ArrangeWindows(1); }
void MainWindow::mnuWindowLeft_Click() { ArrangeWindows(2); }
void MainWindow::mnuWindowMin_Click() { ArrangeWindows(3); }

namespace {

// The child windows that take part in tiling: shown and not minimised, the
// active one first, as the frame's tiling orders them.
QList<QMdiSubWindow *> tiledWindows(QMdiArea *area)
{
    QList<QMdiSubWindow *> windows;
    const QList<QMdiSubWindow *> stack = area->subWindowList(QMdiArea::StackingOrder);
    for (auto it = stack.crbegin(); it != stack.crend(); ++it) {
        if ((*it)->isVisible() && !(*it)->isMinimized())
            windows.append(*it);
    }
    return windows;
}

// Splits length into count parts that differ by at most one pixel.
int part(int length, int count, int index)
{
    return length * (index + 1) / count - length * index / count;
}

int offset(int length, int count, int index)
{
    return length * index / count;
}

// The client area as it is without scroll bars: arranging the children
// inside it makes the bars go, so measuring while they show would leave a
// strip empty once they have gone.
QRect clientArea(QMdiArea *area)
{
    return QRect(QPoint(0, 0), area->contentsRect().size());
}

} // namespace

void MainWindow::placeNewChild(QMdiSubWindow *sub)
{
    // Three quarters of the client area, as children of a multiple-document
    // frame get, instead of the content's tiny size hint; never more than the
    // area itself.
    const QSize area = clientArea(m_mdi).size();
    const QSize size = QSize(std::max(360, area.width() * 3 / 4),
                             std::max(240, area.height() * 3 / 4))
                               .boundedTo(area);
    sub->resize(size);
    // The frame's own placement put the child beside the others, where the
    // new size may reach past the area's edge; it cascades from the child
    // created before it instead, one title bar down and right.
    QPoint at(0, 0);
    const QList<QMdiSubWindow *> children = m_mdi->subWindowList(QMdiArea::CreationOrder);
    for (auto it = children.crbegin(); it != children.crend(); ++it) {
        QMdiSubWindow *previous = *it;
        if (previous == sub || !previous->isVisible() || previous->isMinimized()
            || previous->isMaximized())
            continue;
        const int step = std::max(1, previous->style()->pixelMetric(QStyle::PM_TitleBarHeight,
                                                                     nullptr, previous));
        at = previous->pos() + QPoint(step, step);
        break;
    }
    if (at.x() < 0 || at.y() < 0 || at.x() + size.width() > area.width()
        || at.y() + size.height() > area.height())
        at = QPoint(0, 0);
    sub->move(at);
}

void MainWindow::cascadeWindows()
{
    // The frame's own cascade sizes each child by its size hint, which a
    // document window does not have: it would shrink every child to its title
    // bar. Here the children keep one size, as large as lets the whole stack
    // fit (never under two thirds of the area), each a title bar down and
    // right of the one before; the active child ends on top.
    const QList<QMdiSubWindow *> windows = tiledWindows(m_mdi);
    if (windows.isEmpty())
        return;
    const QRect area = clientArea(m_mdi);
    const int step = std::max(1, windows.first()->style()->pixelMetric(
                                         QStyle::PM_TitleBarHeight, nullptr, windows.first()));
    const int count = int(windows.size());
    const QSize size(std::max(area.width() * 2 / 3, area.width() - (count - 1) * step),
                     std::max(area.height() * 2 / 3, area.height() - (count - 1) * step));
    QPoint at(0, 0);
    for (int i = count - 1; i >= 0; --i) {
        QMdiSubWindow *sub = windows.at(i);
        if (sub->isMaximized())
            sub->showNormal();
        if (at.x() + size.width() > area.width() || at.y() + size.height() > area.height())
            at = QPoint(0, 0);
        sub->setGeometry(QRect(at, size.boundedTo(area.size())));
        sub->raise();
        at += QPoint(step, step);
    }
}

void MainWindow::tileWindows(bool sideBySide)
{
    const QList<QMdiSubWindow *> windows = tiledWindows(m_mdi);
    if (windows.isEmpty())
        return;
    // Minimised windows keep a row of icons at the bottom, which tiling
    // leaves free.
    const QRect area = clientArea(m_mdi);
    int iconRows = 0;
    for (QMdiSubWindow *sub : m_mdi->subWindowList()) {
        if (sub->isVisible() && sub->isMinimized())
            iconRows = std::max(iconRows, area.bottom() + 1 - sub->y());
    }
    const int width = area.width();
    const int height = std::max(1, area.height() - iconRows);
    const int count = int(windows.size());
    for (int i = 0; i < count; ++i) {
        QMdiSubWindow *sub = windows.at(i);
        if (sub->isMaximized())
            sub->showNormal();
        if (sideBySide)
            sub->setGeometry(offset(width, count, i), 0, part(width, count, i), height);
        else
            sub->setGeometry(0, offset(height, count, i), width, part(height, count, i));
    }
}

void MainWindow::arrangeIcons()
{
    // Icons go along the bottom edge from the left, a new row above the last
    // when a row is full.
    const QRect area = m_mdi->viewport()->rect();
    int x = 0;
    int y = area.bottom() + 1;
    int rowHeight = 0;
    for (QMdiSubWindow *sub : m_mdi->subWindowList(QMdiArea::CreationOrder)) {
        if (!sub->isVisible() || !sub->isMinimized())
            continue;
        const QSize size = sub->size();
        if (rowHeight == 0 || x + size.width() > area.width()) {
            if (rowHeight > 0)
                x = 0;
            y -= size.height();
            rowHeight = size.height();
        }
        sub->move(x, y);
        x += size.width();
    }
}

void MainWindow::ArrangeWindows(int kind)
{
    switch (kind) {
    case 0:
        cascadeWindows();
        break;
    case 1:
        tileWindows(false);
        break;
    case 2:
        tileWindows(true);
        break;
    case 3: {
        if (!m_context.windows)
            break;
        const QString mainForm = QStringLiteral("frmMain");
        for (int i = 0; i < m_context.windows->count(); ++i) {
            QWidget *window = m_context.windows->at(i);
            if (!window || m_context.windows->formName(i) == mainForm)
                continue;
            // A child of the frame is minimised as its sub-window; any other
            // loaded window (the find window, say) on its own.
            if (auto *host = qobject_cast<QMdiSubWindow *>(window->parentWidget()))
                host->showMinimized();
            else
                window->showMinimized();
        }
        arrangeIcons();
        break;
    }
    default:
        break;
    }
}

} // namespace zp
