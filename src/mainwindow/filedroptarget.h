#pragma once
// Lets a widget take files dragged from a file manager: watches the widgets it
// is installed on and reports the local paths of a drop, in the order given.

#include <QObject>
#include <QStringList>

class QWidget;

namespace zp {

class FileDropTarget : public QObject
{
    Q_OBJECT
public:
    explicit FileDropTarget(QObject *parent = nullptr);

    // Makes target accept drops and watches its drag and drop events.
    void watch(QWidget *target);

Q_SIGNALS:
    void filesDropped(const QStringList &paths);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace zp
