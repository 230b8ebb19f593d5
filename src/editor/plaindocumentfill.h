#pragma once
// Puts a large plain text into an empty QTextDocument in linear time.
//
// QTextDocument::setPlainText inserts the text line by line, and every line
// costs a search and a rebalance in each of the document's two red-black
// trees (text fragments and blocks): about 3.5 µs a line, two seconds for a
// 50 MB file of 80-character lines. fillEmptyDocument builds the same two
// trees directly, already balanced, from the line lengths, and then reports
// the change once, as one insertion, exactly as setPlainText would.
//
// It works on Qt's private document structures, so it only runs with the Qt
// version the program was built against, once a small document built this way
// has been checked whole, and it checks each document it builds (counts and a
// few lines, through the public interface). With another version, a failed
// check, or a text that Qt would not store as plain lines (frame markers), it
// declines and leaves the document empty, and the caller sets the text the
// ordinary way.

#include <QString>

class QTextDocument;

namespace zp {

// text is the whole new text with every line break as U+2029 (the document's
// own block separator). document must hold no text (one empty block).
// Returns false, with the document untouched, when the fast path does not
// apply.
bool fillEmptyDocument(QTextDocument *document, const QString &text);

// Whether document holds text (U+2029 breaks) line for line, judged cheaply:
// the block count, the total length, and the place, length and end characters
// of the first, middle and last lines. This is the check fillEmptyDocument
// makes of what it built.
bool documentHoldsLines(const QTextDocument *document, const QString &text);

} // namespace zp
