// CP932: any bytes decode to a text that encodes back to the same bytes, with
// nothing counted as lost, so a document with stray bytes is saved back
// unchanged. The one exception is the table's own: some characters have two
// codes (the NEC-selected IBM extensions and NEC row 13 repeat IBM's), and
// encoding writes the one code Windows writes for them, so those two bytes may
// differ while the text stays exactly the same. The streaming decoder gives the
// one-shot text wherever the blocks are cut. Any UTF-16 text, lone surrogates
// included, encodes without a fault into at most two bytes a unit. (Its bytes
// need not decode to it again: a kept byte is written as the byte itself and
// may pair with the byte after it.)

#include "fuzzsupport.h"

#include "platform/cp932codec.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = zp::decodeCp932(bytes);
    qsizetype lost = -1;
    const QByteArray encoded = zp::encodeCp932(text, &lost);
    FUZZ_CHECK(lost == 0);
    FUZZ_CHECK(encoded.size() == bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (encoded[i] == bytes[i])
            continue;
        // The other code of a character with two (their lead bytes differ).
        const QString character = zp::decodeCp932(bytes.mid(i, 2));
        FUZZ_CHECK(i + 1 < bytes.size() && character.size() == 1);
        FUZZ_CHECK(character[0].unicode() < zp::KeptByteBase || character[0].unicode() > zp::KeptByteBase + 0xFF);
        FUZZ_CHECK(zp::decodeCp932(encoded.mid(i, 2)) == character);
        ++i;
    }

    // Three blocks, cut where the first two bytes say.
    if (size >= 2) {
        const size_t cut1 = data[0] % (size + 1);
        const size_t cut2 = cut1 + data[1] % (size - cut1 + 1);
        zp::Cp932Decoder decoder;
        QString streamed = decoder.decode(bytes.constData(), qsizetype(cut1), false);
        streamed += decoder.decode(bytes.constData() + cut1, qsizetype(cut2 - cut1), false);
        streamed += decoder.decode(bytes.constData() + cut2, qsizetype(size - cut2), true);
        FUZZ_CHECK(streamed == text);
    }

    zpfuzz::Input input(data, size);
    const QString utf16 = input.restAsUtf16();
    qsizetype unmappable = -1;
    const QByteArray fromUtf16 = zp::encodeCp932(utf16, &unmappable);
    FUZZ_CHECK(unmappable >= 0 && unmappable <= utf16.size());
    FUZZ_CHECK(fromUtf16.size() <= 2 * utf16.size());
    return 0;
}
