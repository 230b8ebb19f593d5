#pragma once
// Ending the program from outside: the desktop session ending, and the signals
// a program can catch (SIGTERM, SIGHUP, SIGINT: the terminal closed, the system
// going down without a session manager).

#include <QDateTime>
#include <QObject>
#include <QStringList>

#include <functional>

class QSocketNotifier;

namespace zp {

class Application;
struct AppContext;

// Writes the text of every modified document window (one still reading its
// file excepted) into the backup folder under a name no file has yet: the
// file's name, the time and ".unsaved" ("a.html.20240131-235959.unsaved"),
// with "-2", "-3"... before ".unsaved" when that is taken. The text is CP932
// as in a save; one that CP932 cannot hold whole is written as UTF-8 instead,
// named "....utf8.unsaved", so nothing is lost. Returns the files written.
QStringList RescueModifiedDocuments(const AppContext &context, const QDateTime &now);

// The end of the desktop session runs the same closing sequence as the menu's
// 終了: every modified document is asked, and false (Cancel) keeps the session
// from ending. When the session allows no questions, the modified documents
// are rescued as for a signal, the history is saved as at the end, and the
// frame closes without a question.
bool EndSession(Application &application, bool mayAsk);
// Runs EndSession when the desktop session asks the program to end.
void connectSessionEnd(Application &application);

// For its life, catches SIGTERM, SIGHUP and SIGINT. The handler only writes
// the signal's number to a pipe; the event loop then rescues the modified
// documents, saves the clipboard history as at a normal end when the settings
// ask for it, waits for the preview's print jobs (FinishPrintJobs), and runs
// the end action (by default: leaves the event loop with
// 128 + the signal's number).
class SignalRescue : public QObject
{
    Q_OBJECT
public:
    explicit SignalRescue(Application &application, QObject *parent = nullptr);
    ~SignalRescue() override;

    void setEndAction(std::function<void(int signal)> end) { m_end = std::move(end); }

private:
    void pipe_Activated();

    Application &m_application;
    QSocketNotifier *m_notifier = nullptr;
    std::function<void(int)> m_end;
};

} // namespace zp
