// Zelkopad: a text editor for writing web pages by hand.

#include "app/appidentity.h"
#include "app/commandline.h"
#include "app/startup.h"
#include "platform/clipboard.h"
#include "platform/messageboxes.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    zp::setApplicationIdentity();
    // The interface is Japanese whatever the locale: Qt's own texts (the
    // buttons of message boxes and dialogs) follow it.
    QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    zp::QtMessageBoxes messageBoxes;
    zp::SystemClipboard clipboard;
    zp::Application zelkopad(QApplication::applicationDirPath(), messageBoxes, clipboard);
    if (!zelkopad.Main(zp::CommandLineText(QApplication::arguments().mid(1))))
        return 1;
    return app.exec();
}
