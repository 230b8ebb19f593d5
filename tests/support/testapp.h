#pragma once
// A started program in a temporary application folder, with the message-box
// double and the (offscreen) system clipboard.

#include "app/startup.h"
#include "mainwindow/mainwindow.h"
#include "platform/clipboard.h"
#include "scriptedmessageboxes.h"

#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace zptest {

struct TestApp
{
    QTemporaryDir folder;
    ScriptedMessageBoxes boxes;
    zp::SystemClipboard clipboard;
    std::unique_ptr<zp::Application> app;
    // Run on the context before the start-up sequence (to put in more doubles).
    std::function<void(zp::AppContext &)> configure;

    // Writes settings (INI text, CR LF added) before the start when given.
    bool start(const QString &commandLine = QString(), const QByteArray &settings = QByteArray())
    {
        if (!settings.isNull()) {
            QFile file(folder.filePath(QStringLiteral("Zelkopad.ini")));
            if (!file.open(QIODevice::WriteOnly))
                return false;
            file.write(settings);
        }
        app = std::make_unique<zp::Application>(folder.path(), boxes, clipboard);
        if (configure)
            configure(app->context());
        return app->Main(commandLine);
    }

    zp::MainWindow *frame() const { return app ? app->mainWindow() : nullptr; }
    zp::AppContext &context() { return app->context(); }
};

} // namespace zptest
