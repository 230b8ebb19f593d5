#include "mainwindow/toolbaricons.h"

#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>

using zp::toolbarIcon;

namespace {

const char *const ButtonNames[] = {"new",  "open", "save",      "cut",     "copy", "paste",
                                   "redo", "undo", "backcolor", "browser", "find", "clipboard"};

QImage iconImage(const QIcon &icon)
{
    return icon.pixmap(QSize(16, 16)).toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class TestToolbarIcons : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void shippedIcon_data();
    void shippedIcon();
    void shippedIconsDiffer();
    void themeIcon_data();
    void themeIcon();
    void unknownName_data();
    void unknownName();

private:
    // Writes an icon theme holding only iconNames (plain 16x16 squares) under
    // the scratch folder and makes it the current theme.
    bool useTheme(const QStringList &iconNames);

    QTemporaryDir m_root;
    int m_themeCount = 0;
};

bool TestToolbarIcons::useTheme(const QStringList &iconNames)
{
    // A fresh folder and theme name each time, so nothing looked up for an
    // earlier theme can be served again.
    const QString themeName = QStringLiteral("zptheme%1").arg(++m_themeCount);
    const QString searchPath = m_root.filePath(themeName + QStringLiteral("-path"));
    const QString themeDir = searchPath + QLatin1Char('/') + themeName;
    if (!QDir().mkpath(themeDir + QStringLiteral("/16x16")))
        return false;
    QFile index(themeDir + QStringLiteral("/index.theme"));
    if (!index.open(QIODevice::WriteOnly))
        return false;
    index.write("[Icon Theme]\nName=Test\nDirectories=16x16\n\n"
                "[16x16]\nSize=16\nType=Fixed\n");
    index.close();

    QImage square(16, 16, QImage::Format_ARGB32);
    square.fill(Qt::magenta);
    for (const QString &icon : iconNames) {
        if (!square.save(themeDir + QStringLiteral("/16x16/") + icon + QStringLiteral(".png")))
            return false;
    }
    QIcon::setThemeSearchPaths({searchPath});
    QIcon::setThemeName(themeName);
    return true;
}

void TestToolbarIcons::initTestCase()
{
    QVERIFY(m_root.isValid());
}

void TestToolbarIcons::init()
{
    // By default the desktop theme has none of the toolbar's icons, so the
    // shipped pictures are what gets used.
    QVERIFY(useTheme({}));
}

void TestToolbarIcons::shippedIcon_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : ButtonNames)
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestToolbarIcons::shippedIcon()
{
    QFETCH(QString, name);
    const QIcon icon = toolbarIcon(name);
    QVERIFY(!icon.isNull());
    QVERIFY(icon.name().isEmpty()); // not taken from the theme

    const QImage image = iconImage(icon);
    QCOMPARE(image.size(), QSize(16, 16));
    int transparent = 0;
    int opaque = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int alpha = qAlpha(image.pixel(x, y));
            transparent += alpha == 0;
            opaque += alpha == 255;
        }
    }
    QVERIFY2(transparent > 0, "solid square");
    QVERIFY2(opaque > 0, "blank picture");

    const QImage shipped(QStringLiteral(":/icons/") + name + QStringLiteral(".xpm"));
    QVERIFY(!shipped.isNull());
    QCOMPARE(image, shipped.convertToFormat(QImage::Format_ARGB32));
}

void TestToolbarIcons::shippedIconsDiffer()
{
    QList<QImage> images;
    for (const char *name : ButtonNames)
        images.append(iconImage(toolbarIcon(QString::fromLatin1(name))));
    for (int i = 0; i < images.size(); ++i) {
        for (int j = i + 1; j < images.size(); ++j) {
            QVERIFY2(images.at(i) != images.at(j),
                     qPrintable(QStringLiteral("%1 and %2 show the same picture")
                                    .arg(QLatin1String(ButtonNames[i]),
                                         QLatin1String(ButtonNames[j]))));
        }
    }
}

void TestToolbarIcons::themeIcon_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("themeIcons");
    QTest::addColumn<QString>("expected"); // theme icon used; empty: the shipped one

    const auto row = [](const char *tag, const char *name, const QStringList &themeIcons,
                        const char *expected) {
        QTest::newRow(tag) << QString::fromLatin1(name) << themeIcons
                           << QString::fromLatin1(expected);
    };
    row("new", "new", {"document-new"}, "document-new");
    row("open", "open", {"document-open"}, "document-open");
    row("save", "save", {"document-save"}, "document-save");
    row("cut", "cut", {"edit-cut"}, "edit-cut");
    row("copy", "copy", {"edit-copy"}, "edit-copy");
    row("paste", "paste", {"edit-paste"}, "edit-paste");
    row("redo", "redo", {"edit-redo"}, "edit-redo");
    row("undo", "undo", {"edit-undo"}, "edit-undo");
    row("find", "find", {"edit-find"}, "edit-find");
    row("backcolor", "backcolor", {"format-fill-color", "color-fill"}, "format-fill-color");
    row("backcolor second choice", "backcolor", {"color-fill"}, "color-fill");
    row("browser", "browser", {"internet-web-browser", "applications-internet"},
        "internet-web-browser");
    row("browser second choice", "browser", {"applications-internet"}, "applications-internet");
    row("clipboard", "clipboard", {"klipper", "clipboard"}, "klipper");
    row("clipboard second choice", "clipboard", {"clipboard"}, "clipboard");
    row("clipboard is not paste", "clipboard", {"edit-paste"}, "");
    row("redo is not undo", "redo", {"edit-undo"}, "");
    row("only other icons", "find", {"edit-cut", "edit-copy", "document-new"}, "");
}

void TestToolbarIcons::themeIcon()
{
    QFETCH(QString, name);
    QFETCH(QStringList, themeIcons);
    QFETCH(QString, expected);

    QVERIFY(useTheme(themeIcons));
    const QIcon icon = toolbarIcon(name);
    QVERIFY(!icon.isNull());
    QCOMPARE(icon.name(), expected);
}

void TestToolbarIcons::unknownName_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("empty") << QString();
    QTest::newRow("other case") << QStringLiteral("New");
    QTest::newRow("with extension") << QStringLiteral("new.xpm");
    QTest::newRow("theme name") << QStringLiteral("edit-cut");
    QTest::newRow("not a button") << QStringLiteral("bold");
}

void TestToolbarIcons::unknownName()
{
    QFETCH(QString, name);
    QVERIFY(toolbarIcon(name).isNull());
}

QTEST_MAIN(TestToolbarIcons)
#include "tst_toolbaricons.moc"
