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
// opened and saved unchanged is written back as it was.
//
// Colours are the view's palette, never character formats: a format change
// would be reported as a change of the whole text and wipe the recorded forms.

#include <QFont>
#include <QFontMetricsF>
#include <QKeySequence>
#include <QPlainTextEdit>
#include <QString>
#include <QStringList>

#include <deque>
#include <memory>
#include <vector>

class QTextBlock;

namespace zp {
class PaddedTextLayout;
}

namespace zp {

class TextView : public QPlainTextEdit
{
    Q_OBJECT
public:
    enum class LineBreak : quint8 { CrLf, Cr, Lf };
    // Lines longer than this (in characters) keep the caret from blinking.
    static constexpr int LongLineForBlinking = 50000;

    explicit TextView(QWidget *parent = nullptr);
    ~TextView() override;

    // The whole text, every line break as "\n".
    QString text() const;
    // Replaces the whole text. raw may mix CR LF, CR and LF; the form of each
    // break is recorded. Counts as one change; clears the undo history.
    void setText(QString raw);
    // Replaces the whole text as one undoable edit (the undo history is kept),
    // with the line-break forms recorded from raw as setText does. Undo brings
    // back the previous text with its forms.
    void replaceAll(const QString &raw);
    // The whole text with each line break in its recorded form.
    QString rawText() const;

    int lineBreakCount() const { return int(m_breaks.size()); }
    LineBreak lineBreak(int index) const { return LineBreak(m_breaks.at(index)); }

    // Caret and selection in the positions of text(). Setting selStart clears
    // the selection; setting selLength selects from selStart.
    int selStart() const;
    void setSelStart(int start);
    int selLength() const;
    void setSelLength(int length);
    QString selText() const;
    // Replaces the selection (or inserts at the caret); "\r\n", "\r" and "\n"
    // in text all become line breaks.
    void setSelText(const QString &text);

    // The modified flag of the document: "1" changed, "0" unchanged.
    QString tag() const { return m_tag; }
    void setTag(const QString &tag) { m_tag = tag; }

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
    // Height in pixels of one display line.
    int lineHeight() const;

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

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
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
    // can put them back.
    struct RemovedBreaks
    {
        int index;
        std::vector<quint8> forms;
    };
    using BreakStack = std::deque<RemovedBreaks>;

    // Splits raw at CR LF, CR and LF into the text of the document (U+2029
    // breaks, the document's own separator) and the form of each break.
    static QString splitBreaks(QString raw, std::vector<quint8> &breaks);
    enum class Shape { SameText, SameLines, Different };
    // How raw differs from the document: only in the forms of its breaks, in
    // characters of lines of the same lengths, or otherwise. forms receives
    // the forms of raw's breaks (complete unless Different).
    Shape compareShape(const QString &raw, std::vector<quint8> &forms) const;
    // Rewrites the runs of characters that differ from raw, whose lines have
    // the lengths of the document's, as one edit.
    void replaceChangedRuns(const QString &raw);
    // Gives the breaks new forms as one undoable step of the document.
    void replaceForms(std::vector<quint8> forms);
    void onContentsChange(int position, int charsRemoved, int charsAdded);
    // Stops the caret blinking while it is in a very long line.
    void updateCaretBlinking();
    static void setCaretBlinking(bool blinking);
    // Room to the right of the longest unwrapped line (see PaddedTextLayout).
    void updateScrollRoom();
    std::vector<quint8> takeForms(BreakStack &stack, int count, quint8 fallback);
    static void pushRemoved(BreakStack &stack, RemovedBreaks removed);
    int displayLinesBefore(int blockNumber) const;
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
    mutable QFont m_lineHeightFont;

    PaddedTextLayout *m_layout = nullptr;
    std::vector<quint8> m_breaks;
    BreakStack m_undoBreaks;
    BreakStack m_redoBreaks;
    int m_blockCount = 1;
    EditMode m_mode = EditMode::Normal;
    bool m_settingText = false;
    int m_rightMargin = 30000;
    QString m_tag = QStringLiteral("0");
};

} // namespace zp
