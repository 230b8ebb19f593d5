#pragma once
// The document window's editing area: a plain-text view with the operations
// the program relies on (whole text, caret and selection, colours, wrapping,
// modified tag, undo, first visible line, saving).
//
// Positions: text() returns the text with every line break as one "\n", and
// selStart()/selLength() count in that same text, so searches and conversions
// on text() agree with the caret.
//
// Line-break forms: the underlying document turns CR LF, CR and LF alike into
// block separators. The view records the form of every break itself, one entry
// per block boundary, kept in step with each change of the document; breaks
// added by editing take the form of the document's first break (CR LF when it
// has none). rawText() writes each break in its recorded form, so a file that is
// opened and saved unchanged is written back as it was. The one exception keeps
// the lines: a lone CR break, an empty line, then an LF break would read back as
// one CR LF, so such an LF is written as CR LF. The recorded forms stay as the
// edits left them (undo brings back exactly what it took); only the bytes
// differ.
//
// Very long lines are held as several blocks of the document, display pieces
// of about pieceLength() characters, so that an edit or a paint lays out and
// shapes one piece rather than the whole line (see textviewpieces.cpp). The
// boundary between two pieces is recorded as a break of the form Cut, which
// is no break at all: text(), rawText(), the positions of selStart() and the
// other members, lineBreakForms() and the line numbers never see it. A caret
// or an edit never stops at a cut: keys that would delete or stop on it act
// on the characters beside it.
//
// Colours are the view's palette, never character formats: a format change
// would be reported as a change of the whole text and wipe the recorded forms.

#include "platform/cp932codec.h"

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QFontMetricsF>
#include <QKeySequence>
#include <QPlainTextEdit>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QPainter;
class QTimer;
class QTextBlock;
class QTextCursor;

namespace zp {
class PaddedTextLayout;
}

namespace zp {

class TextView : public QPlainTextEdit
{
    Q_OBJECT
public:
    // Cut is the boundary between two display pieces of one line.
    enum class LineBreak : quint8 { CrLf, Cr, Lf, Cut };
    // Lines longer than this (in characters) are cut into display pieces of
    // this length when they are set.
    static constexpr int PieceLength = 4000;
    // Lines longer than this (in characters) keep the caret from blinking
    // while it is in them or in a line beside them.
    static constexpr int LongLineForBlinking = 50000;

    explicit TextView(QWidget *parent = nullptr);
    ~TextView() override;

    // The whole text, every line break as "\n".
    QString text() const;
    // Replaces the whole text. raw may mix CR LF, CR and LF; the form of each
    // break is recorded. Counts as one change; clears the undo history.
    void setText(QString raw);
    // Replaces the whole text as one undo step of its own (the undo history is
    // kept): text has every break as "\n" (and no "\r"), forms the form of each
    // of its breaks in order (LineBreak values; missing ones take
    // newLineBreak()). Undo brings back the previous text with its forms.
    void replaceText(const QString &text, std::vector<quint8> forms);
    // The whole text with each line break in its recorded form.
    QString rawText() const;

    int lineBreakCount() const { return int(m_breaks.size() - m_cuts.size()); }
    // The form of every line break, in order (LineBreak values, never Cut).
    std::vector<quint8> lineBreakForms() const;
    // The form a break added by an edit takes: that of the first line break,
    // CR LF when there is none.
    quint8 newLineBreak() const;
    // The length of text().
    int textLength() const;
    // The characters [position, position + count) of text(), read from the
    // document without building the whole text.
    QString textRange(int position, int count) const;

    // The length of the display pieces long lines are cut into from the next
    // setText() on (tests use short pieces).
    int pieceLength() const { return m_pieceLength; }
    void setPieceLength(int length) { m_pieceLength = std::max(2, length); }
    // Whether some line is held as several pieces.
    bool hasPieces() const { return !m_cuts.empty(); }
    // Whether the block with this number continues the line of the block
    // before it (they are pieces of one line).
    bool continuesLine(int blockNumber) const;
    // The line number (from 1) of each of rows display rows from the top of an
    // unwrapped view, 0 for a row that continues the line above it.
    std::vector<int> rowLineNumbers(int rows) const;
    // The position in the document of the text position position (past the
    // cut when it falls on one), and the reverse.
    int documentPosition(int position) const;
    int textPosition(int documentPosition) const;

    // Caret and selection in the positions of text(). Setting selStart clears
    // the selection; setting selLength selects from selStart.
    int selStart() const;
    void setSelStart(int start);
    int selLength() const;
    void setSelLength(int length);
    QString selText() const;
    // Selects length characters from start with one move of the caret (the
    // caret ends at the end of the selection).
    void select(int start, int length);
    // Replaces the selection (or inserts at the caret); "\r\n", "\r" and "\n"
    // in text all become line breaks.
    void setSelText(const QString &text);

    // The modified flag of the document: set by every change of the text
    // (loading included), cleared by whoever opened, saved or set it up.
    bool isModified() const { return m_modified; }
    void setModified(bool modified) { m_modified = modified; }
    // The same flag as the tag text the program's rules speak of: "1" changed,
    // "0" unchanged.
    QString tag() const { return m_modified ? QStringLiteral("1") : QStringLiteral("0"); }

    QColor textColor() const;
    void setTextColor(const QColor &color);
    QColor backColor() const;
    void setBackColor(const QColor &color);

    // 0 wraps lines at the view's right edge; any other value keeps them
    // unwrapped (the program passes 30000).
    void setRightMargin(int margin);
    int rightMargin() const { return m_rightMargin; }

    // Undo and redo through the view, so that the line-break forms of the
    // breaks they bring back are restored too.
    void undoEdit();
    void redoEdit();

    // Index of the first visible display line (wrapped lines counted when
    // wrapping is on), from 0.
    int firstVisibleLine() const;
    // The same, when the wrapped lines above the view can be counted within
    // about milliseconds; otherwise nothing, and the count goes on from the
    // event loop in slices until it is done, when the view
    // repaints (and the gutter, which follows it, is drawn). After a jump deep
    // into a large wrapped text the count can take seconds; it is made once
    // for a width and font, and edits recount from the first changed line.
    std::optional<int> firstVisibleLineWithin(int milliseconds) const;
    // Height in pixels of one display line.
    int lineHeight() const;

    // Whether unwrapped lines of more than PaddedTextLayout::KeepGlyphsFrom
    // characters are drawn by the part that is exposed (the default) rather
    // than whole by Qt; tests compare the two.
    void setLongLinesDrawnInPart(bool inPart) { m_longLinesInPart = inPart; }

    // Writes rawText() as CP932 to path, replacing the file atomically, so a
    // failed write leaves the file as it was. Characters CP932 cannot hold are
    // counted in *unmappable (when given); the file is written only when there
    // are none, unless allowLoss is true. Returns true when the file was
    // written; a failed write sets *error (when given) to its reason.
    bool saveFile(const QString &path, qsizetype *unmappable = nullptr,
                  bool allowLoss = false, QString *error = nullptr) const;
    // rawText() encoded as CP932, with the count of characters written as "?"
    // in *unmappable (when given).
    QByteArray encodedText(qsizetype *unmappable = nullptr) const;
    // The codes the opened file used for characters CP932 has several codes
    // for; the encoding above writes them with those codes.
    void setCp932Variants(Cp932Variants variants) { m_cp932Variants = std::move(variants); }
    const Cp932Variants &cp932Variants() const { return m_cp932Variants; }

Q_SIGNALS:
    // Every change of the text, changes made by the program included.
    void changed();
    // A mouse button went down over the text (global position).
    void mouseDown(Qt::MouseButton button, const QPoint &globalPos);
    // The view finished painting itself; the line-number gutter follows it.
    void painted();
    // Files were dropped on the text (local paths, in the order given).
    void filesDropped(const QStringList &paths);
    // Cut, Copy or Paste was pressed (QKeySequence::Cut, Copy or Paste). The
    // view does nothing itself: the program runs its Edit command, so the keys
    // and the menu items act alike.
    void clipboardKeyPressed(QKeySequence::StandardKey key);
    // Every change of the text, as QTextDocument::contentsChange reports it
    // but in the positions of text().
    void textEdited(int position, int removed, int added);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    enum class EditMode { Normal, Undo, Redo };
    // The forms of the breaks one change removed, kept so that undo and redo
    // can put them back. The stacks are as deep as the document's own undo
    // history and are cleared with it (setText).
    struct RemovedBreaks
    {
        int index;
        std::vector<quint8> forms;
    };
    using BreakStack = std::vector<RemovedBreaks>;

    // Splits raw at CR LF, CR and LF into the text of the document (U+2029
    // breaks, the document's own separator) and the form of each break.
    static QString splitBreaks(QString raw, std::vector<quint8> &breaks);
    enum class Shape { SameText, SameLines, Different };
    // How text ("\n" breaks) differs from the document's: not at all, in
    // characters of lines of the same lengths, or otherwise.
    Shape compareShape(const QString &text) const;
    // Rewrites, through cursor, the runs of characters that differ from text,
    // whose lines have the lengths of the document's.
    void replaceChangedRuns(QTextCursor &cursor, const QString &text);
    // Gives the breaks new forms as an undo item of the document, the last of
    // an edit that changed the text or not.
    void replaceForms(std::vector<quint8> forms, bool textChanged);
    // Appends the document's text to out with each break in its written form,
    // calling flush() whenever out holds at least flushAt characters.
    template <class Flush>
    void writeRaw(QString &out, qsizetype flushAt, Flush flush) const;
    void onContentsChange(int position, int charsRemoved, int charsAdded);
    // Draws the long unwrapped lines that meet region (see textviewpaint.cpp)
    // and returns the rest of region, for Qt to paint.
    QRegion paintLongLines(const QRegion &region);
    // Draws block, whose layout's top left corner is at topLeft, inside clip.
    void drawBlock(QPainter &painter, const QTextBlock &block, const QPointF &topLeft, const QRect &clip,
                   const QAbstractTextDocumentLayout::PaintContext &context);
    void drawLongBlock(QPainter &painter, const QTextBlock &block, const QPointF &topLeft,
                       const QRect &clip, const QAbstractTextDocumentLayout::PaintContext &context);
    void countOnFromEventLoop();
    // Display pieces (textviewpieces.cpp). cutLongLines adds cuts to plain
    // (U+2029 breaks) and their forms to breaks, in order.
    void cutLongLines(QString &plain, std::vector<quint8> &breaks) const;
    // text with every line longer than the piece length cut, reusing the cuts
    // of the document's line of the same number when it has the same length;
    // forms (real breaks) become the forms of the result's breaks.
    QString cutLikeDocument(const QString &text, std::vector<quint8> &forms) const;
    // text with its lines longer than the piece length cut ("\n" at each
    // cut); cutsAt receives the places of those cuts in the result.
    QString cutInserted(const QString &text, std::vector<int> &cutsAt) const;
    // Of forms, those of the breaks a change adds from block index on (the
    // new text being at [position, position + added)), the breaks at the
    // places of m_pendingCuts become Cut, and the others take the given
    // forms in order.
    void markInsertedCuts(int position, int added, int index, std::vector<quint8> &forms);
    // Cuts block when it has grown past twice the piece length.
    void splitLongPiece(const QTextBlock &block);
    // Recounts the cuts and finds their places after m_breaks was set whole.
    void recountCuts();
    // The lowest document position of the text position position (before
    // the cut when it falls on one).
    int documentPositionBefore(int position) const;
    // The document range that an edit replacing the text range [from, to)
    // with inserted replaces: the cuts at its ends go with it where they
    // would otherwise end an empty piece.
    std::pair<int, int> editRange(int from, int to, const QString &inserted) const;
    // The text range a deleting key acts on, as the editing control would
    // delete it; nothing for other keys.
    std::optional<std::pair<int, int>> deletedRange(QKeyEvent *event) const;
    // Keys that would delete or stop on a cut; returns whether the key was
    // handled.
    bool pieceKeyPress(QKeyEvent *event);
    // Moves a caret that stopped just before a cut past it (or, coming from
    // past it, to the character before it).
    void keepCaretOffCuts(int previousPosition);
    // The block that starts the line of block, and the one that ends it.
    QTextBlock lineStartBlock(QTextBlock block) const;
    QTextBlock lineEndBlock(QTextBlock block) const;
    // Stops the caret blinking while it is in a very long line.
    void updateCaretBlinking();
    void restartCaret(bool blinking);
    // Room to the right of the longest unwrapped line (see PaddedTextLayout).
    void updateScrollRoom();
    std::vector<quint8> takeForms(BreakStack &stack, int count, quint8 fallback);
    // Display lines before block blockNumber, counted within milliseconds
    // (no limit when negative).
    std::optional<int> displayLinesBefore(int blockNumber, int milliseconds) const;
    int wrappedLineCount(const QTextBlock &block) const;
    // True when text surely fits on one display line at the wrapping width.
    bool fitsOnOneLine(const QString &text) const;

    // Display lines before each block while wrapping: m_wrapPrefix[i] counts
    // the lines of blocks 0 to i - 1. Valid for the text width and font it was
    // counted with, and cut back from the first block an edit touches.
    mutable std::vector<int> m_wrapPrefix;
    mutable qreal m_wrapWidth = -1;
    mutable QFont m_wrapFont;
    // Advances of the characters met so far, by UTF-16 code (-1: not yet).
    mutable std::vector<float> m_advances;
    mutable std::unique_ptr<QFontMetricsF> m_advanceMetrics;
    mutable int m_lineHeight = 0;
    // Goes on counting wrapped lines from the event loop (see
    // firstVisibleLineWithin).
    QTimer *m_countingTimer = nullptr;
    mutable QFont m_lineHeightFont;

    PaddedTextLayout *m_layout = nullptr;
    std::vector<quint8> m_breaks;
    // The document positions of the separators of the Cut entries of
    // m_breaks, in order.
    std::vector<int> m_cuts;
    // The document positions of the breaks of an insertion not yet reported
    // that are cuts (see setSelText).
    std::vector<int> m_pendingCuts;
    int m_pieceLength = PieceLength;
    BreakStack m_undoBreaks;
    BreakStack m_redoBreaks;
    int m_blockCount = 1;
    EditMode m_mode = EditMode::Normal;
    bool m_settingText = false;
    // An input method's event is under way that adds or removes no break.
    bool m_inputMethodKeepsBreaks = false;
    bool m_caretSteady = false;
    bool m_longLinesInPart = true;
    // The forms a whole-text edit being redone ends with.
    std::optional<std::vector<quint8>> m_formsAfterRedo;
    int m_rightMargin = 30000;
    bool m_modified = false;
    Cp932Variants m_cp932Variants;
};

} // namespace zp
