#pragma once
// The message-box seam for benchmark programs: every box is answered OK at
// once (a benchmark has nobody to answer it), and the last text is kept for
// the programs that report it.

#include "platform/messageboxes.h"

namespace zpbench {

class SilentBoxes : public zp::MessageBoxes
{
public:
    Answer show(QWidget *, const QString &text, const QString &, Buttons, Icon, Answer) override
    {
        last = text;
        return Answer::Ok;
    }
    QString last;
};

} // namespace zpbench
