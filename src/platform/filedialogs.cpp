#include "platform/filedialogs.h"

#include <QAbstractItemView>
#include <QComboBox>
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

namespace {

// "*.*" stands for every name, as it does in the dialogs the filter texts
// come from; as a pattern it would hide names without a dot (Makefile).
QString matchingFilter(const QString &filter)
{
    const QLatin1String everyName("(*.*)");
    return filter.endsWith(everyName) ? filter.chopped(everyName.size()) + QLatin1String("(*)")
                                      : filter;
}

} // namespace

FileDialogResult QtFileDialogs::run(const FileDialogRequest &request, bool save)
{
    QFileDialog dialog(request.owner, request.title, request.folder);
    // Qt's own dialog everywhere: the settings below reach into its views.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // The filters match by their patterns but show their texts as given.
    QStringList shown = request.filters;
    QStringList matching;
    for (const QString &filter : shown)
        matching.append(matchingFilter(filter));
    dialog.setNameFilters(matching);
    if (auto *types = dialog.findChild<QComboBox *>(QStringLiteral("fileTypeCombo"))) {
        for (int i = 0; i < types->count() && i < shown.size(); ++i)
            types->setItemText(i, shown.at(i));
    } else {
        shown = matching;
    }
    const int index = request.filterIndex > 0 ? request.filterIndex - 1 : 0;
    if (index < shown.size())
        dialog.selectNameFilter(shown.at(index));
    dialog.setDefaultSuffix(request.defaultSuffix);
    // Names need not exist: a typed name of a missing file comes back too,
    // and opening it starts a new file under that name.
    dialog.setFileMode(QFileDialog::AnyFile);
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
        if (!request.fileName.isEmpty())
            dialog.selectFile(request.fileName);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setOption(QFileDialog::ReadOnly, false);
        // AnyFile lets one row be chosen; several are chosen as in ExistingFiles.
        if (request.multiSelect) {
            for (auto *view : dialog.findChildren<QAbstractItemView *>()) {
                if (view->objectName() == QLatin1String("listView")
                    || view->objectName() == QLatin1String("treeView"))
                    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
            }
        }
    }

    FileDialogResult result;
    if (dialog.exec() != QDialog::Accepted)
        return result;
    const int chosen = int(shown.indexOf(dialog.selectedNameFilter()));
    result.filterIndex = chosen >= 0 ? chosen + 1 : 1;
    QStringList files = dialog.selectedFiles();
    result.selection = save ? files.value(0) : selectionText(files);
    return result;
}

} // namespace zp
