#include "platform/windowlist.h"

namespace zp {

void WindowList::add(QWidget *w)
{
    if (!w || m_windows.contains(w))
        return;
    m_windows.append(w);
    // QPointer alone would leave a null entry behind; drop it at destruction so
    // that counts and indexes stay those of the loaded windows.
    QObject::connect(w, &QObject::destroyed, w, [this, w] { m_windows.removeAll(w); });
}

void WindowList::remove(QWidget *w)
{
    m_windows.removeAll(w);
}

void WindowList::prune() const
{
    m_windows.removeAll(QPointer<QWidget>());
}

int WindowList::count() const
{
    prune();
    return int(m_windows.size());
}

QWidget *WindowList::at(int index) const
{
    prune();
    return index >= 0 && index < m_windows.size() ? m_windows.at(index).data() : nullptr;
}

QString WindowList::formName(int index) const
{
    QWidget *w = at(index);
    return w ? w->objectName() : QString();
}

QString WindowList::caption(int index) const
{
    QWidget *w = at(index);
    return w ? w->windowTitle() : QString();
}

QWidget *WindowList::first(const QString &formName) const
{
    for (int i = 0; i < count(); ++i) {
        if (this->formName(i) == formName)
            return at(i);
    }
    return nullptr;
}

} // namespace zp
