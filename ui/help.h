#pragma once
#include <QString>

namespace dovrel::help {

// The application's help file, named once for the whole program.
void setFile(const QString& path);
QString file();

// Opens the help file at a topic in the help window, reading the file afresh.
// The topics are 1000 (the game), 2000 (the setup dialog) and 3000 (the rules).
void show(int context);

}  // namespace dovrel::help
