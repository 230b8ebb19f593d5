#pragma once
// The whole program started over a temporary application folder, with the
// message-box, file-dialog and colour-chooser doubles and the offscreen system
// clipboard (emptied at each start), and a folder for the test's own files. It
// is the one way tests start the program: made in a test function or in init(),
// and checked as it ends (at the end of the function, or in cleanup()): every
// document is set unmodified, so closing asks nothing, and a message box nobody
// expected, or an answer left unused, fails the test.

#include "app/commandline.h"
#include "app/startup.h"
#include "documents/documents.h"
#include "editor/editwindow.h"
#include "editor/textview.h"
#include "mainwindow/mainwindow.h"
#include "platform/clipboard.h"
#include "platform/settingsfile.h"
#include "platform/windowlist.h"

#include "filetestdoubles.h"
#include "previewdoubles.h"
#include "files.h"
#include "queuedcolorchooser.h"
#include "scriptedmessageboxes.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

namespace zptest {

struct TestApp
{
    QTemporaryDir folder; // the program's folder
    QTemporaryDir files;  // the test's documents
    ScriptedMessageBoxes boxes;
    zp::testing::ScriptedFileDialogs dialogs;
    QueuedColorChooser colors;
    zp::SystemClipboard clipboard;
    BrowserDoubles browsers;
    PrinterDouble printer;
    std::unique_ptr<zp::Application> app;
    // Run on the context before the start-up sequence (to put in more doubles).
    std::function<void(zp::AppContext &)> configure;

    // settings: "Key=Value" of section [Edit] or "Section/Key=Value", written
    // before the start; commandLine as the program gets it (" " opens no
    // document at all).
    bool start(const QString &commandLine = QString(), const QStringList &settings = {})
    {
        return startWithItems(zp::SplitCommandLine(commandLine), settings);
    }
    // Started with the command line already split into items.
    bool startWithItems(const QStringList &items, const QStringList &settings = {})
    {
        const zp::ProgramFolders folders =
                zp::ProgramFolders::of(zp::ProgramFolders::Layout::Portable, folder.path(), {});
        const zp::SettingsFile file(folders.settings);
        for (const QString &line : settings) {
            const QString name = line.section('=', 0, 0);
            file.write(name.contains('/') ? name.section('/', 0, 0) : QStringLiteral("Edit"),
                       name.section('/', -1), line.section('=', 1));
        }
        QGuiApplication::clipboard()->clear();
        app = std::make_unique<zp::Application>(folders, boxes, clipboard);
        app->context().fileDialogs = &dialogs;
        app->context().colorChooser = &colors;
        app->context().browsers = &browsers;
        app->context().printer = &printer;
        if (configure)
            configure(app->context());
        return app->Main(items);
    }
    // Started with the frame shown at size and exposed, for tests that
    // depend on painting or on where windows are placed.
    bool startShown(QSize size, const QString &commandLine = QString())
    {
        if (!start(commandLine))
            return false;
        frame()->resize(size);
        return QTest::qWaitForWindowExposed(frame());
    }
    // The settings file as it is before the start, byte for byte.
    QString settingsPath() const { return folder.filePath(QStringLiteral("Zelkopad.ini")); }
    bool writeSettings(const QByteArray &ini) const { return writeBytes(settingsPath(), ini); }

    // The answers to the next message boxes, in order.
    void answer(std::initializer_list<zp::MessageBoxes::Answer> answers)
    {
        for (zp::MessageBoxes::Answer a : answers)
            boxes.expect(a);
    }

    zp::MainWindow *frame() const { return app ? app->mainWindow() : nullptr; }
    zp::MainWindow *main() const { return frame(); }
    zp::AppContext &context() const { return app->context(); }
    zp::Documents &documents() const { return frame()->documents(); }
    zp::EditWindow *active() const { return frame()->activeDocument(); }
    zp::TextView *view() const { return active() ? active()->rtfEdit() : nullptr; }

    // An untitled, unmodified document holding text.
    zp::EditWindow *newDocument(const QString &text = QString())
    {
        zp::EditWindow *document = documents().NewDocument(0);
        document->rtfEdit()->setText(text);
        document->rtfEdit()->setModified(false);
        return document;
    }
    // The loaded windows of one kind in load order; the document windows, and their titles.
    template<typename Window> QList<Window *> windowsOf() const
    {
        QList<Window *> list;
        for (int i = 0; i < context().windows->count(); ++i) {
            if (auto *w = qobject_cast<Window *>(context().windows->at(i)))
                list.append(w);
        }
        return list;
    }
    QList<zp::EditWindow *> documentWindows() const { return windowsOf<zp::EditWindow>(); }
    QStringList documentTitles() const
    {
        QStringList titles;
        for (zp::EditWindow *w : documentWindows())
            titles.append(w->windowTitle());
        return titles;
    }

    QString filePath(const QString &name) const { return files.filePath(name); }
    QString backupPath(const QString &name) const { return context().backupFolder() + name; }
    // Writes a test file (folders made as needed) and returns its path.
    QString writeFile(const QString &name, const QByteArray &bytes) const
    {
        writeBytes(filePath(name), bytes);
        return filePath(name);
    }
    static QByteArray readFile(const QString &path) { return readBytes(path); }

    void shutDown()
    {
        if (!app)
            return;
        // A stray box is answered Cancel, which would let a test pass that
        // should have failed.
        const bool settled = boxes.settled();
        const bool coloursUsed = colors.answers.isEmpty();
        for (zp::EditWindow *w : documentWindows())
            w->rtfEdit()->setModified(false);
        app.reset();
        QVERIFY2(settled, "a message box nobody expected, or an answer left unused");
        QVERIFY2(coloursUsed, "a colour answer left unused");
    }
    ~TestApp() { shutDown(); }
};

} // namespace zptest
