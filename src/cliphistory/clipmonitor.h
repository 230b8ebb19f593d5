#pragma once
// The clipboard monitor: while it watches, every change of the clipboard's
// content that leaves text on it is reported once. Starting it reports
// nothing: the text already on the clipboard never counts as copied.

#include <QMetaObject>
#include <QObject>
#include <QString>

namespace zp {

class Clipboard;

class ClipMonitor : public QObject
{
    Q_OBJECT
public:
    explicit ClipMonitor(Clipboard *clipboard, QObject *parent = nullptr);
    ~ClipMonitor() override;

    void start();
    void stop();
    bool isWatching() const { return bool(m_connection); }

Q_SIGNALS:
    // A text reached the clipboard ("" counts; an image does not).
    void textCopied(const QString &text);

private:
    void clipboard_Changed();

    Clipboard *m_clipboard = nullptr;
    QMetaObject::Connection m_connection;
};

} // namespace zp
