#include "find/finddialog.h"

#include "editor/childkind.h"
#include "editor/editwindow.h"
#include "editor/textview.h"
#include "find/documentsearchtext.h"
#include "find/findengine.h"
#include "platform/appcontext.h"
#include "platform/frame.h"
#include "platform/messageboxes.h"
#include "platform/twips.h"
#include "platform/windowlist.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>

#include <algorithm>
#include <limits>

namespace zp {

namespace {

// The dialog's client area and controls, in twips.
constexpr int ClientWidth = 4680;
constexpr int ClientHeight = 2400;

struct Place
{
    const char *caption;
    int left, top, width, height;
};

const Place LabelPlaces[] = {
    {"検索する文字列(&S)", 120, 120, 1575, 255},
    {"置き換えする文字列", 120, 720, 1695, 255},
};
const Place TextPlaces[] = {
    {"", 120, 360, 3015, 270},
    {"", 120, 960, 3015, 270},
};
const Place OptionPlaces[] = {
    {"最初から検索する", 120, 1680, 3135, 180},
    {"大文字小文字を区別して検索する", 120, 1920, 3135, 180},
    {"一括で置き換える", 120, 2160, 3135, 180},
};
const Place ButtonPlaces[] = {
    {"検索する(&F)", 3360, 120, 1215, 375},
    {"置き換える(&R)", 3360, 600, 1215, 375},
    {"キャンセル", 3360, 1080, 1215, 375},
};
// The two separator lines, grey above white, from x 0 across the dialog.
const struct
{
    int top;
    QRgb color;
} LinePlaces[] = {{1575, 0xFFFFFF}, {1560, 0x808080}};

bool isEnter(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

} // namespace

FindDialog::FindDialog(AppContext &context, QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                         | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmFind"));
    setWindowTitle(QStringLiteral("検索"));
    setModal(false);
    setFont(QFont(QStringLiteral("MS UI Gothic"), 9));
    buildControls();
}

void FindDialog::buildControls()
{
    auto place = [](QWidget *w, const Place &p) { placeInTwips(w, p.left, p.top, p.width, p.height); };
    setClientSizeInTwips(this, ClientWidth, ClientHeight);

    auto name = [](const char *kind, int i) { return QStringLiteral("%1(%2)").arg(QLatin1String(kind)).arg(i); };
    for (int i = 0; i < 2; ++i) {
        auto *label = new QLabel(QString::fromUtf8(LabelPlaces[i].caption), this);
        label->setObjectName(name("Label1", i));
        place(label, LabelPlaces[i]);
        m_Label1.append(label);
    }
    for (int i = 0; i < 2; ++i) {
        auto *box = new QLineEdit(this);
        box->setObjectName(name("txtFind", i));
        box->setMaxLength(std::numeric_limits<int>::max());
        place(box, TextPlaces[i]);
        box->installEventFilter(this);
        connect(box, &QLineEdit::textChanged, this, [this, i] { txtFind_Change(i); });
        m_txtFind.append(box);
    }
    // The label's access key leads to the box below it.
    m_Label1.at(0)->setBuddy(m_txtFind.at(FindBox));
    for (int i = 0; i < 3; ++i) {
        auto *option = new QCheckBox(QString::fromUtf8(OptionPlaces[i].caption), this);
        option->setObjectName(name("chkOption", i));
        place(option, OptionPlaces[i]);
        option->installEventFilter(this);
        connect(option, &QCheckBox::clicked, this, [this, i] { chkOption_Click(i); });
        m_chkOption.append(option);
    }
    for (int i = 0; i < 3; ++i) {
        auto *button = new QPushButton(QString::fromUtf8(ButtonPlaces[i].caption), this);
        button->setObjectName(name("btnFind", i));
        place(button, ButtonPlaces[i]);
        // Enter presses the button that has the focus, and only that one.
        button->setAutoDefault(true);
        button->installEventFilter(this);
        connect(button, &QPushButton::clicked, this, [this, i] { btnFind_Click(i); });
        m_btnFind.append(button);
    }
    for (int i = 0; i < 2; ++i) {
        auto *line = new QFrame(this);
        line->setObjectName(name("linTop", i));
        line->setAutoFillBackground(true);
        QPalette palette = line->palette();
        palette.setColor(QPalette::Window, QColor(LinePlaces[i].color));
        line->setPalette(palette);
        line->setGeometry(0, twipsToPixels(LinePlaces[i].top, twipsPerPixelY(this)),
                          twipsToPixels(1200, twipsPerPixelX(this)), 1);
        m_linTop.append(line);
    }

    // The boxes, the options and the buttons, each array in index order.
    QList<QWidget *> order;
    for (QLineEdit *box : std::as_const(m_txtFind))
        order.append(box);
    for (QCheckBox *option : std::as_const(m_chkOption))
        order.append(option);
    for (QPushButton *button : std::as_const(m_btnFind))
        order.append(button);
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order.at(i), order.at(i + 1));
}

// --- Opening and closing ------------------------------------------------------

void FindDialog::showModeless()
{
    if (!m_loaded) {
        m_loaded = true;
        if (m_context.windows)
            m_context.windows->add(this);
        Form_Load();
    }
    show();
    raise();
    activateWindow();
}

void FindDialog::unload()
{
    // The dialog stays while a replace-all runs: closing it would let the
    // next opening reset its boxes under the running count.
    if (!m_loaded || m_replacing)
        return;
    m_loaded = false;
    if (m_context.windows)
        m_context.windows->remove(this);
    hide();
}

void FindDialog::Form_Load()
{
    centreOverOwner(this, parentWidget());

    // Boxes and options start afresh at every opening.
    for (QCheckBox *option : std::as_const(m_chkOption))
        option->setChecked(false);
    m_txtFind[ReplacementBox]->clear();
    m_txtFind[FindBox]->clear();
    if (EditWindow *document = activeDocument()) {
        const QString selected = document->rtfEdit()->selText();
        if (!selected.isEmpty()) {
            m_txtFind[FindBox]->setText(selected);
            m_txtFind[FindBox]->setSelection(0, int(selected.size()));
        }
    }
    m_txtFind[FindBox]->setFocus();

    m_caretTaken = false;
    UpdateFindButtons();
}

void FindDialog::Form_Resize()
{
    for (QFrame *line : std::as_const(m_linTop))
        line->setGeometry(0, line->y(), width(), 1);
}

void FindDialog::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    Form_Resize();
}

void FindDialog::closeEvent(QCloseEvent *event)
{
    if (m_replacing) {
        event->ignore();
        return;
    }
    event->accept();
    unload();
}

void FindDialog::reject()
{
    unload();
}

// --- Keys --------------------------------------------------------------------

void FindDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        unload();
        return;
    }
    // Enter elsewhere than on a button (the replacement box, an option) does
    // nothing: the dialog has no default button.
    if (isEnter(event)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool FindDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    // Esc closes the dialog whichever control has the focus.
    if (key->key() == Qt::Key_Escape) {
        unload();
        return true;
    }
    if (watched == m_txtFind[FindBox] && isEnter(key)) {
        // Enter only moves on to "検索する(&F)"; with an empty box that button
        // is disabled, so the focus stays in the box.
        if (m_btnFind[FindButton]->isEnabled())
            m_btnFind[FindButton]->setFocus(Qt::TabFocusReason);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

// --- Changes of the boxes and options --------------------------------------------

void FindDialog::txtFind_Change(int index)
{
    if (index == FindBox)
        m_matchFound = false;
    UpdateFindButtons();
}

void FindDialog::chkOption_Click(int index)
{
    if (index == FromTopOption && m_chkOption[FromTopOption]->isChecked())
        m_searchPos = 0;
    else if (index == MatchCaseOption)
        m_matchFound = false;
}

void FindDialog::UpdateFindButtons()
{
    const bool any = !m_txtFind[FindBox]->text().isEmpty();
    m_btnFind[FindButton]->setEnabled(any);
    m_btnFind[ReplaceButton]->setEnabled(any);
}

// --- Buttons -------------------------------------------------------------------

void FindDialog::btnFind_Click(int index)
{
    if (index == CancelButton) {
        unload();
        return;
    }
    // A replace-all lets window events run; a second press meanwhile would
    // start another run over the text the first one is still working on.
    if (m_replacing)
        return;
    // With no document window active (a preview, or none) the buttons do
    // nothing and say nothing.
    EditWindow *document = activeDocument();
    const QString what = m_txtFind[FindBox]->text();
    if (!document || what.isEmpty())
        return;
    if (!m_chkOption[FromTopOption]->isChecked() && !m_caretTaken) {
        m_caretTaken = true;
        m_searchPos = document->rtfEdit()->selStart();
    }
    if (index == FindButton)
        m_searchPos = FindNext(what, m_searchPos);
    else if (m_chkOption[ReplaceAllOption]->isChecked())
        m_searchPos = ReplaceText(what, m_txtFind[ReplacementBox]->text(), 1, ReplaceMode::All);
    else
        m_searchPos = ReplaceText(what, m_txtFind[ReplacementBox]->text(), m_searchPos,
                                  ReplaceMode::One);
}

EditWindow *FindDialog::activeDocument() const
{
    QWidget *child = m_context.frame ? m_context.frame->activeChild() : nullptr;
    // A document still reading its file, or under a replace-all, is not
    // searched: its text is not yet what the user will see.
    return childKind(child) == ChildKind::Document ? documentWindow(child) : nullptr;
}

void FindDialog::setControlsEnabled(bool enabled)
{
    for (QLineEdit *box : std::as_const(m_txtFind))
        box->setEnabled(enabled);
    for (QCheckBox *option : std::as_const(m_chkOption))
        option->setEnabled(enabled);
    for (QPushButton *button : std::as_const(m_btnFind))
        button->setEnabled(enabled);
    if (enabled)
        UpdateFindButtons();
}

void FindDialog::message(const QString &text)
{
    if (!m_context.messageBoxes)
        return;
    QWidget *owner = isVisible() ? static_cast<QWidget *>(this) : parentWidget();
    m_context.messageBoxes->show(owner, text, AppTitle, MessageBoxes::Buttons::Ok,
                                 MessageBoxes::Icon::None, MessageBoxes::Answer::Ok);
}

void FindDialog::select(TextView *editor, int start, int length)
{
    // One cursor move instead of setting the start and then the length: on a
    // large text each move of the view's cursor costs a scroll and a repaint.
    editor->select(start, length);
}

// --- Searching -------------------------------------------------------------------

int FindDialog::FindNext(const QString &what, int searchPos)
{
    EditWindow *document = activeDocument();
    if (!document)
        return searchPos;
    TextView *editor = document->rtfEdit();
    // The search begins at the top, at the caret, or at the second character
    // of the selection, so overlapping matches are found one by one.
    int from = 0;
    if (searchPos != 0)
        from = editor->selLength() > 0 ? editor->selStart() + 1 : editor->selStart();
    const int k = findText(DocumentSearchText(*editor), what, from,
                           m_chkOption[MatchCaseOption]->isChecked());
    if (k >= 0) {
        select(editor, k, int(what.size()));
        m_matchFound = true;
        // The 1-based position just after the start of the match.
        return k + 2;
    }
    message(m_matchFound ? QStringLiteral("検索が終了しました")
                         : QStringLiteral("検索文字が見つかりません"));
    return 0;
}

int FindDialog::ReplaceText(const QString &what, const QString &replacement, int searchPos,
                            ReplaceMode mode)
{
    EditWindow *document = activeDocument();
    if (!document)
        return searchPos;
    if (mode == ReplaceMode::All)
        return replaceAll(document, what, replacement);
    return replaceOne(document->rtfEdit(), what, replacement, searchPos);
}

int FindDialog::replaceOne(TextView *editor, const QString &what, const QString &replacement,
                           int searchPos)
{
    // The selection is replaced whatever it holds.
    if (editor->selLength() > 0)
        editor->setSelText(replacement);
    // searchPos is 1-based here, and the search starts at it.
    const int from = (searchPos == 0 ? 1 : searchPos) - 1;
    const int k = findText(DocumentSearchText(*editor), what, from,
                           m_chkOption[MatchCaseOption]->isChecked());
    if (k >= 0) {
        select(editor, k, int(what.size()));
        m_matchFound = true;
        // Just after the replacement that the next press puts in its place.
        return k + 1 + int(replacement.size());
    }
    if (!m_matchFound) {
        message(QStringLiteral("置き換え文字が見つかりません"));
    } else {
        message(QStringLiteral("検索が終了しました"));
        m_matchFound = false;
    }
    return 0;
}

int FindDialog::replaceAll(EditWindow *document, const QString &what, const QString &replacement)
{
    // The matches are collected from the live text, each after the previous
    // one, and the new text is put in at the end as a single edit: one undo
    // step, and each line break keeps its form. Window events run every
    // m_eventSlice milliseconds; an edit made meanwhile is taken into the plan,
    // and a document window closed meanwhile ends the run quietly.
    TextView *editor = document->rtfEdit();
    QPointer<TextView> alive(editor);
    QPointer<QMdiSubWindow> sub(document->subWindow());
    const bool hosted = sub && sub->isVisible();
    auto gone = [&] { return !alive || (hosted && (!sub || sub->isHidden())); };

    ReplaceAllPlan plan(what, replacement);
    const QMetaObject::Connection edits =
        connect(editor, &TextView::textEdited, this,
                [&plan](int position, int removed, int added) {
                    plan.textChanged(position, removed, added);
                });
    // Until the run is done, neither the document nor the dialog takes other
    // commands: a conversion, an undo or a reset of the boxes meanwhile would
    // leave matches out of the plan and the count wrong.
    m_replacing = true;
    QPointer<EditWindow> busyDocument(document);
    document->setBusy(EditWindow::Busy::Replacing);
    setControlsEnabled(false);
    QElapsedTimer slice;
    slice.start();
    bool closed = false;
    while (plan.findNext(DocumentSearchText(*editor))) {
        m_matchFound = true;
        if (slice.elapsed() >= m_eventSlice) {
            QCoreApplication::processEvents();
            if (gone()) {
                closed = true;
                break;
            }
            slice.restart();
        }
    }
    m_replacing = false;
    setControlsEnabled(true);
    if (busyDocument)
        busyDocument->setBusy(EditWindow::Busy::No);
    disconnect(edits);
    if (closed)
        return 0;

    if (plan.count() > 0) {
        std::vector<quint8> forms = editor->lineBreakForms();
        const QString text = plan.apply(editor->text(), forms, editor->newLineBreak());
        editor->replaceText(text, std::move(forms));
        editor->setSelStart(plan.caretAfter());
    }
    if (m_matchFound) {
        message(QString::number(plan.count()) + QStringLiteral("個の文字列を置き換えました"));
        m_matchFound = false;
    } else {
        message(QStringLiteral("置き換え文字が見つかりません"));
    }
    return 0;
}

} // namespace zp
