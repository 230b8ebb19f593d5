#include "editor/editconversions.h"

#include "editor/textview.h"

namespace zp {

void applyTagCase(TextView &view, bool upper)
{
    const int caret = view.selStart();
    int spans = 0;
    bool changed = false;
    const QString converted = convertTagCase(view.rawText(), upper, &spans, &changed);
    if (changed)
        view.replaceAll(converted);
    else if (spans > 0)
        view.setTag(QStringLiteral("1")); // every span replaced counts as an edit
    view.setSelStart(caret);
}

void applyLineBreaks(TextView &view, BreakForm form)
{
    view.replaceAll(convertLineBreaks(view.rawText(), form));
    view.setSelStart(0);
}

} // namespace zp
