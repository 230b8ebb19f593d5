#pragma once
// Doubles for the editing tests: a colour chooser given its answers in
// advance, and a running program over a temporary application folder whose
// message boxes expect no box at all.

#include "app/startup.h"
#include "editor/editwindow.h"
#include "editor/textview.h"
#include "mainwindow/mainwindow.h"
#include "platform/clipboard.h"
#include "platform/colorchooser.h"
#include "scriptedmessageboxes.h"

#include <QList>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

// Answers with the colours queued, std::nullopt for Cancel; counts the calls.
class QueuedColorChooser : public zp::ColorChooser
{
public:
    QList<std::optional<QColor>> answers;
    int calls = 0;

    bool choose(QWidget *, QColor *color) override
    {
        ++calls;
        if (answers.isEmpty()) {
            QTest::qFail("colour chooser shown without an answer", __FILE__, __LINE__);
            return false;
        }
        const std::optional<QColor> answer = answers.takeFirst();
        if (!answer)
            return false;
        *color = *answer;
        return true;
    }
};

// The program started over a temporary folder with the doubles and the
// offscreen system clipboard; settings may be written before start().
struct Program
{
    QTemporaryDir dir;
    zptest::ScriptedMessageBoxes boxes;
    zp::SystemClipboard clipboard;
    QueuedColorChooser chooser;
    std::unique_ptr<zp::Application> app;

    QString folder() const { return dir.path() + QLatin1Char('/'); }

    bool start()
    {
        app = std::make_unique<zp::Application>(dir.path(), boxes, clipboard);
        app->context().colorChooser = &chooser;
        if (!app->Main(QString()))
            return false;
        main()->resize(900, 700);
        return QTest::qWaitForWindowExposed(main());
    }
    zp::MainWindow *main() const { return app->mainWindow(); }
    zp::EditWindow *active() const { return main()->activeDocument(); }
    zp::TextView *view() const { return active() ? active()->rtfEdit() : nullptr; }
    zp::EditWindow *newDocument() { return main()->documents().NewDocument(0); }
};
