#pragma once
// The system clipboard as the program uses it: plain text only, plus a
// notification for every change of its content.

#include <QObject>
#include <QString>

namespace zp {

class Clipboard : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // The clipboard's plain text; "" when it holds no text (an image, say).
    virtual QString text() const = 0;
    // True when the clipboard holds text, "" included (an image alone is not).
    virtual bool hasText() const { return !text().isEmpty(); }
    // Replaces the whole clipboard content, other formats included, by text.
    virtual void setText(const QString &text) = 0;

Q_SIGNALS:
    void changed();
};

// The desktop's clipboard through QGuiApplication::clipboard().
class SystemClipboard : public Clipboard
{
    Q_OBJECT
public:
    explicit SystemClipboard(QObject *parent = nullptr);
    QString text() const override;
    bool hasText() const override;
    void setText(const QString &text) override;
};

} // namespace zp
