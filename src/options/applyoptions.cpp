#include "options/applyoptions.h"

#include "editor/childkind.h"
#include "editor/editwindow.h"
#include "editor/linenumbergutter.h"
#include "editor/textview.h"
#include "options/optionvalues.h"
#include "platform/appcontext.h"
#include "platform/colortext.h"
#include "platform/windowlist.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace zp {

namespace {

QList<EditWindow *> documentsInLoadOrder(const AppContext &context)
{
    QList<EditWindow *> documents;
    if (!context.windows)
        return documents;
    for (int i = 0; i < context.windows->count(); ++i) {
        if (EditWindow *window = documentWindow(context.windows->at(i)))
            documents.append(window);
    }
    return documents;
}

void bringToFront(EditWindow *window)
{
    QMdiSubWindow *sub = window->subWindow();
    if (sub && sub->mdiArea())
        sub->mdiArea()->setActiveSubWindow(sub);
    else
        window->raise();
}

} // namespace

void applyOptionsToDocuments(AppContext &context, const OptionValues &values)
{
    using V = OptionValues;
    const QList<EditWindow *> documents = documentsInLoadOrder(context);

    if (values.lineNumbers != Qt::PartiallyChecked) {
        const bool shown = values.lineNumbers == Qt::Checked;
        const QString numberText = values.colors[V::LineNumberColorBox];
        const QColor number =
                colorFromText(numberText.isEmpty() ? QStringLiteral("BBBBBB") : numberText, Qt::black);
        for (EditWindow *window : documents) {
            if (shown)
                window->picLineNo()->setNumberColor(number);
            if (window->lineNumbersShown() != shown)
                window->setLineNumbersShown(shown);
            else if (shown)
                window->DrawLineNumbers();
        }
    }

    const QColor text = colorFromText(values.colors[V::TextColorBox], Qt::black);
    const QColor back = colorFromText(values.colors[V::BackColorBox], Qt::black);
    for (EditWindow *window : documents) {
        TextView *view = window->rtfEdit();
        const int caret = view->selStart();
        const bool modified = view->isModified();
        bringToFront(window);
        view->setTextColor(text);
        view->setModified(modified);
        view->setBackColor(back);
        window->picLineNo()->setBackColor(back);
        view->setSelStart(caret);
    }
}

} // namespace zp
