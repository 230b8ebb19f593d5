#include "preview/enginebrowsers.h"

#include "platform/pluginlibrary.h"

namespace zp {

BrowserView *EngineBrowsers::create(QWidget *parent)
{
    using Create = BrowserView *(*)(QWidget *parent);
    auto function = reinterpret_cast<Create>(
            resolvePluginFunction(QStringLiteral("zelkopad-webview"), "zelkopad_createBrowserView"));
    return function ? function(parent) : nullptr;
}

} // namespace zp
