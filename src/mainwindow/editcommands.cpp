// The Edit menu's commands; the right-click menu and the toolbar run the same
// handlers. Each acts on the active document window, asked anew each time.

#include "mainwindow/mainwindow.h"
#include "mainwindow/statuspanels.h"

#include "editor/childkind.h"
#include "editor/editconversions.h"
#include "editor/editorcolors.h"
#include "editor/editwindow.h"
#include "editor/linenumbergutter.h"
#include "editor/textview.h"
#include "platform/appcontext.h"
#include "platform/clipboard.h"
#include "platform/windowlist.h"

#include <QAction>
#include <QTextDocument>

namespace zp {

namespace {

int textLength(const TextView &view)
{
    return view.textLength();
}

} // namespace

void MainWindow::mnuEditUndo_Click()
{
    if (EditWindow *document = activeDocument())
        document->rtfEdit()->undoEdit();
}

void MainWindow::mnuEditCut_Click()
{
    EditWindow *document = activeDocument();
    if (!document || !m_context.clipboard)
        return;
    TextView *view = document->rtfEdit();
    const QString selected = view->selText();
    if (selected.isEmpty())
        return;
    m_context.clipboard->setText(selected);
    view->setSelText(QString());
}

void MainWindow::mnuEditCopy_Click()
{
    EditWindow *document = activeDocument();
    if (!document || !m_context.clipboard)
        return;
    const QString selected = document->rtfEdit()->selText();
    if (!selected.isEmpty())
        m_context.clipboard->setText(selected);
}

void MainWindow::mnuEditPaste_Click()
{
    if (!m_context.clipboard)
        return;
    // A clipboard without text (an image, say) reads as "" and pastes nothing.
    const QString text = m_context.clipboard->text();
    EditWindow *document = activeDocument();
    if (text.isEmpty() || !document)
        return;
    pasteInto(document, text);
}

void MainWindow::pasteInto(EditWindow *document, const QString &text)
{
    document->rtfEdit()->setSelText(text);
    document->rtfEdit()->ensureCursorVisible();
}

void MainWindow::mnuEditDelete_Click()
{
    EditWindow *document = activeDocument();
    if (document && document->rtfEdit()->selLength() > 0)
        document->rtfEdit()->setSelText(QString());
}

void MainWindow::rtfEdit_ClipboardKey(QKeySequence::StandardKey key)
{
    if (key == QKeySequence::Cut)
        mnuEditCut_Click();
    else if (key == QKeySequence::Copy)
        mnuEditCopy_Click();
    else if (key == QKeySequence::Paste)
        mnuEditPaste_Click();
}

void MainWindow::mnuEditTextcolor_Click()
{
    EditWindow *document = activeDocument();
    if (!document)
        return;
    TextView *view = document->rtfEdit();
    const bool modified = view->isModified();
    const int caret = view->selStart();
    const std::optional<QColor> color = ChooseColor(m_context);
    if (!color)
        return;
    view->setTextColor(*color);
    view->setSelStart(caret);
    view->setModified(modified);
}

void MainWindow::mnuEditBackcolor_Click()
{
    const std::optional<QColor> color = ChooseColor(m_context);
    if (!color)
        return;
    EditWindow *document = activeDocument();
    if (!document)
        return;
    document->rtfEdit()->setBackColor(*color);
    document->picLineNo()->setBackColor(*color);
}

void MainWindow::mnuEditMargin_Click()
{
    QAction *item = m_menus.mnuEditMargin;
    const bool wrap = !item->isChecked();
    item->setChecked(wrap);
    if (!m_context.windows)
        return;
    for (int i = 0; i < m_context.windows->count(); ++i) {
        if (EditWindow *window = documentWindow(m_context.windows->at(i)))
            window->rtfEdit()->setRightMargin(wrap ? 0 : 30000);
    }
}

void MainWindow::mnuEditTextSelect_Click()
{
    EditWindow *document = activeDocument();
    if (!document)
        return;
    TextView *view = document->rtfEdit();
    view->setSelStart(0);
    view->setSelLength(textLength(*view));
}

void MainWindow::mnuEditreturnCode_Click(int index)
{
    if (index < 0 || index > 2)
        return;
    EditWindow *document = activeDocument();
    if (!document)
        return;
    static constexpr BreakForm forms[] = {BreakForm::CrLf, BreakForm::Cr, BreakForm::Lf};
    applyLineBreaks(*document->rtfEdit(), forms[index]);
}

void MainWindow::mnuEditHtmlLarge_Click() { ConvertTagCase(TagCase::Upper); }
void MainWindow::mnuEditHtmlSmall_Click() { ConvertTagCase(TagCase::Lower); }

void MainWindow::ConvertTagCase(TagCase mode)
{
    setStatusText(QStringLiteral("変換中です・・・"));
    // Painted now: the conversion runs without returning to the event loop.
    m_status->repaint();
    if (EditWindow *document = activeDocument())
        applyTagCase(*document->rtfEdit(), mode == TagCase::Upper);
    setStatusText(QStringLiteral("処理が終わりました"));
}

} // namespace zp
