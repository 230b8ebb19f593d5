#include "platform/filedialogs.h"

#include <QFileDialog>
#include <QFileInfo>

namespace zp {

QString selectionText(const QStringList &absolutePaths)
{
    if (absolutePaths.isEmpty())
        return QString();
    if (absolutePaths.size() == 1)
        return absolutePaths.first();
    // The dialog chooses several files inside one folder only.
    const QChar nul(0);
    QString text = QFileInfo(absolutePaths.first()).absolutePath();
    for (const QString &path : absolutePaths)
        text += nul + QFileInfo(path).fileName();
    text += nul;
    text += nul;
    return text;
}

FileDialogResult QtFileDialogs::getOpenFileName(const FileDialogRequest &request)
{
    return run(request, false);
}

FileDialogResult QtFileDialogs::getSaveFileName(const FileDialogRequest &request)
{
    return run(request, true);
}

FileDialogResult QtFileDialogs::run(const FileDialogRequest &request, bool save)
{
    QFileDialog dialog(request.owner, request.title, request.folder);
    dialog.setNameFilters(request.filters);
    const int index = request.filterIndex > 0 ? request.filterIndex - 1 : 0;
    if (index < request.filters.size())
        dialog.selectNameFilter(request.filters.at(index));
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(request.multiSelect ? QFileDialog::ExistingFiles
                                               : QFileDialog::ExistingFile);
        dialog.setOption(QFileDialog::ReadOnly, false);
    }

    FileDialogResult result;
    if (dialog.exec() != QDialog::Accepted)
        return result;
    const int chosen = int(request.filters.indexOf(dialog.selectedNameFilter()));
    result.filterIndex = chosen >= 0 ? chosen + 1 : 1;
    QStringList files = dialog.selectedFiles();
    result.selection = save ? files.value(0) : selectionText(files);
    return result;
}

} // namespace zp
