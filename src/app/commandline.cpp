#include "app/commandline.h"

namespace zp {

QStringList SplitCommandLine(const QString &text)
{
    if (text.isEmpty())
        return {};
    return text.split(u' ', Qt::KeepEmptyParts);
}

QString CommandLineText(const QStringList &argumentsAfterProgram)
{
    return argumentsAfterProgram.join(u' ');
}

} // namespace zp
