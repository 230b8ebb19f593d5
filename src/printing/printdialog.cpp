#include "printing/printdialog.h"

#include "editor/editwindow.h"
#include "editor/textview.h"
#include "platform/appcontext.h"
#include "platform/frame.h"
#include "platform/messageboxes.h"
#include "platform/printer.h"
#include "platform/twips.h"
#include "platform/windowlist.h"
#include "printing/pdfoutput.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>

#include <limits>

namespace zp {

namespace {

// The client area and the controls, in twips.
constexpr int ClientWidth = 5475;
constexpr int ClientHeight = 2010;

struct Place
{
    int left, top, width, height;
};

} // namespace

PrintDialog::PrintDialog(AppContext &context, QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                         | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmPrint"));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(QFont(QStringLiteral("MS UI Gothic"), 9));
    buildControls();
}

void PrintDialog::buildControls()
{
    auto place = [](QWidget *w, const Place &p) { placeInTwips(w, p.left, p.top, p.width, p.height); };
    setClientSizeInTwips(this, ClientWidth, ClientHeight);

    m_Frame1 = new QGroupBox(QStringLiteral("印刷の向き"), this);
    m_Frame1->setObjectName(QStringLiteral("Frame1"));
    place(m_Frame1, {3480, 120, 1935, 975});
    m_optWidth = new QRadioButton(QStringLiteral("横(&W)"), m_Frame1);
    m_optWidth->setObjectName(QStringLiteral("optWidth"));
    place(m_optWidth, {120, 240, 855, 255});
    m_optHeight = new QRadioButton(QStringLiteral("縦(&H)"), m_Frame1);
    m_optHeight->setObjectName(QStringLiteral("optHeight"));
    place(m_optHeight, {120, 600, 735, 255});
    m_optHeight->setChecked(true);

    m_cmbFont = new QComboBox(this);
    m_cmbFont->setObjectName(QStringLiteral("cmbFont"));
    m_cmbFont->setEditable(true);
    // A typed name is used as it is; it does not join the list.
    m_cmbFont->setInsertPolicy(QComboBox::NoInsert);
    place(m_cmbFont, {120, 360, 3135, 300});

    m_Label1 = new QLabel(QStringLiteral("使用可能なフォント"), this);
    m_Label1->setObjectName(QStringLiteral("Label1"));
    place(m_Label1, {120, 120, 1815, 255});

    const Place buttonPlaces[] = {{120, 1440, 1215, 375}, {1560, 1440, 1215, 375}};
    const QString captions[] = {QStringLiteral("印刷(&P)"), QStringLiteral("キャンセル")};
    for (int i = 0; i < 2; ++i) {
        auto *button = new QPushButton(captions[i], this);
        button->setObjectName(QStringLiteral("btnPrint(%1)").arg(i));
        place(button, buttonPlaces[i]);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, i] { btnPrint_Click(i); });
        m_btnPrint.append(button);
    }

    m_Label2 = new QLabel(QStringLiteral("印刷部数(&C)"), this);
    m_Label2->setObjectName(QStringLiteral("Label2"));
    place(m_Label2, {120, 840, 1095, 255});
    m_txtCnt = new QLineEdit(QStringLiteral("1"), this);
    m_txtCnt->setObjectName(QStringLiteral("txtCnt"));
    place(m_txtCnt, {1320, 840, 615, 270});
    // Only digits get in, typed or pasted; Backspace and the caret keys work.
    m_txtCnt->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), m_txtCnt));
    m_Label2->setBuddy(m_txtCnt);

    const struct
    {
        int top;
        QRgb color;
    } lines[] = {{1320, 0x808080}, {1335, 0xFFFFFF}};
    for (int i = 0; i < 2; ++i) {
        auto *line = new QFrame(this);
        line->setObjectName(QStringLiteral("linTop(%1)").arg(i));
        line->setAutoFillBackground(true);
        QPalette palette = line->palette();
        palette.setColor(QPalette::Window, QColor(lines[i].color));
        line->setPalette(palette);
        line->setGeometry(0, twipsToPixels(lines[i].top, twipsPerPixelY(this)),
                          twipsToPixels(5520, twipsPerPixelX(this)), 1);
        m_linTop.append(line);
    }

    setTabOrder(m_optWidth, m_optHeight);
    setTabOrder(m_optHeight, m_cmbFont);
    setTabOrder(m_cmbFont, m_btnPrint[0]);
    setTabOrder(m_btnPrint[0], m_btnPrint[1]);
    setTabOrder(m_btnPrint[1], m_txtCnt);
}

void PrintDialog::Form_Load()
{
    Printer *printer = m_context.printer;
    setWindowTitle(QStringLiteral("印刷 ") + (printer ? printer->deviceName() : QString()));

    centreOverOwner(this, parentWidget());

    if (!printer)
        return;
    // The list keeps the printer's order and ends at the first empty name.
    for (const QString &name : printer->fontNames()) {
        if (name.isEmpty())
            break;
        m_cmbFont->addItem(name);
    }
    m_cmbFont->setCurrentIndex(-1);
    m_cmbFont->setEditText(QString());
}

void PrintDialog::btnPrint_Click(int index)
{
    if (index != 0) {
        unload();
        return;
    }
    Printer *printer = m_context.printer;
    QWidget *active = m_context.frame ? m_context.frame->activeChild() : nullptr;
    auto *document = qobject_cast<EditWindow *>(active);
    // The text of a document still reading its file is not whole yet.
    if (!printer || !document || document->isBusy()) {
        unload();
        return;
    }
    // Font, orientation and copies are set before the first line, so that
    // they apply to the whole job.
    const QString typed = m_cmbFont->currentText();
    printer->setFontName(!typed.isEmpty() ? typed : document->rtfEdit()->font().family());
    printer->setOrientation(m_optWidth->isChecked() ? Printer::Landscape : Printer::Portrait);
    bool isNumber = false;
    const int copies = m_txtCnt->text().toInt(&isNumber);
    // An empty box or a number no printer takes keeps the printer's number.
    if (isNumber && copies >= 1 && copies <= std::numeric_limits<qint16>::max())
        printer->setCopies(copies);

    QString pdf;
    if (printer->deviceName().isEmpty()) {
        pdf = askPdfPath(m_context, document->windowTitle(), this);
        // Cancelled: nothing printed, and the dialog stays, active, for
        // another try.
        if (pdf.isEmpty())
            return;
    }
    printer->setOutputFile(pdf);
    printer->print(document->rtfEdit()->text());
    const bool sent = printer->endDoc();
    if (!pdf.isEmpty()) {
        reportPdfResult(m_context, pdf, sent);
    } else if (!sent && m_context.messageBoxes) {
        m_context.messageBoxes->show(this, QStringLiteral("印刷できませんでした。"), AppTitle,
                                     MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Warning,
                                     MessageBoxes::Answer::Ok);
    }
    unload();
}

void PrintDialog::keyPressEvent(QKeyEvent *event)
{
    // Esc closes the dialog whichever control has the focus; Enter presses
    // only the button that has the focus.
    if (event->key() == Qt::Key_Escape) {
        unload();
        return;
    }
    QDialog::keyPressEvent(event);
}

void PrintDialog::closeEvent(QCloseEvent *event)
{
    if (m_context.windows)
        m_context.windows->remove(this);
    QDialog::closeEvent(event);
}

void PrintDialog::unload()
{
    close();
}

} // namespace zp
