// Opening what is not an ordinary text file, through every way a file comes
// in: devices, pipes, sockets, folders, files too large for memory, and files
// that change while they are read.

#include "documents/documentsize.h"
#include "documents/recentfiles.h"

#include "testapp.h"

#include <QTest>
#include <QTimer>

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
    return false;
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
    void fileChangesWhileRead_data();
    void fileChangesWhileRead();
    void tooManyLinesForMemory();
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
    const QString after = f.writeFile("after.txt", "next");
    if (!refusal.isEmpty())
        f.answer({MessageBoxes::Answer::Ok});
    openBy(f, way, {path, after});
    const bool several = way == Way::CommandLine || way == Way::Drop;
    QVERIFY(f.boxes.settled());
    if (!refusal.isEmpty()) {
        // Told which path and why; no window, no history; the files after it
        // still open.
        QVERIFY(f.boxes.shown().at(0).text.contains(path));
        QVERIFY(f.boxes.shown().at(0).text.contains(refusal));
        QCOMPARE(f.documentTitles(), several ? QStringList{after} : QStringList());
        QCOMPARE(historySlots(f.context().settings).at(0), several ? after : QString());
        if (way == Way::Recent)
            QVERIFY(f.main()->statusText().endsWith("のオープン処理に失敗しました"));
        QVERIFY(!QFileInfo(path).isFile() || QFileInfo(path).size() > DocumentSize::MaxBytes);
        return;
    }
    QCOMPARE(f.documentTitles(), (several ? QStringList{path, after} : QStringList{path}));
    QCOMPARE(historySlots(f.context().settings).at(0), way == Way::Recent ? QString() : path);
    QCOMPARE(f.documentWindows().first()->rtfEdit()->text(), QString());
    QVERIFY(QFileInfo(path).isDir());
}

// A file that grows or shrinks while its blocks are read: what was read is
// shown and nothing hangs; a file that grew was not read whole, so saving over
// it asks first.
void TestBadFiles::fileChangesWhileRead_data()
{
    QTest::addColumn<qint64>("newSize");
    QTest::addColumn<qint64>("shown");
    const qint64 size = 3 * Documents::ReadBlock;
    QTest::newRow("grows") << size + 10 << size;
    QTest::newRow("shrinks") << Documents::ReadBlock + 500 << Documents::ReadBlock + 500;
}

void TestBadFiles::fileChangesWhileRead()
{
    QFETCH(qint64, newSize);
    QFETCH(qint64, shown);
    TestApp f;
    QVERIFY(f.start(" "));
    const QString path = f.writeFile("log.txt", QByteArray(3 * Documents::ReadBlock, 'a'));
    // Events run between the blocks: the file changes during the read.
    QTimer::singleShot(0, [&] { QVERIFY(QFile::resize(path, newSize)); });
    const bool grew = newSize > shown;
    if (grew)
        f.answer({MessageBoxes::Answer::Ok, MessageBoxes::Answer::Cancel});
    f.documents().OpenDroppedFiles({path}, false);
    EditWindow *w = f.active();
    QCOMPARE(w->rtfEdit()->text().size(), shown);
    if (grew) {
        QVERIFY(f.boxes.shown().at(0).text.contains("大きくなりました"));
        QVERIFY(!f.documents().SaveDocument(w));
    }
    QVERIFY(f.boxes.settled());
    QCOMPARE(QFileInfo(path).size(), newSize);
}

// Lines cost memory of their own: a file of short lines that would not fit in
// what the process may still take is refused while it is read, not after the
// system ran out of memory.
void TestBadFiles::tooManyLinesForMemory()
{
    TestApp f;
    QVERIFY(f.start(" "));
    const QString path = f.writeFile("lines.txt", QByteArray(3 * Documents::ReadBlock, '\n'));
    rlimit saved{};
    QVERIFY(::getrlimit(RLIMIT_DATA, &saved) == 0);
    QFile status("/proc/self/status");
    QVERIFY(status.open(QIODevice::ReadOnly));
    const QByteArray text = status.readAll();
    const qint64 used = text.mid(text.indexOf("VmData:") + 7).trimmed().split(' ').first().toLongLong() * 1024;
    // Room for the 3 MB of bytes, not for the 3 million lines.
    rlimit reduced = saved;
    reduced.rlim_cur = rlim_t(used + 200 * 1024 * 1024);
    QVERIFY(::setrlimit(RLIMIT_DATA, &reduced) == 0);
    f.answer({MessageBoxes::Answer::Ok});
    f.documents().OpenDroppedFiles({path}, false);
    ::setrlimit(RLIMIT_DATA, &saved);
    QVERIFY(f.boxes.settled());
    QVERIFY(f.boxes.shown().at(0).text.contains("メモリー"));
    QTRY_COMPARE(f.documentTitles(), QStringList());
    QCOMPARE(historySlots(f.context().settings).at(0), QString());
}

QTEST_MAIN(TestBadFiles)
#include "tst_badfiles.moc"
