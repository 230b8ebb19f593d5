#pragma once
// Path texts as the program handles them: plain text, "/" between components,
// a file name is the text after the last "/", an extension the text after the
// last ".".

#include <QString>
#include <QStringList>

namespace zp {

class FileSystem;

// The text after the last "/" (the whole path when it has none).
QString fileNameOf(const QString &path);

// True for a path whose extension, in upper case, is "HTML" or "HTM".
bool isHtmlPath(const QString &path);

// True for a dropped name the text drop skips: its last four characters, in
// lower case, are ".jpg", ".bmp", "jpeg", ".png" or ".gif".
bool isImageName(const QString &path);

// Rebuilds a command-line item component by component, once "." and ".."
// are resolved and doubled separators merged: the first component is kept, each further one is replaced by the name under which the file system
// lists it, or left out (only its "/" kept) when nothing matches.
QString rebuildPath(const QString &item, const FileSystem &fileSystem);

} // namespace zp
