#pragma once
// The colours of a document window (one text colour and one background for
// the whole text, the gutter sharing the background) and the colour chooser
// the colour commands and the options dialog share.

#include <QColor>

#include <optional>

class QWidget;

namespace zp {

struct AppContext;
class EditWindow;

// Gives a newly loaded document window the "FontColor" and "BackColor" of the
// settings (black on white when unset), focuses its text and marks it
// unmodified.
void ApplyEditorSettings(AppContext &context, EditWindow &window);

// Runs the colour chooser (owned by owner, the main window when null, which
// gets the focus back; starting at black): the colour the user chose, or
// nothing on cancel. The settings file keeps a colour as colorToText gives it.
std::optional<QColor> ChooseColor(AppContext &context, QWidget *owner = nullptr);

} // namespace zp
