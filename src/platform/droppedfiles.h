#pragma once
// The local files carried by dragged or dropped data, in the order given.

#include <QStringList>

class QMimeData;

namespace zp {

QStringList droppedLocalFiles(const QMimeData *data);

} // namespace zp
