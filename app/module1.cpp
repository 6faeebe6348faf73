#include "app/module1.h"

#include <QDir>

namespace dovrel {

Module1& Module1::instance()
{
    static Module1 state;
    return state;
}

QString withTrailingSeparator(const QString& folder)
{
    const QString native = QDir::toNativeSeparators(folder);
    const QChar sep = QDir::separator();
    return native.endsWith(sep) ? native : native + sep;
}

}  // namespace dovrel
