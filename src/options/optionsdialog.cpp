#include "options/optionsdialog.h"

#include "editor/editorcolors.h"
#include "options/applyoptions.h"
#include "options/optionsfile.h"
#include "options/optionvalues.h"
#include "platform/appcontext.h"
#include "platform/colortext.h"
#include "platform/messageboxes.h"
#include "platform/twips.h"
#include "platform/windowlist.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include <algorithm>
#include <optional>
#include <type_traits>

namespace zp {

namespace {

// The dialog's client area and controls, in twips, each relative to its
// container.
constexpr int ClientWidth = 5265;
constexpr int ClientHeight = 4170;

struct Place
{
    int left, top, width, height;
};

constexpr int HistoryMin = 5;
constexpr int HistoryMax = 100;

template<typename W>
W *make(QWidget *parent, const QString &name, const Place &p, const QString &caption = QString())
{
    auto *w = new W(parent);
    w->setObjectName(name);
    placeInTwips(w, p.left, p.top, p.width, p.height);
    if constexpr (std::is_base_of_v<QAbstractButton, W> || std::is_same_v<W, QLabel>)
        w->setText(caption);
    else if constexpr (std::is_same_v<W, QGroupBox>)
        w->setTitle(caption);
    return w;
}

QString indexed(const char *name, int i)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i);
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

const QString OptionsDialog::HistorySizeMessage =
        QStringLiteral("5 ～ 100までの数値を入力してください。");

OptionsDialog::OptionsDialog(AppContext &context, QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                         | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmOption"));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(QFont(QStringLiteral("ＭＳ ゴシック"), 9));
    setClientSizeInTwips(this, ClientWidth, ClientHeight);
    buildFrame();
    buildSavePage();
    buildEditorPage();
    buildClipboardPage();
}

void OptionsDialog::buildFrame()
{
    m_optTab = make<QTabWidget>(this, QStringLiteral("optTab"), {120, 120, 5055, 3495});
    for (const QString &caption : {QStringLiteral("保存"), QStringLiteral("エディタ"),
                                   QStringLiteral("クリップボード")})
        m_optTab->addTab(new QWidget(m_optTab), caption);
    connect(m_optTab, &QTabWidget::currentChanged, this, [this](int i) { optTab_Click(i + 1); });

    // The pages lie over the tab strip's panel; the strip only switches them.
    const int pageHeights[] = {2895, 2415, 3015};
    for (int i = 0; i < 3; ++i) {
        auto *page = make<QFrame>(this, QStringLiteral("FrmTab%1").arg(i + 1),
                                  {240, 480, 4815, pageHeights[i]});
        m_FrmTab.append(page);
    }

    const QFont buttonFont(QStringLiteral("ＭＳ Ｐゴシック"), 9);
    m_btnOk = make<QPushButton>(this, QStringLiteral("btnOk"), {120, 3720, 1095, 375},
                                QStringLiteral("OK"));
    m_btnCancel = make<QPushButton>(this, QStringLiteral("btnCancel"), {1440, 3720, 1095, 375},
                                    QStringLiteral("Cancel"));
    for (QPushButton *button : {m_btnOk, m_btnCancel}) {
        button->setFont(buttonFont);
        // Enter in a box presses no button.
        button->setAutoDefault(false);
    }
    connect(m_btnOk, &QPushButton::clicked, this, &OptionsDialog::btnOk_Click);
    connect(m_btnCancel, &QPushButton::clicked, this, &OptionsDialog::btnCancel_Click);
}

void OptionsDialog::buildSavePage()
{
    QWidget *page = m_FrmTab[0];
    const struct
    {
        const char *caption;
        int top, height;
    } frames[] = {{"閉じる", 1680, 855}, {"保存", 720, 855}, {"開く", 0, 615}};
    QList<QGroupBox *> frame;
    for (int i = 0; i < 3; ++i)
        frame.append(make<QGroupBox>(page, indexed("Frame1", i), {0, frames[i].top, 4575, frames[i].height},
                                     QString::fromUtf8(frames[i].caption)));

    const struct
    {
        const char *caption;
        int top;
    } backups[] = {{"テキストを閉じた時にバックアップを取る", 480},
                   {"テキスト保存時にバックアップを取る", 240},
                   {"ファイルを開いた時にバックアップを取る", 240}};
    for (int i = 0; i < 3; ++i)
        m_chkBackup.append(make<QCheckBox>(frame[i], indexed("chkBackup", i),
                                           {120, backups[i].top, 3975, 255},
                                           QString::fromUtf8(backups[i].caption)));
    m_chkHtml = make<QCheckBox>(frame[1], QStringLiteral("chkHtml"), {120, 480, 3735, 255},
                                QStringLiteral("テキスト保存時にブラウザを表示する"));
    m_chkEdit = make<QCheckBox>(frame[0], QStringLiteral("chkEdit"), {120, 240, 4215, 255},
                                QStringLiteral("エディター終了時に文字色、背景色を保存する"));
}

void OptionsDialog::buildEditorPage()
{
    QWidget *page = m_FrmTab[1];
    auto *lineFrame = make<QGroupBox>(page, QStringLiteral("FrmTab2_1"), {120, 1080, 4575, 1095},
                                      QStringLiteral("行番号の設定"));
    m_chkLineNum = make<QCheckBox>(lineFrame, QStringLiteral("chkLineNum"), {120, 240, 2535, 255},
                                   QStringLiteral("行番号を表示する"));
    make<QLabel>(lineFrame, QStringLiteral("Label2"), {120, 600, 1575, 255},
                 QStringLiteral("行番号の色を設定"));

    make<QLabel>(page, indexed("Label1", 0), {120, 240, 1215, 255}, QStringLiteral("文字色の設定"));
    make<QLabel>(page, indexed("Label1", 1), {120, 600, 1215, 255}, QStringLiteral("背景色の設定"));
    const struct
    {
        QWidget *parent;
        int left, top;
    } colors[] = {{page, 1440, 240}, {page, 1440, 600}, {lineFrame, 1680, 600}};
    QFont buttonFont(QStringLiteral("MS UI Gothic"));
    buttonFont.setPointSizeF(8.25);
    for (int i = 0; i < 3; ++i) {
        const auto &c = colors[i];
        m_txtColor.append(make<QLineEdit>(c.parent, indexed("txtColor", i), {c.left, c.top, 1455, 270}));
        auto *button = make<QPushButton>(c.parent, indexed("btnColor", i),
                                         {c.left + 1440, c.top, 255, 255}, QStringLiteral("..."));
        button->setFont(buttonFont);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, i] { btnColor_Click(i); });
    }
    // A greyed box, once clicked, has two states like the others.
    for (QCheckBox *box : {m_chkEdit, m_chkLineNum})
        connect(box, &QCheckBox::clicked, box, [box] { box->setTristate(false); });
}

void OptionsDialog::buildClipboardPage()
{
    QWidget *page = m_FrmTab[2];
    make<QLabel>(page, QStringLiteral("Label3"), {120, 240, 2895, 255},
                 QStringLiteral("クリップボードの履歴件数(5-100)"));
    m_txtClipboard = make<QLineEdit>(page, QStringLiteral("txtClipboard"), {3000, 240, 975, 270});
    m_txtClipboard->setMaxLength(3);
    // Only typed digits get in: no input method to compose other characters.
    m_txtClipboard->setAttribute(Qt::WA_InputMethodEnabled, false);
    m_txtClipboard->installEventFilter(this);

    m_chkClipHistory = make<QCheckBox>(page, QStringLiteral("chkClipHistory"), {120, 720, 4095, 255},
                                       QStringLiteral("クリップボードの履歴を保存をする"));
    connect(m_chkClipHistory, &QCheckBox::toggled, this, &OptionsDialog::chkClipHistory_Click);

    m_FrmTab3_1 = make<QGroupBox>(page, QStringLiteral("FrmTab3_1"), {0, 1080, 4695, 855},
                                  QStringLiteral("保存のタイミング"));
    m_optClipManual = make<QRadioButton>(m_FrmTab3_1, QStringLiteral("optClipManual"),
                                         {240, 240, 4095, 255}, QStringLiteral("手動で保存"));
    m_optClipEnd = make<QRadioButton>(m_FrmTab3_1, QStringLiteral("optClipEnd"),
                                      {240, 480, 3855, 255}, QStringLiteral("エディター終了時"));
    m_optClipEnd->setChecked(true);

    m_FrmTab3_2 = make<QGroupBox>(page, QStringLiteral("FrmTab3_2"), {0, 2040, 4695, 855},
                                  QStringLiteral("保存形式"));
    m_optClipNew = make<QRadioButton>(m_FrmTab3_2, QStringLiteral("optClipNew"),
                                      {240, 240, 4215, 255}, QStringLiteral("新規に保存する"));
    m_optClipAdd = make<QRadioButton>(m_FrmTab3_2, QStringLiteral("optClipAdd"),
                                      {240, 480, 3975, 255}, QStringLiteral("既存のファイルに追加格納"));
    m_optClipNew->setChecked(true);
}

// --- Opening and closing ------------------------------------------------------

OptionsDialog *OptionsDialog::showModeless(AppContext &context, QWidget *owner)
{
    OptionsDialog *dialog = nullptr;
    for (OptionsDialog *open : owner->findChildren<OptionsDialog *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!open->m_closing)
            dialog = open;
    }
    if (!dialog) {
        dialog = new OptionsDialog(context, owner);
        if (context.windows)
            context.windows->add(dialog);
        dialog->Form_Load();
    }
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    return dialog;
}

void OptionsDialog::Form_Load()
{
    centreOverOwner(this, parentWidget());
    m_optTab->setCurrentIndex(0);
    optTab_Click(1);
    showValues(OptionValues::read(m_context.settings));
    chkClipHistory_Click();
}

void OptionsDialog::closeEvent(QCloseEvent *event)
{
    m_closing = true;
    if (m_context.windows)
        m_context.windows->remove(this);
    event->accept();
}

void OptionsDialog::reject()
{
    close();
}

void OptionsDialog::btnCancel_Click()
{
    close();
}

// --- Controls and values ------------------------------------------------------

void OptionsDialog::showValues(const OptionValues &v)
{
    m_chkBackup[0]->setChecked(v.backupOnClose);
    m_chkBackup[1]->setChecked(v.backupOnSave);
    m_chkBackup[2]->setChecked(v.backupOnOpen);
    m_chkHtml->setChecked(v.previewAfterSave);
    m_chkEdit->setCheckState(v.keepColorsAtEnd);
    m_chkLineNum->setCheckState(v.lineNumbers);
    for (int i = 0; i < 3; ++i)
        m_txtColor[i]->setText(v.colors[i]);
    m_txtClipboard->setText(v.historySize);
    m_chkClipHistory->setChecked(v.keepHistory);
    (v.saveManually ? m_optClipManual : m_optClipEnd)->setChecked(true);
    (v.appendToFile ? m_optClipAdd : m_optClipNew)->setChecked(true);
}

OptionValues OptionsDialog::shownValues() const
{
    OptionValues v;
    v.backupOnClose = m_chkBackup[0]->isChecked();
    v.backupOnSave = m_chkBackup[1]->isChecked();
    v.backupOnOpen = m_chkBackup[2]->isChecked();
    v.previewAfterSave = m_chkHtml->isChecked();
    v.keepColorsAtEnd = m_chkEdit->checkState();
    v.lineNumbers = m_chkLineNum->checkState();
    for (int i = 0; i < 3; ++i)
        v.colors[i] = m_txtColor[i]->text();
    v.historySize = m_txtClipboard->text();
    v.keepHistory = m_chkClipHistory->isChecked();
    v.saveManually = m_optClipManual->isChecked();
    v.appendToFile = m_optClipAdd->isChecked();
    return v;
}

void OptionsDialog::optTab_Click(int index)
{
    for (int i = 0; i < m_FrmTab.size(); ++i)
        m_FrmTab[i]->setVisible(i == index - 1);
}

void OptionsDialog::btnColor_Click(int index)
{
    // Owned by this dialog, which is active again when the chooser closes.
    if (const std::optional<QColor> color = ChooseColor(m_context, this))
        m_txtColor[index]->setText(colorToText(*color));
}

void OptionsDialog::chkClipHistory_Click()
{
    const bool on = m_chkClipHistory->isChecked();
    for (QWidget *w : std::initializer_list<QWidget *>{m_FrmTab3_1, m_optClipManual, m_optClipEnd,
                                                       m_FrmTab3_2, m_optClipNew, m_optClipAdd})
        w->setEnabled(on);
}

bool OptionsDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_txtClipboard) {
        if (event->type() == QEvent::KeyPress) {
            // Typed characters other than the digits are dropped; keys that
            // type nothing (Backspace, Delete, the caret keys, Tab) work.
            const auto *key = static_cast<QKeyEvent *>(event);
            const QString text = key->text();
            if (text.size() == 1 && text[0].isPrint() && !isAsciiDigit(text[0]))
                return true;
            if (key->matches(QKeySequence::Paste))
                return true;
        } else if (event->type() == QEvent::FocusOut) {
            // Not when another window or the box's own menu takes the focus.
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                txtClipboard_LostFocus();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void OptionsDialog::txtClipboard_LostFocus()
{
    historySizeAccepted();
}

bool OptionsDialog::historySizeAccepted()
{
    const QString text = m_txtClipboard->text();
    if (text.isEmpty())
        return true;
    // Pasted text can hold anything; only digits make a size.
    bool digits = std::all_of(text.begin(), text.end(), isAsciiDigit);
    const int size = digits ? text.toInt() : 0;
    if (digits && size >= HistoryMin && size <= HistoryMax)
        return true;
    message(HistorySizeMessage);
    m_txtClipboard->clear();
    return false;
}

void OptionsDialog::message(const QString &text)
{
    if (m_context.messageBoxes)
        m_context.messageBoxes->show(this, text, AppTitle, MessageBoxes::Buttons::Ok,
                                     MessageBoxes::Icon::None, MessageBoxes::Answer::Ok);
}

void OptionsDialog::btnOk_Click()
{
    // A size the box still holds unchecked (OK reached without the box
    // losing the focus) is refused here the same way, and the emptied box is
    // shown, whichever page was showing.
    if (!historySizeAccepted()) {
        m_optTab->setCurrentIndex(2);
        m_txtClipboard->setFocus();
        return;
    }
    const OptionValues values = shownValues();
    QString failure;
    if (!writeEditKeys(m_context.settings, values.entries(), &failure)) {
        // Nothing was written: the user's values stay for another try.
        if (m_context.messageBoxes)
            m_context.messageBoxes->show(this, failure, AppTitle, MessageBoxes::Buttons::Ok,
                                         MessageBoxes::Icon::Warning, MessageBoxes::Answer::Ok);
        return;
    }
    applyOptionsToDocuments(m_context, values);
    close();
}

} // namespace zp
