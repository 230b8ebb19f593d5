#pragma once
// A main window over a temporary application folder with test doubles, for
// the tests that drive the find dialog as the user does.

#include "editor/editwindow.h"
#include "editor/textview.h"
#include "find/finddialog.h"
#include "mainwindow/mainwindow.h"
#include "platform/appcontext.h"
#include "platform/clipboard.h"
#include "platform/messageboxes.h"
#include "platform/windowlist.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextCursor>

#include <memory>

// Records every box; the tests compare the list with the boxes they expect,
// so an unexpected box fails them. The find dialog's boxes have only OK.
class RecordingMessageBoxes : public zp::MessageBoxes
{
public:
    Answer show(QWidget *, const QString &text, const QString &title, Buttons buttons, Icon icon,
                Answer) override
    {
        texts.append(text);
        if (title != zp::AppTitle || buttons != Buttons::Ok || icon != Icon::None)
            badForm.append(text);
        return buttons == Buttons::Ok ? Answer::Ok : Answer::No;
    }
    QStringList texts;
    // Boxes shown with a title, buttons or icon other than the plain OK box.
    QStringList badForm;
};

class MemoryClipboard : public zp::Clipboard
{
public:
    QString text() const override { return m_text; }
    void setText(const QString &text) override { m_text = text; }

private:
    QString m_text;
};

struct FindFixture
{
    FindFixture()
    {
        context.appFolder = dir.path() + QLatin1Char('/');
        context.settings = zp::SettingsFile(context.appFolder);
        context.windows = &windows;
        context.messageBoxes = &boxes;
        context.clipboard = &clipboard;
        main = std::make_unique<zp::MainWindow>(context);
        main->show();
    }

    ~FindFixture()
    {
        // Closing first takes the child windows down while the main window is
        // whole, as the program does at exit.
        main->close();
        main.reset();
    }

    zp::EditWindow *newDocument(const QString &text)
    {
        zp::EditWindow *document = main->documents().NewDocument(0);
        document->rtfEdit()->setText(text);
        document->rtfEdit()->setTag(QStringLiteral("0"));
        // Closing in these tests never asks to save.
        document->setCloseRequestHandler([] { return true; });
        return document;
    }

    zp::FindDialog *openFind()
    {
        main->mnuFindText_Click();
        return dialog();
    }

    zp::FindDialog *dialog() const
    {
        return main->findChild<zp::FindDialog *>(QStringLiteral("frmFind"));
    }

    template<typename T>
    T *control(const char *name, int index) const
    {
        return dialog()->findChild<T *>(QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index));
    }
    QLineEdit *txtFind(int i) const { return control<QLineEdit>("txtFind", i); }
    QCheckBox *chkOption(int i) const { return control<QCheckBox>("chkOption", i); }
    QPushButton *btnFind(int i) const { return control<QPushButton>("btnFind", i); }

    static void select(zp::TextView *view, int start, int length)
    {
        view->setSelStart(start);
        view->setSelLength(length);
    }

    QTemporaryDir dir;
    zp::WindowList windows;
    RecordingMessageBoxes boxes;
    MemoryClipboard clipboard;
    zp::AppContext context;
    std::unique_ptr<zp::MainWindow> main;
};
