// The library that compiles this file must list
// ${CMAKE_SOURCE_DIR}/resources/icons.qrc in its sources: the fallback
// pictures are read from that resource.
#include "mainwindow/toolbaricons.h"

// Q_INIT_RESOURCE declares the resource's init function in the enclosing
// namespace, so it has to be expanded outside zp. Calling it is what keeps the
// resource object from being dropped when linking against a static library.
static void initIconsResource()
{
    Q_INIT_RESOURCE(icons);
}

namespace zp {

namespace {

struct ToolbarIcon {
    const char *name;
    const char *themeNames[2]; // tried in order; nullptr ends the list early
};

constexpr ToolbarIcon Icons[] = {
    {"new", {"document-new", nullptr}},
    {"open", {"document-open", nullptr}},
    {"save", {"document-save", nullptr}},
    {"cut", {"edit-cut", nullptr}},
    {"copy", {"edit-copy", nullptr}},
    {"paste", {"edit-paste", nullptr}},
    {"redo", {"edit-redo", nullptr}},
    {"undo", {"edit-undo", nullptr}},
    {"backcolor", {"format-fill-color", "color-fill"}},
    {"browser", {"internet-web-browser", "applications-internet"}},
    {"find", {"edit-find", nullptr}},
    {"clipboard", {"klipper", "clipboard"}},
};

} // namespace

QIcon toolbarIcon(const QString &name)
{
    static const bool resourceReady = (initIconsResource(), true);
    Q_UNUSED(resourceReady);

    for (const ToolbarIcon &icon : Icons) {
        if (name != QLatin1String(icon.name))
            continue;
        for (const char *themeName : icon.themeNames) {
            if (themeName && QIcon::hasThemeIcon(QLatin1String(themeName)))
                return QIcon::fromTheme(QLatin1String(themeName));
        }
        return QIcon(QString(QLatin1String(":/icons/") + name + QLatin1String(".xpm")));
    }
    return QIcon();
}

} // namespace zp
