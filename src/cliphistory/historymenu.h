#pragma once
// The history's entries as the items of a menu (toolbar button 14's drop-down
// menu), kept in step with the history: entry i is the menu's item i. An empty
// history shows one disabled item that says so, which is not an entry.

#include "cliphistory/cliphistory.h"

#include <QList>
#include <QObject>

class QAction;
class QMenu;

namespace zp {

class HistoryMenu : public QObject
{
    Q_OBJECT
public:
    explicit HistoryMenu(QMenu *menu, QObject *parent = nullptr);

    const ClipHistory &history() const { return m_history; }
    ClipHistory &history() { return m_history; }

    // Records text in the history and shows it in the menu.
    void record(const QString &text);

    int entryCount() const { return int(m_entries.size()); }
    // Entry index (1-based) or null.
    QAction *entry(int index) const { return m_entries.value(index - 1); }
    // The index of an entry's item, 0 for any other item.
    int indexOf(const QAction *item) const;
    void setEntriesEnabled(bool enabled);

    static QString emptyText();

private:
    QMenu *m_menu = nullptr;
    QAction *m_empty = nullptr;
    QList<QAction *> m_entries;
    ClipHistory m_history;
};

} // namespace zp
