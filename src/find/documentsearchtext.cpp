#include "find/documentsearchtext.h"

#include "editor/textview.h"

namespace zp {

int DocumentSearchText::length() const
{
    return m_view.textLength();
}

QString DocumentSearchText::read(int position, int count) const
{
    return m_view.textRange(position, count);
}

} // namespace zp
