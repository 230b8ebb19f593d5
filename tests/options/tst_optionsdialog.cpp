// The options dialog: the settings file shown in its controls and written
// back on "OK", what "OK" does to the open documents, what Cancel leaves
// alone, and a settings file that cannot be written.

#include "testapp.h"
#include "permissions.h"

#include "editor/linenumbergutter.h"
#include "options/optionsdialog.h"
#include "platform/appcontext.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

using namespace zptest;

namespace {

// The dialog opened by its menu item, active; null when it did not open.
zp::OptionsDialog *openOptions(TestApp &f)
{
    f.frame()->menus().mnuOptionSetup->trigger();
    auto *dialog = qobject_cast<zp::OptionsDialog *>(f.context().windows->first("frmOption"));
    if (!dialog)
        return nullptr;
    dialog->activateWindow();
    return QTest::qWaitForWindowActive(dialog) ? dialog : nullptr;
}

template<typename W = QWidget>
W *control(QWidget *dialog, const QString &name)
{
    return dialog->findChild<W *>(name);
}

QString state(QWidget *dialog, const QString &name)
{
    // As the file keeps it: 1 ticked, 2 greyed.
    if (auto *box = control<QCheckBox>(dialog, name))
        return QString::number(box->checkState() == Qt::Checked ? 1 : box->checkState() == Qt::Unchecked ? 0 : 2);
    return control<QRadioButton>(dialog, name)->isChecked() ? "1" : "0";
}

// The controls in one line: the switches of page 1, the colours and line
// numbers of page 2, the clipboard page, and which page is shown.
QString shown(QWidget *d)
{
    return QStringLiteral("%1%2%3 %4 %5 | %6,%7,%8 %9 | %10 %11 %12%13 %14 | page %15")
            .arg(state(d, "chkBackup(0)"), state(d, "chkBackup(1)"), state(d, "chkBackup(2)"),
                 state(d, "chkHtml"), state(d, "chkEdit"))
            .arg(control<QLineEdit>(d, "txtColor(0)")->text(), control<QLineEdit>(d, "txtColor(1)")->text(),
                 control<QLineEdit>(d, "txtColor(2)")->text(), state(d, "chkLineNum"))
            .arg(control<QLineEdit>(d, "txtClipboard")->text(), state(d, "chkClipHistory"),
                 state(d, "optClipManual"), state(d, "optClipAdd"),
                 control(d, "optClipAdd")->isEnabled() ? "on" : "off")
            .arg(control(d, "FrmTab1")->isVisible() ? 1 : control(d, "FrmTab2")->isVisible() ? 2 : 3);
}

QByteArray lines(const QStringList &list)
{
    return (list.join("\r\n") + "\r\n").toLatin1();
}

} // namespace

class TestOptionsDialog : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void mapping_data();
    void mapping();
    void okAppliesToOpenDocuments();
    void discardingWritesNothing_data();
    void discardingWritesNothing();
    void unwritableSettingsKeepDialogOpen_data();
    void unwritableSettingsKeepDialogOpen();
};

void TestOptionsDialog::mapping_data()
{
    QTest::addColumn<QByteArray>("ini"); // empty: the default file
    QTest::addColumn<QString>("before");
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QByteArray>("written"); // empty: the file as it was
    const QString dflt = "000 1 1 | 000000,FFFFFF,bbbbbb 1 | 5 0 00 off | page 1";
    QTest::newRow("default file") << QByteArray() << dflt << QStringList() << dflt << QByteArray();
    const QString missing = "000 0 2 | FF0000123,, 0 | 5 0 00 off | page 1";
    QTest::newRow("missing keys, colour over 9 characters")
            << lines({"[Edit]", "FontColor=FF00001234567", "[History]", "FileList1="})
            << missing << QStringList() << missing
            << lines({"[Edit]", "FontColor=FF0000123", "EndBackup=0", "Backup=0", "SaveBackup=0",
                      "HTML=0", "EndCheckColor=0", "LineNum=0", "ClipboardHistory=5",
                      "ClipboardSaveType=0", "ClipboardSaveTiming=0", "[History]", "FileList1="});
    QTest::newRow("timing 0 with type 1 shows kept; 0a07 typed; manual and append; chosen colour")
            << lines({"[Edit]", "EndBackup=1", "ClipboardSaveTiming=0", "ClipboardSaveType=1"})
            << "100 0 2 | ,, 0 | 5 1 00 on | page 1"
            << QStringList{"type txtClipboard 0a07", "click optClipManual", "click optClipAdd",
                           "choose 1 #0102ff"}
            << "100 0 2 | ,0102FF, 0 | 007 1 11 on | page 1"
            << lines({"[Edit]", "EndBackup=1", "ClipboardSaveTiming=1", "ClipboardSaveType=2",
                      "Backup=0", "SaveBackup=0", "HTML=0", "BackColor=0102FF", "EndCheckColor=0",
                      "LineNum=0", "ClipboardHistory=7"});
    const QByteArray kept = lines({"[Edit]", "Backup=0", "SaveBackup=0", "EndBackup=0", "HTML=0",
                                   "EndCheckColor=0", "LineNum=0", "ClipboardHistory=50",
                                   "ClipboardSaveTiming=2", "ClipboardSaveType=2"});
    QTest::newRow("3 refused; history unticked")
            << kept << "000 0 0 | ,, 0 | 50 1 01 on | page 1"
            << QStringList{"type txtClipboard 3", "click chkClipHistory", "refused"}
            << "000 0 0 | ,, 0 |  0 01 off | page 1"
            << QByteArray(kept).replace("Timing=2", "Timing=0").replace("Type=2", "Type=0");
    QTest::newRow("pasted text refused; pages switched")
            << kept << "000 0 0 | ,, 0 | 50 1 01 on | page 1"
            << QStringList{"paste txtClipboard 5x", "focus chkClipHistory", "tab 3", "refused"}
            << "000 0 0 | ,, 0 |  1 01 on | page 3" << kept;
    QTest::newRow("a size refused by OK shows its page")
            << QByteArray(kept).replace("=50", "=200") << "000 0 0 | ,, 0 | 200 1 01 on | page 1"
            << QStringList{"tab 2", "ok", "refused"} << "000 0 0 | ,, 0 |  1 01 on | page 3"
            << QByteArray();
}

void TestOptionsDialog::mapping()
{
    QFETCH(QByteArray, ini);
    QFETCH(QString, before);
    QFETCH(QStringList, actions);
    QFETCH(QString, after);
    QFETCH(QByteArray, written);
    TestApp f;
    if (!ini.isEmpty())
        QVERIFY(f.writeSettings(ini));
    QVERIFY(f.start(" "));
    const QByteArray old = readBytes(f.settingsPath());
    zp::OptionsDialog *dialog = openOptions(f);
    QVERIFY(dialog);
    QCOMPARE(shown(dialog), before);
    const bool refused = actions.contains("refused");
    if (refused)
        f.answer({zp::MessageBoxes::Answer::Ok});
    for (const QString &action : actions) {
        const QStringList a = action.split(' ');
        if (a[0] == "type" || a[0] == "paste") {
            auto *box = control<QLineEdit>(dialog, a[1]);
            box->setFocus();
            box->clear();
            if (a[0] == "type")
                QTest::keyClicks(box, a[2]);
            else
                box->insert(a[2]);
        } else if (a[0] == "click") {
            QTest::mouseClick(control(dialog, a[1]), Qt::LeftButton, {}, QPoint(4, 4));
        } else if (a[0] == "choose") {
            f.colors.answers.append(QColor(a[2]));
            control<QPushButton>(dialog, "btnColor(" + a[1] + ")")->click();
            QCOMPARE(f.colors.owner, static_cast<QWidget *>(dialog));
        } else if (a[0] == "focus") {
            control(dialog, a[1])->setFocus();
        } else if (a[0] == "ok") {
            QTest::mouseClick(control(dialog, "btnOk"), Qt::LeftButton);
        } else if (a[0] == "tab") {
            control<QTabWidget>(dialog, "optTab")->setCurrentIndex(a[1].toInt() - 1);
        }
    }
    QCOMPARE(shown(dialog), after);
    QCOMPARE(f.boxes.shown().size(), refused ? 1 : 0);
    if (refused) {
        QCOMPARE(f.boxes.shown()[0].text, zp::OptionsDialog::HistorySizeMessage);
        QCOMPARE(f.boxes.shown()[0].title, QStringLiteral("Zelkopad"));
    }
    QTest::mouseClick(control(dialog, "btnOk"), Qt::LeftButton);
    QTRY_VERIFY(!f.frame()->findChild<zp::OptionsDialog *>("frmOption"));
    QCOMPARE(readBytes(f.settingsPath()), written.isEmpty() ? old : written);
}

void TestOptionsDialog::okAppliesToOpenDocuments()
{
    TestApp f;
    QVERIFY(f.start(" "));
    const QByteArray raw = "<p>\r\none\ntwo\rthree";
    zp::EditWindow *first = f.newDocument(QString::fromLatin1(raw));
    zp::EditWindow *last = f.newDocument("second");
    first->rtfEdit()->setModified(true);
    last->rtfEdit()->setSelStart(3);
    f.frame()->mdiArea()->setActiveSubWindow(first->subWindow());
    const QList<zp::EditWindow *> both{first, last};
    auto gutters = [&]() -> QString {
        QString s;
        for (zp::EditWindow *w : both) {
            const bool fills = w->rtfEdit()->geometry() == QRect(QPoint(0, 0), w->size());
            s += QStringLiteral("%1%2%3 ").arg(w->lineNumbersShown()).arg(w->picLineNo()->isVisible()).arg(fills);
        }
        return s + (f.context().lineNumbersHidden ? "hidden" : "shown");
    };
    QCOMPARE(gutters(), "110 110 shown");

    zp::OptionsDialog *dialog = openOptions(f);
    QVERIFY(dialog);
    control<QLineEdit>(dialog, "txtColor(0)")->setText("FF0000");
    control<QLineEdit>(dialog, "txtColor(1)")->clear();
    control<QCheckBox>(dialog, "chkLineNum")->setChecked(false);
    dialog->btnOk_Click();
    QCOMPARE(gutters(), "001 001 hidden");
    for (zp::EditWindow *w : both) {
        QCOMPARE(w->rtfEdit()->textColor(), QColor(255, 0, 0));
        QCOMPARE(w->rtfEdit()->backColor(), QColor(0, 0, 0));
        QCOMPARE(w->picLineNo()->backColor(), QColor(0, 0, 0));
    }
    QCOMPARE(f.active(), last);
    QCOMPARE(last->rtfEdit()->selStart(), 3);
    QCOMPARE(first->isModified(), true);
    QCOMPARE(last->isModified(), false);
    zp::SettingsFile &settings = f.context().settings;
    QCOMPARE(settings.readString("Edit", "BackColor", 99), QStringLiteral("FFFFFF"));

    dialog = openOptions(f);
    QVERIFY(dialog);
    control<QCheckBox>(dialog, "chkLineNum")->setChecked(true);
    control<QLineEdit>(dialog, "txtColor(2)")->clear();
    dialog->btnOk_Click();
    QCOMPARE(gutters(), "110 110 shown");
    QCOMPARE(first->picLineNo()->numberColor(), QColor(187, 187, 187));
    QCOMPARE(settings.readString("Edit", "LineNoColor", 99), QStringLiteral("bbbbbb"));
    // Recolouring never reaches the bytes.
    const QString saved = f.filePath("saved.txt");
    QVERIFY(first->rtfEdit()->saveFile(saved));
    QCOMPARE(readBytes(saved), raw);
}

void TestOptionsDialog::discardingWritesNothing_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Cancel") << "Cancel";
    QTest::newRow("close box") << "close";
    QTest::newRow("Esc") << "Esc";
}

void TestOptionsDialog::discardingWritesNothing()
{
    QFETCH(QString, how);
    TestApp f;
    QVERIFY(f.start());
    const QByteArray old = readBytes(f.settingsPath());
    zp::OptionsDialog *dialog = openOptions(f);
    QVERIFY(dialog);
    // Opened again, the same dialog comes to the front.
    QCOMPARE(openOptions(f), dialog);
    QCOMPARE(f.frame()->findChildren<zp::OptionsDialog *>().size(), 1);
    control<QCheckBox>(dialog, "chkBackup(2)")->setChecked(true);
    control<QLineEdit>(dialog, "txtColor(1)")->setText("000000");
    control<QCheckBox>(dialog, "chkLineNum")->setChecked(false);
    control<QCheckBox>(dialog, "chkClipHistory")->setChecked(true);
    if (how != "Cancel") {
        // Closing with a size the box would refuse asks nothing.
        auto *size = control<QLineEdit>(dialog, "txtClipboard");
        size->setFocus();
        size->clear();
        QTest::keyClick(size, Qt::Key_3);
    }
    if (how == "Cancel")
        QTest::mouseClick(control(dialog, "btnCancel"), Qt::LeftButton);
    else if (how == "close")
        dialog->close();
    else
        QTest::keyClick(dialog, Qt::Key_Escape);
    QTRY_VERIFY(!f.frame()->findChild<zp::OptionsDialog *>("frmOption"));
    QVERIFY(!f.context().windows->first("frmOption"));
    QCOMPARE(readBytes(f.settingsPath()), old);
    QVERIFY(f.active()->lineNumbersShown());
    QCOMPARE(f.view()->backColor(), QColor(255, 255, 255));
}

void TestOptionsDialog::unwritableSettingsKeepDialogOpen_data()
{
    QTest::addColumn<bool>("folder");
    QTest::newRow("read-only file") << false;
    QTest::newRow("a folder in its place") << true;
}

void TestOptionsDialog::unwritableSettingsKeepDialogOpen()
{
    QFETCH(bool, folder);
    TestApp f;
    QVERIFY(f.start());
    const QString path = f.settingsPath();
    const QByteArray old = readBytes(path);
    zp::testing::FileModesEnforced enforced;
    if (folder) {
        QVERIFY(QFile::remove(path) && QDir().mkdir(path));
    } else {
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
        if (QFile(path).open(QIODevice::WriteOnly | QIODevice::Append))
            QSKIP("file modes are not enforced for this user");
    }
    zp::OptionsDialog *dialog = openOptions(f);
    QVERIFY(dialog);
    control<QLineEdit>(dialog, "txtColor(0)")->setText("FF0000");
    f.answer({zp::MessageBoxes::Answer::Ok});
    QTest::mouseClick(control(dialog, "btnOk"), Qt::LeftButton);
    QCOMPARE(f.boxes.shown().size(), 1);
    QVERIFY(f.boxes.shown()[0].text.contains(path));
    QCOMPARE(f.boxes.shown()[0].title, QStringLiteral("Zelkopad"));
    QVERIFY(dialog->isVisible());
    QCOMPARE(control<QLineEdit>(dialog, "txtColor(0)")->text(), QStringLiteral("FF0000"));
    QCOMPARE(f.view()->textColor(), QColor(0, 0, 0));
    if (!folder)
        QCOMPARE(readBytes(path), old);
    dialog->close();
}

QTEST_MAIN(TestOptionsDialog)
#include "tst_optionsdialog.moc"
