#include "documents/dialogresults.h"

#include "documents/filepaths.h"
#include "platform/filedialogs.h"
#include "platform/messageboxes.h"

namespace zp {

namespace {

const QChar Nul(0);

QString startFolder(const QString &firstFolder, DialogMemory &memory)
{
    if (memory.LastDialogFolder.isEmpty())
        memory.LastDialogFolder = firstFolder;
    return memory.LastDialogFolder;
}

// A selection that does not fit the dialog's room is dropped; the user is
// told, or it would look as if the dialog had ignored the choice.
void reportOverRoom(MessageBoxes *messages, QWidget *owner)
{
    if (!messages)
        return;
    messages->show(owner,
                   QStringLiteral("選択したファイル名が長すぎます（合計%1文字まで）。\n"
                                  "ファイルの数を減らして選び直して下さい。")
                           .arg(DialogResultRoom),
                   AppTitle, MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Warning,
                   MessageBoxes::Answer::Ok);
}

} // namespace

QStringList openDialogFilters()
{
    return {QStringLiteral("ﾃｷｽﾄ(*.txt)"), QStringLiteral("HTML(*.html)"),
            QStringLiteral("CSS(*.css)"), QStringLiteral("CGI(*.cgi)"),
            QStringLiteral("全てのﾌｧｲﾙ (*.*)")};
}

QStringList saveDialogFilters()
{
    return {QStringLiteral("ﾃｷｽﾄ(*.txt)"), QStringLiteral("HTML(*.html)"),
            QStringLiteral("全てのﾌｧｲﾙ (*.*)")};
}

QString takeOpenSelection(const QString &selection, QString &folder, int &count)
{
    const qsizetype pair = selection.indexOf(QString(2, Nul));
    const QString result = pair < 0 ? selection : selection.left(pair);
    if (result.isEmpty() || result.size() > DialogResultRoom)
        return QString();
    if (!result.contains(Nul)) {
        folder = result.left(result.lastIndexOf(QLatin1Char('/')) + 1);
        count = 0;
        return result;
    }
    const QStringList entries = result.split(Nul);
    folder = entries.first();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    count = int(entries.size()) - 1;
    return result;
}

QString takeSaveSelection(const QString &selection, QString &folder)
{
    const qsizetype nul = selection.indexOf(Nul);
    const QString path = nul < 0 ? selection : selection.left(nul);
    if (path.isEmpty() || path.size() > DialogResultRoom)
        return QString();
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    // The root folder keeps its one "/".
    folder = slash < 0 ? QString() : path.left(slash > 0 ? slash : 1);
    return path;
}

QStringList openedNames(const QString &result, int count)
{
    if (count == 0)
        return {fileNameOf(result)};
    return result.split(Nul).mid(1);
}

QString ShowOpenDialog(FileDialogs &dialogs, QWidget *owner, const QString &firstFolder,
                       DialogMemory &memory, int &count, MessageBoxes *messages)
{
    FileDialogRequest request;
    request.owner = owner;
    request.title = QStringLiteral("ファイルを選択して下さい。");
    request.folder = startFolder(firstFolder, memory);
    request.filters = openDialogFilters();
    request.filterIndex = memory.LastOpenFilterIndex;
    request.defaultSuffix = QStringLiteral("txt");
    request.multiSelect = true;
    const FileDialogResult answer = dialogs.getOpenFileName(request);
    if (answer.selection.isEmpty())
        return QString();
    QString folder = memory.LastDialogFolder;
    const QString result = takeOpenSelection(answer.selection, folder, count);
    // A selection too long for the dialog's room counts as cancelled: nothing
    // is remembered of it.
    if (result.isEmpty()) {
        reportOverRoom(messages, owner);
        return QString();
    }
    memory.LastOpenFilterIndex = answer.filterIndex;
    memory.LastDialogFolder = folder;
    return result;
}

QString ShowSaveDialog(FileDialogs &dialogs, QWidget *owner, const QString &firstFolder,
                       DialogMemory &memory, MessageBoxes *messages)
{
    FileDialogRequest request;
    request.owner = owner;
    request.title = QStringLiteral("名前を付けてファイルの保存");
    request.folder = startFolder(firstFolder, memory);
    request.filters = saveDialogFilters();
    request.filterIndex = 1;
    request.defaultSuffix = QStringLiteral("txt");
    request.confirmOverwrite = true;
    const FileDialogResult answer = dialogs.getSaveFileName(request);
    QString folder = memory.LastDialogFolder;
    if (answer.selection.isEmpty())
        return QString();
    const QString path = takeSaveSelection(answer.selection, folder);
    if (path.isEmpty()) {
        reportOverRoom(messages, owner);
        return QString();
    }
    memory.LastDialogFolder = folder;
    return path;
}

} // namespace zp
