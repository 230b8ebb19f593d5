#include "platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace zp {

SystemClipboard::SystemClipboard(QObject *parent)
    : Clipboard(parent)
{
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &Clipboard::changed);
}

QString SystemClipboard::text() const
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText() ? data->text() : QString();
}

bool SystemClipboard::hasText() const
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    // Plain text only: a list of copied files alone is not a copied text.
    return data && data->hasFormat(QStringLiteral("text/plain"));
}

void SystemClipboard::setText(const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
}

} // namespace zp
