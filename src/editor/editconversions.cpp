#include "editor/editconversions.h"

#include "editor/textview.h"

namespace zp {

void applyTagCase(TextView &view, bool upper)
{
    const int caret = view.selStart();
    int spans = 0;
    bool changed = false;
    // Lengths never change, so the lines keep their breaks and forms.
    const QString converted = convertTagCase(view.text(), upper, &spans, &changed);
    if (changed)
        view.replaceText(converted, view.lineBreakForms());
    else if (spans > 0)
        view.setModified(true); // every span replaced counts as an edit
    // Only the changed characters were rewritten, so the caret mostly stands
    // where it stood; moving it again would lay out the text around it anew.
    if (view.selLength() != 0 || view.selStart() != caret)
        view.setSelStart(caret);
}

void applyLineBreaks(TextView &view, BreakForm form)
{
    static_assert(int(BreakForm::Lf) == int(TextView::LineBreak::Lf)
                  && int(BreakForm::Cr) == int(TextView::LineBreak::Cr));
    view.replaceText(view.text(), std::vector<quint8>(std::size_t(view.lineBreakCount()), quint8(form)));
    view.setSelStart(0);
}

} // namespace zp
