#pragma once
// The text of a text view's document as a SearchText: pieces are read from
// the document directly, in the positions of TextView::text(), without
// copying the whole text for every search.

#include "find/findengine.h"

class QTextDocument;

namespace zp {

class DocumentSearchText : public SearchText
{
public:
    explicit DocumentSearchText(const QTextDocument *document) : m_document(document) {}
    int length() const override;
    QString read(int position, int count) const override;

private:
    const QTextDocument *m_document;
};

} // namespace zp
