#include "mainwindow/maintoolbar.h"

#include "mainwindow/toolbaricons.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>

namespace zp {

namespace {

struct ButtonDef
{
    const char *icon; // null for a separator
    QString key; // the button's caption
    QString toolTip;
};

} // namespace

MainToolbar::MainToolbar(QWidget *parent)
    : QToolBar(parent)
{
    setObjectName(QStringLiteral("Toolbar"));
    setWindowTitle(QStringLiteral("ツールバー"));
    setMovable(false);
    setIconSize(QSize(16, 16));
    setToolButtonStyle(Qt::ToolButtonIconOnly);

    const ButtonDef defs[ButtonCount] = {
        {"new", QStringLiteral("新規作成"), {}},
        {"open", QStringLiteral("開く"), {}},
        {"save", QStringLiteral("上書き保存"), {}},
        {nullptr, {}, {}},
        {"cut", QStringLiteral("切り取り"), {}},
        {"copy", QStringLiteral("コピー"), {}},
        {"paste", QStringLiteral("貼り付け"), {}},
        {"redo", QStringLiteral("やり直し"), {}},
        {"undo", QStringLiteral("元に戻す"), {}},
        {"backcolor", QStringLiteral("背景色"), {}},
        {nullptr, {}, {}},
        {"browser", QStringLiteral("ブラウザ"), {}},
        {"find", QStringLiteral("検索"), {}},
        {"clipboard", QStringLiteral("クリップボード"), QStringLiteral("クリップボード履歴")},
    };

    for (int i = 0; i < ButtonCount; ++i) {
        const ButtonDef &def = defs[i];
        if (!def.icon) {
            m_buttons.append(addSeparator());
            continue;
        }
        QAction *action = addAction(toolbarIcon(QLatin1String(def.icon)), def.key);
        action->setToolTip(def.toolTip.isEmpty() ? def.key : def.toolTip);
        const int number = i + 1;
        connect(action, &QAction::triggered, this, [this, number] { Q_EMIT buttonClicked(number); });
        m_buttons.append(action);
    }

    m_clipboardMenu = new QMenu(this);
    m_clipboardMenu->setObjectName(QStringLiteral("ButtonMenus"));
    // The menu belongs to the tool button, not to its action: an action's
    // menu would leave the button without one of its own, and then its
    // accessible side offers no "show menu" and a screen reader cannot open
    // the history.
    if (auto *tool = qobject_cast<QToolButton *>(widgetForAction(button(ClipboardButton)))) {
        tool->setMenu(m_clipboardMenu);
        tool->setPopupMode(QToolButton::MenuButtonPopup);
    }
}

QAction *MainToolbar::button(int n) const
{
    return n >= 1 && n <= m_buttons.size() ? m_buttons.at(n - 1) : nullptr;
}

void MainToolbar::setDocumentButtonsEnabled(bool enabled)
{
    for (int n : {3, 5, 6, 7, 8, 9, 10, 11, 13})
        button(n)->setEnabled(enabled);
}

} // namespace zp
