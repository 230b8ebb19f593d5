#pragma once
// The colours of a document window (one text colour and one background for
// the whole text, the gutter sharing the background) and the colour chooser
// the colour commands and the options dialog share.

#include <QString>

namespace zp {

struct AppContext;
class EditWindow;

// Gives a newly loaded document window the "FontColor" and "BackColor" of the
// settings (black on white when unset), focuses its text and marks it
// unmodified.
void ApplyEditorSettings(AppContext &context, EditWindow &window);

// Runs the colour chooser (owned by the main window, starting at black).
// Returns 1 with the colour packed red in the low byte, green in the next and
// blue in the third in *color when the user pressed OK; 0 on cancel.
long ShowColorDialog(AppContext &context, long *color);

// Runs ShowColorDialog. Returns 1 with the components (0-255) and the colour
// as settings text ("RRGGBB", upper-case, two digits each) when a colour was
// chosen; returns 0 and leaves the outputs alone on cancel.
long ChooseColorHex(AppContext &context, long *red, long *green, long *blue, QString *hex);

} // namespace zp
