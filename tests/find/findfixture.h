#pragma once
// The started program over a temporary folder, for the tests that drive the
// find dialog as the user does: documents with a given text, the dialog and
// its controls by name, and the texts of the boxes shown.

#include "editor/editwindow.h"
#include "editor/textview.h"
#include "find/finddialog.h"
#include "testapp.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QTest>

struct FindFixture
{
    FindFixture()
    {
        if (!app.start())
            QTest::qFail("the program did not start", __FILE__, __LINE__);
        main = app.frame();
        // Each test opens the documents it needs.
        main->mdiArea()->closeAllSubWindows();
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

    // The find dialog's boxes: OK only, no icon, the application's title.
    void expectMessages(int count)
    {
        for (int i = 0; i < count; ++i)
            app.boxes.expect(zp::MessageBoxes::Answer::Ok);
    }
    QStringList messages() const
    {
        QStringList texts;
        for (const auto &box : app.boxes.shown()) {
            const bool plain = box.title == zp::AppTitle && box.buttons == zp::MessageBoxes::Buttons::Ok
                               && box.icon == zp::MessageBoxes::Icon::None;
            texts.append(plain ? box.text : QStringLiteral("(not a plain box) ") + box.text);
        }
        return texts;
    }

    static void select(zp::TextView *view, int start, int length)
    {
        view->setSelStart(start);
        view->setSelLength(length);
    }

    zptest::TestApp app;
    zp::MainWindow *main = nullptr;
    zp::WindowList &windows() { return *app.context().windows; }
};
