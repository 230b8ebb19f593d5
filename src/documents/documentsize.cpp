#include "documents/documentsize.h"

#include <algorithm>
#include <cstring>

namespace zp {

bool DocumentSize::fits(qint64 bytes, qint64 lines) const
{
    return bytes <= MaxBytes && (m_room < 0 || bytes * CostPerByte + lines * CostPerLine <= m_room);
}

bool DocumentSize::add(const char *bytes, qint64 count)
{
    const char *end = bytes + count;
    m_lines += std::count(bytes, end, '\n');
    // CR LF is one break, a lone CR is one too.
    if (std::memchr(bytes, '\r', size_t(count))) {
        for (const char *p = bytes; p < end; ++p) {
            if (*p == '\r' && (p + 1 == end || p[1] != '\n'))
                ++m_lines;
        }
    }
    if (m_endsInCr && count > 0 && bytes[0] == '\n')
        --m_lines;
    if (count > 0)
        m_endsInCr = end[-1] == '\r';
    m_bytes += count;
    return fits(m_bytes, m_lines);
}

} // namespace zp
