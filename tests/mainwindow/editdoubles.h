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
#include "testapp.h"

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
// offscreen system clipboard, its window at a size that shows a few dozen lines.
struct Program : zptest::TestApp
{
    QueuedColorChooser chooser;

    QString appFolder() const { return folder.path() + QLatin1Char('/'); }
    bool start()
    {
        configure = [this](zp::AppContext &context) { context.colorChooser = &chooser; };
        if (!TestApp::start())
            return false;
        main()->resize(900, 700);
        return QTest::qWaitForWindowExposed(main());
    }
    zp::MainWindow *main() const { return frame(); }
    zp::EditWindow *active() const { return main()->activeDocument(); }
    zp::TextView *view() const { return active() ? active()->rtfEdit() : nullptr; }
    zp::EditWindow *newDocument() { return main()->documents().NewDocument(0); }
};
