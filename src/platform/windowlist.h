#pragma once
// The application's list of loaded windows in load order: the main window,
// document and preview windows, and any loaded dialog. Each entry is known by
// its form name (the widget's objectName, "frmMain", "frmEdit", ...) and its
// caption. Lookups walk the list from index 0.

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace zp {

// The form names of the child windows; editor/childkind.h tells the kinds apart.
inline const QString DocumentFormName = QStringLiteral("frmEdit");
inline const QString PreviewFormName = QStringLiteral("frmBrow");

class WindowList
{
public:
    // Appends w; it leaves the list by itself when it is destroyed.
    void add(QWidget *w);
    void remove(QWidget *w);

    int count() const;
    QWidget *at(int index) const;
    QString formName(int index) const;
    QString caption(int index) const;

    // The first window named formName, or null.
    QWidget *first(const QString &formName) const;

private:
    void prune() const;
    mutable QList<QPointer<QWidget>> m_windows;
};

} // namespace zp
