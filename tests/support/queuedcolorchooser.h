#pragma once
// A colour chooser given its answers in advance: a chooser shown without an
// answer fails the running test instead of waiting for a user.

#include "platform/colorchooser.h"

#include <QList>
#include <QTest>

#include <optional>

namespace zptest {

class QueuedColorChooser : public zp::ColorChooser
{
public:
    // The colours to choose in order; std::nullopt cancels.
    QList<std::optional<QColor>> answers;
    int calls = 0;
    QWidget *owner = nullptr; // of the last chooser shown

    bool choose(QWidget *owner, QColor *color) override
    {
        ++calls;
        this->owner = owner;
        if (answers.isEmpty()) {
            QTest::qFail("colour chooser shown without an answer", __FILE__, __LINE__);
            return false;
        }
        const std::optional<QColor> answer = answers.takeFirst();
        if (answer)
            *color = *answer;
        return answer.has_value();
    }
};

} // namespace zptest
