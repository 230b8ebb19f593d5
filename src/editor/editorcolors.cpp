#include "editor/editorcolors.h"

#include "editor/editwindow.h"
#include "editor/linenumbergutter.h"
#include "editor/textview.h"
#include "platform/appcontext.h"
#include "platform/colorchooser.h"
#include "platform/frame.h"

namespace zp {

void ApplyEditorSettings(AppContext &context, EditWindow &window)
{
    const QString edit = QStringLiteral("Edit");
    TextView *view = window.rtfEdit();
    view->setTextColor(
        context.settings.readColor(edit, QStringLiteral("FontColor"), 10, QColor(0, 0, 0)));
    const QColor back =
        context.settings.readColor(edit, QStringLiteral("BackColor"), 10, QColor(255, 255, 255));
    view->setBackColor(back);
    window.picLineNo()->setBackColor(back);
    view->setFocus();
    view->setTag(QStringLiteral("0"));
}

long ShowColorDialog(AppContext &context, long *color)
{
    if (!context.colorChooser)
        return 0;
    QColor chosen;
    if (!context.colorChooser->choose(context.frame ? context.frame->widget() : nullptr, &chosen))
        return 0;
    if (color)
        *color = long(chosen.red()) | (long(chosen.green()) << 8) | (long(chosen.blue()) << 16);
    return 1;
}

long ChooseColorHex(AppContext &context, long *red, long *green, long *blue, QString *hex)
{
    long color = 0;
    if (ShowColorDialog(context, &color) != 1)
        return 0;
    const long r = color & 0xFF;
    const long g = (color >> 8) & 0xFF;
    const long b = (color >> 16) & 0xFF;
    if (red)
        *red = r;
    if (green)
        *green = g;
    if (blue)
        *blue = b;
    if (hex) {
        const auto pair = [](long v) {
            return QStringLiteral("%1").arg(v, 2, 16, QLatin1Char('0')).toUpper();
        };
        *hex = pair(r) + pair(g) + pair(b);
    }
    return 1;
}

} // namespace zp
