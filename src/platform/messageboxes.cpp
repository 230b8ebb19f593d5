#include "platform/messageboxes.h"

#include <QMessageBox>

namespace zp {

namespace {

QMessageBox::StandardButton toStandard(MessageBoxes::Answer answer)
{
    switch (answer) {
    case MessageBoxes::Answer::Ok: return QMessageBox::Ok;
    case MessageBoxes::Answer::Cancel: return QMessageBox::Cancel;
    case MessageBoxes::Answer::Yes: return QMessageBox::Yes;
    case MessageBoxes::Answer::No: return QMessageBox::No;
    }
    return QMessageBox::NoButton;
}

QMessageBox::StandardButtons toStandard(MessageBoxes::Buttons buttons)
{
    switch (buttons) {
    case MessageBoxes::Buttons::Ok: return QMessageBox::Ok;
    case MessageBoxes::Buttons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageBoxes::Buttons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MessageBoxes::Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon toStandard(MessageBoxes::Icon icon)
{
    switch (icon) {
    case MessageBoxes::Icon::None: return QMessageBox::NoIcon;
    case MessageBoxes::Icon::Information: return QMessageBox::Information;
    case MessageBoxes::Icon::Warning: return QMessageBox::Warning;
    case MessageBoxes::Icon::Critical: return QMessageBox::Critical;
    case MessageBoxes::Icon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

MessageBoxes::Answer QtMessageBoxes::show(QWidget *owner, const QString &text,
                                          const QString &title, Buttons buttons, Icon icon,
                                          Answer defaultAnswer)
{
    QMessageBox box(toStandard(icon), title, text, toStandard(buttons), owner);
    box.setDefaultButton(toStandard(defaultAnswer));
    switch (box.exec()) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    }
}

} // namespace zp
