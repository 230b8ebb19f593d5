#include "platform/pluginlibrary.h"

#include <QCoreApplication>
#include <QDebug>
#include <QLibrary>

#include <map>
#include <memory>

namespace zp {

QFunctionPointer resolvePluginFunction(const QString &plugin, const char *symbol)
{
    // Loaded libraries stay for the rest of the run: views they created live
    // on. Destroying a QLibrary does not unload its library, so the handles
    // are owned here and go at exit like any other object.
    static std::map<QString, std::unique_ptr<QLibrary>> loaded;
    std::unique_ptr<QLibrary> &library = loaded[plugin];
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
            auto candidate = std::make_unique<QLibrary>(folder + QLatin1Char('/') + plugin);
            if (candidate->load()) {
                library = std::move(candidate);
                break;
            }
            tried += candidate->errorString() + QLatin1Char(' ');
        }
        if (!library) {
            qWarning().noquote() << "Zelkopad: plugin" << plugin << "not found." << tried;
            return nullptr;
        }
    }
    return library->resolve(symbol);
}

} // namespace zp
