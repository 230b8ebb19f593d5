// Tag case: for any text the result has the same length, characters outside
// the tag spans are untouched, and inside them each character is mapped to
// the asked case one for one. The spans
// are worked out here the plain way: for every "<" that has a ">" somewhere
// after it, from the "<" through the nearer of the next " " and that ">".
//
// The first byte picks upper or lower case and how the rest is read: as
// characters of a small alphabet of tag punctuation and case pairs, or as
// raw UTF-16.

#include "fuzzsupport.h"

#include "editor/textconversion.h"

#include <vector>

namespace {

// The code point at i, whole when i starts a surrogate pair.
char32_t codeAt(const QString &text, qsizetype i)
{
    const char16_t c = text[i].unicode();
    if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
        return QChar::surrogateToUcs4(c, text[i + 1].unicode());
    return c;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    zpfuzz::Input input(data, size);
    const uint8_t mode = input.byte();
    const bool upper = mode & 1;
    const QString text = (mode & 2) ? input.restAsUtf16() : input.alphabetText(input.remaining());

    int spans = -1;
    bool changed = false;
    const QString out = zp::convertTagCase(text, upper, &spans, &changed);
    FUZZ_CHECK(out.size() == text.size());
    FUZZ_CHECK(changed == (out != text));

    std::vector<bool> inSpan(std::size_t(text.size()), false);
    int expectedSpans = 0;
    for (qsizetype j = text.indexOf(u'<'); j >= 0; j = text.indexOf(u'<', j + 1)) {
        const qsizetype g = text.indexOf(u'>', j);
        if (g < 0)
            break;
        const qsizetype s = text.indexOf(u' ', j);
        const qsizetype e = (s >= 0 && s < g) ? s : g;
        ++expectedSpans;
        for (qsizetype i = j; i <= e; ++i)
            inSpan[std::size_t(i)] = true;
    }
    FUZZ_CHECK(spans == expectedSpans);

    // Inside a span each character becomes its simple case mapping, unless
    // that would take a different number of UTF-16 units.
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char32_t before = codeAt(text, i);
        const qsizetype units = QChar::requiresSurrogates(before) ? 2 : 1;
        char32_t expected = before;
        if (inSpan[std::size_t(i)]) {
            const char32_t mapped = upper ? QChar::toUpper(before) : QChar::toLower(before);
            if (QChar::requiresSurrogates(mapped) == QChar::requiresSurrogates(before))
                expected = mapped;
        }
        FUZZ_CHECK(codeAt(out, i) == expected);
        i += units - 1;
    }
    // Converting again changes nothing.
    bool again = true;
    FUZZ_CHECK(zp::convertTagCase(out, upper, nullptr, &again) == out && !again);
    return 0;
}
