#pragma once
// The settings file written when none exists beside the program.

#include <QString>

namespace zp {

// Creates (or empties) the file at path and writes the default entries in their
// fixed order. twipsPerPixelX/Y are the screen's twips per pixel, rounded to
// whole numbers (15 at 96 dots per inch); they size the main-window keys.
// Returns false when the file cannot be created or written.
bool WriteDefaultSettings(const QString &path, int twipsPerPixelX, int twipsPerPixelY);

} // namespace zp
