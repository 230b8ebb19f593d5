#include "mainwindow/mainmenus.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace zp {

namespace {

QMenu *addMenu(QWidget *parent, const char *name, const QString &caption)
{
    auto *menu = new QMenu(caption, parent);
    menu->setObjectName(QLatin1String(name));
    if (auto *bar = qobject_cast<QMenuBar *>(parent))
        bar->addMenu(menu);
    else if (auto *owner = qobject_cast<QMenu *>(parent))
        owner->addMenu(menu);
    return menu;
}

QAction *addItem(QMenu *menu, const char *name, const QString &caption,
                 const QKeySequence &shortcut = QKeySequence())
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(shortcut);
    return action;
}

void addSeparator(QMenu *menu, const char *name)
{
    menu->addSeparator()->setObjectName(QLatin1String(name));
}

} // namespace

QList<QAction *> MainMenus::editCommands() const
{
    return {mnuEditUndo,      mnuEditPaste,     mnuEditTextcolor, mnuEditTextSelect,
            mnuEditBackcolor, mnuEditMargin,    mnuEditClipboard, mnuEditCopy,
            mnuEditCut,       mnuEditHtml->menuAction(), mnuEditreturn->menuAction(),
            mnuEditDelete};
}

MainMenus buildMainMenus(QMenuBar *bar, QWidget *owner)
{
    MainMenus m;

    m.mnuFile = addMenu(bar, "mnuFile", QStringLiteral("ファイル(&F)"));
    m.mnuFileNew = addItem(m.mnuFile, "mnuFileNew", QStringLiteral("新規作成(&N)"),
                           QKeySequence(Qt::CTRL | Qt::Key_N));
    m.mnuFileOpen = addItem(m.mnuFile, "mnuFileOpen", QStringLiteral("開く(&O)"),
                            QKeySequence(Qt::CTRL | Qt::Key_O));
    m.mnuFileSave = addItem(m.mnuFile, "mnuFileSave", QStringLiteral("上書き保存(&S)"),
                            QKeySequence(Qt::CTRL | Qt::Key_S));
    m.mnuFileSaveAs = addItem(m.mnuFile, "mnuFileSaveAs", QStringLiteral("名前を付けて保存(&A)"));
    m.mnuFileClipboardSave = addItem(m.mnuFile, "mnuFileClipboardSave",
                                     QStringLiteral("クリップボード履歴の保存"));
    addSeparator(m.mnuFile, "mnuFileLine1");
    m.mnuFileUse = addMenu(m.mnuFile, "mnuFileUse", QStringLiteral("最近使ったファイル"));
    m.mnuFileUseList.append(nullptr);
    QAction *none = addItem(m.mnuFileUse, "mnuFileUseList(1)", QStringLiteral("なし"));
    none->setEnabled(false);
    m.mnuFileUseList.append(none);
    addSeparator(m.mnuFile, "mnuFileLine2");
    m.mnuFilePrint = addMenu(m.mnuFile, "mnuFilePrint", QStringLiteral("印刷"));
    m.mnuFilePrintBrow = addItem(m.mnuFilePrint, "mnuFilePrintBrow",
                                 QStringLiteral("ブラウザに表示されているデータの印刷"));
    m.mnuFilePrintText = addItem(m.mnuFilePrint, "mnuFilePrintText", QStringLiteral("テキストの印刷"));
    addSeparator(m.mnuFile, "mnuFileLine3");
    m.mnuFileAllclose = addItem(m.mnuFile, "mnuFileAllclose", QStringLiteral("全て閉じる"));
    m.mnuFileClose = addItem(m.mnuFile, "mnuFileClose", QStringLiteral("閉じる(&C)"));
    m.mnuFileExit = addItem(m.mnuFile, "mnuFileExit", QStringLiteral("終了(&X)"));

    m.mnuEdit = addMenu(bar, "mnuEdit", QStringLiteral("編集(&E)"));
    m.mnuEditUndo = addItem(m.mnuEdit, "mnuEditUndo", QStringLiteral("元に戻す(&U)"));
    m.mnuEditCut = addItem(m.mnuEdit, "mnuEditCut", QStringLiteral("切り取り(&T)"));
    m.mnuEditCopy = addItem(m.mnuEdit, "mnuEditCopy", QStringLiteral("コピー(&C)"));
    m.mnuEditPaste = addItem(m.mnuEdit, "mnuEditPaste", QStringLiteral("貼り付け(&P)"));
    m.mnuEditDelete = addItem(m.mnuEdit, "mnuEditDelete", QStringLiteral("削除(&D)"));
    addSeparator(m.mnuEdit, "mnuEditLine1");
    m.mnuEditTextcolor = addItem(m.mnuEdit, "mnuEditTextcolor", QStringLiteral("文字色の設定"));
    m.mnuEditBackcolor = addItem(m.mnuEdit, "mnuEditBackcolor", QStringLiteral("背景色の設定"));
    m.mnuEditMargin = addItem(m.mnuEdit, "mnuEditMargin", QStringLiteral("右端で折り返す(&W)"));
    m.mnuEditMargin->setCheckable(true);
    m.mnuEditTextSelect = addItem(m.mnuEdit, "mnuEditTextSelect", QStringLiteral("全て選択する(&A)"),
                                  QKeySequence(Qt::CTRL | Qt::Key_A));
    m.mnuEditClipboard = addItem(m.mnuEdit, "mnuEditClipboard",
                                 QStringLiteral("クリップボードの履歴(&B)"));
    m.mnuEditClipboard->setCheckable(true);
    // An exclusive group draws the radio-style mark; "optional" lets the
    // program take the mark away again.
    m.clipboardMarkGroup = new QActionGroup(owner);
    m.clipboardMarkGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    m.clipboardMarkGroup->addAction(m.mnuEditClipboard);
    m.mnuEditreturn = addMenu(m.mnuEdit, "mnuEditreturn", QStringLiteral("改行コードの変換"));
    const char *codeNames[] = {"mnuEditreturnCode(0)", "mnuEditreturnCode(1)", "mnuEditreturnCode(2)"};
    const QString codeCaptions[] = {QStringLiteral("CrLf"), QStringLiteral("CR"), QStringLiteral("LF")};
    for (int i = 0; i < 3; ++i)
        m.mnuEditreturnCode.append(addItem(m.mnuEditreturn, codeNames[i], codeCaptions[i]));
    m.mnuEditHtml = addMenu(m.mnuEdit, "mnuEditHtml", QStringLiteral("HTMLタグの変換"));
    m.mnuEditHtmlLarge = addItem(m.mnuEditHtml, "mnuEditHtmlLarge", QStringLiteral("大文字に変換"));
    m.mnuEditHtmlSmall = addItem(m.mnuEditHtml, "mnuEditHtmlSmall", QStringLiteral("小文字に変換"));

    m.mnuBrow = addMenu(bar, "mnuBrow", QStringLiteral("ブラウザ(&B)"));
    m.mnuBrowView = addItem(m.mnuBrow, "mnuBrowView", QStringLiteral("表示"));

    m.mnuOption = addMenu(bar, "mnuOption", QStringLiteral("オプション(&O)"));
    m.mnuOptionSetup = addItem(m.mnuOption, "mnuOptionSetup", QStringLiteral("設定(&S)"));

    m.mnuFind = addMenu(bar, "mnuFind", QStringLiteral("検索(&S)"));
    m.mnuFindText = addItem(m.mnuFind, "mnuFindText", QStringLiteral("文字列の検索・置き換え"),
                            QKeySequence(Qt::CTRL | Qt::Key_F));

    m.mnuWindow = addMenu(bar, "mnuWindow", QStringLiteral("ウィンドウ(&W)"));
    m.mnuWindowLeft = addItem(m.mnuWindow, "mnuWindowLeft", QStringLiteral("左右に整列"));
    m.mnuWindowUp = addItem(m.mnuWindow, "mnuWindowUp", QStringLiteral("上下に整列"));
    m.mnuWindowAdd = addItem(m.mnuWindow, "mnuWindowAdd", QStringLiteral("重ねて表示"));
    m.mnuWindowMin = addItem(m.mnuWindow, "mnuWindowMin", QStringLiteral("全て最小化"));

    m.mnuHelp = addMenu(bar, "mnuHelp", QStringLiteral("ヘルプ(&H)"));
    m.mnuHelpVersion = addItem(m.mnuHelp, "mnuHelpVersion", QStringLiteral("バージョン情報"));

    m.mnupopUp = new QMenu(QStringLiteral("ポップアップメニュー"), owner);
    m.mnupopUp->setObjectName(QStringLiteral("mnupopUp"));
    m.mnupopUpCut = addItem(m.mnupopUp, "mnupopUpCut", QStringLiteral("切り取り"));
    m.mnupopUpCopy = addItem(m.mnupopUp, "mnupopUpCopy", QStringLiteral("コピー"));
    m.mnupopUpPaste = addItem(m.mnupopUp, "mnupopUpPaste", QStringLiteral("貼り付け"));
    m.mnupopUpDelete = addItem(m.mnupopUp, "mnupopUpDelete", QStringLiteral("削除"));
    addSeparator(m.mnupopUp, "mnupopUpLine1");
    m.mnupopUpMargin = addItem(m.mnupopUp, "mnupopUpMargin", QStringLiteral("右端で折り返す"));
    m.mnupopUpSelect = addItem(m.mnupopUp, "mnupopUpSelect", QStringLiteral("全て選択する"));
    m.mnupopUpFontColor = addItem(m.mnupopUp, "mnupopUpFontColor", QStringLiteral("文字色の設定"));
    m.mnupopUpBackColor = addItem(m.mnupopUp, "mnupopUpBackColor", QStringLiteral("背景色の設定"));
    return m;
}

} // namespace zp
