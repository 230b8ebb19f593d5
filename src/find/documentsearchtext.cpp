#include "find/documentsearchtext.h"

#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace zp {

int DocumentSearchText::length() const
{
    // The document counts a final block separator that is not part of the text.
    return std::max(0, m_document->characterCount() - 1);
}

QString DocumentSearchText::read(int position, int count) const
{
    const int total = length();
    position = std::clamp(position, 0, total);
    const int end = std::min(total, position + std::max(0, count));
    if (end <= position)
        return QString();
    QTextCursor cursor(const_cast<QTextDocument *>(m_document));
    cursor.setPosition(position);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    QString piece = cursor.selectedText();
    // Block and line separators stand for the "\n" of the text's positions.
    piece.replace(QChar(0x2029), QLatin1Char('\n'));
    piece.replace(QChar(0x2028), QLatin1Char('\n'));
    return piece;
}

} // namespace zp
