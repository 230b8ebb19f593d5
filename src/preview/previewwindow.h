#pragma once
// The preview window ("frmBrow"): a child window of the frame that shows an
// HTML file on disk in its browser control brwHp. Its caption is the path it
// shows ("" for an empty preview). While it is the active child the toolbar's
// document buttons are off.

#include <QMdiSubWindow>
#include <QPointer>
#include <QWidget>

namespace zp {

struct AppContext;
class BrowserView;

class PreviewWindow : public QWidget
{
    Q_OBJECT
public:
    explicit PreviewWindow(AppContext &context, QWidget *parent = nullptr);

    // The browser control; null when no browser engine could be loaded.
    BrowserView *brwHp() const { return m_brwHp; }
    QMdiSubWindow *subWindow() const { return m_subWindow; }
    // Sets the caption; a maximised window passes it to the frame too.
    void setTitle(const QString &path);

    // Hosts the window in the frame, creates brwHp and shows the window; it
    // becomes the active child.
    void Form_Load();
    void Form_Activate();
    void Form_Resize();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    AppContext &m_context;
    BrowserView *m_brwHp = nullptr;
    QPointer<QMdiSubWindow> m_subWindow;
};

} // namespace zp
