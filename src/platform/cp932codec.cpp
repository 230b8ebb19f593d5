#include "platform/cp932codec.h"

#include <QtGlobal>

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>

#include <algorithm>
#include <bitset>
#include <vector>

namespace zp {

namespace {

constexpr char16_t KeptByteLast = KeptByteBase + 0xFF;

// ICU converts at most about 2^30 units per call; larger inputs go through in
// pieces of this size (a piece boundary inside a character is carried over by
// the converter like a block boundary).
constexpr qsizetype PieceSize = qsizetype(1) << 24;

// ICU's table for this code page routes three control codes the IBM way
// (byte 0x1A <-> U+001C, 0x1C <-> U+007F, 0x7F <-> U+001A); Windows maps every
// control code to itself. Decoding undoes the rotation; encoding writes these
// characters itself.
inline char16_t controlFromIcu(char16_t c)
{
    switch (c) {
    case 0x1C: return 0x1A;
    case 0x7F: return 0x1C;
    case 0x1A: return 0x7F;
    default: return c;
    }
}

// The byte for a character that encoding writes without ICU, or -1. Besides the
// rotated control codes these are the kept bytes: ICU always applies fallback
// mappings to private-use characters, and its table has one (U+F86F -> 0x87 0x82)
// that would turn a kept byte 0xEF into a different character.
inline int directByte(char16_t c)
{
    if (c >= KeptByteBase && c <= KeptByteLast)
        return c - KeptByteBase;
    if (c == 0x1A || c == 0x1C || c == 0x7F)
        return c;
    return -1;
}

// Every byte of an illegal, unassigned or truncated sequence becomes its own
// kept-byte character, so that encoding can write the file back unchanged.
void keepBytesToUnicode(const void *, UConverterToUnicodeArgs *args, const char *codeUnits,
                        int32_t length, UConverterCallbackReason reason, UErrorCode *err)
{
    if (reason > UCNV_IRREGULAR)
        return; // reset, close and clone notifications
    *err = U_ZERO_ERROR;
    for (int32_t i = 0; i < length && U_SUCCESS(*err); ++i) {
        const UChar kept = UChar(KeptByteBase + static_cast<unsigned char>(codeUnits[i]));
        ucnv_cbToUWriteUChars(args, &kept, 1, 0, err);
    }
}

// Anything CP932 lacks becomes "?" and is counted in the qsizetype the context
// points at.
void questionMarkFromUnicode(const void *context, UConverterFromUnicodeArgs *args,
                             const UChar *, int32_t, UChar32, UConverterCallbackReason reason,
                             UErrorCode *err)
{
    if (reason > UCNV_IRREGULAR)
        return;
    *err = U_ZERO_ERROR;
    if (context)
        ++*static_cast<qsizetype *>(const_cast<void *>(context));
    ucnv_cbFromUWriteBytes(args, "?", 1, 0, err);
}

UConverter *openConverter()
{
    UErrorCode err = U_ZERO_ERROR;
    UConverter *cnv = ucnv_open("windows-31j", &err);
    if (U_SUCCESS(err))
        ucnv_setToUCallBack(cnv, keepBytesToUnicode, nullptr, nullptr, nullptr, &err);
    if (U_SUCCESS(err))
        ucnv_setFromUCallBack(cnv, questionMarkFromUnicode, nullptr, nullptr, nullptr, &err);
    if (U_FAILURE(err))
        qFatal("CP932 converter unavailable: %s", u_errorName(err));
    return cnv;
}

// Opening a converter costs an alias lookup and an allocation; each thread keeps
// one for the one-shot functions and as the template that decoders clone.
UConverter *threadConverter()
{
    struct Holder
    {
        UConverter *cnv = openConverter();
        ~Holder() { ucnv_close(cnv); }
    };
    thread_local Holder holder;
    return holder.cnv;
}

// The structure of the double-byte codes: a lead byte, then a trail byte. Every
// lead byte is also a valid trail byte, so a byte that cannot be a lead byte
// always ends a character.
inline bool isLeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

inline bool isTrailByte(unsigned char b)
{
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

// The double-byte codes whose character has more than one code, indexed by
// code (lead << 8 | trail) and by character.
struct SharedCodes
{
    std::vector<char16_t> characterOf = std::vector<char16_t>(0x10000); // 0: not shared
    std::bitset<0x10000> notWritten; // codes that encoding their character does not give
    std::bitset<0x10000> characters; // characters with more than one code
};

// Built from the converter itself at first use: every double-byte code is
// decoded, and its character encoded again; where that gives another code,
// the character has several.
SharedCodes buildSharedCodes()
{
    SharedCodes shared;
    std::vector<char16_t> decoded(0x10000);
    UConverter *cnv = openConverter();
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!isLeadByte(lead))
            continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (!isTrailByte(trail))
                continue;
            const char code[2] = {char(lead), char(trail)};
            const char *source = code;
            UChar text[4];
            UChar *target = text;
            UErrorCode err = U_ZERO_ERROR;
            ucnv_resetToUnicode(cnv);
            ucnv_toUnicode(cnv, &target, text + 4, &source, code + 2, nullptr, true, &err);
            if (U_FAILURE(err) || target - text != 1 || directByte(text[0]) >= 0)
                continue; // unassigned: kept bytes
            const int index = lead << 8 | trail;
            decoded[index] = text[0];
            char back[8];
            char *out = back;
            const UChar *in = text;
            ucnv_resetFromUnicode(cnv);
            ucnv_fromUnicode(cnv, &out, back + 8, &in, text + 1, nullptr, true, &err);
            if (U_SUCCESS(err) && out - back == 2 && back[0] == code[0] && back[1] == code[1])
                continue;
            shared.notWritten.set(index);
            shared.characters.set(text[0]);
        }
    }
    ucnv_close(cnv);
    for (int index = 0; index < 0x10000; ++index) {
        if (decoded[index] && shared.characters.test(decoded[index]))
            shared.characterOf[index] = decoded[index];
    }
    return shared;
}

const SharedCodes &sharedCodes()
{
    static const SharedCodes shared = buildSharedCodes();
    return shared;
}

// Converts [data, data + size) and returns the text, growing the output only
// if the one-unit-per-byte estimate falls short.
QString toUnicode(UConverter *cnv, const char *data, qsizetype size, bool flush)
{
    QString out;
    out.resize(size + 16); // a byte held back from the previous block adds one unit
    qsizetype written = 0;
    const char *source = data;
    const char *const sourceEnd = data + size;
    for (;;) {
        const char *pieceEnd = source + std::min<qsizetype>(sourceEnd - source, PieceSize);
        const bool lastPiece = pieceEnd == sourceEnd;
        if (out.size() - written < (pieceEnd - source) + 16)
            out.resize(written + (pieceEnd - source) + 16);
        UChar *const base = reinterpret_cast<UChar *>(out.data());
        UChar *target = base + written;
        UChar *const targetLimit =
                target + std::min<qsizetype>(out.size() - written, PieceSize * 2 + 16);
        UErrorCode err = U_ZERO_ERROR;
        ucnv_toUnicode(cnv, &target, targetLimit, &source, pieceEnd, nullptr,
                       flush && lastPiece, &err);
        written = target - base;
        if (err == U_BUFFER_OVERFLOW_ERROR)
            continue; // the next round grows the buffer
        if (U_FAILURE(err) || lastPiece)
            break;
    }
    out.truncate(written);

    char16_t *p = reinterpret_cast<char16_t *>(out.data());
    for (char16_t *const end = p + out.size(); p != end; ++p) {
        if (*p < 0x80)
            *p = controlFromIcu(*p);
    }
    return out;
}

// Appends the encoding of [begin, end) to out at *written, flushing at the end.
void fromUnicode(UConverter *cnv, const char16_t *begin, const char16_t *end, QByteArray *out,
                 qsizetype *written)
{
    const UChar *source = reinterpret_cast<const UChar *>(begin);
    const UChar *const sourceEnd = reinterpret_cast<const UChar *>(end);
    for (;;) {
        const UChar *pieceEnd = source + std::min<qsizetype>(sourceEnd - source, PieceSize);
        const bool lastPiece = pieceEnd == sourceEnd;
        if (out->size() - *written < 2 * (pieceEnd - source) + 16)
            out->resize(*written + 2 * (pieceEnd - source) + 16);
        char *const base = out->data();
        char *target = base + *written;
        char *const targetLimit =
                target + std::min<qsizetype>(out->size() - *written, PieceSize * 2 + 16);
        UErrorCode err = U_ZERO_ERROR;
        ucnv_fromUnicode(cnv, &target, targetLimit, &source, pieceEnd, nullptr, lastPiece, &err);
        *written = target - base;
        if (err == U_BUFFER_OVERFLOW_ERROR)
            continue; // the next round grows the buffer
        if (U_FAILURE(err) || lastPiece)
            return;
    }
}

} // namespace

quint16 Cp932Variants::codeFor(char16_t c) const
{
    const auto found = std::lower_bound(m_codes.begin(), m_codes.end(), std::make_pair(c, quint16(0)));
    return found != m_codes.end() && found->first == c ? found->second : 0;
}

void Cp932Variants::setCode(char16_t c, quint16 code)
{
    const auto found = std::lower_bound(m_codes.begin(), m_codes.end(), std::make_pair(c, quint16(0)));
    if (found != m_codes.end() && found->first == c)
        found->second = code;
    else
        m_codes.insert(found, {c, code});
}

struct Cp932Decoder::Impl
{
    UConverter *cnv = nullptr;
    unsigned char lead = 0; // a lead byte that ended the last block
    std::bitset<0x10000> met; // characters with several codes met so far
    Cp932Variants variants;

    ~Impl() { ucnv_close(cnv); }

    void note(const SharedCodes &shared, unsigned char leadByte, unsigned char trailByte)
    {
        const int code = leadByte << 8 | trailByte;
        const char16_t c = shared.characterOf[code];
        if (!c || met.test(c))
            return;
        met.set(c);
        if (shared.notWritten.test(code))
            variants.setCode(c, quint16(code));
    }

    // Walks the bytes character by character, as the converter does, and
    // notes the code of each character that has several.
    void noteCodes(const char *data, qsizetype size, bool last)
    {
        const SharedCodes &shared = sharedCodes();
        const unsigned char *p = reinterpret_cast<const unsigned char *>(data);
        const unsigned char *const end = p + size;
        if (lead && p != end) {
            if (isTrailByte(*p))
                note(shared, lead, *p++);
            lead = 0;
        }
        while (p != end) {
            const unsigned char b = *p++;
            if (!isLeadByte(b))
                continue;
            if (p == end) {
                lead = b;
                break;
            }
            if (isTrailByte(*p))
                note(shared, b, *p++);
        }
        if (last)
            lead = 0;
    }
};

Cp932Decoder::Cp932Decoder()
    : m_impl(std::make_unique<Impl>())
{
    UErrorCode err = U_ZERO_ERROR;
    m_impl->cnv = ucnv_clone(threadConverter(), &err);
    if (U_FAILURE(err))
        qFatal("CP932 converter unavailable: %s", u_errorName(err));
    ucnv_reset(m_impl->cnv);
}

Cp932Decoder::~Cp932Decoder() = default;

QString Cp932Decoder::decode(const char *data, qsizetype size, bool last)
{
    m_impl->noteCodes(data, size, last);
    return toUnicode(m_impl->cnv, data, size, last);
}

const Cp932Variants &Cp932Decoder::variants() const
{
    return m_impl->variants;
}

QString decodeCp932(const QByteArray &bytes)
{
    UConverter *cnv = threadConverter();
    ucnv_resetToUnicode(cnv);
    return toUnicode(cnv, bytes.constData(), bytes.size(), true);
}

QByteArray encodeCp932(const QString &text, qsizetype *unmappable, const Cp932Variants &variants)
{
    // The code written without ICU for c, or -1.
    const SharedCodes *shared = variants.isEmpty() ? nullptr : &sharedCodes();
    auto directCode = [&](char16_t c) {
        const int byte = directByte(c);
        if (byte >= 0 || !shared || !shared->characters.test(c))
            return byte;
        const int code = variants.codeFor(c);
        return code ? code : -1;
    };

    qsizetype count = 0;
    UConverter *cnv = threadConverter();
    ucnv_resetFromUnicode(cnv);
    UErrorCode err = U_ZERO_ERROR;
    ucnv_setFromUCallBack(cnv, questionMarkFromUnicode, &count, nullptr, nullptr, &err);

    QByteArray out;
    out.resize(2 * text.size() + 16); // at most two bytes per UTF-16 unit
    qsizetype written = 0;
    const char16_t *p = reinterpret_cast<const char16_t *>(text.constData());
    const char16_t *const end = p + text.size();
    for (;;) {
        const char16_t *const runStart = p;
        int code = -1;
        while (p != end && (code = directCode(*p)) < 0)
            ++p;
        fromUnicode(cnv, runStart, p, &out, &written);
        if (p == end)
            break;
        if (written + 2 > out.size())
            out.resize(out.size() + 16);
        if (code > 0xFF)
            out[written++] = char(code >> 8);
        out[written++] = char(code & 0xFF);
        ++p;
    }
    out.truncate(written);

    // The callback context must not outlive count.
    err = U_ZERO_ERROR;
    ucnv_setFromUCallBack(cnv, questionMarkFromUnicode, nullptr, nullptr, nullptr, &err);
    if (unmappable)
        *unmappable = count;
    return out;
}

} // namespace zp
