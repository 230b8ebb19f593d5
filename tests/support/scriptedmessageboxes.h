#pragma once
// A message-box double: answers are given in advance, every box shown is
// recorded, and a box nobody expected is counted so the test can fail on it.

#include "platform/messageboxes.h"

#include <QList>
#include <QString>

namespace zptest {

class ScriptedMessageBoxes : public zp::MessageBoxes
{
public:
    struct Shown
    {
        QString text;
        QString title;
        Buttons buttons;
        Icon icon;
        Answer defaultAnswer;
    };

    // The answer to the next box; boxes take the answers in order.
    void expect(Answer answer) { m_answers.append(answer); }

    Answer show(QWidget *, const QString &text, const QString &title, Buttons buttons, Icon icon,
                Answer defaultAnswer) override
    {
        m_shown.append({text, title, buttons, icon, defaultAnswer});
        if (m_answers.isEmpty()) {
            ++m_unexpected;
            return Answer::Cancel;
        }
        return m_answers.takeFirst();
    }

    const QList<Shown> &shown() const { return m_shown; }
    // True when every box was expected and every answer used.
    bool settled() const { return m_unexpected == 0 && m_answers.isEmpty(); }

private:
    QList<Answer> m_answers;
    QList<Shown> m_shown;
    int m_unexpected = 0;
};

} // namespace zptest
