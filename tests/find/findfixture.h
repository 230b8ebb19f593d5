#pragma once
// The find dialog of a started program and its controls by name, and the
// texts of the boxes it showed.

#include "find/finddialog.h"
#include "testapp.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

using zptest::TestApp;

inline zp::FindDialog *findDialog(const TestApp &t)
{
    return t.main()->findChild<zp::FindDialog *>(QStringLiteral("frmFind"));
}
inline zp::FindDialog *openFind(const TestApp &t)
{
    t.main()->mnuFindText_Click();
    return findDialog(t);
}
template<typename T>
T *findControl(const TestApp &t, const char *name, int index)
{
    return findDialog(t)->findChild<T *>(QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index));
}
inline QLineEdit *txtFind(const TestApp &t, int i) { return findControl<QLineEdit>(t, "txtFind", i); }
inline QCheckBox *chkOption(const TestApp &t, int i) { return findControl<QCheckBox>(t, "chkOption", i); }
inline QPushButton *btnFind(const TestApp &t, int i) { return findControl<QPushButton>(t, "btnFind", i); }

// The texts of the boxes shown; the find dialog's boxes are plain: OK only,
// no icon, the application's title.
inline QStringList messages(const TestApp &t)
{
    QStringList texts;
    for (const auto &box : t.boxes.shown()) {
        const bool plain = box.title == zp::AppTitle && box.buttons == zp::MessageBoxes::Buttons::Ok
                           && box.icon == zp::MessageBoxes::Icon::None;
        texts.append(plain ? box.text : QStringLiteral("(not a plain box) ") + box.text);
    }
    return texts;
}
inline void expectMessages(TestApp &t, int count)
{
    for (int i = 0; i < count; ++i)
        t.boxes.expect(zp::MessageBoxes::Answer::Ok);
}
inline void select(zp::TextView *view, int start, int length)
{
    view->setSelStart(start);
    view->setSelLength(length);
}
