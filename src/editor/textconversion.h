#pragma once
// The tag-case conversion of the Edit menu, as a plain function on strings,
// and the line-break forms of its line-ending conversion.

#include <QString>

namespace zp {

// Converts the tag spans of text to upper case (upper = true) or lower case.
// For every "<" the span runs from it through the nearer of the next " " and
// the next ">" after it; a "<" with no ">" anywhere after it has no span. Only
// the space character ends a name, so a name followed by a tab or a line break
// runs on to the next space or ">". Each "<" is taken on its own, also one that
// stands inside another span. Characters are mapped one for one, so the length
// never changes. *spans (when given) receives the number of spans found,
// *changed whether any character changed.
// Linear in the length of text; converts text in place when it is not shared.
QString convertTagCase(QString text, bool upper, int *spans = nullptr,
                       bool *changed = nullptr);

// The line-break forms the line-ending conversion offers.
enum class BreakForm { CrLf, Cr, Lf };

} // namespace zp
