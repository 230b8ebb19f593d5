#include "cliphistory/historymenu.h"

#include <QAction>
#include <QMenu>

namespace zp {

HistoryMenu::HistoryMenu(QMenu *menu, QObject *parent)
    : QObject(parent)
    , m_menu(menu)
{
    // Without an item the drop-down would open as nothing at all.
    m_empty = m_menu->addAction(emptyText());
    m_empty->setEnabled(false);
}

QString HistoryMenu::emptyText()
{
    return QStringLiteral("(履歴はありません)");
}

void HistoryMenu::record(const QString &text)
{
    const bool shifted = m_history.record(text);
    if (m_empty) {
        m_menu->removeAction(m_empty);
        delete m_empty;
        m_empty = nullptr;
    }
    if (!shifted) {
        const int index = m_history.count();
        QAction *item = m_menu->addAction(menuCaption(m_history.caption(index)));
        item->setObjectName(QStringLiteral("ButtonMenus(%1)").arg(index));
        m_entries.append(item);
        return;
    }
    // The captions move up one place with their texts: the oldest item goes
    // to the end and shows the newest caption, so a copy changes one item
    // instead of fifty. Items keep their place numbers.
    QAction *item = m_entries.takeFirst();
    m_menu->removeAction(item);
    item->setText(menuCaption(m_history.caption(ClipHistory::Capacity)));
    m_menu->addAction(item);
    m_entries.append(item);
    for (int i = 0; i < m_entries.size(); ++i)
        m_entries.at(i)->setObjectName(QStringLiteral("ButtonMenus(%1)").arg(i + 1));
}

int HistoryMenu::indexOf(const QAction *item) const
{
    return int(m_entries.indexOf(item)) + 1;
}

void HistoryMenu::setEntriesEnabled(bool enabled)
{
    for (QAction *item : std::as_const(m_entries))
        item->setEnabled(enabled);
}

} // namespace zp
