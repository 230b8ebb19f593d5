#include "mainwindow/menuenabling.h"

#include "editor/editwindow.h"
#include "mainwindow/mainmenus.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

namespace zp {

bool applyFileMenuRules(MainMenus &m, ChildKind kind)
{
    switch (kind) {
    case ChildKind::None:
        for (QAction *item : {m.mnuFileSave, m.mnuFileSaveAs, m.mnuFilePrintText, m.mnuFilePrintBrow})
            item->setEnabled(false);
        return false;
    case ChildKind::Document:
        m.mnuFileSave->setEnabled(true);
        m.mnuFileSaveAs->setEnabled(true);
        m.mnuFilePrintText->setEnabled(true);
        m.mnuFilePrintBrow->setEnabled(false);
        return true;
    case ChildKind::Busy:
    case ChildKind::Preview:
        m.mnuFilePrintText->setEnabled(false);
        m.mnuFilePrintBrow->setEnabled(kind == ChildKind::Preview);
        m.mnuFileSave->setEnabled(false);
        m.mnuFileSaveAs->setEnabled(false);
        return true;
    case ChildKind::Other:
        return true;
    }
    return true;
}

bool applyEditMenuRules(MainMenus &m, ChildKind kind, bool hasSelection,
                        const QString &clipboardText)
{
    if (kind == ChildKind::Document) {
        for (QAction *item : {m.mnuEditUndo, m.mnuEditTextcolor, m.mnuEditTextSelect,
                              m.mnuEditBackcolor, m.mnuEditMargin, m.mnuEditClipboard,
                              m.mnuEditHtml->menuAction(), m.mnuEditreturn->menuAction()})
            item->setEnabled(true);
        for (QAction *item : {m.mnuEditCopy, m.mnuEditCut, m.mnuEditDelete})
            item->setEnabled(hasSelection);
        m.mnuEditPaste->setEnabled(!clipboardText.isEmpty());
        return true;
    }
    for (QAction *item : m.editCommands())
        item->setEnabled(false);
    return kind != ChildKind::None;
}

bool applyFindMenuRules(MainMenus &m, ChildKind kind)
{
    m.mnuFindText->setEnabled(kind == ChildKind::Document);
    return kind != ChildKind::None;
}

void applyWindowMenuRules(MainMenus &m, bool anyChildOpen)
{
    for (QAction *item : {m.mnuWindowAdd, m.mnuWindowLeft, m.mnuWindowMin, m.mnuWindowUp})
        item->setEnabled(anyChildOpen);
}

} // namespace zp
