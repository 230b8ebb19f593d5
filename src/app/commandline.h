#pragma once
// The command line as the program reads it: the text after the program's name,
// split at every single blank into file items.

#include <QString>
#include <QStringList>

namespace zp {

// Splits at every " ": two blanks in a row give an empty item between them, a
// text of blanks only gives only empty items, an empty text gives no item.
// Quotation marks have no meaning.
QStringList SplitCommandLine(const QString &text);

// The items of the process arguments after the program's name: the arguments
// joined by single blanks and split again, except that an argument naming an
// existing file or folder stays one item. A file manager or the desktop entry
// passes a path with blanks as one argument, and it must open as one file.
QStringList CommandLineItems(const QStringList &argumentsAfterProgram);

} // namespace zp
