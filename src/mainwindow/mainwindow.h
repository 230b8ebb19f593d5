#pragma once
// The main window ("frmMain"): the frame that holds every document and preview
// window as a child window, with the menu bar, the toolbar and the status bar.
// Every command acts on the active child, asked anew each time.

#include "documents/documents.h"
#include "mainwindow/mainmenus.h"
#include "platform/frame.h"

#include <QList>
#include <QKeySequence>
#include <QMainWindow>
#include <QPointer>

class QMdiArea;
class QMdiSubWindow;

namespace zp {

struct AppContext;
class AboutBox;
class ClipMonitor;
class EditWindow;
class HistoryMenu;
class FileDropTarget;
class MainToolbar;
class StatusPanels;
enum class TagCase;

class MainWindow : public QMainWindow, public Frame
{
    Q_OBJECT
public:
    explicit MainWindow(AppContext &context, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Frame
    QWidget *widget() override { return this; }
    QMdiSubWindow *addChild(QWidget *child) override;
    QWidget *activeChild() const override;
    QString caption() const override;
    void setCaption(const QString &caption) override;
    QString statusText() const override;
    void setStatusText(const QString &text) override;
    void setDocumentButtonsEnabled(bool enabled) override;
    void setPopupEditItems(bool hasSelection, bool canPaste) override;
    void showPopupMenu(const QPoint &globalPos) override;

    MainMenus &menus() { return m_menus; }
    MainToolbar *toolbar() const { return m_toolbar; }
    StatusPanels *statusPanels() const { return m_status; }
    QMdiArea *mdiArea() const { return m_mdi; }
    Documents &documents() { return m_documents; }
    // The active child when it is a document window that takes commands, else
    // null: a window busy reading its file or running a replace-all refuses
    // every command on its text.
    EditWindow *activeDocument() const;

    // The clipboard history behind toolbar button 14, and its monitor.
    HistoryMenu *clipHistory() const { return m_clipHistory; }
    ClipMonitor *clipMonitor() const { return m_clipMonitor; }

    // The load step, run as the window is first shown.
    void MDIForm_Load();
    // The last step of closing, once every child window has closed: the
    // history is saved when the settings ask for it at the end, and the
    // monitor stops. Runs once; the frame closes without questions after it.
    // The whole closing sequence is told in frameclosing.cpp.
    void MDIForm_Unload();
    void MDIForm_Resize();
    // Files dropped on the frame: each opens as text in a new window.
    void MDIForm_OLEDragDrop(const QStringList &paths);
    // Shows path in the recent-files entry of slot (1 to 10).
    bool AddHistoryMenu(int slot, const QString &path);

    // Menu-opening handlers.
    void mnuFile_Click();
    void mnuEdit_Click();
    void mnuBrow_Click();
    void mnuOption_Click();
    void mnuFind_Click();
    void mnuWindow_Click();
    void mnuHelp_Click();

    // File menu.
    void mnuFileNew_Click();
    void mnuFileOpen_Click();
    void mnuFileSave_Click();
    void mnuFileSaveAs_Click();
    void mnuFileClipboardSave_Click();
    void mnuFileUseList_Click(int index);
    void mnuFilePrintBrow_Click();
    void mnuFilePrintText_Click();
    void mnuFileAllclose_Click();
    void mnuFileClose_Click();
    void mnuFileExit_Click();

    // Edit menu.
    void mnuEditUndo_Click();
    void mnuEditCut_Click();
    void mnuEditCopy_Click();
    void mnuEditPaste_Click();
    void mnuEditDelete_Click();
    void mnuEditTextcolor_Click();
    void mnuEditBackcolor_Click();
    void mnuEditMargin_Click();
    void mnuEditTextSelect_Click();
    void mnuEditClipboard_Click();
    // Switches the clipboard monitor on and marks the Edit menu's item.
    void StartClipMonitor();
    void mnuEditreturnCode_Click(int index);
    void mnuEditHtmlLarge_Click();
    void mnuEditHtmlSmall_Click();
    void ConvertTagCase(TagCase mode);

    // Browser, options, find, window and help menus.
    void mnuBrowView_Click();
    void mnuOptionSetup_Click();
    void mnuFindText_Click();
    void mnuWindowLeft_Click();
    void mnuWindowUp_Click();
    void mnuWindowAdd_Click();
    void mnuWindowMin_Click();
    void ArrangeWindows(int kind);
    void mnuHelpVersion_Click();

    // The text's right-click menu: each item runs its Edit-menu twin.
    void mnupopUpCut_Click() { mnuEditCut_Click(); }
    void mnupopUpCopy_Click() { mnuEditCopy_Click(); }
    void mnupopUpPaste_Click() { mnuEditPaste_Click(); }
    void mnupopUpDelete_Click() { mnuEditDelete_Click(); }
    void mnupopUpMargin_Click() { mnuEditMargin_Click(); }
    void mnupopUpSelect_Click() { mnuEditTextSelect_Click(); }
    void mnupopUpFontColor_Click() { mnuEditTextcolor_Click(); }
    void mnupopUpBackColor_Click() { mnuEditBackcolor_Click(); }

    // Toolbar.
    void Toolbar_ButtonClick(int button);
    void Toolbar_ButtonDropDown();
    void Toolbar_ButtonMenuClick(QAction *entry);

    // The menu command a toolbar button runs: null for a separator, for
    // "やり直し" (no command) and for the clipboard button, which has its own
    // rule.
    using Handler = void (MainWindow::*)();
    static Handler toolbarHandler(int button);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void connectMenus();
    void onSubWindowActivated(QMdiSubWindow *window);
    // The File and Find rules and the toolbar's document buttons follow the
    // active child, so that their shortcuts do too.
    void applyActiveChildRules();
    void rebuildWindowList();
    // Lays the child windows out one above the other or side by side, each
    // as wide (or as tall) as the client area.
    void cascadeWindows();
    void tileWindows(bool sideBySide);
    // Moves the minimised children into rows along the bottom edge.
    void arrangeIcons();
    // Gives a new child window its size and place: fully inside the client
    // area, a step below and right of the previous child, back at the top
    // left when it would not fit.
    void placeNewChild(QMdiSubWindow *sub);
    // The Cut, Copy and Paste keys of a document's text run the Edit menu's
    // commands.
    void rtfEdit_ClipboardKey(QKeySequence::StandardKey key);
    // The closing sequence (frameclosing.cpp). Asks every document window, in
    // load order, whether it may close; false at the first that refuses.
    bool queryUnloadDocuments();
    // Closes the document windows from now on without their question.
    void dropCloseQuestions();
    // The clipboard history's part of the unload step.
    void saveHistoryAtEnd();
    // Button 14's click: pastes the entry chosen last from its menu.
    void pasteTaggedClip();
    // Puts text in place of the document's selection and shows the caret.
    void pasteInto(EditWindow *document, const QString &text);
    // Activates the front-most visible child window that is not in behind, or
    // else the first of behind that is still open.
    void activateFrontChild(const QList<QMdiSubWindow *> &behind);

    AppContext &m_context;
    Documents m_documents;
    QMdiArea *m_mdi = nullptr;
    MainMenus m_menus;
    MainToolbar *m_toolbar = nullptr;
    StatusPanels *m_status = nullptr;
    QPointer<AboutBox> m_aboutBox;
    QList<QAction *> m_windowListItems;
    FileDropTarget *m_drops = nullptr;
    HistoryMenu *m_clipHistory = nullptr;
    ClipMonitor *m_clipMonitor = nullptr;
    // Set once the unload step has run: the program is ending.
    bool m_unloaded = false;
};

} // namespace zp
