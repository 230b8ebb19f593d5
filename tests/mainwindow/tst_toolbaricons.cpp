// Toolbar pictures: the desktop theme's icon when it has one, else the
// picture shipped in the resources.

#include "mainwindow/toolbaricons.h"

#include <QDir>
#include <QIcon>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

using zp::toolbarIcon;

class TestToolbarIcons : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void shippedPictures();
    void themeFirst_data();
    void themeFirst();

private:
    QTemporaryDir m_root;
    int m_themes = 0;
};

// Every shipped picture is what its name gives while the theme has none, and
// no two are the same (a resource listing one file twice).
void TestToolbarIcons::shippedPictures()
{
    QIcon::setThemeSearchPaths({m_root.path()});
    QIcon::setThemeName(QStringLiteral("none"));
    toolbarIcon(QString()); // registers the resource
    const QStringList files = QDir(QStringLiteral(":/icons")).entryList({QStringLiteral("*.xpm")});
    QVERIFY(files.size() >= 12);
    QList<QImage> images;
    for (const QString &file : files) {
        const QIcon icon = toolbarIcon(QFileInfo(file).baseName());
        const QImage image = icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(image, QImage(":/icons/" + file).convertToFormat(QImage::Format_ARGB32));
        QVERIFY2(!images.contains(image), qPrintable(file));
        images.append(image);
    }
}

void TestToolbarIcons::themeFirst_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("themeIcons");
    QTest::addColumn<QString>("expected"); // the theme icon used; empty: the shipped one
    QTest::newRow("first choice") << "backcolor" << QStringList{"color-fill", "format-fill-color"}
                                  << "format-fill-color";
    QTest::newRow("second choice") << "clipboard" << QStringList{"clipboard"} << "clipboard";
    QTest::newRow("none of its names: shipped") << "redo" << QStringList{"edit-undo"} << "";
    QTest::newRow("unknown name") << "New" << QStringList{"document-new"} << "<null>";
}

void TestToolbarIcons::themeFirst()
{
    QFETCH(QString, name);
    QFETCH(QStringList, themeIcons);
    QFETCH(QString, expected);
    // A fresh theme each time, so nothing looked up before is served again.
    const QString theme = QStringLiteral("zptheme%1").arg(++m_themes);
    const QString dir = m_root.filePath(theme) + "/" + theme;
    QVERIFY(QDir().mkpath(dir + "/16x16"));
    QFile index(dir + "/index.theme");
    QVERIFY(index.open(QIODevice::WriteOnly));
    index.write("[Icon Theme]\nName=T\nDirectories=16x16\n[16x16]\nSize=16\nType=Fixed\n");
    index.close();
    QImage square(16, 16, QImage::Format_ARGB32);
    square.fill(Qt::magenta);
    for (const QString &icon : themeIcons)
        QVERIFY(square.save(dir + "/16x16/" + icon + ".png"));
    QIcon::setThemeSearchPaths({m_root.filePath(theme)});
    QIcon::setThemeName(theme);

    const QIcon icon = toolbarIcon(name);
    QCOMPARE(icon.isNull(), expected == "<null>");
    if (!icon.isNull())
        QCOMPARE(icon.name(), expected);
}

QTEST_MAIN(TestToolbarIcons)
#include "tst_toolbaricons.moc"
