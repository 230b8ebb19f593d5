#include "editor/editorcolors.h"

#include "editor/editwindow.h"
#include "editor/linenumbergutter.h"
#include "editor/textview.h"
#include "platform/appcontext.h"
#include "platform/colorchooser.h"
#include "platform/editsettings.h"
#include "platform/frame.h"

namespace zp {

void ApplyEditorSettings(AppContext &context, EditWindow &window)
{
    TextView *view = window.rtfEdit();
    view->setTextColor(textColor(context.settings));
    const QColor back = backColor(context.settings);
    view->setBackColor(back);
    window.picLineNo()->setBackColor(back);
    view->setFocus();
    view->setModified(false);
}

std::optional<QColor> ChooseColor(AppContext &context, QWidget *owner)
{
    if (!context.colorChooser)
        return std::nullopt;
    if (!owner && context.frame)
        owner = context.frame->widget();
    QColor chosen;
    if (!context.colorChooser->choose(owner, &chosen))
        return std::nullopt;
    return chosen;
}

} // namespace zp
