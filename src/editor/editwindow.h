#pragma once
// The document window: one open document, its text view and line-number
// gutter. The caption is the document's full path or untitled name; the text
// view holds the modified flag; lineNumbersShown() tells whether this window
// draws its gutter.

#include <QMdiSubWindow>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>


namespace zp {

struct AppContext;
class LineNumberGutter;
class TextView;

class EditWindow : public QWidget
{
    Q_OBJECT
public:
    explicit EditWindow(AppContext &context, QWidget *parent = nullptr);

    TextView *rtfEdit() const { return m_rtfEdit; }
    LineNumberGutter *picLineNo() const { return m_picLineNo; }
    QWidget *picfrm() const { return m_picfrm; }
    // The sub-window that hosts this window in the frame (null before load).
    QMdiSubWindow *subWindow() const { return m_subWindow; }

    // The document's modified flag (the text view's).
    bool isModified() const;
    // True while this window draws line numbers in its gutter after every
    // repaint of its text: set at load from the "LineNum" setting.
    bool lineNumbersShown() const { return m_lineNumbersShown; }
    // Shows or hides the gutter (the text then fills the window) and sets the
    // shared flag that every document window's layout follows to match.
    void setLineNumbersShown(bool shown);

    // What the window is busy with: its file being read in, or a replace-all
    // over its text. A busy window takes no command on its text (the frame's
    // menus, the toolbar and the find dialog ask), and its text is read-only:
    // typing and the keys of undo and paste are refused until it is done.
    enum class Busy { No, Loading, Replacing };
    Busy busy() const { return m_busy; }
    bool isBusy() const { return m_busy != Busy::No; }
    void setBusy(Busy busy);

    // Asked when the window is about to close; returning false keeps it open.
    void setCloseRequestHandler(std::function<bool()> handler) { m_closeRequest = std::move(handler); }

    // Hosts the window in the frame, shows it and reads its gutter settings.
    void Form_Load();
    void Form_Activate();
    void Form_Resize();
    void rtfEdit_Change();
    void rtfEdit_MouseDown(Qt::MouseButton button, const QPoint &globalPos);
    void Form_Unload();

    // Runs after every repaint of the text while the window shows line
    // numbers: redraws the gutter, unless the active document
    // window is minimised.
    void EditWndProc();
    // Redraws this window's gutter from the text's first visible line.
    void DrawLineNumbers();

Q_SIGNALS:
    void busyChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void layoutControls();

    AppContext &m_context;
    QWidget *m_picfrm = nullptr;
    LineNumberGutter *m_picLineNo = nullptr;
    TextView *m_rtfEdit = nullptr;
    QPointer<QMdiSubWindow> m_subWindow;
    bool m_lineNumbersShown = false;
    std::function<bool()> m_closeRequest;
    Busy m_busy = Busy::No;
};

} // namespace zp
