#pragma once
// The main window's menu tree: every menu and item under the name the program
// uses for it (the same text is each object's objectName).

#include <QList>

class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;
class QWidget;

namespace zp {

struct MainMenus
{
    QMenu *mnuFile = nullptr;
    QAction *mnuFileNew = nullptr;
    QAction *mnuFileOpen = nullptr;
    QAction *mnuFileSave = nullptr;
    QAction *mnuFileSaveAs = nullptr;
    QAction *mnuFileClipboardSave = nullptr;
    QMenu *mnuFileUse = nullptr;
    // Recent-files entries by slot; index 0 is unused, entry 1 exists from the
    // start as the disabled "なし", entries 2 to 10 are created on demand.
    QList<QAction *> mnuFileUseList;
    QMenu *mnuFilePrint = nullptr;
    QAction *mnuFilePrintBrow = nullptr;
    QAction *mnuFilePrintText = nullptr;
    QAction *mnuFileAllclose = nullptr;
    QAction *mnuFileClose = nullptr;
    QAction *mnuFileExit = nullptr;

    QMenu *mnuEdit = nullptr;
    QAction *mnuEditUndo = nullptr;
    QAction *mnuEditCut = nullptr;
    QAction *mnuEditCopy = nullptr;
    QAction *mnuEditPaste = nullptr;
    QAction *mnuEditDelete = nullptr;
    QAction *mnuEditTextcolor = nullptr;
    QAction *mnuEditBackcolor = nullptr;
    QAction *mnuEditMargin = nullptr;
    QAction *mnuEditTextSelect = nullptr;
    QAction *mnuEditClipboard = nullptr;
    QActionGroup *clipboardMarkGroup = nullptr; // gives the item its radio-style mark
    QMenu *mnuEditreturn = nullptr;
    QList<QAction *> mnuEditreturnCode; // 0 "CrLf", 1 "CR", 2 "LF"
    QMenu *mnuEditHtml = nullptr;
    QAction *mnuEditHtmlLarge = nullptr;
    QAction *mnuEditHtmlSmall = nullptr;

    QMenu *mnuBrow = nullptr;
    QAction *mnuBrowView = nullptr;

    QMenu *mnuOption = nullptr;
    QAction *mnuOptionSetup = nullptr;

    QMenu *mnuFind = nullptr;
    QAction *mnuFindText = nullptr;

    QMenu *mnuWindow = nullptr;
    QAction *mnuWindowLeft = nullptr;
    QAction *mnuWindowUp = nullptr;
    QAction *mnuWindowAdd = nullptr;
    QAction *mnuWindowMin = nullptr;

    QMenu *mnuHelp = nullptr;
    QAction *mnuHelpVersion = nullptr;

    // The text's right-click menu; never in the menu bar.
    QMenu *mnupopUp = nullptr;
    QAction *mnupopUpCut = nullptr;
    QAction *mnupopUpCopy = nullptr;
    QAction *mnupopUpPaste = nullptr;
    QAction *mnupopUpDelete = nullptr;
    QAction *mnupopUpMargin = nullptr;
    QAction *mnupopUpSelect = nullptr;
    QAction *mnupopUpFontColor = nullptr;
    QAction *mnupopUpBackColor = nullptr;

    // The twelve Edit commands that a preview window or no window disables.
    QList<QAction *> editCommands() const;
};

// Builds the whole tree into menuBar; the right-click menu is parented to owner.
MainMenus buildMainMenus(QMenuBar *menuBar, QWidget *owner);

} // namespace zp
