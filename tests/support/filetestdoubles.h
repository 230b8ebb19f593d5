#pragma once
// The file dialogs answered from scripts given in advance (an unexpected
// dialog fails the running test).

#include "platform/filedialogs.h"

#include <QList>
#include <QTest>

namespace zp::testing {

class ScriptedFileDialogs : public FileDialogs
{
public:
    // Each answer is the selection text ("" = cancel) and the final filter.
    QList<FileDialogResult> openAnswers;
    QList<FileDialogResult> saveAnswers;
    QList<FileDialogRequest> openRequests;
    QList<FileDialogRequest> saveRequests;

    FileDialogResult getOpenFileName(const FileDialogRequest &request) override
    {
        openRequests.append(request);
        return next(openAnswers, "open");
    }
    FileDialogResult getSaveFileName(const FileDialogRequest &request) override
    {
        saveRequests.append(request);
        return next(saveAnswers, "save");
    }

    void answerSave(const QString &path) { saveAnswers.append({path, 1}); }
    void answerOpen(const QString &selection, int filter = 1)
    {
        openAnswers.append({selection, filter});
    }

private:
    static FileDialogResult next(QList<FileDialogResult> &answers, const char *kind)
    {
        if (answers.isEmpty()) {
            QTest::qFail(qPrintable(QStringLiteral("unexpected %1 dialog").arg(QLatin1String(kind))),
                         __FILE__, __LINE__);
            return {};
        }
        return answers.takeFirst();
    }
};

} // namespace zp::testing
