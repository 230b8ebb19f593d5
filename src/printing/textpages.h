#pragma once
// Lays plain text out on printed pages: every text line starts a new printed
// line, a line wider than the page wraps onto the next printed lines (nothing
// is cut off), a tab advances to the next multiple of 8 columns, and a new
// page starts when one is full.

#include <QString>

class QFont;
class QPagedPaintDevice;

namespace zp {

// The text with each tab replaced by the blanks up to the next multiple of
// 8 columns (a column being one character of the line).
QString expandTabs(const QString &line);

// Paints text ("\n" between lines) on device in font, copies times over, each
// copy from a new page. False when the device could not be painted on.
bool paintTextPages(QPagedPaintDevice &device, const QString &text, const QFont &font,
                    int copies = 1);

} // namespace zp
