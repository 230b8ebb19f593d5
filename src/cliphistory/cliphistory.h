#pragma once
// The clipboard history as plain data: the texts of at most 50 entries, their
// menu captions, the number the next entry gets, and the entry chosen last.
// Entries are numbered from 1 in the order they were added; once 50 are kept,
// each new text drops the oldest and the others move up one place, keeping the
// captions (and so the numbers) they were given.

#include <QString>

#include <array>

namespace zp {

class ClipHistory
{
public:
    static constexpr int Capacity = 50;
    // A caption shows this many UTF-16 units of its text before "...".
    static constexpr int CaptionLength = 20;

    // ClipTexts(index), 1 to Capacity; "" outside the entries.
    QString text(int index) const;
    QString caption(int index) const;
    // The number of entries, 0 to Capacity.
    int count() const { return m_next - 1; }
    // ClipNext: the number the next entry gets; Capacity + 1 once full.
    int next() const { return m_next; }
    // Adds text as the newest entry (shifting out the oldest when full) and
    // returns true when the entries shifted. The text is kept as given,
    // shared, never copied.
    bool record(const QString &text);

    // The entry chosen last from the menu (its tag), 0 for none. The tag
    // belongs to the place, not to the text: a shift does not move it.
    int tagged() const { return m_tagged; }
    void setTagged(int index) { m_tagged = index >= 1 && index <= count() ? index : 0; }

    // "n text": the number, one blank, the text itself when it has at most
    // CaptionLength units, else its first CaptionLength units and "...". A
    // surrogate pair is never cut in half: the cut moves before it.
    static QString captionFor(int number, const QString &text);

private:
    std::array<QString, Capacity> m_texts;
    std::array<QString, Capacity> m_captions;
    int m_next = 1;
    int m_tagged = 0;
};

// The text a caption shows as a menu item: kept to one line (a line break shows
// as "↵", a tab as "→"), at most MenuCaptionLength units before "..." (the
// caption of a shifted-in entry is its whole text, which may be megabytes),
// and "&" shown as itself rather than marking a mnemonic.
constexpr int MenuCaptionLength = 100;
QString menuCaption(const QString &caption);

// The first length units of text, one fewer when that would split a
// surrogate pair.
qsizetype cutWithoutSplitting(const QString &text, qsizetype length);

} // namespace zp
