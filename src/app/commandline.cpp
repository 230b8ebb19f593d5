#include "app/commandline.h"

#include <QFileInfo>

namespace zp {

QStringList SplitCommandLine(const QString &text)
{
    if (text.isEmpty())
        return {};
    return text.split(u' ', Qt::KeepEmptyParts);
}

QStringList CommandLineItems(const QStringList &argumentsAfterProgram)
{
    // Splitting each argument on its own gives what splitting the joined text
    // gives: the joining blanks are exactly the boundaries between arguments.
    QStringList items;
    for (const QString &argument : argumentsAfterProgram) {
        if (argument.contains(u' ') && QFileInfo::exists(argument))
            items.append(argument);
        else
            items.append(argument.isEmpty() ? QStringList{QString()} : SplitCommandLine(argument));
    }
    return items;
}

} // namespace zp
