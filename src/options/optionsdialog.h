#pragma once
// The options dialog ("frmOption"): three pages of the options of section
// Edit. It keeps no copy of the settings: each opening reads the file, "OK"
// writes it and applies the colours and line numbers to the open document
// windows, "Cancel" and the close box discard everything. Modeless, owned by
// the main window, and open at most once.

#include <QDialog>
#include <QList>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace zp {

struct AppContext;
struct OptionValues;

class OptionsDialog : public QDialog
{
    Q_OBJECT
public:
    OptionsDialog(AppContext &context, QWidget *owner);

    // Shows owner's options dialog in front, loading it first unless it is
    // open already.
    static OptionsDialog *showModeless(AppContext &context, QWidget *owner);

    // The message for a history size out of range.
    static const QString HistorySizeMessage;

    // Handlers; indexes are those of the tab strip (1 to 3) and of the
    // colour arrays (0 text, 1 background, 2 line numbers).
    void Form_Load();
    void optTab_Click(int index);
    void btnColor_Click(int index);
    void chkClipHistory_Click();
    void txtClipboard_LostFocus();
    void btnOk_Click();
    void btnCancel_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void buildFrame();
    void buildSavePage();
    void buildEditorPage();
    void buildClipboardPage();
    void showValues(const OptionValues &values);
    OptionValues shownValues() const;
    // Refuses a history size outside 5 to 100 with the message and empties
    // the box; true when the box is empty or holds an accepted size.
    bool historySizeAccepted();
    void message(const QString &text);

    AppContext &m_context;
    bool m_closing = false;

    QTabWidget *m_optTab = nullptr;
    QList<QFrame *> m_FrmTab;
    QPushButton *m_btnOk = nullptr;
    QPushButton *m_btnCancel = nullptr;

    QList<QCheckBox *> m_chkBackup;
    QCheckBox *m_chkHtml = nullptr;
    QCheckBox *m_chkEdit = nullptr;

    QList<QLineEdit *> m_txtColor;
    QCheckBox *m_chkLineNum = nullptr;

    QLineEdit *m_txtClipboard = nullptr;
    QCheckBox *m_chkClipHistory = nullptr;
    QGroupBox *m_FrmTab3_1 = nullptr;
    QGroupBox *m_FrmTab3_2 = nullptr;
    QRadioButton *m_optClipManual = nullptr;
    QRadioButton *m_optClipEnd = nullptr;
    QRadioButton *m_optClipNew = nullptr;
    QRadioButton *m_optClipAdd = nullptr;
};

} // namespace zp
