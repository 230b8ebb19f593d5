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

// Ctrl-clicks the row of name in the dialog's list, as a user adds a file to
// the selection, once the folder has been read and the filter shows the name.
bool selectRow(QFileDialog *dialog, const QString &name)
{
    auto *list = dialog->findChild<QListView *>(QStringLiteral("listView"));
    QModelIndex row;
    QTest::qWaitFor([&] {
        const QModelIndex first = list->model()->index(0, 0, list->rootIndex());
        row = list->model()->match(first, Qt::DisplayRole, name, 1, Qt::MatchExactly).value(0);
        return row.isValid();
    }, 30000); // the folder is read by a thread of its own, slow on a busy machine
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      list->visualRect(row).center());
    return row.isValid();
}

} // namespace

class TestFileDialogs : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void answers_data();
    void answers();

private:
    QTemporaryDir m_dir;
};

void TestFileDialogs::initTestCase()
{
    QVERIFY(m_dir.isValid());
    for (const char *name : {"a.txt", "b.txt", "c.html", "Makefile"})
        QVERIFY(QFile(m_dir.filePath(name)).open(QIODevice::WriteOnly));
}

void TestFileDialogs::answers_data()
{
    QTest::addColumn<bool>("save");
    QTest::addColumn<int>("startFilter");
    QTest::addColumn<int>("chosenFilter"); // 0: left as it starts
    QTest::addColumn<QString>("typed"); // "rows:" and names: chosen in the list; "": cancel
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("one file gives its path") << false << 1 << 0 << "a.txt" << QStringList{"@/a.txt"};
    QTest::newRow("two rows give folder and names") << false << 1 << 0 << "rows:a.txt b.txt"
                                                    << QStringList{"@", "a.txt", "b.txt", "", ""};
    // A new file is started from the open dialog by typing its name.
    QTest::newRow("missing file is returned") << false << 1 << 0 << "new.txt"
                                              << QStringList{"@/new.txt"};
    // "*.*" keeps its text and shows every name, those without a dot too.
    QTest::newRow("every name under *.*") << false << 2 << 3 << "rows:Makefile"
                                          << QStringList{"@/Makefile"};
    QTest::newRow("cancel gives nothing") << false << 1 << 0 << "" << QStringList{};
    QTest::newRow("save adds the suffix") << true << 1 << 0 << "fresh" << QStringList{"@/fresh.txt"};
}

// The dialog shows the request's title, folder and filter, and hands back the
// selection and the filter chosen last.
void TestFileDialogs::answers()
{
    QFETCH(bool, save);
    QFETCH(int, startFilter);
    QFETCH(int, chosenFilter);
    QFETCH(QString, typed);
    QFETCH(QStringList, entries);
    entries.replaceInStrings("@", m_dir.path());
    FileDialogRequest request;
    request.title = QStringLiteral("ファイルを選択して下さい。");
    request.folder = m_dir.path();
    request.filters = {QStringLiteral("ﾃｷｽﾄ(*.txt)"), QStringLiteral("HTML(*.html)"),
                       QStringLiteral("全てのﾌｧｲﾙ (*.*)")};
    request.filterIndex = startFilter;
    request.defaultSuffix = QStringLiteral("txt");
    request.multiSelect = !save;
    request.confirmOverwrite = save;
    whenShown([&](QFileDialog *dialog) {
        QCOMPARE(dialog->windowTitle(), request.title);
        QCOMPARE(dialog->acceptMode(), save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        QCOMPARE(dialog->selectedNameFilter(), request.filters.at(startFilter - 1));
        if (typed.isEmpty())
            return dialog->reject();
        if (chosenFilter)
            dialog->selectNameFilter(request.filters.at(chosenFilter - 1));
        if (typed.startsWith(QLatin1String("rows:"))) {
            for (const QString &name : typed.mid(5).split(QLatin1Char(' ')))
                QVERIFY2(selectRow(dialog, name), qPrintable(name));
        } else {
            dialog->selectFile(typed);
        }
        static_cast<QDialog *>(dialog)->accept(); // protected in QFileDialog, public in QDialog
    });
    QtFileDialogs dialogs;
    const FileDialogResult result =
            save ? dialogs.getSaveFileName(request) : dialogs.getOpenFileName(request);
    QCOMPARE(result.selection, entries.join(Nul));
    if (!typed.isEmpty())
        QCOMPARE(result.filterIndex, chosenFilter ? chosenFilter : startFilter);
}

QTEST_MAIN(TestFileDialogs)
#include "tst_filedialogs.moc"
