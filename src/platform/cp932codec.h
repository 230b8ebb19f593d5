#pragma once
// Shift-JIS (code page 932, Microsoft's table) conversion for documents, the
// settings file and the clipboard history file.
//
// Bytes that do not decode (invalid or unassigned sequences, a lead byte cut off
// at the end of the file) are kept as one private-use character each,
// U+F780 + byte, and encoding turns those characters back into the same byte, so
// a file with stray bytes is written back unchanged.

#include <QByteArray>
#include <QString>

#include <memory>

namespace zp {

// The character that keeps byte b is KeptByteBase + b, so kept bytes occupy
// U+F780..U+F87F.
constexpr char16_t KeptByteBase = 0xF780;

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

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

QString decodeCp932(const QByteArray &bytes);

// Encodes text to CP932. Characters CP932 cannot represent are written as "?"
// and counted in *unmappable (when given), so that callers can refuse to write a
// file that would lose characters.
QByteArray encodeCp932(const QString &text, qsizetype *unmappable = nullptr);

} // namespace zp
