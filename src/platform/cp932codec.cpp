#include "platform/cp932codec.h"

#include <QtGlobal>

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>

#include <algorithm>

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

struct Cp932Decoder::Impl
{
    UConverter *cnv = nullptr;
    ~Impl() { ucnv_close(cnv); }
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
    return toUnicode(m_impl->cnv, data, size, last);
}

QString decodeCp932(const QByteArray &bytes)
{
    UConverter *cnv = threadConverter();
    ucnv_resetToUnicode(cnv);
    return toUnicode(cnv, bytes.constData(), bytes.size(), true);
}

QByteArray encodeCp932(const QString &text, qsizetype *unmappable)
{
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
        int byte = -1;
        while (p != end && (byte = directByte(*p)) < 0)
            ++p;
        fromUnicode(cnv, runStart, p, &out, &written);
        if (p == end)
            break;
        if (written == out.size())
            out.resize(out.size() + 16);
        out[written++] = char(byte);
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
