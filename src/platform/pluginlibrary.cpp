#include "platform/pluginlibrary.h"

#include <QCoreApplication>
#include <QDebug>
#include <QHash>
#include <QLibrary>

namespace zp {

QFunctionPointer resolvePluginFunction(const QString &plugin, const char *symbol)
{
    // Loaded libraries stay for the rest of the run: views they created live on.
    static QHash<QString, QLibrary *> loaded;
    QLibrary *library = loaded.value(plugin);
    if (!library) {
        const QString programFolder = QCoreApplication::applicationDirPath();
#ifdef ZELKOPAD_PLUGIN_DIR_FROM_EXE
        const QStringList folders = {
                programFolder + QLatin1Char('/') + QStringLiteral(ZELKOPAD_PLUGIN_DIR_FROM_EXE)};
#else
        const QStringList folders = {programFolder, QStringLiteral(ZELKOPAD_PLUGIN_DIR)};
#endif
        QString tried;
        for (const QString &folder : folders) {
            // QLibrary adds the platform's prefix and suffix (libNAME.so).
            auto *candidate = new QLibrary(folder + QLatin1Char('/') + plugin);
            if (candidate->load()) {
                library = candidate;
                break;
            }
            tried += candidate->errorString() + QLatin1Char(' ');
            delete candidate;
        }
        if (!library) {
            qWarning().noquote() << "Zelkopad: plugin" << plugin << "not found." << tried;
            return nullptr;
        }
        loaded.insert(plugin, library);
    }
    return library->resolve(symbol);
}

} // namespace zp
