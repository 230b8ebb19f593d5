// The real file dialogs: what they are shown with, and the selection forms
// they hand back, answered by selecting files in the dialog itself.

#include "platform/filedialogs.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace zp;

namespace {

// Runs answer on the dialog once it is shown modally.
void whenShown(const std::function<void(QFileDialog *)> &answer)
{
    QTimer::singleShot(0, [answer] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog) {
            whenShown(answer); // not up yet
            return;
        }
        answer(dialog);
    });
}

const QChar Nul(0);

} // namespace

class TestFileDialogs : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void openSelection_data();
    void openSelection();
    void openShowsRequest();
    void saveAddsSuffix();
    void cancelGivesEmpty();

private:
    QTemporaryDir m_dir;
    FileDialogRequest openRequest() const;
};

void TestFileDialogs::initTestCase()
{
    QVERIFY(m_dir.isValid());
    for (const char *name : {"a.txt", "b.txt", "c.html"}) {
        QFile f(m_dir.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
}

FileDialogRequest TestFileDialogs::openRequest() const
{
    FileDialogRequest request;
    request.title = QStringLiteral("ファイルを選択して下さい。");
    request.folder = m_dir.path();
    request.filters = {QStringLiteral("ﾃｷｽﾄ(*.txt)"), QStringLiteral("HTML(*.html)"),
                       QStringLiteral("全てのﾌｧｲﾙ (*.*)")};
    request.defaultSuffix = QStringLiteral("txt");
    request.multiSelect = true;
    return request;
}

void TestFileDialogs::openSelection_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("one file gives its path") << "a.txt" << QStringList{"@/a.txt"};
    QTest::newRow("two files give folder and names") << "\"a.txt\" \"b.txt\""
                                                     << QStringList{"@", "a.txt", "b.txt", "", ""};
}

void TestFileDialogs::openSelection()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, entries);
    entries.replaceInStrings("@", m_dir.path());
    whenShown([typed](QFileDialog *dialog) {
        dialog->selectFile(typed);
        static_cast<QDialog *>(dialog)->accept(); // protected in QFileDialog, public in QDialog
    });
    QtFileDialogs dialogs;
    const FileDialogResult result = dialogs.getOpenFileName(openRequest());
    QCOMPARE(result.selection, entries.join(Nul));
    QCOMPARE(result.filterIndex, 1);
}

void TestFileDialogs::openShowsRequest()
{
    QString title, folder, filter;
    whenShown([&](QFileDialog *dialog) {
        title = dialog->windowTitle();
        folder = dialog->directory().absolutePath();
        filter = dialog->selectedNameFilter();
        dialog->selectNameFilter(QStringLiteral("全てのﾌｧｲﾙ (*.*)"));
        dialog->selectFile(QStringLiteral("c.html"));
        static_cast<QDialog *>(dialog)->accept(); // protected in QFileDialog, public in QDialog
    });
    QtFileDialogs dialogs;
    FileDialogRequest request = openRequest();
    request.filterIndex = 2;
    const FileDialogResult result = dialogs.getOpenFileName(request);
    QCOMPARE(title, request.title);
    QCOMPARE(folder, QDir(m_dir.path()).absolutePath());
    QCOMPARE(filter, QStringLiteral("HTML(*.html)"));
    QCOMPARE(result.filterIndex, 3);
    QCOMPARE(result.selection, m_dir.filePath("c.html"));
}

void TestFileDialogs::saveAddsSuffix()
{
    whenShown([](QFileDialog *dialog) {
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
        dialog->selectFile(QStringLiteral("fresh"));
        static_cast<QDialog *>(dialog)->accept(); // protected in QFileDialog, public in QDialog
    });
    QtFileDialogs dialogs;
    FileDialogRequest request = openRequest();
    request.multiSelect = false;
    request.confirmOverwrite = true;
    QCOMPARE(dialogs.getSaveFileName(request).selection, m_dir.filePath("fresh.txt"));
}

void TestFileDialogs::cancelGivesEmpty()
{
    whenShown([](QFileDialog *dialog) { dialog->reject(); });
    QtFileDialogs dialogs;
    QCOMPARE(dialogs.getOpenFileName(openRequest()).selection, QString());
}

QTEST_MAIN(TestFileDialogs)
#include "tst_filedialogs.moc"
