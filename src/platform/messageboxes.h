#pragma once
// Message boxes behind an interface, so that tests can answer them.

#include <QString>

class QWidget;

namespace zp {

// The application title every message box carries unless it has a caption of
// its own.
inline const QString AppTitle = QStringLiteral("Zelkopad");

class MessageBoxes
{
public:
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Icon { None, Information, Warning, Critical, Question };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~MessageBoxes() = default;

    // Shows a modal box owned by owner (may be null) and returns the button
    // pressed; closing the box without a button counts as Cancel (or as Ok for a
    // box with only Ok).
    virtual Answer show(QWidget *owner, const QString &text, const QString &title,
                        Buttons buttons, Icon icon, Answer defaultAnswer) = 0;
};

// The real boxes, built on QMessageBox.
class QtMessageBoxes : public MessageBoxes
{
public:
    Answer show(QWidget *owner, const QString &text, const QString &title, Buttons buttons,
                Icon icon, Answer defaultAnswer) override;
};

} // namespace zp
