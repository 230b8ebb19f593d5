#include "mainwindow/mainwindow.h"

#include "cliphistory/clipmonitor.h"
#include "cliphistory/historymenu.h"
#include "documents/recentfiles.h"
#include "editor/editwindow.h"
#include "editor/textview.h"
#include "mainwindow/appicon.h"
#include "mainwindow/filedroptarget.h"
#include "mainwindow/maintoolbar.h"
#include "mainwindow/menuenabling.h"
#include "mainwindow/statuspanels.h"
#include "platform/appcontext.h"
#include "platform/clipboard.h"
#include "platform/editsettings.h"
#include "platform/twips.h"
#include "platform/windowlist.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

namespace zp {

MainWindow::MainWindow(AppContext &context, QWidget *parent)
    : QMainWindow(parent)
    , m_context(context)
    , m_documents(context)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowIcon(appIcon());
    setWindowTitle(QString());
    resize(800, 600);

    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName(QStringLiteral("MDIClient"));
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdi);

    m_menus = buildMainMenus(menuBar(), this);
    m_toolbar = new MainToolbar(this);
    addToolBar(m_toolbar);
    m_status = new StatusPanels(this);
    setStatusBar(m_status);

    m_clipHistory = new HistoryMenu(m_toolbar->clipboardMenu(), this);
    m_clipMonitor = new ClipMonitor(m_context.clipboard, this);
    connect(m_clipMonitor, &ClipMonitor::textCopied, m_clipHistory, &HistoryMenu::record);

    connectMenus();
    connect(m_toolbar, &MainToolbar::buttonClicked, this, &MainWindow::Toolbar_ButtonClick);
    connect(m_toolbar->clipboardMenu(), &QMenu::aboutToShow, this,
            &MainWindow::Toolbar_ButtonDropDown);
    connect(m_toolbar->clipboardMenu(), &QMenu::triggered, this,
            &MainWindow::Toolbar_ButtonMenuClick);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, &MainWindow::onSubWindowActivated);

    // Files dropped on the frame or on the empty client area; they open once
    // the drop itself has finished.
    m_drops = new FileDropTarget(this);
    m_drops->watch(this);
    m_drops->watch(m_mdi->viewport());
    connect(m_drops, &FileDropTarget::filesDropped, this, &MainWindow::MDIForm_OLEDragDrop,
            Qt::QueuedConnection);

    m_context.frame = this;
    if (m_context.windows)
        m_context.windows->add(this);
}

void MainWindow::connectMenus()
{
    MainMenus &m = m_menus;
    connect(m.mnuFile, &QMenu::aboutToShow, this, &MainWindow::mnuFile_Click);
    connect(m.mnuEdit, &QMenu::aboutToShow, this, &MainWindow::mnuEdit_Click);
    connect(m.mnuBrow, &QMenu::aboutToShow, this, &MainWindow::mnuBrow_Click);
    connect(m.mnuOption, &QMenu::aboutToShow, this, &MainWindow::mnuOption_Click);
    connect(m.mnuFind, &QMenu::aboutToShow, this, &MainWindow::mnuFind_Click);
    connect(m.mnuWindow, &QMenu::aboutToShow, this, &MainWindow::mnuWindow_Click);
    connect(m.mnuHelp, &QMenu::aboutToShow, this, &MainWindow::mnuHelp_Click);

    const std::pair<QAction *, Handler> items[] = {
        {m.mnuFileNew, &MainWindow::mnuFileNew_Click},
        {m.mnuFileOpen, &MainWindow::mnuFileOpen_Click},
        {m.mnuFileSave, &MainWindow::mnuFileSave_Click},
        {m.mnuFileSaveAs, &MainWindow::mnuFileSaveAs_Click},
        {m.mnuFileClipboardSave, &MainWindow::mnuFileClipboardSave_Click},
        {m.mnuFilePrintBrow, &MainWindow::mnuFilePrintBrow_Click},
        {m.mnuFilePrintText, &MainWindow::mnuFilePrintText_Click},
        {m.mnuFileAllclose, &MainWindow::mnuFileAllclose_Click},
        {m.mnuFileClose, &MainWindow::mnuFileClose_Click},
        {m.mnuFileExit, &MainWindow::mnuFileExit_Click},
        {m.mnuEditUndo, &MainWindow::mnuEditUndo_Click},
        {m.mnuEditCut, &MainWindow::mnuEditCut_Click},
        {m.mnuEditCopy, &MainWindow::mnuEditCopy_Click},
        {m.mnuEditPaste, &MainWindow::mnuEditPaste_Click},
        {m.mnuEditDelete, &MainWindow::mnuEditDelete_Click},
        {m.mnuEditTextcolor, &MainWindow::mnuEditTextcolor_Click},
        {m.mnuEditBackcolor, &MainWindow::mnuEditBackcolor_Click},
        {m.mnuEditTextSelect, &MainWindow::mnuEditTextSelect_Click},
        {m.mnuEditClipboard, &MainWindow::mnuEditClipboard_Click},
        {m.mnuEditHtmlLarge, &MainWindow::mnuEditHtmlLarge_Click},
        {m.mnuEditHtmlSmall, &MainWindow::mnuEditHtmlSmall_Click},
        {m.mnuBrowView, &MainWindow::mnuBrowView_Click},
        {m.mnuOptionSetup, &MainWindow::mnuOptionSetup_Click},
        {m.mnuFindText, &MainWindow::mnuFindText_Click},
        {m.mnuWindowLeft, &MainWindow::mnuWindowLeft_Click},
        {m.mnuWindowUp, &MainWindow::mnuWindowUp_Click},
        {m.mnuWindowAdd, &MainWindow::mnuWindowAdd_Click},
        {m.mnuWindowMin, &MainWindow::mnuWindowMin_Click},
        {m.mnuHelpVersion, &MainWindow::mnuHelpVersion_Click},
        {m.mnupopUpCut, &MainWindow::mnupopUpCut_Click},
        {m.mnupopUpCopy, &MainWindow::mnupopUpCopy_Click},
        {m.mnupopUpPaste, &MainWindow::mnupopUpPaste_Click},
        {m.mnupopUpDelete, &MainWindow::mnupopUpDelete_Click},
        {m.mnupopUpMargin, &MainWindow::mnupopUpMargin_Click},
        {m.mnupopUpSelect, &MainWindow::mnupopUpSelect_Click},
        {m.mnupopUpFontColor, &MainWindow::mnupopUpFontColor_Click},
        {m.mnupopUpBackColor, &MainWindow::mnupopUpBackColor_Click},
    };
    for (const auto &[action, handler] : items)
        connect(action, &QAction::triggered, this, handler);
    // The menu item's check mark is the wrap state and the handler sets it;
    // the action has already flipped it when it is triggered from the menu.
    connect(m.mnuEditMargin, &QAction::triggered, this, [this](bool checked) {
        m_menus.mnuEditMargin->setChecked(!checked);
        mnuEditMargin_Click();
    });
    for (int i = 0; i < m.mnuEditreturnCode.size(); ++i)
        connect(m.mnuEditreturnCode.at(i), &QAction::triggered, this,
                [this, i] { mnuEditreturnCode_Click(i); });
}

// --- Frame -----------------------------------------------------------------

QMdiSubWindow *MainWindow::addChild(QWidget *child)
{
    QMdiSubWindow *sub = m_mdi->addSubWindow(child);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    placeNewChild(sub);
    if (auto *document = qobject_cast<EditWindow *>(child)) {
        connect(document, &EditWindow::busyChanged, this, [this, document] {
            if (activeChild() == document)
                applyActiveChildRules();
        });
        connect(document->rtfEdit(), &TextView::clipboardKeyPressed, this,
                &MainWindow::rtfEdit_ClipboardKey);
    }
    return sub;
}

QWidget *MainWindow::activeChild() const
{
    // currentSubWindow, not activeSubWindow: the latter is null whenever the
    // frame itself is not the active window (a dialog in front, say).
    QMdiSubWindow *sub = m_mdi->currentSubWindow();
    return sub ? sub->widget() : nullptr;
}

EditWindow *MainWindow::activeDocument() const
{
    QWidget *child = activeChild();
    return childKind(child) == ChildKind::Document ? documentWindow(child) : nullptr;
}

QString MainWindow::caption() const
{
    return windowTitle();
}

void MainWindow::setCaption(const QString &caption)
{
    setWindowTitle(caption);
}

QString MainWindow::statusText() const
{
    return m_status->panelText(3);
}

void MainWindow::setStatusText(const QString &text)
{
    m_status->setPanelText(3, text);
}

void MainWindow::setDocumentButtonsEnabled(bool enabled)
{
    m_toolbar->setDocumentButtonsEnabled(enabled);
}

void MainWindow::setPopupEditItems(bool hasSelection, bool canPaste)
{
    m_menus.mnupopUpCut->setEnabled(hasSelection);
    m_menus.mnupopUpCopy->setEnabled(hasSelection);
    m_menus.mnupopUpDelete->setEnabled(hasSelection);
    m_menus.mnupopUpPaste->setEnabled(canPaste);
}

void MainWindow::showPopupMenu(const QPoint &globalPos)
{
    m_menus.mnupopUp->popup(globalPos);
}

// --- Load, resize, activation ------------------------------------------------

void MainWindow::MDIForm_Load()
{
    // The editing control's own keys, shown at the right of the items; they
    // are not shortcuts of the menu items.
    m_menus.mnuEditCopy->setText(m_menus.mnuEditCopy->text() + QStringLiteral("\tCtrl+C"));
    m_menus.mnuEditCut->setText(m_menus.mnuEditCut->text() + QStringLiteral("\tCtrl+X"));
    m_menus.mnuEditPaste->setText(m_menus.mnuEditPaste->text() + QStringLiteral("\tCtrl+V"));

    if (clipMonitorAtStart(m_context.settings))
        StartClipMonitor();

    const QStringList history = historySlots(m_context.settings);
    for (int slot = 1; slot <= history.size(); ++slot) {
        if (!history.at(slot - 1).isEmpty())
            AddHistoryMenu(slot, history.at(slot - 1));
    }
}

void MainWindow::MDIForm_Resize()
{
    const int tpp = twipsPerPixelX(this);
    m_status->layoutPanels(frameGeometry().width() * tpp, tpp);
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    MDIForm_Resize();
}

void MainWindow::onSubWindowActivated(QMdiSubWindow *)
{
    applyActiveChildRules();
}

void MainWindow::applyActiveChildRules()
{
    // The rules also run here, quietly, so that the shortcuts of the File and
    // Find menus (Ctrl+S, Ctrl+F, ...) follow the active window even while no
    // menu has been opened since it changed.
    const ChildKind kind = childKind(activeChild());
    applyFileMenuRules(m_menus, kind);
    applyFindMenuRules(m_menus, kind);
    m_menus.mnuEditTextSelect->setEnabled(kind == ChildKind::Document);
    // A busy document turns the buttons off until it is done; the document
    // and preview windows switch them as they are activated.
    if (kind == ChildKind::Busy || kind == ChildKind::Document)
        m_toolbar->setDocumentButtonsEnabled(kind == ChildKind::Document);
}

// --- Menu-opening handlers -------------------------------------------------------

void MainWindow::mnuFile_Click()
{
    if (applyFileMenuRules(m_menus, childKind(activeChild())))
        setStatusText(QString());
}

void MainWindow::mnuEdit_Click()
{
    EditWindow *document = activeDocument();
    const ChildKind kind = childKind(activeChild());
    const bool hasSelection = document && document->rtfEdit()->selLength() > 0;
    const QString clipboardText =
        document && m_context.clipboard ? m_context.clipboard->text() : QString();
    if (applyEditMenuRules(m_menus, kind, hasSelection, clipboardText))
        setStatusText(QString());
}

void MainWindow::mnuBrow_Click()
{
    setStatusText(QString());
}

void MainWindow::mnuOption_Click()
{
    setStatusText(QString());
}

void MainWindow::mnuFind_Click()
{
    if (applyFindMenuRules(m_menus, childKind(activeChild())))
        setStatusText(QString());
}

void MainWindow::mnuWindow_Click()
{
    bool anyChild = false;
    if (m_context.windows) {
        for (int i = 0; i < m_context.windows->count() && !anyChild; ++i) {
            const ChildKind kind = childKind(m_context.windows->at(i));
            anyChild = kind == ChildKind::Document || kind == ChildKind::Busy
                       || kind == ChildKind::Preview;
        }
    }
    applyWindowMenuRules(m_menus, anyChild);
    rebuildWindowList();
    setStatusText(QString());
}

void MainWindow::rebuildWindowList()
{
    // Below its commands the Window menu lists the open child windows by
    // caption; choosing one activates it.
    qDeleteAll(m_windowListItems);
    m_windowListItems.clear();
    const QList<QMdiSubWindow *> windows = m_mdi->subWindowList();
    if (windows.isEmpty())
        return;
    m_windowListItems.append(m_menus.mnuWindow->addSeparator());
    QMdiSubWindow *current = m_mdi->currentSubWindow();
    for (int i = 0; i < windows.size(); ++i) {
        QMdiSubWindow *sub = windows.at(i);
        const QString title = sub->widget() ? sub->widget()->windowTitle() : sub->windowTitle();
        const QString label = i < 9 ? QStringLiteral("&%1 %2").arg(i + 1).arg(title)
                                    : QStringLiteral("%1 %2").arg(i + 1).arg(title);
        QAction *item = m_menus.mnuWindow->addAction(label);
        item->setCheckable(true);
        item->setChecked(sub == current);
        connect(item, &QAction::triggered, this, [this, sub = QPointer<QMdiSubWindow>(sub)] {
            if (!sub)
                return;
            // A minimised child comes back as well as becoming the active one.
            if (sub->isMinimized())
                sub->showNormal();
            m_mdi->setActiveSubWindow(sub);
        });
        m_windowListItems.append(item);
    }
}

void MainWindow::mnuHelp_Click()
{
    setStatusText(QString());
}

// --- Toolbar -------------------------------------------------------------------------

MainWindow::Handler MainWindow::toolbarHandler(int button)
{
    switch (button) {
    case MainToolbar::NewButton: return &MainWindow::mnuFileNew_Click;
    case MainToolbar::OpenButton: return &MainWindow::mnuFileOpen_Click;
    case MainToolbar::SaveButton: return &MainWindow::mnuFileSave_Click;
    case MainToolbar::CutButton: return &MainWindow::mnuEditCut_Click;
    case MainToolbar::CopyButton: return &MainWindow::mnuEditCopy_Click;
    case MainToolbar::PasteButton: return &MainWindow::mnuEditPaste_Click;
    case MainToolbar::UndoButton: return &MainWindow::mnuEditUndo_Click;
    case MainToolbar::BackColorButton: return &MainWindow::mnuEditBackcolor_Click;
    case MainToolbar::BrowserButton: return &MainWindow::mnuBrowView_Click;
    case MainToolbar::FindButton: return &MainWindow::mnuFindText_Click;
    default: return nullptr;
    }
}

void MainWindow::Toolbar_ButtonClick(int button)
{
    setStatusText(QString());
    if (Handler handler = toolbarHandler(button)) {
        (this->*handler)();
        return;
    }
    if (button == MainToolbar::ClipboardButton)
        pasteTaggedClip();
}

} // namespace zp
