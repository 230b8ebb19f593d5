#pragma once
// The program's plugins: parts that pull in large libraries (the browser
// engine, the printing system) and are loaded only when first needed, so that
// start-up does not map them.

#include <QFunctionPointer>
#include <QString>

namespace zp {

// The function symbol of the plugin named plugin ("zelkopad-webview"), loaded
// from the program's folder or else from the folder it was built in; null when
// the plugin or the symbol cannot be found (the reason goes to the log).
QFunctionPointer resolvePluginFunction(const QString &plugin, const char *symbol);

} // namespace zp
