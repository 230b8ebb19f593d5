#pragma once
// The text of a text view as a SearchText: pieces are read from its document
// directly, in the positions of TextView::text(), without copying the whole
// text for every search.

#include "find/findengine.h"

namespace zp {

class TextView;

class DocumentSearchText : public SearchText
{
public:
    explicit DocumentSearchText(const TextView &view) : m_view(view) {}
    int length() const override;
    QString read(int position, int count) const override;

private:
    const TextView &m_view;
};

} // namespace zp
