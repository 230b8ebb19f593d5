#include "mainwindow/aboutbox.h"

#include "mainwindow/appicon.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace zp {

AboutBox::AboutBox(QWidget *owner)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("バージョン情報"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    auto *icon = new QLabel(this);
    icon->setPixmap(appIcon().pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);

    auto *name = new QLabel(QStringLiteral("<b style='font-size:14pt'>Zelkopad</b>"), this);
    auto *version = new QLabel(QStringLiteral("バージョン %1").arg(QStringLiteral(ZELKOPAD_VERSION)), this);
    auto *description = new QLabel(
        QStringLiteral("HTML を手で書く人のためのテキストエディターです。"), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    description->setObjectName(QStringLiteral("lblDescription"));

    auto *text = new QVBoxLayout;
    text->addWidget(name);
    text->addWidget(version);
    text->addSpacing(6);
    text->addWidget(description);

    auto *top = new QHBoxLayout;
    top->addWidget(icon);
    top->addSpacing(12);
    top->addLayout(text, 1);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace zp
