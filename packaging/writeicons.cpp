// Writes the program's icon, as the program draws it, into a hicolor icon
// theme tree: writeicons FOLDER SIZE... gives FOLDER/NxN/apps/zelkopad.png.
// Run at build time with QT_QPA_PLATFORM=offscreen.

#include "mainwindow/appicon.h"

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>

#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() < 3) {
        std::fprintf(stderr, "usage: writeicons FOLDER SIZE...\n");
        return 2;
    }
    for (const QString &text : arguments.mid(2)) {
        const int size = text.toInt();
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(arguments.at(1)).arg(size);
        if (size <= 0 || !QDir().mkpath(folder)
            || !zp::appIconPixmap(size).save(folder + QStringLiteral("/zelkopad.png"), "PNG")) {
            std::fprintf(stderr, "writeicons: cannot write the %s icon into %s\n",
                         qPrintable(text), qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
