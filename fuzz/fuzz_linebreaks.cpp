// Line-break conversion through the text view, as a document goes: the
// file's bytes are decoded and set as the text, which saves back unchanged
// (as the codec writes that text);
// after the conversion the saved text is the original with every CR LF, lone
// CR and lone LF in the chosen form, and undo brings the original back.
//
// The first byte picks the form (CR LF, CR, LF); the rest is the file.

#include "fuzzsupport.h"

#include "editor/editconversions.h"
#include "editor/textview.h"
#include "platform/cp932codec.h"

#include <QApplication>

namespace {

QString convertedBreaks(QString text, zp::BreakForm form)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (form == zp::BreakForm::Cr)
        return text.replace(u'\n', u'\r');
    text.replace(u'\r', u'\n');
    if (form == zp::BreakForm::CrLf)
        text.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    return text;
}

zp::TextView *g_view = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(*argc, *argv);
    static zp::TextView view;
    g_view = &view;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    zpfuzz::Input input(data, size);
    const auto form = zp::BreakForm(input.byte() % 3);
    const QByteArray bytes(input.restData(), qsizetype(input.remaining()));
    const QString raw = zp::decodeCp932(bytes);

    zp::TextView &view = *g_view;
    view.setText(raw);
    FUZZ_CHECK(view.rawText() == raw);
    // The same bytes, but for characters CP932 has two codes for (see
    // fuzz_cp932codec), which are written in the code encoding picks.
    FUZZ_CHECK(view.encodedText() == zp::encodeCp932(raw));

    zp::applyLineBreaks(view, form);
    const QString expected = convertedBreaks(raw, form);
    FUZZ_CHECK(view.rawText() == expected);
    FUZZ_CHECK(view.encodedText() == zp::encodeCp932(expected));

    view.undoEdit();
    FUZZ_CHECK(view.rawText() == raw);
    return 0;
}
