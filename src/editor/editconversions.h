#pragma once
// The two whole-document conversions applied to a text view, each as one undo
// step: the new text is computed once on a copy and put in with one
// replacement, never through one selection per tag.

#include "editor/textconversion.h"

namespace zp {

class TextView;

// Converts the tag names of view's text (see convertTagCase). The caret is
// put back where the selection started and nothing is selected afterwards. A
// text whose spans change nothing is left alone, but still counts as edited
// when it had spans; a text without spans is not marked modified.
void applyTagCase(TextView &view, bool upper);

// The two tag-case commands: "大文字に変換" and "小文字に変換".
enum class TagCase { Upper, Lower };

// Rewrites every line break of view's text in form; the breaks' forms are
// what a save writes. The caret goes to the start of the text.
void applyLineBreaks(TextView &view, BreakForm form);

} // namespace zp
