// The clipboard history's commands: the Edit menu's switch, toolbar button 14
// with its drop-down menu, and saving the history from the File menu and at
// the end.

#include "mainwindow/mainwindow.h"

#include "cliphistory/clipmonitor.h"
#include "cliphistory/historyfile.h"
#include "cliphistory/historymenu.h"
#include "editor/editwindow.h"
#include "mainwindow/menuenabling.h"
#include "platform/appcontext.h"
#include "platform/editsettings.h"

#include <QAction>

namespace zp {

namespace {

bool saveHistory(const AppContext &context, const ClipHistory &history, QString *error)
{
    const HistorySaveMode mode = historySaveMode(clipHistorySaveType(context.settings));
    return SaveClipHistory(history, context.clipHistoryFile(), mode, error);
}

} // namespace

void MainWindow::StartClipMonitor()
{
    m_clipMonitor->start();
    m_menus.mnuEditClipboard->setChecked(m_clipMonitor->isWatching());
}

void MainWindow::mnuEditClipboard_Click()
{
    // The switch keeps the entries and their numbering, and leaves the
    // settings file alone: the next start follows "ClipboardSaveTiming".
    if (m_clipMonitor->isWatching()) {
        m_clipMonitor->stop();
        m_menus.mnuEditClipboard->setChecked(false);
    } else {
        StartClipMonitor();
    }
}

void MainWindow::Toolbar_ButtonDropDown()
{
    // With no child the entries keep the state they had.
    const ChildKind kind = childKind(activeChild());
    if (kind == ChildKind::None)
        return;
    m_clipHistory->setEntriesEnabled(kind != ChildKind::Preview && kind != ChildKind::Busy);
}

void MainWindow::Toolbar_ButtonMenuClick(QAction *entry)
{
    const int index = m_clipHistory->indexOf(entry);
    if (index == 0)
        return;
    ClipHistory &history = m_clipHistory->history();
    history.setTagged(0);
    EditWindow *document = activeDocument();
    if (!document)
        return;
    pasteInto(document, history.text(index));
    history.setTagged(index);
}

void MainWindow::pasteTaggedClip()
{
    const ClipHistory &history = m_clipHistory->history();
    EditWindow *document = activeDocument();
    if (document && history.tagged() != 0)
        pasteInto(document, history.text(history.tagged()));
}

void MainWindow::mnuFileClipboardSave_Click()
{
    const ClipHistory &history = m_clipHistory->history();
    if (history.count() == 0)
        return;
    QString error;
    if (!saveHistory(m_context, history, &error))
        setStatusText(QStringLiteral("クリップボード履歴を保存できませんでした: ") + error);
}

void MainWindow::saveHistoryAtEnd()
{
    const ClipHistory &history = m_clipHistory->history();
    // A failed save at the end says nothing: the program ends all the same.
    if (history.count() > 0 && saveClipHistoryAtEnd(m_context.settings))
        saveHistory(m_context, history, nullptr);
}

} // namespace zp
