#pragma once
// "バージョン情報": the program's name, version and what it is for. Owned by the
// main window and not modal.

#include <QDialog>

namespace zp {

class AboutBox : public QDialog
{
    Q_OBJECT
public:
    explicit AboutBox(QWidget *owner);
};

} // namespace zp
