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
    // Only the changed characters were rewritten, so the caret mostly stands
    // where it stood; moving it again would lay out the text around it anew.
    if (view.selLength() != 0 || view.selStart() != caret)
        view.setSelStart(caret);
}

void applyLineBreaks(TextView &view, BreakForm form)
{
    view.replaceAll(convertLineBreaks(view.rawText(), form));
    view.setSelStart(0);
}

} // namespace zp
