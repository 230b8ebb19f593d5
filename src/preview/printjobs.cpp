#include "preview/printjobs.h"

#include "platform/appcontext.h"
#include "platform/frame.h"
#include "platform/messageboxes.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <utility>

namespace zp {

PrintJobs::~PrintJobs()
{
    const QList<QPointer<QWidget>> kept = std::exchange(m_kept, {});
    for (const QPointer<QWidget> &view : kept)
        delete view.data();
}

int PrintJobs::start(QWidget *view, const QString &output)
{
    const int number = m_nextNumber++;
    // A control destroyed mid-job never reports its end.
    m_jobs.append({number, view, output,
                   connect(view, &QObject::destroyed, this, [this, number] { finish(number); })});
    return number;
}

void PrintJobs::finish(int job)
{
    const auto it = std::find_if(m_jobs.begin(), m_jobs.end(),
                                 [job](const Job &j) { return j.number == job; });
    if (it == m_jobs.end())
        return;
    QWidget *view = it->view;
    disconnect(it->viewDestroyed);
    m_jobs.erase(it);
    if (!printing(view)) {
        for (qsizetype i = m_kept.size() - 1; i >= 0; --i) {
            if (m_kept.at(i) == view) {
                // The engine is still inside the signal that ended the job.
                view->deleteLater();
                m_kept.removeAt(i);
            }
        }
    }
    if (m_jobs.isEmpty())
        Q_EMIT allFinished();
}

bool PrintJobs::printing(const QWidget *view) const
{
    return std::any_of(m_jobs.begin(), m_jobs.end(), [view](const Job &j) { return j.view == view; });
}

QStringList PrintJobs::outputs() const
{
    QStringList files;
    for (const Job &job : m_jobs) {
        if (!job.output.isEmpty())
            files.append(job.output);
    }
    return files;
}

bool PrintJobs::keepWhilePrinting(QWidget *view)
{
    if (!view || !printing(view))
        return false;
    view->hide();
    view->setParent(nullptr);
    m_kept.append(view);
    return true;
}

bool PrintJobs::waitForAll()
{
    if (m_jobs.isEmpty())
        return true;
    QEventLoop loop;
    QTimer::singleShot(m_waitLimitMs, &loop, &QEventLoop::quit);
    connect(this, &PrintJobs::allFinished, &loop, &QEventLoop::quit);
    ++m_waits;
    loop.exec();
    --m_waits;
    return m_jobs.isEmpty();
}

bool FinishPrintJobs(AppContext &context, bool mayAsk)
{
    PrintJobs *jobs = context.printJobs;
    if (!jobs || jobs->isEmpty())
        return true;
    if (context.frame)
        context.frame->setStatusText(QStringLiteral("印刷が終わるのを待っています..."));
    if (jobs->waitForAll())
        return true;
    QString text = QStringLiteral("%1 秒待っても印刷が終わりませんでした。").arg(jobs->waitLimit() / 1000);
    const QStringList files = jobs->outputs();
    text += files.isEmpty()
            ? QStringLiteral("印刷されていないかもしれません。")
            : QStringLiteral("次のファイルは不完全か、書き込まれていないかもしれません:\n")
                  + files.join(QLatin1Char('\n'));
    if (context.frame)
        context.frame->setStatusText(files.isEmpty() ? QStringLiteral("印刷が終わっていません")
                                                     : QFileInfo(files.first()).fileName()
                                                           + QStringLiteral(" は不完全かもしれません"));
    if (mayAsk && context.messageBoxes)
        context.messageBoxes->show(context.frame ? context.frame->widget() : nullptr, text,
                                   AppTitle, MessageBoxes::Buttons::Ok,
                                   MessageBoxes::Icon::Warning, MessageBoxes::Answer::Ok);
    else
        qWarning("%s", qPrintable(text));
    return false;
}

} // namespace zp
