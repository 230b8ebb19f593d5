#pragma once
// A whole program over a temporary application folder, with the message-box,
// file-dialog and clipboard doubles, for tests that drive the file commands
// as a user would.

#include "app/startup.h"
#include "documents/documents.h"
#include "editor/editwindow.h"
#include "editor/textview.h"
#include "mainwindow/mainwindow.h"
#include "platform/windowlist.h"

#include "filetestdoubles.h"
#include "scriptedmessageboxes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>

#include <memory>

namespace zp::testing {

class AppFixture
{
public:
    QTemporaryDir appDir;
    QTemporaryDir files;
    zptest::ScriptedMessageBoxes boxes;
    ScriptedFileDialogs dialogs;
    MemoryClipboard clipboard;
    std::unique_ptr<Application> app;

    // settings: "Key=Value" lines of section [Edit] (or "Section/Key=Value"),
    // written before the program starts; commandLine as the program gets it.
    bool start(const QString &commandLine = QString(), const QStringList &settings = {})
    {
        const SettingsFile file(Application::AppFolderOf(appDir.path()));
        for (const QString &line : settings) {
            QString key = line.section('=', 0, 0);
            const QString section = key.contains('/') ? key.section('/', 0, 0) : "Edit";
            key = key.section('/', -1);
            file.write(section, key, line.section('=', 1));
        }
        app = std::make_unique<Application>(appDir.path(), boxes, clipboard);
        app->context().fileDialogs = &dialogs;
        return app->Main(commandLine);
    }

    // The answers to the next message boxes, in order.
    void answer(std::initializer_list<MessageBoxes::Answer> answers)
    {
        for (MessageBoxes::Answer a : answers)
            boxes.expect(a);
    }

    MainWindow *main() const { return app->mainWindow(); }
    Documents &documents() const { return app->mainWindow()->documents(); }
    AppContext &context() const { return app->context(); }

    void setSetting(const QString &key, const QString &value, const QString &section = "Edit")
    {
        context().settings.write(section, key, value);
    }

    // The document windows in load order.
    QList<EditWindow *> documentWindows() const
    {
        QList<EditWindow *> list;
        WindowList *windows = context().windows;
        for (int i = 0; i < windows->count(); ++i) {
            if (auto *w = qobject_cast<EditWindow *>(windows->at(i)))
                list.append(w);
        }
        return list;
    }
    QStringList documentTitles() const
    {
        QStringList titles;
        for (EditWindow *w : documentWindows())
            titles.append(w->windowTitle());
        return titles;
    }

    QString filePath(const QString &name) const { return files.filePath(name); }
    QString backupPath(const QString &name) const { return context().backupFolder() + name; }

    QString writeFile(const QString &name, const QByteArray &bytes) const
    {
        const QString path = filePath(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
        return path;
    }
    static QByteArray readFile(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // Closes every window without questions, so the next test starts clean.
    void shutDown()
    {
        if (!app)
            return;
        for (EditWindow *w : documentWindows())
            w->rtfEdit()->setTag(QStringLiteral("0"));
        app.reset();
    }
    ~AppFixture() { shutDown(); }
};

} // namespace zp::testing
