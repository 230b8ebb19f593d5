#pragma once
// What the fuzz targets share: a check that stops the run (libFuzzer then keeps
// the input as a crash file) and a reader that takes the parts of a test case
// from the fuzzer's bytes.

#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                                    \
    do {                                                                                         \
        if (!(condition)) {                                                                      \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                        \
        }                                                                                        \
    } while (0)

namespace zpfuzz {

class Input
{
public:
    Input(const uint8_t *data, size_t size) : m_data(data), m_size(size) {}

    bool atEnd() const { return m_pos >= m_size; }
    size_t remaining() const { return m_size - m_pos; }

    // The next byte, 0 once the input is used up.
    uint8_t byte() { return atEnd() ? 0 : m_data[m_pos++]; }

    // Characters from a small alphabet, one byte each, so that the fuzzer
    // meets matches, tags and case pairs often: ASCII letters of both cases,
    // tag punctuation, line breaks, characters whose case mapping changes
    // length or leaves the 16-bit range, full-width letters and both halves
    // of a surrogate pair.
    QString alphabetText(size_t count)
    {
        static constexpr char16_t Alphabet[32] = {
            u'a', u'A', u'b', u'B', u'<', u'>', u' ', u'/', u'\n', u'\t', u'=', u'"',
            u'\u00DF', u'\u017F', u'\u0131', u'\u212A', u'\uFF41', u'\uFF21', u'\u01C5', u'\u0390',
            char16_t(0xD801), char16_t(0xDC28), char16_t(0xDC00), u'\u3042', u'x', u'X', u'k', u'K',
            u'i', u'I', u's', u'S'};
        QString text;
        for (size_t i = 0; i < count && !atEnd(); ++i)
            text += QChar(Alphabet[byte() % 32]);
        return text;
    }

    // The rest of the input as UTF-16 units (any value, lone surrogates too).
    QString restAsUtf16()
    {
        QString text;
        while (remaining() >= 2) {
            const char16_t lo = byte();
            const char16_t hi = byte();
            text += QChar(char16_t(lo | (hi << 8)));
        }
        return text;
    }

    const char *restData() const { return reinterpret_cast<const char *>(m_data + m_pos); }
    void skipRest() { m_pos = m_size; }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_pos = 0;
};

} // namespace zpfuzz
