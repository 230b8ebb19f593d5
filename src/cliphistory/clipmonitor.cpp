#include "cliphistory/clipmonitor.h"

#include "platform/clipboard.h"

namespace zp {

ClipMonitor::ClipMonitor(Clipboard *clipboard, QObject *parent)
    : QObject(parent)
    , m_clipboard(clipboard)
{
}

ClipMonitor::~ClipMonitor()
{
    stop();
}

void ClipMonitor::start()
{
    if (isWatching() || !m_clipboard)
        return;
    m_connection = connect(m_clipboard, &Clipboard::changed, this, &ClipMonitor::clipboard_Changed);
}

void ClipMonitor::stop()
{
    disconnect(m_connection);
    m_connection = {};
}

void ClipMonitor::clipboard_Changed()
{
    if (m_clipboard->hasText())
        Q_EMIT textCopied(m_clipboard->text());
}

} // namespace zp
