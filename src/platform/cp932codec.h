#pragma once
// Shift-JIS (code page 932, Microsoft's table) conversion for documents, the
// settings file and the clipboard history file.
//
// Bytes that do not decode (invalid or unassigned sequences, a lead byte cut off
// at the end of the file) are kept as one private-use character each,
// U+F780 + byte, and encoding turns those characters back into the same byte, so
// a file with stray bytes is written back unchanged.
//
// The table has several codes for some characters: the NEC-selected IBM
// extensions (ED40..EEFC) repeat the IBM extensions (FA40..FC4B), and some of
// those and some NEC row 13 codes (87xx) repeat JIS codes (81xx). Each decodes
// to one character, which encoding writes with one code of its own. So that a
// file still comes back as it was, the decoder notes, for each such character,
// the code the file used first (variants()), and encoding given those notes
// writes the character with that code. A file that uses two codes of one
// character is written with the first one in both places: the text holds one
// character for both and cannot tell its occurrences apart.

#include <QByteArray>
#include <QString>

#include <memory>
#include <utility>
#include <vector>

namespace zp {

// The character that keeps byte b is KeptByteBase + b, so kept bytes occupy
// U+F780..U+F87F.
constexpr char16_t KeptByteBase = 0xF780;

// The codes a file used for characters CP932 has more than one code for,
// where that code is not the one encoding writes by itself.
class Cp932Variants
{
public:
    bool isEmpty() const { return m_codes.empty(); }
    // The double-byte code (lead << 8 | trail) to write c with, or 0 for the
    // encoder's own.
    quint16 codeFor(char16_t c) const;
    void setCode(char16_t c, quint16 code);

private:
    std::vector<std::pair<char16_t, quint16>> m_codes; // sorted by character
};

// Decodes a byte stream that arrives in blocks; a double-byte character split
// between two blocks is decoded whole.
class Cp932Decoder
{
public:
    Cp932Decoder();
    ~Cp932Decoder();
    Cp932Decoder(const Cp932Decoder &) = delete;
    Cp932Decoder &operator=(const Cp932Decoder &) = delete;

    // Decodes the next block; pass last = true with the final block (it may be
    // empty) so that a trailing lead byte is flushed as a kept byte.
    QString decode(const char *data, qsizetype size, bool last);
    // For each character with several codes whose first occurrence so far
    // used a code other than the encoder's own: that code.
    const Cp932Variants &variants() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

QString decodeCp932(const QByteArray &bytes);

// Encodes text to CP932. Characters CP932 cannot represent are written as "?"
// and counted in *unmappable (when given), so that callers can refuse to write a
// file that would lose characters. Characters listed in variants are written
// with the code given there.
QByteArray encodeCp932(const QString &text, qsizetype *unmappable = nullptr,
                       const Cp932Variants &variants = {});

} // namespace zp
