#include "core/CommandLine.h"

bool HasQueltStartSwitch(const QStringList& arguments) {
    for (const QString& argument : arguments)
        if ((argument.startsWith(u'-') || argument.startsWith(u'/')) &&
            argument.mid(1).compare(QLatin1String("quelt_start"), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}
