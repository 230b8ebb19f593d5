#pragma once
// The print dialog ("frmPrint"): prints the whole text of the active document
// window on the default printer in one font, with an orientation and a number
// of copies. Modeless and owned by the main window; loaded afresh at every
// opening and unloaded after printing or cancelling. With no printer
// installed the text goes to a PDF file the user names.

#include <QDialog>
#include <QList>

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zp {

struct AppContext;

class PrintDialog : public QDialog
{
    Q_OBJECT
public:
    PrintDialog(AppContext &context, QWidget *owner);

    // Sets the caption, centres the dialog over its owner and fills the
    // font list.
    void Form_Load();
    // 0: prints and closes; 1: closes.
    void btnPrint_Click(int index);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void unload();

    AppContext &m_context;
    QGroupBox *m_Frame1 = nullptr;
    QRadioButton *m_optWidth = nullptr;
    QRadioButton *m_optHeight = nullptr;
    QComboBox *m_cmbFont = nullptr;
    QLabel *m_Label1 = nullptr;
    QLabel *m_Label2 = nullptr;
    QList<QPushButton *> m_btnPrint;
    QLineEdit *m_txtCnt = nullptr;
    QList<QFrame *> m_linTop;
};

} // namespace zp
