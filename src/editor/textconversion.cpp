#include "editor/textconversion.h"

namespace zp {

namespace {

// One-for-one case mapping: QString::toUpper would turn "ß" into "SS" and
// shift every later position.
bool mapCase(QChar *data, qsizetype from, qsizetype to, bool upper)
{
    bool changed = false;
    for (qsizetype i = from; i < to; ++i) {
        const char16_t c = data[i].unicode();
        if (c < 0x80) {
            if (upper && c >= u'a' && c <= u'z') {
                data[i] = QChar(c - 0x20);
                changed = true;
            } else if (!upper && c >= u'A' && c <= u'Z') {
                data[i] = QChar(c + 0x20);
                changed = true;
            }
            continue;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < to && QChar::isLowSurrogate(data[i + 1].unicode())) {
            const char32_t code = QChar::surrogateToUcs4(c, data[i + 1].unicode());
            const char32_t mapped = upper ? QChar::toUpper(code) : QChar::toLower(code);
            if (mapped != code && QChar::requiresSurrogates(mapped)) {
                data[i] = QChar(QChar::highSurrogate(mapped));
                data[i + 1] = QChar(QChar::lowSurrogate(mapped));
                changed = true;
            }
            ++i;
            continue;
        }
        const char32_t mapped = upper ? QChar::toUpper(char32_t(c)) : QChar::toLower(char32_t(c));
        if (mapped != c && !QChar::requiresSurrogates(mapped)) {
            data[i] = QChar(char16_t(mapped));
            changed = true;
        }
    }
    return changed;
}

// The position of the next ch at or after from, or -1. The answer is kept
// while it stays at or after from, so walking from left to right costs one
// pass over the text in all.
struct NextFinder
{
    const QChar *data;
    qsizetype size;
    char16_t ch;
    qsizetype found = -2; // -2: not searched yet

    qsizetype at(qsizetype from)
    {
        if (found == -1 || (found >= from))
            return found;
        qsizetype i = from;
        while (i < size && data[i].unicode() != ch)
            ++i;
        found = i < size ? i : -1;
        return found;
    }
};

} // namespace

QString convertTagCase(QString text, bool upper, int *spans, bool *changed)
{
    QString out = std::move(text);
    int count = 0;
    bool anyChange = false;
    const qsizetype n = out.size();
    if (changed)
        *changed = false;
    if (spans)
        *spans = 0;
    if (n == 0)
        return out;
    QChar *data = out.data();
    NextFinder greater{data, n, u'>'};
    NextFinder space{data, n, u' '};
    // Spans start and end further right with every "<", so each character is
    // converted once even where spans overlap; converting it again would give
    // the same character.
    qsizetype convertedTo = 0;
    for (qsizetype j = out.indexOf(QLatin1Char('<')); j >= 0;
         j = out.indexOf(QLatin1Char('<'), j + 1)) {
        const qsizetype g = greater.at(j);
        const qsizetype s = space.at(j);
        // A space ends the span only when a ">" follows it; without any ">"
        // the span has a negative length and converts nothing.
        if (g < 0)
            break;
        const qsizetype e = (s >= 0 && s < g) ? s : g;
        ++count;
        const qsizetype from = std::max(j, convertedTo);
        if (e + 1 > from) {
            anyChange = mapCase(data, from, e + 1, upper) || anyChange;
            convertedTo = e + 1;
        }
    }
    if (spans)
        *spans = count;
    if (changed)
        *changed = anyChange;
    return out;
}

} // namespace zp
