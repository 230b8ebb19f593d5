#pragma once
// The search rules of the find dialog, free of widgets: finding a text from a
// position with or without regard to case, and the bookkeeping of a
// replace-all (the matches found so far, kept in step with edits, and the
// resulting text). Positions are 0-based indexes into the text with every line
// break as one "\n" (the text view's positions).

#include <QString>
#include <QStringView>

#include <vector>

namespace zp {

// A text that can be read in pieces, so that a search near the caret does not
// copy a large document whole.
class SearchText
{
public:
    virtual ~SearchText() = default;
    virtual int length() const = 0;
    // Up to count characters from position, line breaks as "\n".
    virtual QString read(int position, int count) const = 0;
};

// A SearchText over a string already in memory.
class StringSearchText : public SearchText
{
public:
    explicit StringSearchText(QString text) : m_text(std::move(text)) {}
    int length() const override { return int(m_text.size()); }
    QString read(int position, int count) const override { return m_text.mid(position, count); }

private:
    QString m_text;
};

// Upper-cases each character on its own with the simple (one-to-one) case
// mapping, so every position keeps its meaning: "ß" stays one character
// instead of turning into "SS". Full-width Latin letters are upper-cased too.
QString upperSameLength(QStringView text);

// The first index >= from at which needle occurs in text, or -1. Without
// matchCase both sides are compared upper-cased. An empty needle never
// matches (it would match everywhere and loop a replace-all for ever).
int findText(const SearchText &text, const QString &needle, int from, bool matchCase);

// A replace-all in progress: the exact-case matches of the find text, each
// searched for after the previous one, so text that a replacement puts in is
// never searched again (a by aa in aaa makes three replacements).
class ReplaceAllPlan
{
public:
    ReplaceAllPlan(QString findText, QString replacement);

    // Finds the next match in the live text and records it. False when there
    // is none left (or the find text is empty).
    bool findNext(const SearchText &text);

    // The live text changed at position: removed characters went, added came
    // in. Matches touched by the change are dropped, later ones and the scan
    // position move with the text, so the plan still fits the text it is
    // applied to.
    void textChanged(int position, int removed, int added);

    int count() const { return int(m_matches.size()); }
    const std::vector<int> &matches() const { return m_matches; }

    // text is the live text and forms the form of each of its line breaks, in
    // order. Returns text with every recorded match replaced, and leaves in
    // forms those of the result's breaks: a break outside the matches keeps its
    // form, one inside a match goes with it, and one the replacement brings in
    // takes newForm.
    QString apply(const QString &text, std::vector<quint8> &forms, quint8 newForm) const;

    // Where the caret stands after the last replacement, in the new text; -1
    // when nothing was replaced.
    int caretAfter() const;

private:
    QString m_find;
    QString m_replacement;
    std::vector<int> m_matches;
    int m_scan = 0;
    // The piece of the live text read last (exact text from m_pieceStart);
    // -1 when there is none or the text changed since.
    QString m_piece;
    int m_pieceStart = -1;
};

} // namespace zp
