#pragma once
// The print jobs the browser engine is still working on. The engine writes a
// page's PDF file, or hands the page to a printer, in the background, seconds
// after the command returned; the program's end waits for these jobs, and a
// preview window closed meanwhile leaves its browser control here until the
// engine is done with it.

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class QWidget;

namespace zp {

struct AppContext;

class PrintJobs : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    // Deletes the controls still kept (their jobs never ended).
    ~PrintJobs() override;

    // Records a job of the browser control view that writes output (a file;
    // "" for a printer or a file not known yet) and returns its number. A job
    // whose control is destroyed ends with it.
    int start(QWidget *view, const QString &output);
    void finish(int job);
    bool isEmpty() const { return m_jobs.isEmpty(); }
    bool printing(const QWidget *view) const;
    // The files of the running jobs, without the printers' "".
    QStringList outputs() const;

    // The window of view closes: a control that is printing leaves it, hidden,
    // and is deleted once its last job has ended. Returns whether it was kept.
    bool keepWhilePrinting(QWidget *view);

    // Runs the event loop until every job has ended, or the wait limit has
    // passed; false when some are still running. True while a wait runs.
    bool waitForAll();
    bool waiting() const { return m_waits > 0; }
    int waitLimit() const { return m_waitLimitMs; }
    void setWaitLimit(int milliseconds) { m_waitLimitMs = milliseconds; }

Q_SIGNALS:
    void allFinished();

private:
    struct Job
    {
        int number;
        QWidget *view;
        QString output;
        QMetaObject::Connection viewDestroyed;
    };
    QList<Job> m_jobs;
    QList<QPointer<QWidget>> m_kept;
    int m_nextNumber = 1;
    int m_waits = 0;
    // Long enough for a page of thousands of paragraphs on a slow machine.
    int m_waitLimitMs = 30000;
};

// Before the program ends: waits, with the windows responsive and the status
// bar saying why, for the print jobs still running. When they have not ended
// within the wait limit, says that their files may be incomplete: in a message
// box when mayAsk, else on the standard error. False in that case.
bool FinishPrintJobs(AppContext &context, bool mayAsk);

} // namespace zp
