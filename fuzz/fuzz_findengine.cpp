// The find engine against a plain search written here: any text, find text,
// start and case option give the position a character-by-character scan of
// the whole text gives (on upper-cased copies of both without the case
// option), however the engine cuts the text into pieces. A replace-all finds
// the scan's non-overlapping matches, keeps them right while the text is
// edited between finds, and builds the text and line-break forms a plain
// replacement builds.
//
// Input: a flags byte, the start, the lengths of the find text and the
// replacement, a repeat count, then the find text, the replacement and a
// body that is repeated to make the text (so that small inputs reach the
// piece boundaries at 4 K characters and beyond). Characters come from a
// small alphabet of case pairs and line breaks, so matches are common.

#include "fuzzsupport.h"

#include "find/findengine.h"

#include <vector>

namespace {

int plainFind(const QString &text, const QString &needle, int from)
{
    const qsizetype n = needle.size();
    if (n == 0)
        return -1;
    for (qsizetype k = std::max(0, from); k + n <= text.size(); ++k) {
        if (QStringView(text).mid(k, n) == needle)
            return int(k);
    }
    return -1;
}

// The non-overlapping matches from the start, each searched after the
// previous one.
std::vector<int> plainMatches(const QString &text, const QString &needle)
{
    std::vector<int> found;
    for (int k = plainFind(text, needle, 0); k >= 0; k = plainFind(text, needle, k + int(needle.size())))
        found.push_back(k);
    return found;
}

// text with each match replaced; forms holds the form of each break of text
// and receives those of the result.
QString plainReplace(const QString &text, const std::vector<int> &matches, int n, QString replacement,
                     std::vector<quint8> &forms, quint8 newForm)
{
    replacement.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    replacement.replace(u'\r', u'\n');
    QString out;
    std::vector<quint8> outForms;
    std::size_t form = 0;
    std::size_t next = 0;
    for (qsizetype i = 0; i < text.size();) {
        if (next < matches.size() && matches[next] == i) {
            out += replacement;
            for (QChar c : std::as_const(replacement)) {
                if (c == u'\n')
                    outForms.push_back(newForm);
            }
            for (qsizetype k = i; k < i + n; ++k) {
                if (text[k] == u'\n')
                    ++form;
            }
            i += n;
            ++next;
            continue;
        }
        if (text[i] == u'\n')
            outForms.push_back(forms[form++]);
        out += text[i++];
    }
    forms = std::move(outForms);
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    zpfuzz::Input input(data, size);
    const uint8_t flags = input.byte();
    const bool matchCase = flags & 1;
    const int from = int(input.byte()) - 8 + ((flags & 2) ? 4090 : 0);
    const size_t needleLength = input.byte() % 9;
    const size_t replacementLength = input.byte() % 5;
    // One input in four makes a text of up to 300 000 characters, which
    // reaches the replace-all's 256 K pieces; the others stay small and fast.
    const bool large = (flags & 4) && (flags & 0x40);
    const int repeats = 1 + (input.byte() % 64) * (large ? 512 : 1);
    const QString needle = input.alphabetText(needleLength);
    QString replacement = input.alphabetText(replacementLength);
    if (flags & 8)
        replacement += u'\r';
    const QString body = input.alphabetText(input.remaining());
    QString text;
    while (text.size() < 300000 && repeats > 0 && text.size() < body.size() * qsizetype(repeats))
        text += body;

    // Find, with and without regard to case.
    const zp::StringSearchText searchText(text);
    const int found = zp::findText(searchText, needle, from, matchCase);
    const int expected = matchCase ? plainFind(text, needle, from)
                                   : plainFind(zp::upperSameLength(text), zp::upperSameLength(needle), from);
    FUZZ_CHECK(found == expected);

    // Replace-all over the unchanged text.
    zp::ReplaceAllPlan plan(needle, replacement);
    while (plan.findNext(searchText)) {
    }
    const std::vector<int> matches = plainMatches(text, needle);
    FUZZ_CHECK(plan.matches() == matches);
    std::vector<quint8> forms;
    for (QChar c : std::as_const(text)) {
        if (c == u'\n')
            forms.push_back(quint8(forms.size() % 3));
    }
    std::vector<quint8> expectedForms = forms;
    const QString replaced = plan.apply(text, forms, 2);
    FUZZ_CHECK(replaced == plainReplace(text, matches, int(needle.size()), replacement, expectedForms, 2));
    FUZZ_CHECK(forms == expectedForms);

    // Replace-all while the text is edited between finds: every match kept
    // is still one in the edited text, in order and without overlap.
    QString live = text;
    zp::ReplaceAllPlan editedPlan(needle, replacement);
    // An edit makes the plan read a large piece again: a few edits suffice.
    int edits = 0;
    for (uint8_t step = flags >> 4; editedPlan.findNext(zp::StringSearchText(live)); ++step) {
        if (step % 3 != 0 || live.isEmpty() || ++edits > 12)
            continue;
        const int position = int((step * 7919u) % uint(live.size()));
        const int removed = std::min<int>(step % 4, int(live.size()) - position);
        const QString added = QString(step % 2, u'a');
        live.replace(position, removed, added);
        editedPlan.textChanged(position, removed, int(added.size()));
    }
    int end = 0;
    for (int m : editedPlan.matches()) {
        FUZZ_CHECK(m >= end && QStringView(live).mid(m, needle.size()) == needle);
        end = m + int(needle.size());
    }
    return 0;
}
