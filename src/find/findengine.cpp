#include "find/findengine.h"

#include <QChar>

#include <algorithm>

namespace zp {

namespace {

// Characters read at a time. A find starts with a small piece, so that a
// match near the caret costs little, and doubles it while nothing is found,
// so that a far match costs a few large reads; a replace-all reads large
// pieces and finds every match inside one before reading the next.
constexpr int FirstPieceSize = 4 * 1024;
constexpr int LargePieceSize = 256 * 1024;

QString normalizedBreaks(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QChar(0x2029), QLatin1Char('\n'));
    text.replace(QChar(0x2028), QLatin1Char('\n'));
    return text;
}

} // namespace

QString upperSameLength(QStringView text)
{
    QString out(text.size(), Qt::Uninitialized);
    QChar *dst = out.data();
    const QChar *src = text.data();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = src[i].unicode();
        if (c < 0x80) {
            dst[i] = (c >= u'a' && c <= u'z') ? QChar(char16_t(c - 32)) : src[i];
            continue;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < n && src[i + 1].isLowSurrogate()) {
            const char32_t code = QChar::surrogateToUcs4(c, src[i + 1].unicode());
            const char32_t upper = QChar::toUpper(code);
            const bool keep = !QChar::requiresSurrogates(upper);
            dst[i] = keep ? src[i] : QChar(QChar::highSurrogate(upper));
            dst[i + 1] = keep ? src[i + 1] : QChar(QChar::lowSurrogate(upper));
            ++i;
            continue;
        }
        const char32_t upper = QChar::toUpper(char32_t(c));
        // A mapping out of the 16-bit range would change the length.
        dst[i] = QChar::requiresSurrogates(upper) ? src[i] : QChar(char16_t(upper));
    }
    return out;
}

int findText(const SearchText &text, const QString &needle, int from, bool matchCase)
{
    const int n = int(needle.size());
    const int total = text.length();
    from = std::max(0, from);
    if (n == 0 || from > total - n)
        return -1;
    const QString key = matchCase ? needle : upperSameLength(needle);
    int pieceSize = std::max(FirstPieceSize, 4 * n);
    int start = from;
    while (start <= total - n) {
        const int count = std::min(pieceSize, total - start);
        qsizetype at;
        if (matchCase) {
            at = text.read(start, count).indexOf(key, 0, Qt::CaseSensitive);
        } else {
            // One more character on either side, so that a surrogate pair the
            // piece's ends cut through is upper-cased whole, as in the whole
            // text: a piece starting with the pair's second half alone would
            // keep it in lower case.
            const int before = start > 0 ? 1 : 0;
            const int after = start + count < total ? 1 : 0;
            const QString piece = upperSameLength(text.read(start - before, before + count + after));
            at = QStringView(piece).mid(before, count).indexOf(key, 0, Qt::CaseSensitive);
        }
        if (at >= 0)
            return start + int(at);
        if (start + count >= total)
            break;
        // The next piece repeats the last n - 1 characters, so a match that
        // straddles the boundary is found there.
        start += count - (n - 1);
        pieceSize = std::max(pieceSize, std::min(pieceSize * 2, LargePieceSize));
    }
    return -1;
}

ReplaceAllPlan::ReplaceAllPlan(QString findText, QString replacement)
    : m_find(std::move(findText))
    , m_replacement(normalizedBreaks(std::move(replacement)))
{
}

bool ReplaceAllPlan::findNext(const SearchText &text)
{
    const int n = int(m_find.size());
    if (n == 0)
        return false;
    const int total = text.length();
    for (;;) {
        int start = m_scan;
        if (m_pieceStart >= 0 && m_scan >= m_pieceStart) {
            const int pieceEnd = m_pieceStart + int(m_piece.size());
            const qsizetype at = m_scan <= pieceEnd ? m_piece.indexOf(m_find, m_scan - m_pieceStart)
                                                    : qsizetype(-1);
            if (at >= 0) {
                const int k = m_pieceStart + int(at);
                m_matches.push_back(k);
                m_scan = k + n;
                return true;
            }
            if (pieceEnd >= total)
                return false;
            // The new piece repeats the last n - 1 characters of this one, so
            // a match across the boundary is found in it.
            start = std::max(m_scan, pieceEnd - (n - 1));
        }
        if (start > total - n)
            return false;
        // Nothing before start can begin a match any more: the scan moves on
        // with the piece, or the next pass would read the same piece again.
        m_scan = start;
        m_piece = text.read(start, std::max(LargePieceSize, 4 * n));
        m_pieceStart = start;
    }
}

void ReplaceAllPlan::textChanged(int position, int removed, int added)
{
    const int n = int(m_find.size());
    const int end = position + removed;
    const int delta = added - removed;
    std::vector<int> kept;
    kept.reserve(m_matches.size());
    for (int m : m_matches) {
        if (m + n <= position)
            kept.push_back(m);
        else if (m >= end)
            kept.push_back(m + delta);
        // Otherwise the change cut into the match: it is no longer there.
    }
    m_matches = std::move(kept);
    if (m_scan >= end)
        m_scan += delta;
    else if (m_scan > position)
        m_scan = position + added;
    m_piece.clear();
    m_pieceStart = -1;
}

QString ReplaceAllPlan::apply(const QString &text, std::vector<quint8> &forms,
                              quint8 newForm) const
{
    const qsizetype n = m_find.size();
    const qsizetype breaksInReplacement = m_replacement.count(QLatin1Char('\n'));
    QString out;
    out.reserve(text.size() + qsizetype(m_matches.size()) * (m_replacement.size() - n) + 16);
    std::vector<quint8> outForms;
    outForms.reserve(forms.size());
    std::size_t form = 0;
    qsizetype at = 0;
    // Copies text up to end, with the forms of the breaks in it.
    auto keep = [&](qsizetype end) {
        const QStringView run = QStringView(text).mid(at, end - at);
        for (qsizetype k = run.count(QLatin1Char('\n')); k > 0; --k)
            outForms.push_back(form < forms.size() ? forms[form++] : newForm);
        out.append(run);
        at = end;
    };
    for (int m : m_matches) {
        keep(m);
        form += std::size_t(QStringView(text).mid(m, n).count(QLatin1Char('\n')));
        at = m + n;
        out.append(m_replacement);
        outForms.insert(outForms.end(), std::size_t(breaksInReplacement), newForm);
    }
    keep(text.size());
    forms = std::move(outForms);
    return out;
}

int ReplaceAllPlan::caretAfter() const
{
    if (m_matches.empty())
        return -1;
    const int growth = int(m_replacement.size()) - int(m_find.size());
    return m_matches.back() + (count() - 1) * growth + int(m_replacement.size());
}

} // namespace zp
