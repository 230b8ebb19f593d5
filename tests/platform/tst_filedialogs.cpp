// The real file dialogs: what they are shown with, and the selection forms
// they hand back, answered by selecting files in the dialog itself.

#include "platform/filedialogs.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QListView>
#include <QMessageBox>
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
        // The dialog's refusal box is closed, and a refused answer ends the
        // dialog, so that a refusal fails the test instead of hanging it.
        QTimer refusals;
        QObject::connect(&refusals, &QTimer::timeout, [] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                box->reject();
        });
        refusals.start(10);
        answer(dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
}

const QChar Nul(0);

// The names the dialog's list shows, once its folder has been read.
QStringList listedNames(QFileDialog *dialog, const QString &expected)
{
    auto *list = dialog->findChild<QListView *>(QStringLiteral("listView"));
    QStringList names;
    QTest::qWaitFor([&] {
        names.clear();
        for (int row = 0; row < list->model()->rowCount(list->rootIndex()); ++row)
            names.append(list->model()->index(row, 0, list->rootIndex()).data().toString());
        return names.contains(expected);
    });
    return names;
}

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

private:
    QTemporaryDir m_dir;
    FileDialogRequest openRequest() const;
};

void TestFileDialogs::initTestCase()
{
    QVERIFY(m_dir.isValid());
    for (const char *name : {"a.txt", "b.txt", "c.html", "Makefile"})
        QVERIFY(QFile(m_dir.filePath(name)).open(QIODevice::WriteOnly));
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
    QTest::addColumn<QString>("typed"); // names chosen in the list: "rows:" and the names
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("one file gives its path") << "a.txt" << QStringList{"@/a.txt"};
    QTest::newRow("two rows give folder and names") << "rows:a.txt b.txt"
                                                    << QStringList{"@", "a.txt", "b.txt", "", ""};
    // A new file is started from the open dialog by typing its name.
    QTest::newRow("missing file is returned") << "new.txt" << QStringList{"@/new.txt"};
    QTest::newRow("cancel gives nothing") << "" << QStringList{};
}

void TestFileDialogs::openSelection()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, entries);
    entries.replaceInStrings("@", m_dir.path());
    whenShown([typed](QFileDialog *dialog) {
        if (typed.isEmpty())
            return dialog->reject();
        if (typed.startsWith(QLatin1String("rows:"))) {
            auto *list = dialog->findChild<QListView *>(QStringLiteral("listView"));
            listedNames(dialog, QStringLiteral("b.txt"));
            for (const QString &name : typed.mid(5).split(QLatin1Char(' '))) {
                const QModelIndexList rows = list->model()->match(
                        list->model()->index(0, 0, list->rootIndex()), Qt::DisplayRole, name);
                list->selectionModel()->select(rows.value(0), QItemSelectionModel::Select
                                                                      | QItemSelectionModel::Rows);
            }
        } else {
            dialog->selectFile(typed);
        }
        static_cast<QDialog *>(dialog)->accept(); // protected in QFileDialog, public in QDialog
    });
    QtFileDialogs dialogs;
    const FileDialogResult result = dialogs.getOpenFileName(openRequest());
    QCOMPARE(result.selection, entries.join(Nul));
    if (!typed.isEmpty())
        QCOMPARE(result.filterIndex, 1);
}

// The dialog starts in the folder with the filter asked for; "*.*" keeps its
// text and shows every name, those without a dot too.
void TestFileDialogs::openShowsRequest()
{
    QString title, folder, filter;
    QStringList allNames;
    whenShown([&](QFileDialog *dialog) {
        title = dialog->windowTitle();
        folder = dialog->directory().absolutePath();
        filter = dialog->selectedNameFilter();
        dialog->selectNameFilter(QStringLiteral("全てのﾌｧｲﾙ (*.*)"));
        dialog->selectFile(QStringLiteral("c.html"));
        allNames = listedNames(dialog, QStringLiteral("Makefile"));
        static_cast<QDialog *>(dialog)->accept();
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
    QVERIFY2(allNames.contains(QStringLiteral("Makefile")), qPrintable(allNames.join(' ')));
}

void TestFileDialogs::saveAddsSuffix()
{
    whenShown([](QFileDialog *dialog) {
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
        dialog->selectFile(QStringLiteral("fresh"));
        static_cast<QDialog *>(dialog)->accept();
    });
    QtFileDialogs dialogs;
    FileDialogRequest request = openRequest();
    request.multiSelect = false;
    request.confirmOverwrite = true;
    QCOMPARE(dialogs.getSaveFileName(request).selection, m_dir.filePath("fresh.txt"));
}

QTEST_MAIN(TestFileDialogs)
#include "tst_filedialogs.moc"
