#pragma once
// The find and replace dialog ("frmFind"): finds a text in the active
// document window, shows each match as the selection, replaces the selection
// and moves on, or replaces every occurrence at once. Modeless and owned by
// the main window; it exists once for the whole run and acts on whichever
// document window is active when a button is pressed.

#include <QDialog>
#include <QList>
#include <QString>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zp {

struct AppContext;
class EditWindow;
class TextView;

class FindDialog : public QDialog
{
    Q_OBJECT
public:
    FindDialog(AppContext &context, QWidget *owner);

    // Opens the dialog: loads it (registers it as a loaded window and runs
    // Form_Load) unless it is loaded already, then shows it in front.
    void showModeless();
    // Closes the dialog; SearchPos and MatchFound survive for the next opening.
    void unload();
    bool isLoaded() const { return m_loaded; }

    // The dialog's own state (see the handlers below).
    int SearchPos() const { return m_searchPos; }
    bool MatchFound() const { return m_matchFound; }
    bool CaretTaken() const { return m_caretTaken; }
    bool isReplacing() const { return m_replacing; }

    // How long a replace-all works between two rounds of pending window
    // events, in milliseconds (0: after every match).
    void setEventSlice(int milliseconds) { m_eventSlice = milliseconds; }

    // The indexes of the control arrays txtFind, chkOption and btnFind.
    enum TextBox { FindBox = 0, ReplacementBox = 1 };
    enum Option { FromTopOption = 0, MatchCaseOption = 1, ReplaceAllOption = 2 };
    enum Button { FindButton = 0, ReplaceButton = 1, CancelButton = 2 };

    // Handlers.
    void Form_Load();
    void Form_Resize();
    void txtFind_Change(int index);
    void chkOption_Click(int index);
    void btnFind_Click(int index);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void reject() override;

private:
    void buildControls();
    // The active document window, or null when no document window is active
    // (a preview, or nothing).
    EditWindow *activeDocument() const;
    int FindNext(const QString &what, int searchPos);
    enum class ReplaceMode { One, All };
    int ReplaceText(const QString &what, const QString &replacement, int searchPos,
                    ReplaceMode mode);
    int replaceOne(TextView *editor, const QString &what, const QString &replacement,
                   int searchPos);
    int replaceAll(EditWindow *document, const QString &what, const QString &replacement);
    void UpdateFindButtons();
    // Turns the boxes, options and buttons off for a replace-all, and back on.
    void setControlsEnabled(bool enabled);
    void message(const QString &text);
    // Selects length characters from start and shows them.
    static void select(TextView *editor, int start, int length);

    AppContext &m_context;
    QList<QLabel *> m_Label1;
    QList<QLineEdit *> m_txtFind;
    QList<QCheckBox *> m_chkOption;
    QList<QPushButton *> m_btnFind;
    QList<QFrame *> m_linTop;

    int m_searchPos = 0;
    bool m_matchFound = false;
    bool m_caretTaken = false;
    bool m_loaded = false;
    bool m_replacing = false;
    int m_eventSlice = 50;
};

} // namespace zp
