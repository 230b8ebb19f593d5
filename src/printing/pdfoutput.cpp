#include "printing/pdfoutput.h"

#include "platform/appcontext.h"
#include "platform/filedialogs.h"
#include "platform/frame.h"
#include "platform/messageboxes.h"

#include <QDir>
#include <QFileInfo>

namespace zp {

QString askPdfPath(AppContext &context, const QString &source, QWidget *owner)
{
    if (!context.fileDialogs)
        return QString();
    const QFileInfo info(source);
    FileDialogRequest request;
    request.owner = owner ? owner : context.frame ? context.frame->widget() : nullptr;
    request.title = QStringLiteral("プリンターがありません - PDF ファイルに保存");
    // An untitled document or an empty preview has no folder of its own.
    request.folder = info.isAbsolute() && info.dir().exists() ? info.absolutePath()
                                                               : QDir::homePath();
    const QString name = info.completeBaseName().isEmpty() ? info.fileName()
                                                           : info.completeBaseName();
    request.fileName = (name.isEmpty() ? QStringLiteral("印刷") : name) + QStringLiteral(".pdf");
    request.filters = {QStringLiteral("PDF ファイル(*.pdf)")};
    request.defaultSuffix = QStringLiteral("pdf");
    request.confirmOverwrite = true;
    return context.fileDialogs->getSaveFileName(request).selection;
}

void reportPdfResult(AppContext &context, const QString &path, bool written)
{
    if (written) {
        if (context.frame)
            context.frame->setStatusText(QFileInfo(path).fileName()
                                         + QStringLiteral(" に印刷しました"));
        return;
    }
    if (context.messageBoxes)
        context.messageBoxes->show(context.frame ? context.frame->widget() : nullptr,
                                   QStringLiteral("%1 に書き込めませんでした。").arg(path),
                                   AppTitle, MessageBoxes::Buttons::Ok,
                                   MessageBoxes::Icon::Warning, MessageBoxes::Answer::Ok);
}

} // namespace zp
