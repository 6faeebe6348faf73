#include "ui/help.h"

namespace dovrel::help {

namespace {
QString helpFile;
}  // namespace

void setFile(const QString& path)
{
    helpFile = path;
}

QString file()
{
    return helpFile;
}

void show(int context)
{
    // The help viewer is not there yet: asking for a topic opens nothing.
    Q_UNUSED(context);
}

}  // namespace dovrel::help
