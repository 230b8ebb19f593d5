// Zelkopad: a text editor for writing web pages by hand.

#include "app/appidentity.h"
#include "app/commandline.h"
#include "app/shutdown.h"
#include "app/startup.h"
#include "mainwindow/appicon.h"
#include "platform/clipboard.h"
#include "platform/messageboxes.h"
#include "platform/programfolders.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    zp::setApplicationIdentity();
    // Every window, dialogs included, and the taskbar entry show the icon.
    QApplication::setWindowIcon(zp::appIcon());
    // The interface is Japanese whatever the locale: Qt's own texts (the
    // buttons of message boxes and dialogs) follow it.
    QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    zp::QtMessageBoxes messageBoxes;
    zp::SystemClipboard clipboard;
    zp::Application zelkopad(zp::ProgramFolders::of(zp::ProgramFolders::buildLayout(),
                                                    QApplication::applicationDirPath(),
                                                    QProcessEnvironment::systemEnvironment()),
                             messageBoxes, clipboard);
    // Caught from the start: a modified document is rescued into the backup
    // folder instead of being lost with the process.
    zp::SignalRescue rescue(zelkopad);
    zp::connectSessionEnd(zelkopad);
    if (!zelkopad.Main(zp::CommandLineItems(QApplication::arguments().mid(1))))
        return 1;
    return app.exec();
}
