// Opening what is not an ordinary text file, through every way a file comes
// in: devices, pipes, sockets, folders and files too large for memory.

#include "cliphistory/cliphistory.h"
#include "cliphistory/historyfile.h"
#include "documents/documentsize.h"
#include "documents/recentfiles.h"

#include "testapp.h"

#include <QTest>

#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using namespace zp;
using zptest::TestApp;

namespace {

enum class Way { Dialog, CommandLine, Drop, Recent };

// Makes the thing a row names at path; false when the system refuses.
bool make(const QString &kind, const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    if (kind == "named pipe")
        return ::mkfifo(name.constData(), 0600) == 0;
    if (kind == "socket") {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, name.constData(), sizeof address.sun_path);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        return fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
    }
    if (kind == "device")
        return true; // /dev/zero itself
    if (kind == "link to a device")
        return QFile::link("/dev/zero", path);
    if (kind == "folder")
        return QDir().mkdir(path);
    if (kind == "over 1 GiB") {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.resize(DocumentSize::MaxBytes + 1);
    }
    return zptest::writeBytes(path, QByteArray(3 * Documents::ReadBlock, '\n'));
}

// Lets the process take only room more bytes of data.
void limitData(qint64 room)
{
    rlimit limit{};
    ::getrlimit(RLIMIT_DATA, &limit);
    QFile status("/proc/self/status");
    status.open(QIODevice::ReadOnly);
    const QByteArray text = status.readAll();
    const qint64 used = text.mid(text.indexOf("VmData:") + 7).trimmed().split(' ').value(0).toLongLong();
    limit.rlim_cur = rlim_t(used * 1024 + room);
    ::setrlimit(RLIMIT_DATA, &limit);
}

void openBy(TestApp &f, Way way, const QStringList &paths)
{
    switch (way) {
    case Way::Dialog:
        f.dialogs.answerOpen(paths.first());
        f.main()->mnuFileOpen_Click();
        break;
    case Way::CommandLine:
        f.documents().OpenCommandLine(paths);
        break;
    case Way::Drop:
        f.documents().OpenDroppedFiles(paths, false);
        break;
    case Way::Recent:
        f.documents().OpenHistoryEntry(paths.first());
        break;
    }
}

} // namespace

class TestBadFiles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void open_data();
    void open();
    void clipHistoryFileIsAPipe();
};

void TestBadFiles::open_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<Way>("way");
    QTest::addColumn<QString>("refusal"); // part of the message; "" when the path opens
    const std::pair<const char *, const char *> kinds[] = {
        {"named pipe", "名前付きパイプ"},
        {"socket", "ソケット"},
        {"device", "デバイス"},
        {"link to a device", "デバイス"},
        {"over 1 GiB", "大きすぎます"},
        // Lines cost memory of their own: 3 million of them are refused while
        // they are read, with room for the 3 MB of bytes but not for them.
        {"3 million lines, 200 MB of memory", "メモリー"},
        // Not refused: a folder keeps the outcome of a file that cannot be
        // opened, an empty window.
        {"folder", ""},
    };
    const std::pair<Way, const char *> ways[] = {{Way::Dialog, "dialog"},
                                                 {Way::CommandLine, "command line"},
                                                 {Way::Drop, "drop"},
                                                 {Way::Recent, "recent files"}};
    for (const auto &[kind, refusal] : kinds) {
        for (const auto &[way, name] : ways)
            QTest::addRow("%s, %s", kind, name) << kind << way << refusal;
    }
}

void TestBadFiles::open()
{
    QFETCH(QString, kind);
    QFETCH(Way, way);
    QFETCH(QString, refusal);
    TestApp f;
    QVERIFY(f.start(" "));
    const QString path = kind == "device" ? "/dev/zero" : f.filePath("x");
    QVERIFY(make(kind, path));
    const QFileInfo before(path);
    const QString after = f.writeFile("after.txt", "next");
    if (!refusal.isEmpty())
        f.answer({MessageBoxes::Answer::Ok});
    rlimit old{};
    ::getrlimit(RLIMIT_DATA, &old);
    if (kind.contains("memory"))
        limitData(200 << 20);
    openBy(f, way, {path, after});
    ::setrlimit(RLIMIT_DATA, &old);
    const bool several = way == Way::CommandLine || way == Way::Drop;
    QVERIFY(f.boxes.settled());
    if (!refusal.isEmpty()) {
        // Told which path and why; no window, no history; the files after it
        // still open.
        QVERIFY(f.boxes.shown().at(0).text.contains(path));
        QVERIFY(f.boxes.shown().at(0).text.contains(refusal));
        QTRY_COMPARE(f.documentTitles(), several ? QStringList{after} : QStringList());
        QCOMPARE(historySlots(f.context().settings).at(0), several ? after : QString());
        if (way == Way::Recent)
            QVERIFY(f.main()->statusText().endsWith("のオープン処理に失敗しました"));
        QCOMPARE(QFileInfo(path).isFile(), before.isFile());
        QCOMPARE(QFileInfo(path).size(), before.size());
        return;
    }
    QCOMPARE(f.documentTitles(), (several ? QStringList{path, after} : QStringList{path}));
    QCOMPARE(historySlots(f.context().settings).at(0), way == Way::Recent ? QString() : path);
    QCOMPARE(f.documentWindows().first()->rtfEdit()->text(), QString());
    QVERIFY(QFileInfo(path).isDir());
}

// The clipboard history file is read before it is appended to (at the
// program's end): a pipe in its place is refused at once, never waited on.
void TestBadFiles::clipHistoryFileIsAPipe()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Clipboard.txt");
    QVERIFY(make("named pipe", path));
    ClipHistory history;
    history.record("text");
    QString error;
    QVERIFY(!SaveClipHistory(history, path, HistorySaveMode::Append, &error));
    QVERIFY(error.contains("名前付きパイプ"));
}

QTEST_MAIN(TestBadFiles)
#include "tst_badfiles.moc"
